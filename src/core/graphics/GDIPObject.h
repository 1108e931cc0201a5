#pragma once

#include <utility>

#include "core/graphics/GDIPlus.h"

namespace tarvik {

// The common part of every drawing object: the one native handle it owns (opaque here; the
// drawing backend knows its type) and the status of its last native call. Objects are moved,
// never copied; each derived class releases the handle in its Dispose and destructor.
class GDIPObject {
  public:
    GDIPObject(const GDIPObject&) = delete;
    GDIPObject& operator=(const GDIPObject&) = delete;

    // 0 when the last native call through this object succeeded.
    int LastStatus() const { return m_lastStatus; }
    // The native handle, for the drawing backend only; null when empty or disposed.
    void* NativeHandle() const { return m_handle; }

  protected:
    GDIPObject() = default;
    GDIPObject(GDIPObject&& other) noexcept
        : m_handle(std::exchange(other.m_handle, nullptr)), m_lastStatus(other.m_lastStatus) {}
    GDIPObject& operator=(GDIPObject&&) = delete;
    ~GDIPObject() = default;

    // Takes over the other object's handle; the caller has released its own.
    void TakeHandle(GDIPObject& other) noexcept {
        m_handle = std::exchange(other.m_handle, nullptr);
        m_lastStatus = other.m_lastStatus;
    }

    // Keeps the status as the last one and applies the process-wide error convention.
    int Check(int status) {
        m_lastStatus = status;
        CheckGDIPlusStatus(status);
        return status;
    }

    void* m_handle = nullptr;
    int m_lastStatus = 0;
};

}  // namespace tarvik
