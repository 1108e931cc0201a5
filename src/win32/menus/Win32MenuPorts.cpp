#include "win32/menus/Win32MenuPorts.h"

#include <windows.h>

#include <algorithm>
#include <thread>

#include "win32/platform/WideText.h"

namespace tarvik {

namespace {

// Both calls read into a buffer of this many units, the last of which holds the terminator.
constexpr int kTextBufferUnits = 256;

HMENU ToMenu(MenuHandle menu) {
    return reinterpret_cast<HMENU>(menu);
}
HWND ToWindow(WindowHandle window) {
    return reinterpret_cast<HWND>(window);
}

// The first `count` units of a filled buffer as UTF-8. The count comes from the other program's
// answer, so it is held to the buffer; a character cut in half at the buffer's end is dropped.
std::string BufferText(const wchar_t* buffer, int count) {
    size_t units = static_cast<size_t>(std::clamp(count, 0, kTextBufferUnits - 1));
    if (units > 0 && buffer[units - 1] >= 0xD800 && buffer[units - 1] <= 0xDBFF) --units;
    return Narrow(std::wstring_view(buffer, units));
}

}  // namespace

int32_t Win32MenuReader::ItemCount(MenuHandle menu) const {
    return GetMenuItemCount(ToMenu(menu));
}

MenuHandle Win32MenuReader::SubMenu(MenuHandle menu, int32_t position) const {
    return reinterpret_cast<MenuHandle>(GetSubMenu(ToMenu(menu), position));
}

uint32_t Win32MenuReader::State(MenuHandle menu, int32_t position) const {
    return GetMenuState(ToMenu(menu), static_cast<UINT>(position), MF_BYPOSITION);
}

std::string Win32MenuReader::Text(MenuHandle menu, int32_t position) const {
    wchar_t buffer[kTextBufferUnits] = {};
    const int count = GetMenuStringW(ToMenu(menu), static_cast<UINT>(position), buffer,
                                     kTextBufferUnits, MF_BYPOSITION);
    return BufferText(buffer, count);
}

int32_t Win32MenuReader::ItemId(MenuHandle menu, int32_t position) const {
    return static_cast<int32_t>(GetMenuItemID(ToMenu(menu), position));
}

MenuHandle Win32MenuReader::MenuBar(WindowHandle window) const {
    // GetMenu gives the menu bar only, never the window's system menu.
    return reinterpret_cast<MenuHandle>(GetMenu(ToWindow(window)));
}

std::string Win32MenuReader::WindowTitle(WindowHandle window) const {
    wchar_t buffer[kTextBufferUnits] = {};
    const int count = GetWindowTextW(ToWindow(window), buffer, kTextBufferUnits);
    return BufferText(buffer, count);
}

PostResult Win32CommandPoster::PostCommand(WindowHandle window, int32_t commandId) {
    const auto wParam = static_cast<WPARAM>(static_cast<uint32_t>(commandId));
    if (PostMessageW(ToWindow(window), WM_COMMAND, wParam, 0)) return {true, 0};
    return {false, static_cast<int32_t>(GetLastError())};
}

void Win32MessageBox::Show(std::string_view title, std::string_view text, uint32_t flags) {
    std::thread([wideTitle = Widen(title), wideText = Widen(text), flags] {
        MessageBoxW(nullptr, wideText.c_str(), wideTitle.c_str(), flags);
    }).detach();
}

}  // namespace tarvik
