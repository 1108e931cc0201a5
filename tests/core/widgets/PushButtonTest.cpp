#include "core/widgets/framework/PushButton.h"

#include <gtest/gtest.h>

#include "core/support/ThemeLoad.h"

namespace tarvik::test {
namespace {

// Text size 15: a caption of n characters measures 7.5n + 5 and needs 24 more for the insets.
struct Rig {
    explicit Rig(std::string_view scale = "100") {
        EXPECT_TRUE(load.Load("<t><text face='DejaVu Sans' size='15'/></t>", scale));
        button.emplace(load.theme, load.brushes(), load.log.trace, load.dpi);
        graphics.FromImage(bitmap.Image());
    }
    ThemeLoad load;
    std::optional<PushButton> button;
    GDIPBitmap bitmap = GDIPBitmap::CreateFromSizeFormat(300, 100);
    GDIPGraphics graphics;
};

TEST(PushButton, LaysOutTheRoundedCaptionWidthHitsInsideItsLeftAndTopEdgesOnlyAndDrawsDisabled) {
    // 9 characters: 96.5 -> 96, 11: 111.5 -> 112; at 150 % the minimum is 96 and the height 36.
    const std::tuple<std::string_view, std::string, int32_t, int32_t> cases[] = {
        {"100", "Back", 64, 24},
        {"100", "Abcdefghi", 96, 24},
        {"100", "Abcdefghijk", 112, 24},
        {"150", "", 96, 36},
    };
    for (const auto& [scale, caption, width, height] : cases) {
        Rig rig(scale);
        rig.button->Caption = caption;
        rig.button->LayoutAt(rig.graphics, 10, 20);
        EXPECT_EQ(rig.button->Bounds(), (BoundsRect{10, 20, width, height})) << caption << scale;
    }
    Rig rig;  // wider than its container it starts left of it (halved toward zero)
    rig.button->LayoutCentered(rig.graphics, 41, 5);
    EXPECT_EQ(rig.button->Bounds(), (BoundsRect{-11, 5, 64, 24}));
    rig.button->LayoutAt(rig.graphics, 10, 20);  // 10..74 across, 20..44 down
    for (const auto& [x, y, hit] : {std::tuple{10.0f, 20.0f, true},
                                    {73.9f, 43.9f, true},
                                    {74.0f, 30.0f, false},
                                    {30.0f, 44.0f, false}})
        EXPECT_EQ(rig.button->HitTest(x, y), hit) << x << "," << y;
    EXPECT_TRUE(rig.button->UpdateHover(30, 30));
    EXPECT_FALSE(rig.button->UpdateHover(31, 31));
    rig.button->Enabled = false;  // a disabled button is never hovered
    EXPECT_TRUE(rig.button->UpdateHover(30, 30));
    EXPECT_FALSE(rig.button->Hovered);
    rig.button->Caption = "Back";  // drawn plain and greyed
    rig.button->Accent = rig.button->Hovered = true;
    rig.button->LayoutAt(rig.graphics, 10, 20);
    rig.button->Draw(&rig.graphics);
    const auto& calls = RecordedCalls(rig.graphics);
    ASSERT_GE(calls.size(), 2u);
    EXPECT_EQ(calls.front().argb, 0xAFFFFFFFu) << "the plain face, not the accent or hot one";
    EXPECT_EQ(calls.back().point, (PointF{24, 22}));  // 10 + (64 - 35) \ 2, 20 + (24 - 15) \ 2 - 2
    EXPECT_EQ(calls.back().argb, RecordedArgb(rig.load.brushes().DisabledBrush()));
}

}  // namespace
}  // namespace tarvik::test
