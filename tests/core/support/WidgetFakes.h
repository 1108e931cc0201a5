#pragma once

// In-memory stand-ins for the widget host's surroundings: the settings store, the canvas window
// and the bar.

#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "core/platform/SettingsStore.h"
#include "core/widgets/framework/WidgetHost.h"
#include "core/widgets/framework/WidgetPorts.h"

namespace tarvik::test {

// Settings kept in a map for the life of the test; counts the writes.
class MemorySettings final : public ISettingsStore {
  public:
    std::map<std::pair<std::string, std::string>, std::string> values;
    int writes = 0;

    std::string Read(std::string_view section, std::string_view key,
                     std::string_view fallback) override {
        const auto found = values.find({std::string(section), std::string(key)});
        return found == values.end() ? std::string(fallback) : found->second;
    }
    bool Write(std::string_view section, std::string_view key, std::string_view value) override {
        ++writes;
        values[{std::string(section), std::string(key)}] = std::string(value);
        return true;
    }
    void DeleteSection(std::string_view section) override {
        std::erase_if(values, [&](const auto& entry) { return entry.first.first == section; });
    }
};

// The canvas window in memory: remembers what it showed, where and for whom.
class FakeCanvas final : public IWidgetCanvas {
  public:
    WidgetHost* host = nullptr;
    IWidget* widget = nullptr;
    bool visible = false;
    bool handCursor = false;
    int32_t top = 0;
    std::vector<int32_t> anchors;  // one per ShowFor
    int repaints = 0;
    std::function<void()> onHide;  // what Windows does when an active canvas hides

    void SetHost(WidgetHost* owner) override { host = owner; }
    void SetTop(int32_t y) override { top = y; }
    void ShowFor(IWidget& shown, int32_t anchorX) override {
        widget = &shown;
        anchors.push_back(anchorX);
        visible = true;
    }
    void Repaint() override { ++repaints; }
    bool IsVisible() const override { return visible; }
    void Hide() override {
        visible = false;
        if (onHide) onHide();
    }
    void SetHandCursor(bool on) override { handCursor = on; }
    WindowHandle Window() const override { return 0x5150; }
    // The canvas hid itself (another program became active).
    void Dismiss() {
        visible = false;
        if (host) host->OnCanvasDismissed();
    }
};

// The bar at (0, 0), 800 wide, 36 high with a 24-pixel visible part; counts its requests.
class FakeWidgetBar final : public IWidgetBar {
  public:
    WidgetHost* host = nullptr;  // laid out again on LayoutBar when set
    int layouts = 0;
    int draws = 0;
    RectI screen{0, 0, 800, 36};

    void LayoutBar() override {
        ++layouts;
        if (host) host->Arrange(screen.Width);
    }
    void DrawBar() override { ++draws; }
    int32_t BarHeight() const override { return 24; }
    RectI ScreenRect() const override { return screen; }
};

}  // namespace tarvik::test
