#pragma once

#include "core/bar/WorkArea.h"

namespace tarvik {

// The primary screen's work area as the system keeps it. Writes are saved for the user's session
// but announced to nobody: other programs pick the new area up when they next ask for it.
class WorkAreaWin32 final : public IDesktopWorkArea {
  public:
    WorkspaceRect Read() override;
    void Write(const WorkspaceRect& rect) override;
    WorkspaceRect Screen() override;
};

}  // namespace tarvik
