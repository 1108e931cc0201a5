#include "GraphicsTestHelpers.h"

#include <gtest/gtest.h>

#include <fstream>

#include "core/graphics/GDIPlus.h"

namespace tarvik::test {

namespace {

// The 2D library is started once for the whole program, with errors suppressed as the program
// itself runs; tests that look at raised errors switch that off for themselves.
class GraphicsEnvironment final : public ::testing::Environment {
  public:
    void SetUp() override { ASSERT_TRUE(GDIPlusCreate(true)); }
};

[[maybe_unused]] ::testing::Environment* const kEnvironment =
    ::testing::AddGlobalTestEnvironment(new GraphicsEnvironment);

void PutLittleEndian(std::string& out, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out += static_cast<char>((value >> (8 * i)) & 0xFF);
}

}  // namespace

Canvas::Canvas(int width, int height)
    : bitmap(GDIPBitmap::CreateFromSizeFormat(width, height, kPixelFormat32bppARGB)) {
    graphics.FromImage(bitmap);
    graphics.ApplySurfaceSettings();
    graphics.Clear();
}

void WriteBmpBytes(const std::filesystem::path& path, int width, int height,
                   const std::string& rowsBottomUp) {
    constexpr uint32_t kHeaders = 14 + 40;
    std::string file = "BM";
    PutLittleEndian(file, kHeaders + static_cast<uint32_t>(rowsBottomUp.size()), 4);
    PutLittleEndian(file, 0, 4);
    PutLittleEndian(file, kHeaders, 4);
    PutLittleEndian(file, 40, 4);
    PutLittleEndian(file, static_cast<uint32_t>(width), 4);
    PutLittleEndian(file, static_cast<uint32_t>(height), 4);
    PutLittleEndian(file, 1, 2);   // planes
    PutLittleEndian(file, 24, 2);  // bits per pixel
    PutLittleEndian(file, 0, 4);   // BI_RGB
    PutLittleEndian(file, static_cast<uint32_t>(rowsBottomUp.size()), 4);
    PutLittleEndian(file, 2835, 4);
    PutLittleEndian(file, 2835, 4);
    PutLittleEndian(file, 0, 4);
    PutLittleEndian(file, 0, 4);
    file += rowsBottomUp;
    std::ofstream(path, std::ios::binary) << file;
}

DibDc::DibDc(int width, int height) : m_width(width), m_height(height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    m_dc = CreateCompatibleDC(nullptr);
    void* bits = nullptr;
    m_bitmap = CreateDIBSection(m_dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    m_bits = static_cast<uint32_t*>(bits);
    m_old = SelectObject(m_dc, m_bitmap);
}

DibDc::~DibDc() {
    SelectObject(m_dc, m_old);
    DeleteObject(m_bitmap);
    DeleteDC(m_dc);
}

uint32_t DibDc::Pixel(int x, int y) const {
    GdiFlush();
    if (!m_bits || x < 0 || y < 0 || x >= m_width || y >= m_height) return 0;
    return m_bits[static_cast<size_t>(y) * m_width + x];
}

}  // namespace tarvik::test
