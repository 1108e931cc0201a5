#pragma once

#include <windows.h>

#include <functional>
#include <vector>

#include "core/bar/BarModel.h"
#include "core/widgets/TaskbarWatch.h"
#include "core/widgets/TrayIcons.h"
#include "win32/platform/UniqueHandle.h"
#include "win32/widgets/TrayOwners.h"

namespace tarvik {

class Trace;

// Collects the notification icons of other programs. While the shell's taskbar (a
// "Shell_TrayWnd" window of explorer.exe) exists, an invisible topmost window of the same class
// stands in front of it and a "TaskbarCreated" broadcast makes every program register its icons
// again, now with us; icon messages are kept, every other WM_COPYDATA goes on to the shell.
//
// Several copies of the program share the icons: the first holds the named mutex and is the
// host; the others subscribe through the host's share window and get every icon message relayed
// to their sink window. A subscriber takes over when the host leaves or dies. The names are
// what other copies look for: they never change.
class TrayHost final : public ITrayUpkeep {
  public:
    static constexpr const wchar_t* kMutexName = L"Local\\Hollisk.TrayHost";
    static constexpr const wchar_t* kShareMessageName = L"Hollisk.TrayShare";
    static constexpr const wchar_t* kShareClass = L"Hollisk_TrayShare";
    static constexpr const wchar_t* kSinkClass = L"Hollisk_TraySink";
    static constexpr const wchar_t* kTaskbarClass = L"Shell_TrayWnd";
    static constexpr size_t kMaxSubscribers = 8;

    explicit TrayHost(Trace& trace);
    ~TrayHost() override;
    TrayHost(const TrayHost&) = delete;
    TrayHost& operator=(const TrayHost&) = delete;

    TrayIcons& Icons() { return m_icons; }

    // Takes the host's part or subscribes to the copy that has it. refreshTrayArea is called when
    // the icons changed.
    void StartTraySharing(std::function<void()> refreshTrayArea);
    // Gives everything back: the shell gets the icons again, subscribers are told to take over.
    void StopTraySharing();

    void KeepDecoyOnTop() override;
    void PruneDeadIcons() override;
    void TrayHostTick() override;

    bool IsHost() const { return m_isHost; }
    // True while this process's own "TaskbarCreated" is being delivered: the shell did not
    // restart.
    bool OwnBroadcast() const { return m_broadcasting; }
    HWND Decoy() const { return m_decoy.Get(); }

  private:
    static LRESULT CALLBACK TrayWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT HandleCopyData(HWND window, WPARAM wParam, const COPYDATASTRUCT* data);
    LRESULT HandleShareMessage(WPARAM wParam, LPARAM lParam);

    bool StartTrayHost();
    void StopDecoy();
    void BroadcastTaskbarCreated();
    void WatchExplorerTaskbar();
    HWND FindExplorerTaskbar();
    void PromoteToHost();
    void SubscribeToHost();
    void RegisterShareClasses();
    UniqueWindow CreateTrayWindow(const wchar_t* className, DWORD exStyle);
    bool HostMutexFree();
    bool AcceptsSubscriber(HWND sink);
    void AddSubscriber(HWND sink);
    void RemoveSubscriber(HWND sink);
    void RelayToSubscribers(const COPYDATASTRUCT& data);
    void ReplayIconsTo(HWND sink);
    void NotifyTrayChanged();

    Trace& m_trace;
    Win32TrayOwners m_owners;
    TrayIcons m_icons;
    std::function<void()> m_refresh;
    UINT m_shareMessage = 0;
    UniqueKernelHandle m_mutex;
    bool m_isHost = false;
    bool m_started = false;
    UniqueWindow m_decoy;
    HWND m_explorerTaskbar = nullptr;
    // Explorer's taskbar as last found, and its process: the watch asks only whether it lives.
    HWND m_knownTaskbar = nullptr;
    DWORD m_knownTaskbarProcess = 0;
    UniqueWindow m_share;
    UniqueWindow m_sink;
    HWND m_hostShare = nullptr;
    std::vector<HWND> m_subscribers;
    bool m_decoyClassRegistered = false;
    bool m_shareClassesRegistered = false;
    bool m_rebroadcastDone = false;
    bool m_broadcasting = false;
    TaskbarWatch m_taskbarWatch;
};

}  // namespace tarvik
