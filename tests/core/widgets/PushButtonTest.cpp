#include "core/widgets/framework/PushButton.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <tuple>

#include "core/support/RecordingGraphics.h"
#include "core/support/ThemeLoad.h"
#include "core/theme/Brushes.h"

namespace tarvik::test {
namespace {

// Text size 15: a character measures 7.5 pixels and MeasureString adds 5, so a caption of n
// characters measures 7.5n + 5 and needs 7.5n + 29 with the two 12-pixel insets.
struct Rig {
    explicit Rig(std::string_view scale = "100") {
        EXPECT_TRUE(load.Load("<t><text face='DejaVu Sans' size='15'/></t>", scale));
        brushes.emplace(load.theme.TextColour, load.theme.HighlightTextColour,
                        load.theme.DisabledTextColour);
        button.emplace(load.theme, *brushes, log.trace, load.dpi);
        graphics.FromImage(bitmap.Image());
    }
    ThemeLoad load;
    TestTrace log;
    std::optional<Brushes> brushes;
    std::optional<PushButton> button;
    GDIPBitmap bitmap = GDIPBitmap::CreateFromSizeFormat(300, 100);
    GDIPGraphics graphics;
};

TEST(PushButton, WidthIsTheRoundedCaptionWithInsetsButNeverBelowTheMinimum) {
    // 9 characters: 96.5 -> 96, 11: 111.5 -> 112 (halves to even). At 150 % an empty caption
    // keeps the minimum of 96 and the height is 36.
    const std::tuple<std::string_view, std::string, int32_t, int32_t> cases[] = {
        {"100", "", 64, 24},          {"100", "Back", 64, 24},
        {"100", "Abcdefghi", 96, 24}, {"100", "Abcdefghijk", 112, 24},
        {"150", "", 96, 36},
    };
    for (const auto& [scale, caption, width, height] : cases) {
        Rig rig(scale);
        rig.button->Caption = caption;
        rig.button->LayoutAt(rig.graphics, 10, 20);
        EXPECT_EQ(rig.button->Bounds(), (BoundsRect{10, 20, width, height})) << caption << scale;
    }
    // Centred in a narrower container the button starts left of it (halved toward zero); right
    // aligned it ends at the given edge.
    Rig rig;
    rig.button->LayoutCentered(rig.graphics, 41, 5);
    EXPECT_EQ(rig.button->Bounds(), (BoundsRect{-11, 5, 64, 24}));
    rig.button->LayoutRightAligned(rig.graphics, 200, 7);
    EXPECT_EQ(rig.button->Bounds(), (BoundsRect{136, 7, 64, 24}));
}

TEST(PushButton, HitsInsideTheLeftAndTopEdgesOnlyAndNeverWhenDisabled) {
    Rig rig;
    EXPECT_FALSE(rig.button->HitTest(0, 0)) << "not laid out";
    rig.button->LayoutAt(rig.graphics, 10, 20);  // 10..74 across, 20..44 down
    const std::tuple<float, float, bool> cases[] = {
        {10, 20, true},  {73.9f, 43.9f, true}, {74, 30, false},
        {30, 44, false}, {9.9f, 30, false},    {30, 19.9f, false},
    };
    for (const auto& [x, y, hit] : cases)
        EXPECT_EQ(rig.button->HitTest(x, y), hit) << x << "," << y;

    EXPECT_TRUE(rig.button->UpdateHover(30, 30));
    EXPECT_FALSE(rig.button->UpdateHover(31, 31));
    rig.button->Enabled = false;
    EXPECT_TRUE(rig.button->UpdateHover(30, 30));
    EXPECT_FALSE(rig.button->Hovered);
    EXPECT_FALSE(rig.button->UpdateHover(30, 30));
}

TEST(PushButton, DrawsTheFaceThenTheCaptionAboveCentreInTheBrushOfItsState) {
    Rig rig;
    rig.button->Caption = "Back";
    rig.button->Draw(&rig.graphics);
    rig.button->Draw(nullptr);
    EXPECT_TRUE(RecordedCalls(rig.graphics).empty()) << "nothing before a layout";

    const uint32_t selection = rig.load.theme.Glass.Selection;
    const uint32_t text = RecordedArgb(rig.brushes->TextBrush());
    const uint32_t highlight = RecordedArgb(rig.brushes->HighlightBrush());
    const uint32_t disabled = RecordedArgb(rig.brushes->DisabledBrush());
    // accent, enabled, hovered -> the first fill, the text colour. A disabled accent button has
    // the plain face.
    const std::tuple<bool, bool, bool, uint32_t, uint32_t> cases[] = {
        {false, true, false, 0xAFFFFFFF, text},
        {false, true, true, 0xE6FFFFFF, text},
        {true, true, false, selection, highlight},
        {true, false, true, 0xAFFFFFFF, disabled},
    };
    for (const auto& [accent, enabled, hovered, face, brush] : cases) {
        rig.button->Accent = accent;
        rig.button->Enabled = enabled;
        rig.button->Hovered = hovered;
        rig.button->LayoutAt(rig.graphics, 10, 20);
        rig.graphics.FromImage(rig.bitmap.Image());
        rig.button->Draw(&rig.graphics);
        const auto& calls = RecordedCalls(rig.graphics);
        ASSERT_GE(calls.size(), 2u);
        EXPECT_EQ(calls.front().argb, face) << accent << enabled << hovered;
        // Caption 35 wide: x = 10 + 29 (-> 29) \ 2; y = 20 + (24 - 15 -> 9) \ 2 - 2.
        EXPECT_EQ(calls.back().text, "Back");
        EXPECT_EQ(calls.back().point, (PointF{24, 22}));
        EXPECT_EQ(calls.back().argb, brush) << accent << enabled << hovered;
    }

    ScopedDrawingErrors errors(false);
    rig.load.theme.TextFont = GDIPFont();  // measuring now fails with status 2
    rig.button->Draw(&rig.graphics);
    rig.button->Draw(&rig.graphics);
    EXPECT_EQ(rig.log.Records(),
              std::vector<std::string>{R"(1050,"PushButton","Draw","GDI+ Error 2")"});
}

}  // namespace
}  // namespace tarvik::test
