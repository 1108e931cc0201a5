#pragma once

// The real bar built inside a test or benchmark program: every service the program would hand it
// (trace, overrides, the theme beside the program, surfaces, subclassing, menu reading, context
// menu), made here and torn down in the right order; and windows with the fixture's menu bar for
// it to show, in this process or in a fixture program of their own.

#include <windows.h>

#include <cstdint>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/app/CommandLine.h"
#include "core/app/Trace.h"
#include "core/bar/Dpi.h"
#include "core/menus/MenuPorts.h"
#include "core/menus/NativeMenu.h"
#include "core/theme/Brushes.h"
#include "core/theme/Theme.h"
#include "fixtures/FixtureMenu.h"
#include "win32/app/SystemClock.h"
#include "win32/bar/RivovoZoz.h"
#include "win32/bar/WindowComposition.h"
#include "win32/menus/ContextMenu.h"
#include "win32/menus/Win32MenuPorts.h"
#include "win32/platform/LayeredWindow.h"
#include "win32/platform/UniqueHandle.h"
#include "win32/platform/WindowSubclass.h"
#include "win32/support/WindowsTestSupport.h"
#include "win32/xml/MsXmlParser.h"

namespace tarvik::test {

// Overrides as a test gives them: environment variables and an argument text.
class FakeEnvironment final : public IEnvironment {
  public:
    FakeEnvironment(std::map<std::string, std::string> variables, std::string arguments)
        : m_variables(std::move(variables)), m_arguments(std::move(arguments)) {}
    std::string ArgumentText() const override { return m_arguments; }
    std::optional<std::string> Variable(std::string_view name) const override;

  private:
    std::map<std::string, std::string> m_variables;
    std::string m_arguments;
};

// The system's menu reader, which can be told to fail on reading window titles (so that the
// bar's housekeeping tick fails at the strip's refresh).
class FailingMenuReader final : public IMenuReader {
  public:
    // While set, WindowTitle throws an Error of this number and description.
    void FailTitles(int32_t number, std::string description);
    void StopFailing() { m_failure.reset(); }

    int32_t ItemCount(MenuHandle menu) const override { return m_system.ItemCount(menu); }
    MenuHandle SubMenu(MenuHandle menu, int32_t position) const override {
        return m_system.SubMenu(menu, position);
    }
    uint32_t State(MenuHandle menu, int32_t position) const override {
        return m_system.State(menu, position);
    }
    std::string Text(MenuHandle menu, int32_t position) const override {
        return m_system.Text(menu, position);
    }
    int32_t ItemId(MenuHandle menu, int32_t position) const override {
        return m_system.ItemId(menu, position);
    }
    std::string WindowTitle(WindowHandle window) const override;

  private:
    Win32MenuReader m_system;
    std::optional<std::pair<int32_t, std::string>> m_failure;
};

// A top-level window of this process with the fixture's menu bar (File, Edit, View).
class MenuFixtureWindow {
  public:
    MenuFixtureWindow(const wchar_t* title, RECT place);
    HWND Handle() const { return m_window.Get(); }

  private:
    UniqueWindow m_window;
};

// MenuFixture.exe from beside the test program with its window titled as asked; stopped when the
// object goes away.
class MenuFixtureProcess {
  public:
    explicit MenuFixtureProcess(const std::wstring& title);
    ~MenuFixtureProcess();
    MenuFixtureProcess(const MenuFixtureProcess&) = delete;
    MenuFixtureProcess& operator=(const MenuFixtureProcess&) = delete;
    // Its window, once it has appeared (null when it did not within 10 seconds).
    HWND Window() const { return m_window; }

  private:
    PROCESS_INFORMATION m_process{};
    HWND m_window = nullptr;
};

struct BarHarnessOptions {
    std::map<std::string, std::string> variables;  // TARVIK_... overrides
    std::string arguments;
};

// One bar with all its services. Construction starts COM and GDI+ (as the program does), loads
// the theme from the resources beside the running program and creates the bar window; the
// destructor closes the bar first, then drops the services in reverse order of their making.
class BarHarness {
  public:
    explicit BarHarness(BarHarnessOptions options = {});
    ~BarHarness();
    BarHarness(const BarHarness&) = delete;
    BarHarness& operator=(const BarHarness&) = delete;

    // False when the theme or the bar window could not be made (Bar() is then unusable).
    bool Ready() const { return m_ready; }
    RivovoZoz& Bar() { return *m_bar; }
    HWND Window() const { return m_bar ? m_bar->Handle() : nullptr; }

    const Theme& GetTheme() const { return m_theme; }
    Trace& GetTrace() { return m_trace; }
    LayeredWindow& Surfaces() { return m_surfaces; }
    NativeMenu& Menus() { return *m_nativeMenu; }
    FailingMenuReader& MenuReader() { return m_menuReader; }
    // Commands picked from the bar's context menu, in order.
    const std::vector<int32_t>& ContextCommands() const { return m_contextCommands; }

    std::filesystem::path LogFile() const { return m_folder.Path() / "errors.log"; }
    // The log's records without their line ends.
    std::vector<std::string> LogLines() const;

  private:
    bool m_comStarted = false;
    TempFolder m_folder;
    SystemClock m_clock;
    FakeEnvironment m_environment;
    Trace m_trace;
    CommandLine m_commandLine;
    Dpi m_dpi;
    MsXmlParser m_xmlParser;
    Theme m_theme;
    WindowSubclass m_subclass{m_trace};
    LayeredWindow m_surfaces{m_trace};
    std::unique_ptr<WindowComposition> m_composition;
    std::unique_ptr<Brushes> m_brushes;
    FailingMenuReader m_menuReader;
    Win32CommandPoster m_commandPoster;
    Win32MessageBox m_messageBox;
    std::unique_ptr<NativeMenu> m_nativeMenu;
    ContextMenu m_contextMenu;
    std::vector<int32_t> m_contextCommands;
    std::unique_ptr<RivovoZoz> m_bar;
    bool m_ready = false;
};

}  // namespace tarvik::test
