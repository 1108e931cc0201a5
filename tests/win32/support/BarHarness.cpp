#include "win32/support/BarHarness.h"

#include <objbase.h>

#include "core/graphics/GDIPlus.h"
#include "win32/app/ProcessInfo.h"

namespace tarvik::test {

using namespace std::chrono_literals;

MenuFixtureProcess::MenuFixtureProcess(const std::wstring& title, const std::wstring& log)
    : MenuFixtureProcess(L"MenuFixture.exe", L"TarvikMenuFixture", title, log) {}

MenuFixtureProcess::MenuFixtureProcess(const wchar_t* fixture, const wchar_t* windowClass,
                                       const std::wstring& title, const std::wstring& log,
                                       const std::wstring& more) {
    const std::wstring program = (TestProgramFolder() / fixture).wstring();
    std::wstring commandLine = L"\"" + program + L"\" \"" + log + L"\" \"" + title + L"\" " + more;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &m_process)) {
        return;
    }
    PumpUntil([&] { return (m_window = FindWindowW(windowClass, title.c_str())) != nullptr; }, 10s);
}

MenuFixtureProcess::~MenuFixtureProcess() {
    if (m_process.hProcess == nullptr) return;
    if (m_window) PostMessageW(m_window, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(m_process.hProcess, 3000) != WAIT_OBJECT_0) {
        TerminateProcess(m_process.hProcess, 1);
        WaitForSingleObject(m_process.hProcess, 3000);
    }
    CloseHandle(m_process.hThread);
    CloseHandle(m_process.hProcess);
}

BarHarness::BarHarness() : m_trace(m_folder.Path() / "errors.log", m_clock) {
    SetProcessDPIAware();
    m_dpi.Start(ScreenLogicalDpiX(), m_overrides);
    GDIPlusCreate(true);
    m_comStarted = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
    if (!m_theme.Initialize(m_xmlParser, TestProgramFolder(), m_trace, m_overrides, m_dpi)) {
        return;
    }
    m_parts.emplace(m_trace, m_overrides, m_dpi, m_theme, ReadWindowsVersion());
    m_bar = std::make_unique<RivovoZoz>(m_parts->ForBar([](int32_t) {}));
    m_ready = m_bar->Create();
}

BarHarness::~BarHarness() {
    m_bar.reset();
    // The bar ends the message loop as it goes; this program's loop is not the bar's, so the
    // quit request is taken off the queue here.
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message != WM_QUIT) DispatchMessageW(&message);
    }
    m_parts.reset();
    if (m_comStarted) CoUninitialize();
}

}  // namespace tarvik::test
