// The clipboard button's history of what other programs copied, as a user meets it. With every
// other widget off, the clipboard button is the rightmost (50 wide, 8 from the end); menu rows are
// 21 high below 4 pixels.
#include <gtest/gtest.h>
#include <windows.h>

#include "E2eSupport.h"
#include "win32/support/PointerInput.h"
#include "win32/support/Screenshot.h"

namespace tarvik::test {
namespace {

const int kScreen = GetSystemMetrics(SM_CXSCREEN);

// Puts text on the clipboard as another program, with a mark as a password manager does.
void Copy(HWND owner, const std::wstring& text, const wchar_t* mark = nullptr) {
    const auto put = [](UINT format, const void* data, size_t size) {
        const HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, size);
        memcpy(GlobalLock(memory), data, size);
        GlobalUnlock(memory);
        SetClipboardData(format, memory);
    };
    OpenClipboard(owner);
    EmptyClipboard();
    put(CF_UNICODETEXT, text.c_str(), (text.size() + 1) * sizeof(wchar_t));
    const DWORD never = 0;
    if (mark) put(RegisterClipboardFormatW(mark), &never, sizeof never);
    CloseClipboard();
    PumpMessages(400ms);
}

std::wstring Pasted() {
    OpenClipboard(nullptr);
    const HANDLE data = GetClipboardData(CF_UNICODETEXT);
    const std::wstring text = data ? static_cast<const wchar_t*>(GlobalLock(data)) : L"";
    if (data) GlobalUnlock(data);
    CloseClipboard();
    return text;
}

TEST(Clipboard, CopiesComeBackFromTheMenu) {
    StartGdiPlus();
    TarvikCopy tarvik;
    {
        const OnlyWidgets shown{L"Clipboard"};
        ASSERT_TRUE(tarvik.StartDemo());
    }

    const TestWindow owner(0, 0, 1, 1, WS_POPUP);
    for (const wchar_t* text : {L"alpha", L"beta"}) Copy(owner.Handle(), text);
    Copy(owner.Handle(), L"hunter2", L"ExcludeClipboardContentFromMonitorProcessing");
    // Two entries, newest first (the marked copy is not kept), then a separator and "Clear
    // History"; the second row's text comes back to the clipboard.
    const RECT menu =
        ClickOpens(tarvik, kScreen - 33, 10, L"Tarvik_DropDownMenu", L"clipboard-menu.png");
    MovePointer(menu.left + 30, menu.top + 4 + 21 + 10);
    ClickPointer();
    EXPECT_TRUE(PumpUntil([] { return Pasted() == L"alpha"; }, 3s));
}

}  // namespace
}  // namespace tarvik::test
