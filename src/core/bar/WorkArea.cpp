#include "core/bar/WorkArea.h"

#include <algorithm>
#include <charconv>
#include <limits>
#include <string>

#include "core/app/Error.h"
#include "core/app/Trace.h"
#include "core/platform/SettingsStore.h"

namespace tarvik {

namespace {

constexpr std::string_view kSection = "WorkArea";
constexpr std::string_view kSavedTop = "SavedTop";
constexpr std::string_view kReservedTop = "ReservedTop";
constexpr std::string_view kScreen = "Screen";

std::optional<int32_t> ReadTop(ISettingsStore& settings, std::string_view key) {
    const std::string text = settings.Read(kSection, key, "");
    int32_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

// "1920x1080".
std::string ScreenText(const WorkspaceRect& screen) {
    return std::to_string(screen.right - screen.left) + "x" +
           std::to_string(screen.bottom - screen.top);
}

int32_t SaturatedSum(int32_t a, int32_t b) {
    const int64_t sum = static_cast<int64_t>(a) + b;
    return static_cast<int32_t>(std::clamp<int64_t>(sum, std::numeric_limits<int32_t>::min(),
                                                    std::numeric_limits<int32_t>::max()));
}

}  // namespace

WorkArea::WorkArea(IDesktopWorkArea& desktop, ISettingsStore& settings, Trace& trace,
                   int32_t workAreaTop, int32_t barTopOffset)
    : m_desktop(desktop),
      m_settings(settings),
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
// and writing it would hand the desktop an empty work area. An earlier run's strip is ours when
// the work area still starts where that run put it; what it found there is the top to go by.
void WorkArea::Reserve() {
    std::optional<WorkspaceRect> rect = ReadWorkspace();
    if (!rect) return;
    const int32_t found = rect->top;
    if (const std::optional<int32_t> saved = EarlierRunsTop(found)) rect->top = *saved;
    if (Take(*rect)) return;
    // Not needed any more (the bar is higher now, or a taller strip of another program's
    // moved in above it): the earlier run's strip goes back.
    if (rect->top != found) SetWorkspace(*rect);
    Forget();
}

// The record is another program's to write as well as ours: it is used only when it was made on
// a screen of this size and its tops lie in order on it. A record from before the screen was
// written down has no size: its tops alone decide, so an upgrade does not take a second strip.
std::optional<int32_t> WorkArea::EarlierRunsTop(int32_t found) {
    const std::string screenText = m_settings.Read(kSection, kScreen, "");
    const std::optional<int32_t> top = ReadTop(m_settings, kReservedTop);
    const std::optional<int32_t> saved = ReadTop(m_settings, kSavedTop);
    if (screenText.empty() && !top && !saved) return std::nullopt;
    const WorkspaceRect screen = m_desktop.Screen();
    const bool otherScreen = !screenText.empty() && screenText != ScreenText(screen);
    if (otherScreen || !top || !saved || *saved < screen.top || *saved >= *top ||
        *top > screen.bottom) {
        m_trace.LogError(0, "WorkArea", "Reserve",
                         "the strip on record does not fit this screen - record ignored");
        return std::nullopt;
    }
    if (*top != found) return std::nullopt;
    return saved;
}

// The shell forgets every strip when it starts again; one still in place was not forgotten.
bool WorkArea::ReserveAgain() {
    std::optional<WorkspaceRect> rect = ReadWorkspace();
    if (!rect || (m_reserved && rect->top == m_reservedHeight)) return false;
    m_reserved = false;
    if (!Take(*rect)) Forget();
    return m_reserved;
}

// Remembered before the write, so a run ended between the two still leaves its strip on record.
bool WorkArea::Take(WorkspaceRect rect) {
    if (rect.top >= m_reservedHeight) return false;
    m_savedTop = rect.top;
    m_reserved = true;
    m_settings.Write(kSection, kSavedTop, std::to_string(m_savedTop));
    m_settings.Write(kSection, kReservedTop, std::to_string(m_reservedHeight));
    m_settings.Write(kSection, kScreen, ScreenText(m_desktop.Screen()));
    rect.top = m_reservedHeight;
    SetWorkspace(rect);
    return true;
}

// When the work area cannot be read nothing is written and the reservation stays on record;
// when it cannot be written the strip stays on record for the next run.
void WorkArea::Restore() {
    if (!m_reserved) return;
    std::optional<WorkspaceRect> rect = ReadWorkspace();
    if (!rect) return;
    rect->top = m_savedTop;
    if (SetWorkspace(*rect)) Forget();
    m_reserved = false;
}

void WorkArea::Forget() {
    m_settings.DeleteSection(kSection);
}

}  // namespace tarvik
