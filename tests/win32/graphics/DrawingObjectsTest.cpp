// The drawing objects' native handles and error convention over real GDI+.
#include <gtest/gtest.h>

#include <vector>

#include "GraphicsTestHelpers.h"
#include "core/app/Error.h"

namespace tarvik::test {
namespace {

TEST(DrawingObjects, BitmapsFromIconsAndGdiBitmapsKeepTheirSize) {
    DibDc colour(16, 16);
    const HBITMAP mask = CreateBitmap(16, 16, 1, 1, nullptr);
    ICONINFO info{};
    info.fIcon = TRUE;
    info.hbmColor = colour.Bitmap();
    info.hbmMask = mask;
    const HICON icon = CreateIconIndirect(&info);
    ASSERT_NE(icon, nullptr);

    const GDIPBitmap fromIcon = GDIPBitmap::CreateFromHICON(icon);
    EXPECT_EQ(fromIcon.LastStatus(), kGdipStatusOk);
    EXPECT_EQ(fromIcon.width(), 16);
    EXPECT_EQ(fromIcon.Height(), 16);
    DestroyIcon(icon);
    DeleteObject(mask);

    DibDc wide(24, 12);
    const GDIPBitmap fromBitmap = GDIPBitmap::CreateFromHBITMAP(wide.Bitmap());
    EXPECT_EQ(fromBitmap.width(), 24);
    EXPECT_EQ(fromBitmap.Height(), 12);

    const GDIPBitmap none = GDIPBitmap::CreateFromHBITMAP(nullptr);
    EXPECT_FALSE(none.IsLoaded());
    EXPECT_NE(none.LastStatus(), kGdipStatusOk);
}

TEST(DrawingObjects, BitmapsOwnACopyOfTheirPixels) {
    std::vector<uint8_t> pixels{
        0x01, 0x02, 0x03, 0x80, 0x04, 0x05, 0x06, 0xFF, 0, 0, 0, 0,
        0x07, 0x08, 0x09, 0x00, 0x0A, 0x0B, 0x0C, 0x40, 0, 0, 0, 0,
    };
    GDIPBitmap bitmap =
        GDIPBitmap::CreateFromSizeFormatData(2, 2, 12, kPixelFormat32bppARGB, pixels);
    ASSERT_EQ(bitmap.LastStatus(), kGdipStatusOk);
    pixels.assign(pixels.size(), 0xEE);  // the bitmap must not read the caller's buffer

    EXPECT_EQ(bitmap.GetPixel(0, 0), 0x80030201u);
    EXPECT_EQ(bitmap.GetPixel(1, 0), 0xFF060504u);
    EXPECT_EQ(bitmap.GetPixel(0, 1), 0x00090807u);
    EXPECT_EQ(bitmap.GetPixel(1, 1), 0x400C0B0Au);

    BitmapData data;
    ASSERT_TRUE(
        bitmap.LockBits(RectI{0, 0, 2, 2}, kImageLockModeRead, kPixelFormat32bppARGB, data));
    EXPECT_EQ(data.Width, 2);
    EXPECT_EQ(data.Scan0[data.Stride + 7], 0x40);
    bitmap.UnlockBits(data);
    EXPECT_EQ(bitmap.LastStatus(), kGdipStatusOk);

    const GDIPBitmap refused = GDIPBitmap::CreateFromSizeFormatData(2, 2, 12, kPixelFormat32bppARGB,
                                                                    std::span(pixels).first(19));
    EXPECT_FALSE(refused.IsLoaded());
    EXPECT_EQ(refused.LastStatus(), kGdipStatusInvalidParameter);
}

TEST(DrawingObjects, FontFamiliesResolveInstalledNamesOnly) {
    GDIPFontFamily family("dejavu sans");
    EXPECT_TRUE(family.Exists());
    EXPECT_EQ(family.Name(), "DejaVu Sans");
    EXPECT_TRUE(family.IsStyleAvailable(kFontStyleRegular));

    const GDIPFontFamily missing("No Such Family Anywhere");
    EXPECT_FALSE(missing.Exists());
    EXPECT_NE(missing.LastStatus(), kGdipStatusOk);
    const GDIPFont font(missing, 12);
    EXPECT_EQ(font.NativeHandle(), nullptr);
}

class DrawingErrors : public ::testing::Test {
  protected:
    void TearDown() override {
        SetGDIPlusErrorsSuppressed(true);
        SetGDIPlusErrorSourceName("Tarvik.exe");
    }
};

TEST_F(DrawingErrors, RaisedWithTheStatusNumberWhenNotSuppressed) {
    SetGDIPlusErrorsSuppressed(false);
    SetGDIPlusErrorSourceName("tarvik_win32_graphics_tests.exe");
    try {
        GDIPBitmap::CreateFromSizeFormat(0, 0);
        ADD_FAILURE() << "not raised";
    } catch (const Error& error) {
        EXPECT_EQ(error.Number(), 1048 + kGdipStatusInvalidParameter);
        EXPECT_EQ(error.Description(), "GDI+ Error 2");
        EXPECT_EQ(error.Source(), "tarvik_win32_graphics_tests.exe.GDIP");
    }

    SetGDIPlusErrorsSuppressed(true);
    GDIPBitmap bitmap;
    EXPECT_NO_THROW(bitmap = GDIPBitmap::CreateFromSizeFormat(0, 0));
    EXPECT_EQ(bitmap.LastStatus(), kGdipStatusInvalidParameter);
    EXPECT_FALSE(bitmap.IsLoaded());
}

}  // namespace
}  // namespace tarvik::test
