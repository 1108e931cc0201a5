#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "core/graphics/GDIPGraphics.h"
#include "core/support/Fakes.h"
#include "core/support/RecordingGraphics.h"

namespace tarvik::test {
namespace {

class ImagesTest : public ::testing::Test {
  protected:
    std::string Write(const std::string& name, const std::string& bytes) {
        const auto path = m_folder.Path() / name;
        std::ofstream(path, std::ios::binary) << bytes;
        return path.string();
    }

    ScopedDrawingErrors m_errors{true};
    TempFolder m_folder;
};

std::string BigEndian(uint32_t value) {
    return {static_cast<char>(value >> 24), static_cast<char>(value >> 16),
            static_cast<char>(value >> 8), static_cast<char>(value)};
}

// The start of a PNG file: signature, then the IHDR chunk's length, type and size.
std::string PngStart(uint32_t width, uint32_t height, const std::string& type = "IHDR") {
    return std::string("\x89PNG\r\n\x1A\n", 8) + BigEndian(13) + type + BigEndian(width) +
           BigEndian(height) + std::string("\x08\x06\0\0\0", 5) + BigEndian(0);
}

TEST_F(ImagesTest, PngSizesComeFromTheHeaderAndAnythingElseIsNotLoaded) {
    struct Case {
        const char* name;
        std::string bytes;
        int status;
        int width;
        int height;
    };
    const Case cases[] = {
        {"skin.png", PngStart(20, 60), kGdipStatusOk, 20, 60},
        {"wide.png", PngStart(0x7FFFFFFF, 1), kGdipStatusOk, 0x7FFFFFFF, 1},
        {"zero.png", PngStart(0, 10), kGdipStatusUnknownImageFormat, 0, 0},
        {"huge.png", PngStart(0x80000000u, 10), kGdipStatusUnknownImageFormat, 0, 0},
        {"short.png", PngStart(20, 60).substr(0, 23), kGdipStatusUnknownImageFormat, 0, 0},
        {"chunk.png", PngStart(20, 60, "IDAT"), kGdipStatusUnknownImageFormat, 0, 0},
        {"bitmap.bmp", "BM" + std::string(60, '\0'), kGdipStatusUnknownImageFormat, 0, 0},
        {"empty.png", "", kGdipStatusUnknownImageFormat, 0, 0},
    };
    for (const Case& c : cases) {
        const GDIPImage image = GDIPImage::FromFile(Write(c.name, c.bytes));
        EXPECT_EQ(image.LastStatus(), c.status) << c.name;
        EXPECT_EQ(image.width(), c.width) << c.name;
        EXPECT_EQ(image.Height(), c.height) << c.name;
        EXPECT_EQ(image.IsLoaded(), c.status == kGdipStatusOk) << c.name;
    }
    const GDIPImage missing = GDIPImage::FromFile((m_folder.Path() / "none.png").string());
    EXPECT_EQ(missing.LastStatus(), kGdipStatusFileNotFound);
    EXPECT_FALSE(missing.IsLoaded());
}

TEST_F(ImagesTest, BitmapsCopyTheirPixelsRowByRow) {
    // Two rows of two pixels with four bytes of padding per row (stride 12).
    const std::vector<uint8_t> pixels{
        0x01, 0x02, 0x03, 0x80, 0x04, 0x05, 0x06, 0xFF, 0xEE, 0xEE, 0xEE, 0xEE,
        0x07, 0x08, 0x09, 0x00, 0x0A, 0x0B, 0x0C, 0x01, 0xEE, 0xEE, 0xEE, 0xEE,
    };
    GDIPBitmap bitmap =
        GDIPBitmap::CreateFromSizeFormatData(2, 2, 12, kPixelFormat32bppARGB, pixels);
    ASSERT_TRUE(bitmap.IsLoaded());
    EXPECT_EQ(bitmap.GetPixel(0, 0), 0x80030201u);
    EXPECT_EQ(bitmap.GetPixel(1, 0), 0xFF060504u);
    EXPECT_EQ(bitmap.GetPixel(0, 1), 0x00090807u);
    EXPECT_EQ(bitmap.GetPixel(1, 1), 0x010C0B0Au);
    EXPECT_EQ(bitmap.GetPixel(2, 0), 0u);
    EXPECT_EQ(bitmap.LastStatus(), kGdipStatusInvalidParameter);

    // The last row needs no padding; one byte less than that is refused.
    const std::vector<uint8_t> tight(pixels.begin(), pixels.begin() + 20);
    EXPECT_TRUE(
        GDIPBitmap::CreateFromSizeFormatData(2, 2, 12, kPixelFormat32bppARGB, tight).IsLoaded());
    const std::vector<uint8_t> shorter(pixels.begin(), pixels.begin() + 19);
    const GDIPBitmap refused =
        GDIPBitmap::CreateFromSizeFormatData(2, 2, 12, kPixelFormat32bppARGB, shorter);
    EXPECT_FALSE(refused.IsLoaded());
    EXPECT_EQ(refused.LastStatus(), kGdipStatusInvalidParameter);
    EXPECT_FALSE(
        GDIPBitmap::CreateFromSizeFormatData(2, 2, 7, kPixelFormat32bppARGB, pixels).IsLoaded());
}

TEST_F(ImagesTest, LockedPixelsAreTheBitmapsOwn) {
    GDIPBitmap bitmap = GDIPBitmap::CreateFromSizeFormat(3, 2);
    BitmapData data;
    ASSERT_TRUE(
        bitmap.LockBits(RectI{1, 1, 2, 1}, kImageLockModeWrite, kPixelFormat32bppARGB, data));
    EXPECT_EQ(data.Stride, 12);
    EXPECT_FALSE(bitmap.LockBits(RectI{0, 0, 1, 1}, kImageLockModeRead, kPixelFormat32bppARGB,
                                 data));  // already locked
    EXPECT_EQ(bitmap.LastStatus(), kGdipStatusWrongState);
    data.Scan0[4] = 0x11;
    data.Scan0[7] = 0xFF;
    bitmap.UnlockBits(data);
    EXPECT_EQ(bitmap.GetPixel(2, 1), 0xFF000011u);

    BitmapData outside;
    EXPECT_FALSE(
        bitmap.LockBits(RectI{2, 0, 2, 1}, kImageLockModeRead, kPixelFormat32bppARGB, outside));
}

TEST_F(ImagesTest, SizesOutsideTheLimitsGiveEmptyBitmaps) {
    struct Case {
        int width;
        int height;
        int status;
    };
    for (const Case& c :
         {Case{0, 5, kGdipStatusInvalidParameter}, Case{5, -1, kGdipStatusInvalidParameter},
          Case{5000, 5, kGdipStatusOutOfMemory}}) {
        const GDIPBitmap bitmap = GDIPBitmap::CreateFromSizeFormat(c.width, c.height);
        EXPECT_FALSE(bitmap.IsLoaded());
        EXPECT_EQ(bitmap.LastStatus(), c.status);
    }
}

TEST_F(ImagesTest, ABitmapMovedIntoAnImageKeepsItsPicture) {
    GDIPBitmap bitmap = GDIPBitmap::CreateFromSizeFormat(7, 3);
    const uint64_t id = RecordedImageId(bitmap);
    {
        GDIPGraphics graphics;
        graphics.FromImage(bitmap);
        graphics.Clear(0xFF00FF00);
    }
    const int live = LiveNativeObjects();
    GDIPImage image = std::move(bitmap);
    EXPECT_EQ(LiveNativeObjects(), live);
    EXPECT_EQ(RecordedImageId(image), id);
    EXPECT_EQ(image.width(), 7);
    EXPECT_EQ(image.Height(), 3);
    EXPECT_EQ(RecordedCalls(image).size(), 1u);
    EXPECT_FALSE(bitmap.IsLoaded());
    image.Dispose();
    EXPECT_EQ(LiveNativeObjects(), live - 1);
}

}  // namespace
}  // namespace tarvik::test
