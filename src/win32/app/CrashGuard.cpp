#include "win32/app/CrashGuard.h"

#include <windows.h>

#include <atomic>
#include <exception>

#include "core/app/CrashText.h"
#include "core/app/Trace.h"

namespace tarvik {

namespace {

// The filter and the terminate handler carry no context, and there is one guard per process.
CrashGuard* g_guard = nullptr;
// A second failure while the first is being handled ends the process at once.
std::atomic_flag g_ending = ATOMIC_FLAG_INIT;

// A C++ exception that no frame catches passes through here on its way to std::terminate,
// whose handler has the exception's own text: the runtime's own filter lets it go on, and so
// does this one.
constexpr DWORD kGccExceptionMask = 0x20FFFFFF;
constexpr DWORD kGccException = 0x20474343;

LONG WINAPI OnUnhandledException(EXCEPTION_POINTERS* pointers) {
    const EXCEPTION_RECORD& record = *pointers->ExceptionRecord;
    if ((record.ExceptionCode & kGccExceptionMask) == kGccException &&
        !(record.ExceptionFlags & EXCEPTION_NONCONTINUABLE)) {
        return EXCEPTION_CONTINUE_EXECUTION;
    }
    g_guard->End(static_cast<int32_t>(record.ExceptionCode), "UnhandledException",
                 UnhandledExceptionText(record.ExceptionCode,
                                        reinterpret_cast<uintptr_t>(record.ExceptionAddress)),
                 record.ExceptionCode);
}

std::string CurrentExceptionText() {
    try {
        if (const std::exception_ptr current = std::current_exception()) {
            std::rethrow_exception(current);
        }
    } catch (const std::exception& error) {
        return error.what();
    } catch (...) {
    }
    return {};
}

void OnTerminate() {
    g_guard->End(0, "Terminate", TerminateText(CurrentExceptionText()),
                 CrashGuard::kTerminateExitCode);
}

}  // namespace

CrashGuard::CrashGuard(Trace& trace, std::function<void()> giveBack)
    : m_trace(trace), m_giveBack(std::move(giveBack)) {
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
}

void CrashGuard::End(int32_t code, const char* procedure, const std::string& description,
                     uint32_t exitCode) {
    if (!g_ending.test_and_set()) {
        m_trace.LogError(code, "Program", procedure, description);
        if (m_giveBack) m_giveBack();
    }
    TerminateProcess(GetCurrentProcess(), exitCode);
    for (;;) Sleep(INFINITE);  // TerminateProcess does not return for the current process
}

}  // namespace tarvik
