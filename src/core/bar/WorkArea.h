#pragma once

#include <cstdint>
#include <optional>

namespace tarvik {

class ISettingsStore;
class Trace;

// A rectangle in screen pixels given by its edges, as the desktop reports its work area.
struct WorkspaceRect {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;

    friend bool operator==(const WorkspaceRect&, const WorkspaceRect&) = default;
};

// The primary screen's work area as the system keeps it. Both calls throw tarvik::Error carrying
// the system error code when the system refuses.
class IDesktopWorkArea {
  public:
    virtual ~IDesktopWorkArea() = default;
    virtual WorkspaceRect Read() = 0;
    virtual void Write(const WorkspaceRect& rect) = 0;
    // The primary screen's bounds; never fails.
    virtual WorkspaceRect Screen() = 0;
};

// Keeps the strip under the bar out of the work area, so maximised windows stay below the bar,
// and gives it back on Exit. Only a strip this object took is ever given back.
//
// While a strip is taken, the top the work area had before, the top it was given and the primary
// screen's size are kept in the user's settings (section "WorkArea"). A run that could not give
// its strip back (ended from Task Manager) leaves them behind, and the next run takes that strip
// over instead of adding one; a record made on another screen size, or one that does not read
// as tops on this screen, is ignored with a log line.
class WorkArea {
  public:
    // workAreaTop is the theme's (already scaled) reserved height; barTopOffset the unscaled
    // distance the bar is moved down by.
    WorkArea(IDesktopWorkArea& desktop, ISettingsStore& settings, Trace& trace, int32_t workAreaTop,
             int32_t barTopOffset);

    // The current work area; all zero (and logged) when it cannot be read.
    WorkspaceRect GetWorkspace();
    // False (and logged) when the system refuses the rectangle.
    bool SetWorkspace(const WorkspaceRect& rect);

    // Where the work area has to start for the bar to stay clear of maximised windows.
    int32_t ReservedHeight() const { return m_reservedHeight; }

    // Moves the top of the work area down to ReservedHeight when it is above it, taking over the
    // strip an earlier run left.
    void Reserve();
    // After the shell rebuilt the work area: takes the strip again when it is gone. True when it
    // had to be taken again.
    bool ReserveAgain();
    // Puts back the top that Reserve found, once.
    void Restore();

    bool Reserved() const { return m_reserved; }
    int32_t SavedTop() const { return m_savedTop; }

  private:
    std::optional<WorkspaceRect> ReadWorkspace();
    std::optional<int32_t> EarlierRunsTop(int32_t found);
    bool Take(WorkspaceRect rect);
    void Forget();

    IDesktopWorkArea& m_desktop;
    ISettingsStore& m_settings;
    Trace& m_trace;
    int32_t m_reservedHeight;
    int32_t m_savedTop = 0;
    bool m_reserved = false;
};

}  // namespace tarvik
