#include "win32/app/Program.h"

#include <windows.h>

#include <objbase.h>

#include "core/app/StartupText.h"
#include "core/graphics/GDIPlus.h"
#include "win32/app/ProcessInfo.h"
#include "win32/platform/WideText.h"

namespace tarvik {

namespace {

std::filesystem::path LogFilePath() {
    const std::filesystem::path executable = ExecutablePath();
    if (executable.empty()) return {};
    return executable.parent_path() / L"errors.log";
}

}  // namespace

Program::Program()
    : m_trace(LogFilePath(), m_clock),
      m_overrides(CommandLine(m_environment).Read()),
      m_version(ReadWindowsVersion()) {}

Program::~Program() {
    m_trace.Rotated = nullptr;
    // The parts hold COM objects (the sound endpoint): they go before COM does.
    m_bar.reset();
    m_parts.reset();
    if (m_comStarted) CoUninitialize();
}

bool Program::Main() {
    if (!m_version.IsWindows10OrLater()) {
        MessageBoxW(nullptr, Widen(VersionGateText()).c_str(), Widen(kProgramName).c_str(),
                    MB_OK | MB_ICONEXCLAMATION | MB_SYSTEMMODAL);
        return false;
    }

    m_crashGuard = std::make_unique<CrashGuard>(m_trace.File());
    m_trace.Rotated = [this] { m_crashGuard->ReopenLog(); };

    SetProcessDPIAware();
    m_dpi.Start(ScreenLogicalDpiX(), m_overrides);

    SetGDIPlusErrorSourceName(FileNameUtf8(ExecutablePath()));
    GDIPlusCreate(true);

    // The theme is read through the system's XML document object; without COM the file reads
    // as missing and the built-in look is used.
    m_comStarted = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
    if (!m_theme.Initialize(m_xmlParser, ExecutablePath().parent_path(), m_trace, m_overrides,
                            m_dpi)) {
        m_trace.LogError(0, "Program", "Main", "Theme.Initialize failed");
        return false;
    }

    m_parts = std::make_unique<BarParts>(m_trace, m_overrides, m_dpi, m_theme, m_version);

    m_workArea = std::make_unique<WorkArea>(m_desktopWorkArea, m_parts->settings, m_trace,
                                            m_theme.Layout.WorkAreaTop, m_overrides.barTop);
    m_workArea->Reserve();
    KeepCrashGuardInformed();

    WriteStartLines();
    return CreateBar();
}

bool Program::CreateBar() {
    BarServices services = m_parts->ForBar([this](int32_t command) { OnContextCommand(command); });
    services.onShellRestarted = [this] { OnShellRestarted(); };
    services.onMenuSearch = [this](WindowHandle program) { m_parts->searchPanel.OpenFor(program); };
    services.onClosing = [this] {
        m_workArea->Restore();
        KeepCrashGuardInformed();
    };
    m_bar = std::make_unique<RivovoZoz>(std::move(services));
    if (m_bar->Create()) {
        m_parts->searchPanel.SetBar(m_bar->Handle());
        return true;
    }
    m_trace.LogError(static_cast<int32_t>(GetLastError()), "Program", "Main",
                     "the bar window could not be created");
    // Without a bar nobody would give the strip back: the desktop gets it back now.
    m_bar.reset();
    m_workArea->Restore();
    return false;
}

void Program::WriteStartLines() {
    m_trace.Log(StartLine(ExecutableRevision()));
    if (const int32_t offset = m_overrides.barTop; offset > 0) {
        m_trace.Log(BarOffsetLine(offset));
    }
    if (const auto line =
            ScaleLine(m_dpi.DrawScale(), m_dpi.DisplayScale(), m_overrides.scale > 0.0f)) {
        m_trace.Log(*line);
    }
}

void Program::OnShellRestarted() {
    if (m_workArea && m_workArea->ReserveAgain()) {
        m_trace.Log("the shell restarted - the top strip is reserved again");
    }
    KeepCrashGuardInformed();
}

// What a failure puts back: the work area as it is now with the top found before the strip was
// taken; nothing while no strip is taken.
void Program::KeepCrashGuardInformed() {
    if (!m_crashGuard) return;
    if (!m_workArea || !m_workArea->Reserved()) {
        m_crashGuard->SetWorkArea(std::nullopt);
        return;
    }
    const WorkspaceRect area = m_workArea->GetWorkspace();
    if (area.right <= area.left) return;  // unread (and logged): what was known stays
    m_crashGuard->SetWorkArea(RECT{area.left, m_workArea->SavedTop(), area.right, area.bottom});
}

int Program::Run() {
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    // A quit request from elsewhere ends the loop with the bar still up.
    if (m_bar && m_bar->Handle()) {
        m_bar->Close();
        // The bar asks for the quit that has already come.
        PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
    }
    return 0;
}

void Program::OnContextCommand(int32_t command) {
    if (command == 1 && m_bar) m_bar->Close();
}

}  // namespace tarvik
