#include "win32/widgets/TrayHost.h"

#include <algorithm>
#include <chrono>
#include <cwctype>
#include <span>
#include <string>
#include <string_view>

#include "core/app/LogException.h"
#include "core/app/Trace.h"
#include "core/widgets/TrayPayload.h"

namespace tarvik {

namespace {

constexpr const char* kSource = "TrayHost";
constexpr DWORD kDecoyExStyle = WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE;
constexpr UINT kRelayTimeout = 500;
constexpr UINT kSubscribeTimeout = 1000;
// A relay or replay stops here, whatever the peers do: the bar never waits longer in one go.
constexpr auto kSendBudget = std::chrono::milliseconds(1000);
enum ShareCommand : LPARAM { kLeaving = 0, kJoining = 1, kHostLeaving = 2 };

bool RegisterTrayClass(const wchar_t* name, WNDPROC procedure) {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = name;
    return RegisterClassW(&windowClass) != 0;
}

DWORD ProcessOfWindow(HWND window) {
    DWORD processId = 0;
    return GetWindowThreadProcessId(window, &processId) != 0 ? processId : 0;
}

bool IsExplorerWindow(HWND window) {
    const UniqueKernelHandle process(
        OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, ProcessOfWindow(window)));
    if (!process) return false;
    wchar_t path[260] = {};
    DWORD length = 260;
    if (!QueryFullProcessImageNameW(process.Get(), 0, path, &length)) return false;
    std::wstring name(path, length);
    name = name.substr(name.find_last_of(L'\\') + 1);
    std::transform(name.begin(), name.end(), name.begin(),
                   [](wchar_t c) { return static_cast<wchar_t>(std::towlower(c)); });
    return name == L"explorer.exe";
}

// A WM_COPYDATA that another process may hang on: false when it failed or timed out.
bool SendCopyData(HWND to, HWND from, const COPYDATASTRUCT& data, UINT timeout,
                  DWORD_PTR* reply = nullptr) {
    DWORD_PTR ignored = 0;
    return SendMessageTimeoutW(to, WM_COPYDATA, reinterpret_cast<WPARAM>(from),
                               reinterpret_cast<LPARAM>(&data), SMTO_ABORTIFHUNG, timeout,
                               reply ? reply : &ignored) != 0;
}

}  // namespace

TrayHost::TrayHost(Trace& trace) : m_trace(trace), m_icons(m_owners, trace) {
    m_icons.Changed = [this] { NotifyTrayChanged(); };
}

TrayHost::~TrayHost() {
    StopTraySharing();
}

LRESULT CALLBACK TrayHost::TrayWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* host = reinterpret_cast<TrayHost*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    try {
        if (host && message == WM_COPYDATA) {
            return host->HandleCopyData(window, wParam, reinterpret_cast<COPYDATASTRUCT*>(lParam));
        }
        if (host && message == host->m_shareMessage && message != 0) {
            return host->HandleShareMessage(wParam, lParam);
        }
    } catch (...) {
        // Nothing leaves a window procedure; the message yields 0.
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

LRESULT TrayHost::HandleCopyData(HWND window, WPARAM wParam, const COPYDATASTRUCT* data) {
    if (!data) return 0;
    if (data->dwData == kTrayCopyDataKind) {
        const auto* bytes = static_cast<const uint8_t*>(data->lpData);
        const LRESULT result =
            m_icons.HandleTrayData(bytes ? std::span(bytes, data->cbData) : std::span<uint8_t>());
        // What was not taken (unreadable, refused) goes no further.
        if (result == 1 && window == m_decoy.Get()) RelayToSubscribers(*data);
        return result;
    }
    if (window != m_decoy.Get() || !IsWindow(m_explorerTaskbar)) return 0;
    DWORD_PTR reply = 0;
    if (!SendMessageTimeoutW(m_explorerTaskbar, WM_COPYDATA, wParam, reinterpret_cast<LPARAM>(data),
                             SMTO_ABORTIFHUNG, 1000, &reply)) {
        return 0;
    }
    return static_cast<LRESULT>(reply);
}

LRESULT TrayHost::HandleShareMessage(WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    try {
        const auto sink = reinterpret_cast<HWND>(wParam);
        switch (lParam) {
            case kLeaving:
                RemoveSubscriber(sink);
                result = 1;
                break;
            case kJoining:
                if (!m_isHost || !AcceptsSubscriber(sink)) break;
                AddSubscriber(sink);
                result = 1;
                ReplayIconsTo(sink);
                break;
            case kHostLeaving:
                if (!m_isHost) TrayHostTick();
                result = 1;
                break;
            default:
                break;
        }
    } catch (...) {
        LogCurrentException(m_trace, kSource, "HandleShareMessage");
    }
    return result;
}

void TrayHost::NotifyTrayChanged() {
    if ((m_decoy || m_sink) && m_refresh) m_refresh();
}

UniqueWindow TrayHost::CreateTrayWindow(const wchar_t* className, DWORD exStyle) {
    UniqueWindow window(CreateWindowExW(exStyle, className, nullptr, WS_POPUP, 0, 0, 0, 0, nullptr,
                                        nullptr, GetModuleHandleW(nullptr), this));
    if (window) {
        // Programs running with fewer rights than we still reach these windows.
        ChangeWindowMessageFilterEx(window.Get(), WM_COPYDATA, MSGFLT_ALLOW, nullptr);
        ChangeWindowMessageFilterEx(window.Get(), m_shareMessage, MSGFLT_ALLOW, nullptr);
    }
    return window;
}

// Opening explorer's process to read its name is the costly part: a taskbar found before is
// trusted while it lives in the same process with the same class.
HWND TrayHost::FindExplorerTaskbar() {
    wchar_t name[32] = {};
    if (m_knownTaskbar && m_knownTaskbar != m_decoy.Get() &&
        ProcessOfWindow(m_knownTaskbar) == m_knownTaskbarProcess &&
        GetClassNameW(m_knownTaskbar, name, 32) && std::wstring_view(name) == kTaskbarClass) {
        return m_knownTaskbar;
    }
    m_knownTaskbar = nullptr;
    for (HWND window = FindWindowW(kTaskbarClass, nullptr); window;
         window = FindWindowExW(nullptr, window, kTaskbarClass, nullptr)) {
        if (window != m_decoy.Get() && IsExplorerWindow(window)) {
            m_knownTaskbar = window;
            m_knownTaskbarProcess = ProcessOfWindow(window);
            return window;
        }
    }
    return nullptr;
}

bool TrayHost::StartTrayHost() {
    if (m_decoy) return true;
    m_explorerTaskbar = FindExplorerTaskbar();
    if (!m_explorerTaskbar) {
        m_trace.Log("TrayHost: no explorer taskbar - decoy deferred until one exists");
        return true;
    }
    if (!m_decoyClassRegistered) {
        if (!RegisterTrayClass(kTaskbarClass, TrayWndProc)) {
            m_trace.LogError(0, kSource, "StartTrayHost", "RegisterClassW failed");
            return false;
        }
        m_decoyClassRegistered = true;
    }
    m_decoy = CreateTrayWindow(kTaskbarClass, kDecoyExStyle);
    if (!m_decoy) {
        m_trace.LogError(0, kSource, "StartTrayHost", "CreateWindowExW failed");
        return false;
    }
    KeepDecoyOnTop();
    BroadcastTaskbarCreated();
    return true;
}

// Our own windows get the broadcast before the call returns.
void TrayHost::BroadcastTaskbarCreated() {
    if (const UINT message = RegisterWindowMessageW(L"TaskbarCreated")) {
        m_broadcasting = true;
        SendNotifyMessageW(HWND_BROADCAST, message, 0, 0);
        m_broadcasting = false;
    }
}

void TrayHost::KeepDecoyOnTop() {
    // Restacked only when another window was placed above it: every restacking is a round trip
    // to the window server, four times a second.
    if (m_decoy && GetWindow(m_decoy.Get(), GW_HWNDPREV) != nullptr) {
        SetWindowPos(m_decoy.Get(), HWND_TOPMOST, 0, 0, 0, 0,
                     SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE);
    }
}

void TrayHost::PruneDeadIcons() {
    m_icons.PruneDeadIcons();
}

void TrayHost::StopDecoy() {
    m_decoy.Reset();
    if (m_decoyClassRegistered) {
        UnregisterClassW(kTaskbarClass, GetModuleHandleW(nullptr));
        m_decoyClassRegistered = false;
    }
    m_icons.Clear();
    BroadcastTaskbarCreated();
}

void TrayHost::WatchExplorerTaskbar() {
    switch (m_taskbarWatch.Tick(FindExplorerTaskbar() != nullptr, m_decoy.Get() != nullptr)) {
        case TaskbarWatch::StandDown:
            m_trace.Log(
                "TrayHost: explorer's taskbar is gone - standing the decoy down so a restarting "
                "explorer will create its own");
            m_decoy.Reset();
            break;
        case TaskbarWatch::Rehost:
            m_trace.Log("TrayHost: explorer's taskbar is back - re-hosting the decoy");
            StartTrayHost();
            m_rebroadcastDone = false;
            break;
        case TaskbarWatch::Nothing:
            break;
    }
}

void TrayHost::StartTraySharing(std::function<void()> refreshTrayArea) {
    m_refresh = std::move(refreshTrayArea);
    m_started = true;
    m_shareMessage = RegisterWindowMessageW(kShareMessageName);
    bool host = true;
    if (!m_mutex) {
        m_mutex.Reset(CreateMutexW(nullptr, TRUE, kMutexName));
        host = !m_mutex || GetLastError() != ERROR_ALREADY_EXISTS;
    }
    if (host) {
        PromoteToHost();
        return;
    }
    RegisterShareClasses();
    if (!m_sink) m_sink = CreateTrayWindow(kSinkClass, WS_EX_TOOLWINDOW);
}

void TrayHost::RegisterShareClasses() {
    if (m_shareClassesRegistered) return;
    RegisterTrayClass(kShareClass, TrayWndProc);
    RegisterTrayClass(kSinkClass, TrayWndProc);
    m_shareClassesRegistered = true;
}

void TrayHost::PromoteToHost() {
    m_sink.Reset();
    m_hostShare = nullptr;
    RegisterShareClasses();
    if (!m_share) m_share = CreateTrayWindow(kShareClass, WS_EX_TOOLWINDOW);
    m_isHost = true;
    StartTrayHost();
}

void TrayHost::SubscribeToHost() {
    if (!m_sink || m_shareMessage == 0) return;
    const HWND host = FindWindowW(kShareClass, nullptr);
    if (!host) return;
    DWORD_PTR reply = 0;
    if (SendMessageTimeoutW(host, m_shareMessage, reinterpret_cast<WPARAM>(m_sink.Get()), kJoining,
                            SMTO_ABORTIFHUNG, kSubscribeTimeout, &reply) &&
        reply == 1) {
        m_hostShare = host;
        m_trace.Log("TrayHost: subscribed to the sibling tray host");
    }
}

bool TrayHost::HostMutexFree() {
    if (!m_mutex) return false;
    const DWORD wait = WaitForSingleObject(m_mutex.Get(), 0);
    return wait == WAIT_OBJECT_0 || wait == WAIT_ABANDONED;
}

void TrayHost::TrayHostTick() {
    if (!m_started) return;
    if (m_isHost) {
        WatchExplorerTaskbar();
        std::erase_if(m_subscribers, [](HWND sink) { return !IsWindow(sink); });
        if (!m_rebroadcastDone && m_decoy) {
            m_rebroadcastDone = true;
            BroadcastTaskbarCreated();
        }
        return;
    }
    if (m_hostShare && IsWindow(m_hostShare)) return;
    m_hostShare = nullptr;
    if (HostMutexFree()) {
        m_trace.Log("TrayHost: sibling tray host gone, promoting to host");
        PromoteToHost();
    } else {
        SubscribeToHost();
    }
}

// Only another copy's sink window, and only so many: each one costs every icon message a send.
bool TrayHost::AcceptsSubscriber(HWND sink) {
    wchar_t name[32] = {};
    if (!sink || !IsWindow(sink) || !GetClassNameW(sink, name, 32) ||
        std::wstring_view(name) != kSinkClass) {
        m_trace.LogErrorOnce(0, kSource, "AcceptsSubscriber",
                             "refused a subscriber that is not another copy's sink window");
        return false;
    }
    if (m_subscribers.size() < kMaxSubscribers ||
        std::find(m_subscribers.begin(), m_subscribers.end(), sink) != m_subscribers.end()) {
        return true;
    }
    m_trace.LogErrorOnce(
        0, kSource, "AcceptsSubscriber",
        "refused a subscriber: " + std::to_string(kMaxSubscribers) + " copies are subscribed");
    return false;
}

void TrayHost::AddSubscriber(HWND sink) {
    RemoveSubscriber(sink);
    m_subscribers.push_back(sink);
}

void TrayHost::RemoveSubscriber(HWND sink) {
    std::erase(m_subscribers, sink);
}

void TrayHost::RelayToSubscribers(const COPYDATASTRUCT& data) {
    const auto deadline = std::chrono::steady_clock::now() + kSendBudget;
    for (const HWND sink : std::vector<HWND>(m_subscribers)) {
        if (std::chrono::steady_clock::now() >= deadline) break;
        SendCopyData(sink, m_decoy.Get(), data, kRelayTimeout);
    }
}

void TrayHost::ReplayIconsTo(HWND sink) {
    const auto deadline = std::chrono::steady_clock::now() + kSendBudget;
    for (std::vector<uint8_t>& payload : m_icons.ReplayPayloads()) {
        COPYDATASTRUCT data{kTrayCopyDataKind, static_cast<DWORD>(payload.size()), payload.data()};
        // A sink that fails one send is hung or gone: the rest would fail alike.
        if (std::chrono::steady_clock::now() >= deadline ||
            !SendCopyData(sink, m_share.Get(), data, kRelayTimeout)) {
            break;
        }
    }
}

void TrayHost::StopTraySharing() {
    if (!m_started) return;
    m_started = false;
    m_refresh = nullptr;
    if (m_isHost) {
        StopDecoy();
        m_share.Reset();
        if (m_mutex) ReleaseMutex(m_mutex.Get());
        m_isHost = false;
        for (const HWND sink : m_subscribers) {
            SendNotifyMessageW(sink, m_shareMessage, 0, kHostLeaving);
        }
        m_subscribers.clear();
    } else {
        if (m_hostShare && IsWindow(m_hostShare)) {
            SendNotifyMessageW(m_hostShare, m_shareMessage, reinterpret_cast<WPARAM>(m_sink.Get()),
                               kLeaving);
        }
        m_hostShare = nullptr;
        m_sink.Reset();
        m_icons.Clear();
    }
    m_mutex.Reset();
    if (m_shareClassesRegistered) {
        UnregisterClassW(kShareClass, GetModuleHandleW(nullptr));
        UnregisterClassW(kSinkClass, GetModuleHandleW(nullptr));
        m_shareClassesRegistered = false;
    }
    m_rebroadcastDone = false;
}

}  // namespace tarvik
