#pragma once

#include <memory>

#include "core/app/CommandLine.h"
#include "core/app/Trace.h"
#include "core/bar/Dpi.h"
#include "core/bar/WindowsVersion.h"
#include "core/bar/WorkArea.h"
#include "core/theme/Theme.h"
#include "win32/app/BarParts.h"
#include "win32/app/CrashGuard.h"
#include "win32/app/SystemClock.h"
#include "win32/app/WindowsEnvironment.h"
#include "win32/bar/RivovoZoz.h"
#include "win32/bar/WorkAreaWin32.h"
#include "win32/xml/MsXmlParser.h"

namespace tarvik {

// The process: refuses old Windows, settles the scale, starts the 2D library, writes the
// start-up lines and builds the bar. Owns every process-wide object.
class Program {
  public:
    Program();
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    // True when a window was made and the message loop should run.
    bool Main();
    // The message loop, until the bar is gone or a quit request reaches it; either way the bar's
    // shutdown has run when it returns. The process's exit code.
    int Run();
    // A command picked from the bar's context menu; 1 is Exit.
    void OnContextCommand(int32_t command);
    // The shell started again and rebuilt the work area: the strip is reserved again.
    void OnShellRestarted();

    Trace& GetTrace() { return m_trace; }
    const Dpi& GetDpi() const { return m_dpi; }
    const WindowsVersion& Version() const { return m_version; }
    const Theme& GetTheme() const { return m_theme; }
    RivovoZoz* Bar() { return m_bar.get(); }
    // The menu search's panel, which its hotkey opens; null before the bar's parts are made.
    SearchPanel* MenuSearchPanel() { return m_parts ? &m_parts->searchPanel : nullptr; }

  private:
    void WriteStartLines();
    void KeepCrashGuardInformed();
    bool CreateBar();

    SystemClock m_clock;
    WindowsEnvironment m_environment;
    Trace m_trace;
    Overrides m_overrides;
    Dpi m_dpi;
    WindowsVersion m_version;
    bool m_comStarted = false;
    MsXmlParser m_xmlParser;
    Theme m_theme;
    WorkAreaWin32 m_desktopWorkArea;
    std::unique_ptr<WorkArea> m_workArea;  // made once the theme knows the bar's height
    std::unique_ptr<BarParts> m_parts;     // made once the theme is loaded
    std::unique_ptr<RivovoZoz> m_bar;
    std::unique_ptr<CrashGuard> m_crashGuard;  // gives the strip back if the process fails
};

}  // namespace tarvik
