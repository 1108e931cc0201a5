// Notification icons of this process (Wine keeps icon handles to their own process) on the real
// bar: captured with their own alpha, shown in the tray canvas, and clicked with the real pointer,
// the callbacks reaching another program's window.
#include <gtest/gtest.h>

#include <sstream>

#include "core/graphics/GDIPImage.h"
#include "core/support/TrayFakes.h"
#include "core/widgets/TrayPayload.h"
#include "core/widgets/framework/WidgetHost.h"
#include "win32/platform/AlphaIcon.h"
#include "win32/support/BarHarness.h"
#include "win32/support/PointerInput.h"
#include "win32/support/Screenshot.h"

namespace tarvik::test {
namespace {

using namespace std::chrono_literals;

// A square icon of one colour; with `masked` the mask keeps only the upper half.
HICON MakeIcon(uint32_t argb, bool masked, int edge = 16) {
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), edge, -edge, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    const HBITMAP colour = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    std::fill_n(static_cast<uint32_t*>(bits), edge * edge, argb);
    std::vector<uint8_t> mask(size_t((edge + 15) / 16 * 2 * edge));
    if (masked) std::fill(mask.begin() + std::ptrdiff_t(mask.size() / 2), mask.end(), 0xFF);
    const HBITMAP maskBits = CreateBitmap(edge, edge, 1, 1, mask.data());
    ICONINFO parts{TRUE, 0, 0, maskBits, colour};
    const HICON icon = CreateIconIndirect(&parts);
    DeleteObject(colour), DeleteObject(maskBits);
    return icon;
}

TEST(TrayIcons, AlphaIsKeptMaskedIconsKeepTheirShapeAndOpaqueOnesStayOpaque) {
    StartGdiPlus();
    // Colour, masked, the pixel captured at the top and the alpha at the bottom.
    const std::tuple<uint32_t, bool, uint32_t, uint32_t> icons[] = {
        {0x80E02020, false, 0x80E02020, 0x80},
        {0x002040E0, true, 0xFF2040E0, 0},
        {0xFF20A020, false, 0xFF20A020, 0xFF}};
    for (const auto& [argb, masked, top, bottom] : icons) {
        const HICON icon = MakeIcon(argb, masked);
        AlphaIcon capture;
        capture.CreateFromHICON(icon);
        DestroyIcon(icon);
        ASSERT_NE(capture.Image(), nullptr);
        EXPECT_EQ(PixelOf(*capture.Image(), 8, 2), top) << std::hex << argb;
        EXPECT_EQ(PixelOf(*capture.Image(), 8, 13) >> 24, bottom) << std::hex << argb;
    }
    // Another program may hand over any size: beyond 256 pixels nothing is captured.
    for (const auto& [edge, taken] : {std::pair{48, true}, {257, false}}) {
        const HICON icon = MakeIcon(0xFF20A020, false, edge);
        AlphaIcon capture;
        EXPECT_EQ(capture.CreateFromHICON(icon) && capture.Image(), taken) << edge;
        DestroyIcon(icon);
    }
}

TEST(TrayIcons, TheCanvasShowsTheIconsAndClicksReachTheirOwnerAsTheShellSendsThem) {
    ParkPointer();
    BarHarness harness;
    ASSERT_TRUE(harness.Ready());
    TrayHost& tray = harness.Parts().trayHost;
    ASSERT_TRUE(PumpUntil([&] { return tray.Decoy() != nullptr; }, 5s)) << "no shell taskbar";
    const TempFolder folder;  // the clicked icons' owner is another program
    const std::filesystem::path log = folder.Path() / L"owner.log";
    std::wstring line = L"\"" + (TestProgramFolder() / L"TrayFixture.exe").wstring() +
                        L"\" listen \"" + log.wstring() + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION run{};
    ASSERT_TRUE(CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                               &startup, &run));
    HWND ownerWindow = nullptr;
    EXPECT_TRUE(PumpUntil(
        [&] {
            DWORD process = 0;
            ownerWindow = FindWindowW(L"TarvikTrayFixture", nullptr);
            GetWindowThreadProcessId(ownerWindow, &process);
            return process == run.dwProcessId;
        },
        10s));
    TestWindow other(0, 0, 1, 1, WS_POPUP);
    const HICON icons[] = {MakeIcon(0xFFE02020, false), MakeIcon(0x002040E0, true),
                           MakeIcon(0xFF20A020, false)};
    const auto send = [&](uint32_t message, HWND window, int id, uint32_t extra = 0) {
        TrayBytes bytes(952, message, TrayHandleOf(window), id, NifMessage | NifIcon);
        bytes.Word(16, WM_APP + (id == 1 ? 1 : 2)).Word(20, TrayHandleOf(icons[id - 1]));
        COPYDATASTRUCT data{1, static_cast<DWORD>(bytes.bytes.size()),
                            bytes.Word(800, extra).bytes.data()};
        return SendMessageW(FindWindowW(L"Shell_TrayWnd", nullptr), WM_COPYDATA, 0,
                            reinterpret_cast<LPARAM>(&data));
    };
    EXPECT_EQ(send(NimAdd, ownerWindow, 1) + send(NimSetVersion, ownerWindow, 1, 4) +
                  send(NimAdd, ownerWindow, 2) + send(NimAdd, other.Handle(), 3),
              4);

    // Three icons: two cells of 30 by two (the grid is the tray widget's), in the theme's padding.
    const LONG pad = harness.GetTheme().Layout.PopupPad;
    RECT shown{};
    const auto open = [&] {
        harness.Bar().Host().SummonCanvas("Tray", 400);
        PumpMessages(300ms);
        shown = WindowRect(FindWindowW(L"Tarvik_WidgetCanvas", nullptr));
    };
    const auto click = [&](int index, bool right) {
        MovePointer(shown.left + pad + 15 + index % 2 * 30, shown.top + pad + 15 + index / 2 * 30);
        ClickPointer(right);
    };
    open();
    const auto path = ScreenshotFolder() / L"tray-canvas.png";
    SaveScreenshot(path, shown);
    const GDIPImage picture = GDIPImage::FromFile(path.string());
    EXPECT_EQ(PixelOf(picture, pad + 45, pad + 8) & 0xFFFFFF, 0x2040E0u);  // the masked top
    EXPECT_EQ(PixelOf(picture, pad + 15, pad + 45) & 0xFFFFFF, 0x20A020u);

    click(0, false);
    EXPECT_TRUE(PumpUntil(
        [] { return !IsWindowVisible(FindWindowW(L"Tarvik_WidgetCanvas", nullptr)); }, 3s))
        << "a left click closes the canvas";
    open();
    click(1, true);
    // The icon and the event, read in the form each owner's version gets.
    std::vector<std::string> heard;
    PumpUntil([&] { return ReadFile(log).find("cb 2 2 517") != std::string::npos; }, 3s);
    std::istringstream lines(ReadFile(log));
    for (std::string kind, w, l; lines >> kind >> kind >> w >> l;) {
        const unsigned long wParam = std::stoul(w), lParam = std::stoul(l);
        const bool modern = kind == "1";
        const std::string seen = std::to_string(modern ? HIWORD(lParam) : wParam) + " " +
                                 std::to_string(modern ? LOWORD(lParam) : lParam);
        if (!seen.ends_with(" 512")) heard.push_back(seen);
    }
    EXPECT_EQ(heard, (std::vector<std::string>{"1 513", "1 514", "1 1024", "2 516", "2 517"}));
    TerminateProcess(run.hProcess, 0), WaitForSingleObject(run.hProcess, 5000);
    CloseHandle(run.hProcess), CloseHandle(run.hThread);

    // The icons of a window that is gone lose their cells within a tick.
    DestroyWindow(other.Handle());
    EXPECT_TRUE(PumpUntil(
        [&] {
            shown = WindowRect(FindWindowW(L"Tarvik_WidgetCanvas", nullptr));
            return shown.bottom - shown.top == 30 + 2 * pad;
        },
        1s));
    for (const HICON icon : icons) DestroyIcon(icon);
}

}  // namespace
}  // namespace tarvik::test
