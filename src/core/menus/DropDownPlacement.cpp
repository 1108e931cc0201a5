#include "core/menus/DropDownPlacement.h"

#include "core/app/Rounding.h"

namespace tarvik {

namespace {

constexpr double kTwipsPerInch = 1440.0;
constexpr double kDefaultTwipsPerPixel = 15.0;

double TwipsFromDpi(int32_t dpi) {
    return dpi > 0 ? kTwipsPerInch / dpi : kDefaultTwipsPerPixel;
}

}  // namespace

TwipsPerPixel TwipsPerPixelFromDpi(int32_t dpiX, int32_t dpiY) {
    return TwipsPerPixel{TwipsFromDpi(dpiX), TwipsFromDpi(dpiY)};
}

ListPlacement PlaceDropDown(ScreenPoint at, ListSize size, int32_t screenWidth,
                            TwipsPerPixel twipsPerPixel) {
    const double tpx = twipsPerPixel.x;
    const double tpy = twipsPerPixel.y;
    const int32_t leftPixels = NearestInt(at.x);
    const int32_t topTwips = NearestInt(at.y * tpy);

    const double widthTwips = static_cast<double>(size.width) * tpx;
    const double screenTwips = static_cast<double>(screenWidth) * tpx;
    double leftTwips = static_cast<double>(leftPixels) * tpx;
    if (screenTwips < leftTwips + widthTwips) leftTwips = screenTwips - widthTwips;
    return ListPlacement{NearestInt(leftTwips / tpx),
                         NearestInt(static_cast<double>(topTwips) / tpy)};
}

}  // namespace tarvik
