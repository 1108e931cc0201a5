#pragma once

// In-memory stand-ins for the widget host's surroundings (the settings store, the canvas window
// and the bar), and the one widget host the widget tests build on them.

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <optional>
#include <set>
#include <stdexcept>

#include "core/app/Error.h"
#include "core/feeds/FeedFetcher.h"
#include "core/platform/SettingsStore.h"
#include "core/shortcuts/Hotkeys.h"
#include "core/shortcuts/ShortcutPorts.h"
#include "core/support/FakeDropDown.h"
#include "core/support/MenuRows.h"
#include "core/support/ThemeLoad.h"
#include "core/widgets/SystemPorts.h"
#include "core/widgets/framework/WidgetHost.h"
#include "core/widgets/framework/WidgetPorts.h"

namespace tarvik::test {

// Settings kept in a map for the life of the test; counts the writes.
struct MemorySettings final : ISettingsStore {
    std::map<std::pair<std::string, std::string>, std::string> values;
    int writes = 0;
    bool failWrites = false;  // every write is refused

    std::string Read(std::string_view section, std::string_view key,
                     std::string_view fallback) override {
        const auto found = values.find({std::string(section), std::string(key)});
        return found == values.end() ? std::string(fallback) : found->second;
    }
    bool Write(std::string_view section, std::string_view key, std::string_view value) override {
        ++writes;
        if (failWrites) return false;
        values[{std::string(section), std::string(key)}] = std::string(value);
        return true;
    }
    void DeleteSection(std::string_view section) override {
        std::erase_if(values, [&](const auto& entry) { return entry.first.first == section; });
    }
    void DeleteKey(std::string_view section, std::string_view key) override {
        values.erase({std::string(section), std::string(key)});
    }
};

// Windows' hotkeys: one holder per chord; the chords in `elsewhere` another program holds.
struct FakeHotkeyPort final : IHotkeyPort {
    std::set<std::pair<uint32_t, int32_t>> elsewhere;
    // As on Windows, registering an id again keeps the chord it held until it is unregistered.
    std::multimap<int32_t, std::pair<uint32_t, int32_t>> held;

    int32_t Register(int32_t id, uint32_t modifiers, int32_t keyCode) override {
        if (elsewhere.contains({modifiers, keyCode})) return Hotkeys::kHeldElsewhere;
        held.insert({id, {modifiers, keyCode}});
        return 0;
    }
    void Unregister(int32_t id) override { held.erase(id); }
};

// The canvas window in memory: remembers what it showed, where and for whom.
struct FakeCanvas final : IWidgetCanvas {
    WidgetHost* host = nullptr;
    IWidget* widget = nullptr;
    bool visible = false;
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
    void SetHandCursor(bool) override {}
    WindowHandle Window() const override { return 0x5150; }
    // The canvas hid itself (another program became active).
    void Dismiss() {
        visible = false;
        if (host) host->OnCanvasDismissed();
    }
};

// The bar at (0, 0), 800 wide, 36 high with a 24-pixel visible part; counts its requests.
struct FakeWidgetBar final : IWidgetBar {
    WidgetHost* host = nullptr;  // laid out again on LayoutBar when set
    int draws = 0;

    void LayoutBar() override {
        if (host) host->Arrange(800);
    }
    void DrawBar() override { ++draws; }
    int32_t BarHeight() const override { return 24; }
    RectI ScreenRect() const override { return {0, 0, 800, 36}; }
};

// A widget with a text button (its name unless given); counts its actions, which throw while
// `failing`; its menu is one row with one child.
struct FakeWidget final : IWidget {
    FakeWidget(std::string n, WidgetAlignment a = AlignRight, WidgetActivation k = ActivateAction,
               std::string t = "")
        : name(n), alignment(a), activation(k), text(t.empty() ? n : t) {}
    std::string name;
    WidgetAlignment alignment;
    WidgetActivation activation;
    std::string text;
    const SkinButton* icon = nullptr;
    int actions = 0;
    bool failing = false;

    std::string Name() const override { return name; }
    WidgetAlignment Alignment() const override { return alignment; }
    WidgetActivation Activation() const override { return activation; }
    const SkinButton* ButtonIcon() const override { return icon; }
    std::string ButtonText() const override { return text; }
    void OnAction() override {
        if (failing) throw std::runtime_error("the action failed");
        ++actions;
    }
    MenuItemList BuildMenu() override {
        auto item = std::make_shared<MenuItem>();
        item->Children.push_back(std::make_shared<MenuItem>());
        return {item};
    }
};

// Writes down every command it is asked to run; throws instead while `fail` is set.
struct RecordingCommands final : public ISystemCommands {
    std::vector<std::string> calls;
    bool fail = false;

    void Open(std::string_view target) override { Add("open ", target); }
    void RunSystemTool(std::string_view file, std::string_view parameters, bool hidden) override {
        Add((hidden ? "hidden system " : "system ") + std::string(file) + " ", parameters);
    }
    void Suspend() override { Add("suspend"); }
    void LockWorkStation() override { Add("lock"); }
    void LogOff() override { Add("logoff"); }
    void Add(std::string call, std::string_view argument = {}) {
        if (fail) throw Error(70, "Permission denied");
        calls.push_back(call.append(argument));
    }
};

// The widget's menu (see MenuRows).
inline std::vector<std::string> MenuRows(IWidget& widget) {
    return MenuRows(widget.BuildMenu());
}

// Picks the menu row with the command.
inline void PickCommand(IWidget& widget, int32_t command) {
    MenuItem item;
    item.CommandId = command;
    widget.OnMenuCommand(item);
}

// Remembers the addresses asked for and holds the last load until the test answers it.
struct FakeFeedFetcher final : public IFeedFetcher {
    std::vector<std::string> starts;
    Done pending;
    bool failStart = false;

    void Start(std::string_view url, Done done) override {
        if (failStart) throw Error(8, "no window for the load");
        starts.emplace_back(url);
        pending = std::move(done);
    }
    void Cancel() override { pending = nullptr; }
    // Bytes that arrived, or a failure when `failure` is given.
    void Answer(std::string bytes, std::string failure = {}) {
        const Done done = std::exchange(pending, nullptr);
        done(FeedAnswer{failure.empty(), 12002, std::move(failure), std::move(bytes)});
    }
};

// A widget host on the stand-ins above, made once the theme file (none: the built-in theme) is
// loaded, with the switched-off widgets stored as given.
struct HostRig {
    explicit HostRig(std::optional<std::string_view> themeFile = std::nullopt,
                     std::string_view disabled = {}) {
        EXPECT_TRUE(load.Load(themeFile));
        if (!disabled.empty()) settings.values[{"Widgets", "Disabled"}] = std::string(disabled);
        host.emplace(WidgetHostServices{load.theme, load.brushes(), load.log.trace, load.dpi,
                                        settings, canvas, menu});
        host->Initialize(bar);
    }

    ThemeLoad load;
    MemorySettings settings;
    FakeCanvas canvas;
    FakeDropDown menu;
    FakeWidgetBar bar;
    std::optional<WidgetHost> host;
};

}  // namespace tarvik::test
