#include "win32/menus/ContextMenu.h"

#include "win32/platform/WideText.h"

namespace tarvik {

int32_t ContextMenu::ShowMenu(HWND owner, int32_t& x, int32_t& y) {
    if (x == 0 && y == 0) {
        POINT cursor{};
        if (GetCursorPos(&cursor)) {
            x = cursor.x;
            y = cursor.y;
        }
    }
    return static_cast<int32_t>(
        TrackPopupMenu(m_menu.Get(), TPM_RETURNCMD, x, y, 0, owner, nullptr));
}

std::string ContextMenu::GetMenuText(int32_t id) const {
    wchar_t buffer[1024] = {};
    const int length =
        GetMenuStringW(m_menu.Get(), static_cast<UINT>(id), buffer, 1024, MF_BYCOMMAND);
    if (length <= 0) return {};
    return Narrow(std::wstring_view(buffer, static_cast<size_t>(length)));
}

void ContextMenu::AddItem(int32_t id, std::string_view caption) {
    AppendMenuW(m_menu.Get(), MF_STRING, static_cast<UINT_PTR>(id), Widen(caption).c_str());
}

}  // namespace tarvik
