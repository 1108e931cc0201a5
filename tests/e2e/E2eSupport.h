#pragma once

#include <windows.h>

#include <algorithm>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "win32/support/PointerInput.h"
#include "win32/support/Screenshot.h"
#include "win32/support/WindowsTestSupport.h"

namespace tarvik::test {

using namespace std::chrono_literals;

// The default theme: a 36-pixel window whose lowest 13 pixels are its shadow strip.
constexpr int kBarHeight = 36, kVisibleBar = 23;

inline std::wstring TextOf(HWND window) {
    wchar_t text[1024] = {};
    return std::wstring(text, static_cast<size_t>(GetWindowTextW(window, text, 1024)));
}

struct Title {  // the columns [left, right) of something dark on the screen, such as a title
    int left, right;
    int Width() const { return right - left; }
};

// The runs of columns of the region with a pixel darker than 60 (of 255), merged across gaps
// narrower than mergeGap pixels (the spaces inside a title); the region is saved as the picture.
inline std::vector<Title> DarkRuns(RECT region, const wchar_t* pictureName, int mergeGap) {
    const auto picture = ScreenshotFolder() / pictureName;
    SaveScreenshot(picture, region);
    const GDIPImage strip = GDIPImage::FromFile(picture.string());
    std::vector<Title> runs;
    for (int x = 0; x < strip.width(); ++x) {
        for (int y = 0; y < strip.Height(); ++y) {
            const uint32_t p = PixelOf(strip, x, y);
            if (299 * (p >> 16 & 0xFF) + 587 * (p >> 8 & 0xFF) + 114 * (p & 0xFF) >= 60000)
                continue;
            if (runs.empty() || region.left + x - runs.back().right >= mergeGap)
                runs.push_back({region.left + x, 0});
            runs.back().right = region.left + x + 1;
            break;
        }
    }
    return runs;
}

// The menu strip's titles on a bar at that top (default theme: the titles start at 50).
inline std::vector<Title> StripTitles(int top, const wchar_t* pictureName) {
    return DarkRuns(RECT{50, top + 2, 1200, top + kVisibleBar - 2}, pictureName, 9);
}

inline int ScreenWidth() {
    return GetSystemMetrics(SM_CXSCREEN);
}

// The x where the clock's text starts (the default theme's buttons end 8 from the screen's
// edge): the last dark shape of the bar's right part, merged across the spaces inside the text.
inline int ClockTextLeft(const wchar_t* pictureName) {
    const auto shapes =
        DarkRuns(RECT{ScreenWidth() - 400, 2, ScreenWidth(), kVisibleBar - 2}, pictureName, 15);
    return shapes.empty() ? -1 : shapes.back().left;
}

// The lines of the file that hold the text.
inline int LinesWith(const std::filesystem::path& file, const std::string& text) {
    std::istringstream lines(ReadFile(file));
    int count = 0;
    for (std::string line; std::getline(lines, line);) count += line.find(text) != line.npos;
    return count;
}

// Keys down in order, then up in reverse order (virtual-key codes), as a user presses a chord;
// then a while for the programs to act on it.
inline void Chord(std::initializer_list<BYTE> keys) {
    for (const BYTE key : keys) keybd_event(key, 0, 0, 0);
    for (auto key = std::rbegin(keys); key != std::rend(keys); ++key) {
        keybd_event(*key, 0, KEYEVENTF_KEYUP, 0);
    }
    PumpMessages(300ms);
}

// The value stored for this user under Software\Tarvik\<section>; nothing when there is none.
inline std::optional<std::wstring> Stored(const std::wstring& section, const wchar_t* name) {
    wchar_t value[256] = {};
    DWORD size = sizeof value;
    return RegGetValueW(HKEY_CURRENT_USER, (L"Software\\Tarvik\\" + section).c_str(), name,
                        RRF_RT_ANY, nullptr, value, &size) == ERROR_SUCCESS
               ? std::optional(std::wstring(value))
               : std::nullopt;
}

// Stores the switched-off widgets; null removes the value.
inline void StoreDisabled(const wchar_t* value) {
    if (!value) {
        RegDeleteKeyValueW(HKEY_CURRENT_USER, L"Software\\Tarvik\\Widgets", L"Disabled");
        return;
    }
    RegSetKeyValueW(HKEY_CURRENT_USER, L"Software\\Tarvik\\Widgets", L"Disabled", REG_SZ, value,
                    static_cast<DWORD>((wcslen(value) + 1) * sizeof(wchar_t)));
}

// While it lives, the Tarvik started next shows only the named widgets (every other one is
// stored as switched off); the right-hand buttons, 50 wide and 2 apart, follow leftwards from 8
// pixels before the screen's edge in the order Clock, App, Spotlight, Volume, Weather, Tray,
// Clipboard, Timer, Stats, News. Nothing is stored before or after.
class OnlyWidgets {
  public:
    explicit OnlyWidgets(std::initializer_list<std::wstring_view> shown) {
        std::wstring off;
        for (std::wstring_view name :
             {L"Start", L"Clock", L"App", L"Spotlight", L"Volume", L"Weather", L"Tray",
              L"Clipboard", L"Timer", L"Stats", L"News"}) {
            if (std::find(shown.begin(), shown.end(), name) != shown.end()) continue;
            if (!off.empty()) off += L',';
            off += name;
        }
        StoreDisabled(off.c_str());
    }
    ~OnlyWidgets() { StoreDisabled(nullptr); }
    OnlyWidgets(const OnlyWidgets&) = delete;
    OnlyWidgets& operator=(const OnlyWidgets&) = delete;
};

// A copy of Tarvik.exe and its resources, under a file name of the test's, in a temporary folder;
// its one run ends with the copy: its bar closed, and killed if still running after 3 seconds.
class TarvikCopy {
  public:
    explicit TarvikCopy(const std::wstring& exeName = L"Tarvik.exe")
        : m_exe(m_folder.Path() / exeName) {
        std::filesystem::copy_file(TestProgramFolder() / L"Tarvik.exe", m_exe);
        std::filesystem::copy(TestProgramFolder() / L"resources", Folder() / L"resources",
                              std::filesystem::copy_options::recursive);
    }
    ~TarvikCopy() {
        if (!m_run.hProcess) return;
        if (HWND bar = WaitForWindow(L"Tarvik_Bar", 0ms)) PostMessageW(bar, WM_CLOSE, 0, 0);
        if (!WaitForExit(3s)) TerminateProcess(m_run.hProcess, 1);
        WaitForSingleObject(m_run.hProcess, 5000);
        CloseHandle(m_run.hProcess);
    }

    std::filesystem::path Folder() const { return m_folder.Path(); }
    DWORD ProcessId() const { return m_run.dwProcessId; }
    // Ends the run at once, without its shutdown.
    void Kill() { TerminateProcess(m_run.hProcess, 1), WaitForSingleObject(m_run.hProcess, 5000); }
    std::filesystem::path LogFile() const { return Folder() / L"errors.log"; }

    // Starts the copy with the variables that have a value in place of the test's TARVIK_ ones.
    bool Start(const std::wstring& arguments,
               const std::map<std::wstring, std::wstring>& variables) {
        std::wstring environment;
        for (const auto& [name, value] : variables)
            if (!value.empty()) environment += name + L'=' + value + L'\0';
        wchar_t* strings = GetEnvironmentStringsW();
        for (const wchar_t* entry = strings; *entry; entry += wcslen(entry) + 1)
            if (_wcsnicmp(entry, L"TARVIK_", 7) != 0) (environment += entry) += L'\0';
        FreeEnvironmentStringsW(strings);
        std::wstring commandLine = L"\"" + m_exe.wstring() + L"\" " + arguments;
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        return CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE,
                              CREATE_UNICODE_ENVIRONMENT, environment.data(), Folder().c_str(),
                              &startup, &m_run) &&
               CloseHandle(m_run.hThread);
    }

    // Starts the copy with the demo menus and waits until its bar has drawn (or a while later).
    bool StartDemo(std::chrono::milliseconds settle = 600ms) {
        if (!Start(L"", {{L"TARVIK_DEMO", L"1"}}) || !WaitForWindow(L"Tarvik_Bar")) return false;
        PumpMessages(settle);
        return true;
    }

    // The run's exit code once it ended within the time, nothing otherwise.
    std::optional<DWORD> WaitForExit(std::chrono::milliseconds timeout) {
        DWORD code = 0;
        const auto wait = static_cast<DWORD>(timeout.count());
        if (WaitForSingleObject(m_run.hProcess, wait) != WAIT_OBJECT_0) return std::nullopt;
        GetExitCodeProcess(m_run.hProcess, &code);
        return code;
    }

    // Waits for a visible top-level window of the run with the class.
    HWND WaitForWindow(const wchar_t* className, std::chrono::milliseconds timeout = 20s) {
        HWND window = nullptr;
        const auto found = [&] {
            for (window = nullptr; (window = FindWindowExW(nullptr, window, className, nullptr));) {
                DWORD owner = 0;
                GetWindowThreadProcessId(window, &owner);
                if (owner == m_run.dwProcessId && IsWindowVisible(window)) return true;
            }
            return false;
        };
        PumpUntil(found, timeout);
        return window;
    }

  private:
    TempFolder m_folder;
    std::filesystem::path m_exe;
    PROCESS_INFORMATION m_run{};
};

// Clicks at (x, y) and waits for a window of the class to open; its rectangle once it settled,
// saved with a margin as the picture when one is named (empty when none opened in time).
inline RECT ClickOpens(TarvikCopy& tarvik, int x, int y, const wchar_t* windowClass,
                       const wchar_t* picture = nullptr, std::chrono::milliseconds wait = 5s) {
    MovePointer(x, y);
    ClickPointer();
    RECT rect{};
    if (!GetWindowRect(tarvik.WaitForWindow(windowClass, wait), &rect)) return rect;
    PumpMessages(300ms);
    if (picture)
        SaveScreenshot(ScreenshotFolder() / picture,
                       {rect.left - 20, 0, rect.right + 20, rect.bottom + 20});
    return rect;
}

// Clicks the App button at x, then its panel's "Options..." button (centred 102 pixels down),
// saves the panel as the picture, and clicks the options page y pixels down (the widget list's
// rows are 22 high below a 42-pixel title band); false when no panel opened.
inline bool ClickInAppOptions(TarvikCopy& tarvik, int appX, int y, const wchar_t* picture) {
    RECT rect = ClickOpens(tarvik, appX, 10, L"Tarvik_WidgetCanvas", nullptr, 3s);
    const HWND panel = tarvik.WaitForWindow(L"Tarvik_WidgetCanvas", 0ms);
    if (!panel) return false;
    MovePointer(rect.left + 88, rect.top + 102 + 12);
    ClickPointer();
    PumpMessages(300ms);
    GetWindowRect(panel, &rect);
    SaveScreenshot(ScreenshotFolder() / picture,
                   RECT{rect.left - 20, 0, rect.right + 20, rect.bottom + 20});
    MovePointer(rect.left + 60, rect.top + y);
    ClickPointer();
    return true;
}

}  // namespace tarvik::test
