#include "core/theme/ThemeLayout.h"

#include <initializer_list>

#include "core/bar/Dpi.h"

namespace tarvik {

namespace {

void ScalePadding(Padding& p, const Dpi& dpi) {
    for (int32_t* field : {&p.X, &p.Y, &p.width, &p.Height, &p.X_Overflow, &p.Y_Overflow}) {
        *field = dpi.Scale(*field);
    }
}

}  // namespace

void ThemeLayout::ScaleAll(const Dpi& dpi) {
    for (int32_t* size :
         {&BarHeight, &BarShadow, &WorkAreaTop, &MenuLeft, &MenuGap, &MenuPad, &MenuTextX,
          &MenuTextY, &RowHeight, &SeparatorHeight, &RowPadRight, &RowPadBottom, &PopupPad,
          &WidgetLeft, &WidgetPad, &WidgetIconGap, &WidgetMinWidth, &StatusGap, &StatusRight}) {
        *size = dpi.Scale(*size);
    }
    ScalePadding(RowText, dpi);
    ScalePadding(RowHighlight, dpi);
    ScalePadding(RowSeparator, dpi);
}

}  // namespace tarvik
