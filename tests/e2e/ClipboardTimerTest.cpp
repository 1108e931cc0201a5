// The clipboard button's history of what other programs copied, and the countdown on the bar, as
// a user meets them. With every other widget off, the clipboard button is the rightmost (50 wide,
// 8 from the end) and the timer's ends 2 pixels left of it; menu rows are 21 high below 4 pixels.
#include <windows.h>
// After windows.h:
#include <objbase.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "BarPixels.h"
#include "E2eSupport.h"
#include "core/app/CommandLine.h"
#include "core/bar/Dpi.h"
#include "core/theme/Brushes.h"
#include "core/theme/Theme.h"
#include "win32/support/PointerInput.h"
#include "win32/support/Screenshot.h"
#include "win32/xml/MsXmlParser.h"

namespace tarvik::test {
namespace {

const int kScreen = GetSystemMetrics(SM_CXSCREEN), kTimerRight = kScreen - 60;
const std::vector<std::string> kCountdown = {"25:00", "24:59", "24:58", "24:57",
                                             "24:56", "24:55", "24:54", "24:53"};

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

// Clicks a button and then the menu's row (from 0); the menu's height.
int PickFromMenu(TarvikCopy& tarvik, int buttonX, int row, const wchar_t* picture) {
    MovePointer(buttonX, 10);
    ClickPointer();
    const HWND menu = tarvik.WaitForWindow(L"Tarvik_DropDownMenu", 5s);
    RECT rect{};
    GetWindowRect(menu, &rect);
    PumpMessages(300ms);
    SaveScreenshot(ScreenshotFolder() / picture, RECT{kScreen - 400, 0, kScreen, rect.bottom + 10});
    MovePointer(rect.left + 30, rect.top + 4 + 21 * row + 10);
    ClickPointer();
    PumpUntil([&] { return !IsWindowVisible(menu); }, 3s);
    return rect.bottom - rect.top;
}

// How many pixels of each column are far from the bar's grey (text in black, or in white on a
// hovered button), the empty columns at either end left out.
std::vector<int> Columns(const GDIPImage& image) {
    std::vector<int> columns;
    for (int x = 0; x < image.width(); ++x) {
        int count = 0;
        for (int y = 0; y < image.Height(); ++y) {
            const uint32_t p = PixelOf(image, x, y);
            count += std::abs(299 * int(p >> 16 & 255) + 587 * int(p >> 8 & 255) +
                              114 * int(p & 255) - 110000) > 90000;
        }
        if (count || !columns.empty()) columns.push_back(count);
    }
    while (!columns.empty() && !columns.back()) columns.pop_back();
    return columns;
}

// The countdown's first texts as the bar draws them, with the theme beside Tarvik.exe.
std::map<std::vector<int>, std::string> CountdownTexts() {
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    TestLog log;
    Overrides overrides;
    Dpi dpi;
    dpi.Start(96, overrides);
    MsXmlParser parser;
    Theme theme;
    theme.Initialize(parser, TestProgramFolder(), log.trace, overrides, dpi);
    Brushes brushes(theme.TextColour, theme.HighlightTextColour, theme.DisabledTextColour);
    std::map<std::vector<int>, std::string> texts;
    for (const std::string& text : kCountdown) {
        GDIPBitmap bitmap = GDIPBitmap::CreateFromSizeFormat(100, 23);
        GDIPGraphics graphics;
        graphics.FromImage(bitmap.Image());
        graphics.ApplySurfaceSettings();
        graphics.Clear(0xFF6E6E6E);
        graphics.DrawString(text, theme.FontFor(0), brushes.TextBrush(), 4, 2);
        texts[Columns(bitmap.Image())] = text;
    }
    return texts;
}

TEST(ClipboardTimer, CopiesComeBackFromTheMenuAndTheTimerCountsDownOnTheBar) {
    StartGdiPlus();
    const auto countdown = CountdownTexts();
    TarvikCopy tarvik;
    {
        const OnlyWidgets shown{L"Clipboard", L"Timer"};
        ASSERT_TRUE(tarvik.Start(L"", {{L"TARVIK_DEMO", L"1"}}));
        ASSERT_NE(tarvik.WaitForWindow(L"Tarvik_Bar"), nullptr);
        PumpMessages(600ms);
    }

    const TestWindow owner(0, 0, 1, 1, WS_POPUP);
    for (const wchar_t* text : {L"alpha", L"beta"}) Copy(owner.Handle(), text);
    for (const wchar_t* mark : {L"CanIncludeInClipboardHistory", L"Clipboard Viewer Ignore",
                                L"ExcludeClipboardContentFromMonitorProcessing"})
        Copy(owner.Handle(), L"hunter2", mark);
    // Two entries, newest first, then a separator and "Clear History"; a pick goes to the top.
    EXPECT_EQ(PickFromMenu(tarvik, kScreen - 33, 1, L"clipboard-menu.png"), 3 * 21 + 10 + 4 + 6);
    EXPECT_TRUE(PumpUntil([] { return Pasted() == L"alpha"; }, 3s));
    PickFromMenu(tarvik, kScreen - 33, 1, L"clipboard-menu-again.png");
    EXPECT_TRUE(PumpUntil([] { return Pasted() == L"beta"; }, 3s));

    // "25 Minutes". Under Wine the bar waits two seconds for the picked menu to hide, so its
    // first text may be 24:58; each tick takes a second off.
    PickFromMenu(tarvik, kTimerRight - 25, 2, L"timer-menu.png");
    MovePointer(kScreen / 2, 10);
    std::vector<std::string> shown;
    for (int shot = 0; shot < 40 && shown.size() < 2; ++shot, PumpMessages(100ms)) {
        const auto picture = ScreenshotFolder() / "timer-button.png";
        SaveScreenshot(picture, RECT{kTimerRight - 100, 0, kTimerRight, 23});
        const auto found = countdown.find(Columns(GDIPImage::FromFile(picture.string())));
        if (found != countdown.end() && (shown.empty() || shown.back() != found->second))
            shown.push_back(found->second);
    }
    ASSERT_EQ(shown.size(), 2u) << "no countdown on the bar";
    const auto second = [&](const std::string& text) {
        return std::find(kCountdown.begin(), kCountdown.end(), text) - kCountdown.begin();
    };
    // One second apart; two when a busy machine let one screenshot come late.
    EXPECT_LE(second(shown[1]) - second(shown[0]), 2) << shown[0] << " then " << shown[1];
    SaveScreenshot(ScreenshotFolder() / "timer-running.png", RECT{kScreen - 300, 0, kScreen, 36});
}

}  // namespace
}  // namespace tarvik::test
