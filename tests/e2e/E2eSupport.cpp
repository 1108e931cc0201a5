#include "E2eSupport.h"

#include <gtest/gtest.h>

#include <regex>
#include <sstream>
#include <thread>

namespace tarvik::test {

RunningProgram::RunningProgram(const std::filesystem::path& exe, const std::wstring& arguments,
                               std::wstring environment) {
    std::wstring commandLine = L"\"" + exe.wstring() + L"\" " + arguments;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, CREATE_UNICODE_ENVIRONMENT,
                   environment.empty() ? nullptr : environment.data(), exe.parent_path().c_str(),
                   &startup, &m_info);
}

RunningProgram::~RunningProgram() {
    if (!Started()) return;
    for (HWND window : Windows()) PostMessageW(window, WM_CLOSE, 0, 0);
    if (!WaitForExit(3s)) TerminateProcess(m_info.hProcess, 1);
    WaitForSingleObject(m_info.hProcess, 5000);
    CloseHandle(m_info.hThread);
    CloseHandle(m_info.hProcess);
}

std::optional<DWORD> RunningProgram::WaitForExit(std::chrono::milliseconds timeout) {
    DWORD code = 0;
    const auto wait = static_cast<DWORD>(timeout.count());
    if (WaitForSingleObject(m_info.hProcess, wait) != WAIT_OBJECT_0) return std::nullopt;
    GetExitCodeProcess(m_info.hProcess, &code);
    return code;
}

std::vector<HWND> RunningProgram::Windows() const {
    std::vector<HWND> found;
    for (HWND window = nullptr; (window = FindWindowExW(nullptr, window, nullptr, nullptr));) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        // Input-method helper windows belong to the system, not to the program.
        const std::wstring cls = ClassOf(window);
        if (owner == m_info.dwProcessId && cls != L"IME" && cls != L"MSCTFIME UI") {
            found.push_back(window);
        }
    }
    return found;
}

HWND RunningProgram::WaitForWindow(const std::wstring& className,
                                   std::chrono::milliseconds timeout) {
    const auto end = std::chrono::steady_clock::now() + timeout;
    do {
        for (HWND window : Windows()) {
            if ((className.empty() || ClassOf(window) == className) && IsWindowVisible(window)) {
                return window;
            }
        }
        std::this_thread::sleep_for(50ms);
    } while (std::chrono::steady_clock::now() < end);
    return nullptr;
}

std::optional<DWORD> RunningProgram::CloseBar() {
    const HWND bar = WaitForWindow(L"Tarvik_Bar");
    if (!bar) return std::nullopt;
    PostMessageW(bar, WM_CLOSE, 0, 0);
    return WaitForExit(20s);
}

TarvikInstall::TarvikInstall(const std::wstring& exeName) : m_exeName(exeName) {
    const std::filesystem::path source = TestProgramFolder();
    std::filesystem::copy_file(source / L"Tarvik.exe", Folder() / m_exeName);
    std::filesystem::copy(source / L"resources", Folder() / L"resources",
                          std::filesystem::copy_options::recursive);
}

std::vector<std::string> TarvikInstall::LogMessages() const {
    static const std::regex record(
        R"re(#\d{4}-\d{2}-\d{2}( \d{2}:\d{2}:\d{2})?#,(?:"(.*)"|(.*))\r?)re");
    std::vector<std::string> messages;
    std::istringstream log(ReadFile(LogFile()));
    std::smatch match;
    for (std::string line; std::getline(log, line);) {
        if (std::regex_match(line, match, record)) {
            messages.push_back(match[2].matched ? match[2] : match[3]);
        } else {
            ADD_FAILURE() << "not a log record: " << line;
        }
    }
    return messages;
}

std::unique_ptr<RunningProgram> TarvikInstall::Start(const std::wstring& arguments,
                                                     const Variables& variables) const {
    std::wstring environment;
    wchar_t* strings = GetEnvironmentStringsW();
    for (const wchar_t* entry = strings; entry && *entry; entry += wcslen(entry) + 1) {
        if (_wcsnicmp(entry, L"TARVIK_", 7) != 0) environment += entry + std::wstring(1, L'\0');
    }
    FreeEnvironmentStringsW(strings);
    for (const auto& [name, value] : variables) environment += name + L"=" + value + L'\0';
    environment += L'\0';
    auto program = std::make_unique<RunningProgram>(Folder() / m_exeName, arguments, environment);
    EXPECT_TRUE(program->Started());
    return program;
}

std::wstring ClassOf(HWND window) {
    wchar_t name[256] = {};
    GetClassNameW(window, name, 256);
    return name;
}

std::wstring TextOf(HWND window) {
    wchar_t text[1024] = {};
    return std::wstring(text, static_cast<size_t>(GetWindowTextW(window, text, 1024)));
}

}  // namespace tarvik::test
