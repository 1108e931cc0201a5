#pragma once

#include <windows.h>

#include <vector>

#include "fixtures/FixtureMenu.h"
#include "win32/platform/BaseWindow.h"

namespace tarvik::test {

// A top-level window of this program with the fixture's menu bar (as another program would show
// it) that keeps every WM_COMMAND identifier it receives.
class CommandTarget final : public BaseWindow {
  public:
    explicit CommandTarget(const wchar_t* title = L"Tarvik Menu Fixture") : BaseWindow({}) {
        CreateBaseWindow({L"TarvikTestCommandTarget"}, 0, title, WS_OVERLAPPEDWINDOW,
                         RECT{100, 100, 500, 400});
        if (Handle()) SetMenu(Handle(), fixture::BuildFixtureMenu());
    }
    std::vector<WPARAM> commands;

  private:
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message != WM_COMMAND) return DefaultProcedure(message, wParam, lParam);
        commands.push_back(wParam);
        return 0;
    }
};

}  // namespace tarvik::test
