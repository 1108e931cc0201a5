#pragma once

// The icons' owners in memory, and icon messages built byte by byte the way Windows' shell
// builds them.

#include <cstdio>
#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "core/graphics/GDIPBitmap.h"
#include "core/widgets/TrayIcons.h"

namespace tarvik::test {

// A captured picture of icon `handle`; icon 0xBAD has none.
class FakePicture final : public TrayIconPicture {
  public:
    explicit FakePicture(uint32_t handle) : m_handle(handle) {
        if (handle != 0xBAD) m_image = GDIPBitmap::CreateFromSizeFormat(16, 16);
    }
    uint32_t Handle() const override { return m_handle; }
    const GDIPImage* Image() const override { return m_image.IsLoaded() ? &m_image : nullptr; }

  private:
    uint32_t m_handle;
    GDIPBitmap m_image;
};

// Windows 0x10 to 0x1F are alive; the pointer is at (-5, 300); posts are written as
// "window message wParam lParam" in hexadecimal.
struct FakeOwners final : public ITrayOwners {
    std::set<uint32_t> dead;
    std::vector<std::string> posts;
    std::vector<uint32_t> allowed;

    bool IsWindow(uint32_t w) override { return w >= 0x10 && w < 0x20 && !dead.count(w); }
    std::unique_ptr<TrayIconPicture> CopyIcon(uint32_t icon) override {
        return std::make_unique<FakePicture>(icon);
    }
    void Post(uint32_t w, uint32_t message, uint32_t wParam, uint32_t lParam) override {
        char line[64];
        std::snprintf(line, sizeof line, "%x %x %x %x", w, message, wParam, lParam);
        posts.emplace_back(line);
    }
    bool CursorPos(int32_t& x, int32_t& y) override {
        x = -5;
        y = 300;
        return true;
    }
    void AllowForeground(uint32_t w) override { allowed.push_back(w); }
};

// An icon message with a record of `length` bytes; fields by their offset in the record.
struct TrayBytes {
    std::vector<uint8_t> bytes;
    TrayBytes(size_t length, uint32_t message, uint32_t owner, int32_t id, uint32_t flags)
        : bytes(length + 8) {
        Word(-4, message).Word(4, owner).Word(8, static_cast<uint32_t>(id)).Word(12, flags);
    }
    TrayBytes& Word(int offset, uint32_t value) {
        if (offset + 12 <= int(bytes.size())) std::memcpy(&bytes[size_t(offset + 8)], &value, 4);
        return *this;
    }
    TrayBytes& Tip(std::u16string_view tip) {
        for (size_t i = 0; i < tip.size() && 32 + 2 * i + 2 <= bytes.size(); ++i)
            std::memcpy(&bytes[32 + 2 * i], &tip[i], 2);
        return *this;
    }
    TrayBytes& Guid(uint8_t first) {
        bytes[944] = first;
        return *this;
    }
};

}  // namespace tarvik::test
