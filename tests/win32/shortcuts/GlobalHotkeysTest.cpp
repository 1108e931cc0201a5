#include "win32/shortcuts/GlobalHotkeys.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "e2e/E2eSupport.h"

namespace tarvik::test {
namespace {

constexpr uint32_t kWinAlt = MOD_WIN | MOD_ALT;

// A window of ours holding hotkeys; every press it hears is noted as "<name><id>".
struct Holder {
    Holder(const char* name, std::vector<std::string>& heard) {
        hotkeys.Attach(window.Handle());
        hotkeys.Pressed = [name, &heard](int32_t id) {
            heard.push_back(name + std::to_string(id));
        };
        window.answer = [this](UINT message, WPARAM wParam, LPARAM) -> std::optional<LRESULT> {
            if (hotkeys.OnMessage(message, wParam)) return 0;
            return std::nullopt;
        };
    }
    TestWindow window{0, 0, 10, 10, WS_POPUP};
    GlobalHotkeys hotkeys;
};

TEST(GlobalHotkeys, AChordHasOneHolderAndItsPressesReachThatWindow) {
    std::vector<std::string> heard;
    Holder first("first", heard);
    Holder second("second", heard);

    EXPECT_EQ(first.hotkeys.Register(1, kWinAlt, 'M'), 0);
    EXPECT_EQ(second.hotkeys.Register(1, kWinAlt, 'M'), ERROR_HOTKEY_ALREADY_REGISTERED);
    EXPECT_EQ(second.hotkeys.Register(2, kWinAlt, VK_SPACE), 0) << "the other chord is free";

    Chord({VK_LWIN, VK_MENU, VK_SPACE});
    EXPECT_TRUE(PumpUntil([&] { return !heard.empty(); }, std::chrono::seconds(3)));
    EXPECT_EQ(heard, std::vector<std::string>{"second2"});

    // Let go, the chord is free for the other window; a window that goes lets go of its own.
    first.hotkeys.Unregister(1);
    EXPECT_EQ(second.hotkeys.Register(1, kWinAlt, 'M'), 0);
    second.hotkeys.Attach(nullptr);
    EXPECT_EQ(first.hotkeys.Register(3, kWinAlt, VK_SPACE), 0);
    EXPECT_EQ(first.hotkeys.Register(4, kWinAlt, 'M'), 0);
}

}  // namespace
}  // namespace tarvik::test
