// Starting the recording drawing backend: nothing to start but the error convention.
#include "core/graphics/GDIPlus.h"
#include "core/support/RecordingGraphics.h"

namespace tarvik {

bool GDIPlusCreate(bool suppressErrors) {
    SetGDIPlusErrorsSuppressed(suppressErrors);
    return true;
}

void GDIPlusDispose() {}

}  // namespace tarvik

namespace tarvik::test {

ScopedDrawingErrors::ScopedDrawingErrors(bool suppressed)
    : m_wasSuppressed(GDIPlusErrorsSuppressed()) {
    GDIPlusCreate(suppressed);
    SetGDIPlusErrorSourceName("Tarvik.exe");
}

ScopedDrawingErrors::~ScopedDrawingErrors() {
    SetGDIPlusErrorsSuppressed(m_wasSuppressed);
}

}  // namespace tarvik::test
