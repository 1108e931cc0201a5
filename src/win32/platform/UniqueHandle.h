#pragma once

#include <windows.h>

#include <utility>

namespace tarvik {

// Sole owner of one native handle; the deleter frees it exactly once.
template <typename T, typename Deleter, T kEmpty = T{}>
class UniqueHandle {
  public:
    UniqueHandle() = default;
    explicit UniqueHandle(T handle) : m_handle(handle) {}
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    UniqueHandle(UniqueHandle&& other) noexcept : m_handle(other.Release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) Reset(other.Release());
        return *this;
    }
    ~UniqueHandle() { Reset(); }

    T Get() const { return m_handle; }
    explicit operator bool() const { return m_handle != kEmpty; }
    T Release() { return std::exchange(m_handle, kEmpty); }
    void Reset(T handle = kEmpty) {
        T old = std::exchange(m_handle, handle);
        if (old != kEmpty) Deleter{}(old);
    }

  private:
    T m_handle = kEmpty;
};

struct WindowDeleter {
    void operator()(HWND h) const { DestroyWindow(h); }
};
struct MenuDeleter {
    void operator()(HMENU h) const { DestroyMenu(h); }
};
struct IconDeleter {
    void operator()(HICON h) const { DestroyIcon(h); }
};
struct GdiObjectDeleter {
    void operator()(HGDIOBJ h) const { DeleteObject(h); }
};
struct MemoryDcDeleter {
    void operator()(HDC h) const { DeleteDC(h); }
};
struct KeyDeleter {
    void operator()(HKEY h) const { RegCloseKey(h); }
};
struct KernelHandleDeleter {
    void operator()(HANDLE h) const { CloseHandle(h); }
};

using UniqueWindow = UniqueHandle<HWND, WindowDeleter>;
using UniqueMenu = UniqueHandle<HMENU, MenuDeleter>;
using UniqueIcon = UniqueHandle<HICON, IconDeleter>;
using UniqueBitmap = UniqueHandle<HBITMAP, GdiObjectDeleter>;
using UniqueRegion = UniqueHandle<HRGN, GdiObjectDeleter>;
using UniqueMemoryDc = UniqueHandle<HDC, MemoryDcDeleter>;
using UniqueKey = UniqueHandle<HKEY, KeyDeleter>;
using UniqueKernelHandle = UniqueHandle<HANDLE, KernelHandleDeleter>;

// A device context borrowed from a window with GetDC, given back with ReleaseDC.
class WindowDc {
  public:
    explicit WindowDc(HWND window) : m_window(window), m_dc(GetDC(window)) {}
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    ~WindowDc() {
        if (m_dc) ReleaseDC(m_window, m_dc);
    }
    HDC Get() const { return m_dc; }

  private:
    HWND m_window;
    HDC m_dc;
};

// Another program's window: never owned, never destroyed by us.
struct ForeignWindow {
    HWND handle = nullptr;
};

}  // namespace tarvik
