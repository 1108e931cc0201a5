#pragma once

// The icons' owners in memory, and icon messages laid out byte by byte as the shell lays them.

#include <cstdio>
#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "core/graphics/GDIPBitmap.h"
#include "core/widgets/TrayIcons.h"

namespace tarvik::test {

// A copy of icon `handle`, with a 16x16 picture unless the handle is 0xBAD.
struct FakePicture final : TrayIconPicture {
    explicit FakePicture(uint32_t h) : handle(h) {
        if (h != 0xBAD) image = GDIPBitmap::CreateFromSizeFormat(16, 16);
    }
    uint32_t Handle() const override { return handle; }
    const GDIPImage* Image() const override { return image.IsLoaded() ? &image : nullptr; }
    uint32_t handle;
    GDIPBitmap image;
};

// Windows 0x10 to 0x1F live unless dead, each in a process of the same number, 0x1F being this
// program's; the pointer is at (-5, 300); posts read "window message wParam lParam" in hexadecimal.
struct FakeOwners final : ITrayOwners {
    bool IsWindow(uint32_t w) override { return w >= 0x10 && w < 0x20 && !dead.count(w); }
    uint32_t ProcessOf(uint32_t w) override { return IsWindow(w) ? w : 0; }
    uint32_t OwnProcess() override { return 0x1F; }
    std::unique_ptr<TrayIconPicture> CopyIcon(uint32_t icon) override {
        return std::make_unique<FakePicture>(icon);
    }
    void Post(uint32_t w, uint32_t message, uint32_t wParam, uint32_t lParam) override {
        char line[64];
        std::snprintf(line, sizeof line, "%x %x %x %x", w, message, wParam, lParam);
        posts.emplace_back(line);
    }
    bool CursorPos(int32_t& x, int32_t& y) override { return x = -5, y = 300, true; }
    void AllowForeground(uint32_t w) override { allowed.push_back(w); }
    std::set<uint32_t> dead;
    std::vector<std::string> posts;
    std::vector<uint32_t> allowed;
};

// An icon message with a record of `length` bytes; words by their offset in the record (callback
// 16, icon 20, state 280, state mask 284, version 800, the GUID's first byte 936). Words past the
// record are left out.
struct TrayBytes {
    TrayBytes(size_t length, uint32_t message, uint32_t owner, int32_t id, uint32_t flags)
        : bytes(length + 8) {
        Word(-4, message).Word(4, owner).Word(8, static_cast<uint32_t>(id)).Word(12, flags);
    }
    TrayBytes& Word(int offset, uint32_t value) {
        if (offset + 12 <= int(bytes.size())) std::memcpy(&bytes[size_t(offset + 8)], &value, 4);
        return *this;
    }
    TrayBytes& Tip(std::u16string_view tip) {
        for (size_t i = 0; i < tip.size() && 34 + 2 * i <= bytes.size(); ++i)
            std::memcpy(&bytes[32 + 2 * i], &tip[i], 2);
        return *this;
    }
    std::vector<uint8_t> bytes;
};

}  // namespace tarvik::test
