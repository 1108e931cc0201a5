#include "core/bar/WorkArea.h"

#include <algorithm>
#include <limits>

#include "core/app/Error.h"
#include "core/app/Trace.h"

namespace tarvik {

namespace {

int32_t SaturatedSum(int32_t a, int32_t b) {
    const int64_t sum = static_cast<int64_t>(a) + b;
    return static_cast<int32_t>(std::clamp<int64_t>(sum, std::numeric_limits<int32_t>::min(),
                                                    std::numeric_limits<int32_t>::max()));
}

}  // namespace

WorkArea::WorkArea(IDesktopWorkArea& desktop, Trace& trace, int32_t workAreaTop,
                   int32_t barTopOffset)
    : m_desktop(desktop),
      m_trace(trace),
      m_reservedHeight(SaturatedSum(workAreaTop, barTopOffset)) {}

std::optional<WorkspaceRect> WorkArea::ReadWorkspace() {
    try {
        return m_desktop.Read();
    } catch (const Error& error) {
        m_trace.LogError(error.Number(), "WorkArea", "GetWorkspace",
                         "failed to get the user workspace");
        return std::nullopt;
    }
}

WorkspaceRect WorkArea::GetWorkspace() {
    return ReadWorkspace().value_or(WorkspaceRect{});
}

bool WorkArea::SetWorkspace(const WorkspaceRect& rect) {
    try {
        m_desktop.Write(rect);
        return true;
    } catch (const Error& error) {
        m_trace.LogError(error.Number(), "WorkArea", "SetWorkspace",
                         "failed to set the user workspace");
        return false;
    }
}

// A work area that could not be read is left alone: raising the top of an all-zero rectangle
// and writing it would hand the desktop an empty work area.
void WorkArea::Reserve() {
    std::optional<WorkspaceRect> rect = ReadWorkspace();
    if (!rect || rect->top >= m_reservedHeight) return;
    m_savedTop = rect->top;
    m_reserved = true;
    rect->top = m_reservedHeight;
    SetWorkspace(*rect);
}

// When the work area cannot be read nothing is written and the reservation stays on record.
void WorkArea::Restore() {
    if (!m_reserved) return;
    std::optional<WorkspaceRect> rect = ReadWorkspace();
    if (!rect) return;
    rect->top = m_savedTop;
    SetWorkspace(*rect);
    m_reserved = false;
}

}  // namespace tarvik
