#include "TarvikProcess.h"

#include <thread>

namespace tarvik::test {

namespace {

std::vector<std::string> SplitLines(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find("\r\n", start);
        if (end == std::string::npos) end = text.size();
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

// Environment block: the test's own variables less every TARVIK_ one, plus the given ones.
std::wstring EnvironmentBlock(const std::map<std::wstring, std::wstring>& variables) {
    std::wstring block;
    wchar_t* strings = GetEnvironmentStringsW();
    for (const wchar_t* entry = strings; entry && *entry; entry += wcslen(entry) + 1) {
        const std::wstring line(entry);
        if (_wcsnicmp(line.c_str(), L"TARVIK_", 7) == 0) continue;
        block += line;
        block += L'\0';
    }
    if (strings) FreeEnvironmentStringsW(strings);
    for (const auto& [name, value] : variables) {
        block += name + L"=" + value;
        block += L'\0';
    }
    block += L'\0';
    return block;
}

}  // namespace

TarvikInstall::TarvikInstall(const std::wstring& exeName) : m_exeName(exeName) {
    const std::filesystem::path source = TestProgramFolder();
    std::filesystem::copy_file(source / L"Tarvik.exe", Executable());
    if (std::filesystem::exists(source / L"resources")) {
        std::filesystem::copy(source / L"resources", m_folder.Path() / L"resources",
                              std::filesystem::copy_options::recursive);
    }
}

std::vector<std::string> TarvikInstall::LogLines() const {
    return SplitLines(ReadFile(LogFile()));
}

std::vector<std::string> TarvikInstall::LogMessages() const {
    std::vector<std::string> messages;
    for (const std::string& line : LogLines()) {
        const size_t afterStamp = line.find("#,", 1);
        if (afterStamp == std::string::npos) continue;
        std::string rest = line.substr(afterStamp + 2);
        if (rest.size() >= 2 && rest.front() == '"' && rest.back() == '"') {
            rest = rest.substr(1, rest.size() - 2);
        }
        messages.push_back(rest);
    }
    return messages;
}

TarvikProcess::TarvikProcess(const TarvikInstall& install, const std::wstring& arguments,
                             const std::map<std::wstring, std::wstring>& variables) {
    std::wstring commandLine = L"\"" + install.Executable().wstring() + L"\"";
    if (!arguments.empty()) commandLine += L" " + arguments;
    std::wstring environment = EnvironmentBlock(variables);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    const std::wstring folder = install.Folder().wstring();
    if (CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE,
                       CREATE_UNICODE_ENVIRONMENT, environment.data(), folder.c_str(), &startup,
                       &info)) {
        CloseHandle(info.hThread);
        m_process = info.hProcess;
        m_id = info.dwProcessId;
    }
}

TarvikProcess::~TarvikProcess() {
    if (!m_process) return;
    if (WaitForSingleObject(m_process, 0) == WAIT_TIMEOUT) {
        TerminateProcess(m_process, 1);
        WaitForSingleObject(m_process, 5000);
    }
    CloseHandle(m_process);
}

std::optional<DWORD> TarvikProcess::WaitForExit(std::chrono::milliseconds timeout) {
    if (!m_process) return std::nullopt;
    if (WaitForSingleObject(m_process, static_cast<DWORD>(timeout.count())) != WAIT_OBJECT_0) {
        return std::nullopt;
    }
    DWORD code = 0;
    GetExitCodeProcess(m_process, &code);
    return code;
}

std::vector<HWND> TopLevelWindowsOf(DWORD processId) {
    struct Search {
        DWORD id;
        std::vector<HWND> found;
    } search{processId, {}};
    EnumWindows(
        [](HWND window, LPARAM param) -> BOOL {
            auto* s = reinterpret_cast<Search*>(param);
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            // Input-method helper windows belong to the system, not to the program.
            const std::wstring cls = ClassOf(window);
            if (owner == s->id && cls != L"IME" && cls != L"MSCTFIME UI") {
                s->found.push_back(window);
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::vector<HWND> TarvikProcess::TopLevelWindows() const {
    return TopLevelWindowsOf(m_id);
}

FixtureProcess::FixtureProcess(const std::wstring& exeName, const std::wstring& arguments) {
    const std::filesystem::path exe = TestProgramFolder() / exeName;
    std::wstring commandLine = L"\"" + exe.wstring() + L"\" " + arguments;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                       &startup, &info)) {
        CloseHandle(info.hThread);
        m_process = info.hProcess;
        m_id = info.dwProcessId;
    }
}

FixtureProcess::~FixtureProcess() {
    if (!m_process) return;
    for (HWND window : TopLevelWindowsOf(m_id)) PostMessageW(window, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(m_process, 3000) == WAIT_TIMEOUT) {
        TerminateProcess(m_process, 1);
        WaitForSingleObject(m_process, 3000);
    }
    CloseHandle(m_process);
}

HWND FixtureProcess::WaitForWindow(std::chrono::milliseconds timeout) const {
    const auto end = std::chrono::steady_clock::now() + timeout;
    do {
        for (HWND window : TopLevelWindowsOf(m_id)) {
            if (IsWindowVisible(window)) return window;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    } while (std::chrono::steady_clock::now() < end);
    return nullptr;
}

HWND TarvikProcess::WaitForWindow(const std::wstring& className,
                                  std::chrono::milliseconds timeout) const {
    const auto end = std::chrono::steady_clock::now() + timeout;
    do {
        for (HWND window : TopLevelWindows()) {
            if (ClassOf(window) == className && IsWindowVisible(window)) return window;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    } while (std::chrono::steady_clock::now() < end);
    return nullptr;
}

std::optional<DWORD> TarvikProcess::RunUntilBarThenClose(std::chrono::milliseconds timeout) {
    const HWND bar = WaitForWindow(L"Tarvik_Bar", timeout);
    if (!bar) return std::nullopt;
    PostMessageW(bar, WM_CLOSE, 0, 0);
    return WaitForExit(timeout);
}

std::wstring ClassOf(HWND window) {
    wchar_t name[256] = {};
    GetClassNameW(window, name, 256);
    return name;
}

std::wstring TextOf(HWND window) {
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 2000, &length)) {
        return {};
    }
    std::wstring text(length + 1, L'\0');
    DWORD_PTR copied = 0;
    SendMessageTimeoutW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                        SMTO_ABORTIFHUNG, 2000, &copied);
    text.resize(copied);
    return text;
}

std::vector<HWND> ChildrenOf(HWND window) {
    std::vector<HWND> children;
    EnumChildWindows(
        window,
        [](HWND child, LPARAM param) -> BOOL {
            reinterpret_cast<std::vector<HWND>*>(param)->push_back(child);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&children));
    return children;
}

}  // namespace tarvik::test
