#include "win32/app/CrashGuard.h"

#include <exception>

#include "core/app/CrashText.h"

namespace tarvik {

namespace {

// The filter and the terminate handler carry no context, and there is one guard per process.
CrashGuard* g_guard = nullptr;
// The thread that is ending the process; a second failure on it ends the process at once.
std::atomic<DWORD> g_endingThread{0};

// A C++ exception that no frame catches passes through here on its way to std::terminate,
// whose handler has the exception's own text: the runtime's own filter lets it go on, and so
// does this one.
constexpr DWORD kGccExceptionMask = 0x20FFFFFF;
constexpr DWORD kGccException = 0x20474343;

LocalTime Now() {
    SYSTEMTIME t{};
    GetLocalTime(&t);
    return LocalTime{t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond, t.wDayOfWeek};
}

LONG WINAPI OnUnhandledException(EXCEPTION_POINTERS* pointers) {
    const EXCEPTION_RECORD& record = *pointers->ExceptionRecord;
    if ((record.ExceptionCode & kGccExceptionMask) == kGccException &&
        !(record.ExceptionFlags & EXCEPTION_NONCONTINUABLE)) {
        return EXCEPTION_CONTINUE_EXECUTION;
    }
    g_guard->End(
        CrashRecord::UnhandledException(Now(), record.ExceptionCode,
                                        reinterpret_cast<uintptr_t>(record.ExceptionAddress)),
        record.ExceptionCode);
}

void OnTerminate() {
    try {
        if (const std::exception_ptr current = std::current_exception()) {
            std::rethrow_exception(current);
        }
    } catch (const std::exception& error) {
        g_guard->End(CrashRecord::Terminate(Now(), error.what()), CrashGuard::kTerminateExitCode);
    } catch (...) {
    }
    g_guard->End(CrashRecord::Terminate(Now(), {}), CrashGuard::kTerminateExitCode);
}

HANDLE OpenForAppending(const std::filesystem::path& file) {
    if (file.empty()) return INVALID_HANDLE_VALUE;
    // Others may read, move or delete the log meanwhile, as they may between records.
    return CreateFileW(file.c_str(), FILE_APPEND_DATA,
                       FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_ALWAYS,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
}

}  // namespace

void CrashGuard::WriteWorkArea(const RECT& area) {
    RECT rect = area;
    SystemParametersInfoW(SPI_SETWORKAREA, 0, &rect, 0);
}

CrashGuard::CrashGuard(const std::filesystem::path& logFile, WorkAreaWriter writeWorkArea)
    : m_logFile(logFile), m_log(OpenForAppending(logFile)), m_writeWorkArea(writeWorkArea) {
    g_guard = this;
    m_previousFilter = SetUnhandledExceptionFilter(OnUnhandledException);
    // By default Windows swallows a fault in a timer callback and runs on in whatever state the
    // fault left; here it ends the process like any other.
    BOOL suppress = FALSE;
    SetUserObjectInformationW(GetCurrentProcess(), UOI_TIMERPROC_EXCEPTION_SUPPRESSION, &suppress,
                              sizeof suppress);
    m_previousTerminate = std::set_terminate(OnTerminate);
}

CrashGuard::~CrashGuard() {
    std::set_terminate(m_previousTerminate);
    SetUnhandledExceptionFilter(m_previousFilter);
    g_guard = nullptr;
    if (const HANDLE log = m_log.exchange(INVALID_HANDLE_VALUE); log != INVALID_HANDLE_VALUE) {
        CloseHandle(log);
    }
}

void CrashGuard::SetWorkArea(const std::optional<RECT>& area) {
    if (!area) {
        m_workArea = -1;
        return;
    }
    const int slot = m_workArea == 0 ? 1 : 0;
    m_workAreas[slot] = *area;
    m_workArea = slot;
}

void CrashGuard::ReopenLog() {
    const HANDLE old = m_log.exchange(OpenForAppending(m_logFile));
    if (old != INVALID_HANDLE_VALUE) CloseHandle(old);
}

void CrashGuard::End(const CrashRecord& record, uint32_t exitCode) {
    const DWORD self = GetCurrentThreadId();
    DWORD ending = 0;
    if (g_endingThread.compare_exchange_strong(ending, self)) {
        if (const HANDLE log = m_log.load(); log != INVALID_HANDLE_VALUE) {
            DWORD written = 0;
            WriteFile(log, record.Data(), static_cast<DWORD>(record.Size()), &written, nullptr);
        }
        if (const int slot = m_workArea; slot >= 0) m_writeWorkArea(m_workAreas[slot]);
    } else if (ending != self) {
        // Another thread is ending the process, this one with it.
        for (;;) Sleep(INFINITE);
    }
    TerminateProcess(GetCurrentProcess(), exitCode);
    for (;;) Sleep(INFINITE);  // TerminateProcess does not return for the current process
}

}  // namespace tarvik
