#pragma once

// The GDI+ flat API for the drawing objects. The lean Windows header leaves out the COM
// declarations that GDI+ needs, so they come in between.
#include <windows.h>

#include <objidl.h>

#include <gdiplus.h>

namespace tarvik::gdip {

namespace flat = Gdiplus::DllExports;

// The native object behind a drawing object's opaque handle.
template <typename T>
T* Native(void* handle) {
    return static_cast<T*>(handle);
}

}  // namespace tarvik::gdip
