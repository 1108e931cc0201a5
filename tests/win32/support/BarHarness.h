#pragma once

// The real bar built inside a test or benchmark program from the program's own object graph
// (BarParts) with the theme beside the running program; and the fixture program with its menu
// bar for it to show (CommandTarget is the same menu bar in this process).

#include <windows.h>

#include <memory>
#include <string>

#include "core/app/CommandLine.h"
#include "core/app/Trace.h"
#include "core/bar/Dpi.h"
#include "core/theme/Theme.h"
#include "win32/app/BarParts.h"
#include "win32/app/SystemClock.h"
#include "win32/bar/RivovoZoz.h"
#include "win32/support/CommandTarget.h"
#include "win32/support/WindowsTestSupport.h"
#include "win32/xml/MsXmlParser.h"

namespace tarvik::test {

// MenuFixture.exe from beside the test program with its window titled as asked, writing the
// keys it receives to the log file; stopped when the object goes away.
class MenuFixtureProcess {
  public:
    explicit MenuFixtureProcess(const std::wstring& title, const std::wstring& log = L"NUL");
    // Another fixture program that takes the same arguments, then the further ones given.
    MenuFixtureProcess(const wchar_t* program, const wchar_t* windowClass,
                       const std::wstring& title, const std::wstring& log,
                       const std::wstring& more = L"");
    ~MenuFixtureProcess();
    MenuFixtureProcess(const MenuFixtureProcess&) = delete;
    MenuFixtureProcess& operator=(const MenuFixtureProcess&) = delete;
    // Its window, once it has appeared (null when it did not within 10 seconds).
    HWND Window() const { return m_window; }

  private:
    PROCESS_INFORMATION m_process{};
    HWND m_window = nullptr;
};

// One bar with all its services. Construction starts COM and GDI+ (as the program does), loads
// the theme, builds the parts and creates the bar window; the destructor closes the bar, then
// drops the parts.
class BarHarness final {
  public:
    BarHarness();
    ~BarHarness();
    BarHarness(const BarHarness&) = delete;
    BarHarness& operator=(const BarHarness&) = delete;

    // False when the theme or the bar window could not be made (Bar() is then unusable).
    bool Ready() const { return m_ready; }
    RivovoZoz& Bar() { return *m_bar; }
    HWND Window() const { return m_bar ? m_bar->Handle() : nullptr; }
    BarParts& Parts() { return *m_parts; }
    const Theme& GetTheme() const { return m_theme; }

  private:
    bool m_comStarted = false;
    TempFolder m_folder;
    SystemClock m_clock;
    Trace m_trace;
    Overrides m_overrides;  // none: the bar as a user starts it
    Dpi m_dpi;
    MsXmlParser m_xmlParser;
    Theme m_theme;
    std::optional<BarParts> m_parts;
    std::unique_ptr<RivovoZoz> m_bar;
    bool m_ready = false;
};

}  // namespace tarvik::test
