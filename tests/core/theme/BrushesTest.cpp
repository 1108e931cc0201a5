#include "core/theme/Brushes.h"

#include <gtest/gtest.h>

#include "core/support/RecordingGraphics.h"

namespace tarvik::test {
namespace {

Colour FromText(const char* text) {
    Colour colour;
    colour.SetColourByHex(text);
    return colour;
}

TEST(Brushes, TextColoursAreReadAgainFromTheirTextAndDisabledFromARGB) {
    struct Case {
        const char* name;
        Colour text;
        Colour highlight;
        uint32_t disabled;
        uint32_t textArgb, highlightArgb, disabledArgb;
    };
    Colour halfRed = FromText("0000ff");
    halfRed.SetAlpha(0x80);  // the brush reads the text again, so alpha is 254 once more
    const Case cases[] = {
        {"defaults", FromText("000000"), FromText("ffffff"), 0x66000000, 0xFE000000, 0xFEFFFFFF,
         0x66000000},
        {"blue, green, red text", FromText("0000FF"), FromText("#112233"), 0x80102030, 0xFEFF0000,
         0xFE332211, 0x80102030},
        {"own alpha dropped", halfRed, FromText("fff"), 0xFF00FF00, 0xFEFF0000, 0xFEFF0F00,
         0xFF00FF00},
    };
    for (const Case& c : cases) {
        Brushes brushes(c.text, c.highlight, c.disabled);
        EXPECT_EQ(RecordedArgb(brushes.TextBrush()), c.textArgb) << c.name;
        EXPECT_EQ(RecordedArgb(brushes.HighlightBrush()), c.highlightArgb) << c.name;
        EXPECT_EQ(RecordedArgb(brushes.DisabledBrush()), c.disabledArgb) << c.name;
    }
}

TEST(Brushes, AllThreeAreMadeOnTheFirstRequestAndKept) {
    const int before = LiveNativeObjects();
    {
        Brushes brushes(FromText("000000"), FromText("ffffff"), 0x66000000);
        EXPECT_EQ(LiveNativeObjects(), before);  // nothing until asked

        const GDIPBrush& disabled = brushes.DisabledBrush();
        EXPECT_EQ(LiveNativeObjects(), before + 3);
        const uint64_t text = RecordedNativeId(brushes.TextBrush());
        const uint64_t highlight = RecordedNativeId(brushes.HighlightBrush());
        EXPECT_EQ(LiveNativeObjects(), before + 3);

        EXPECT_EQ(&brushes.DisabledBrush(), &disabled);
        EXPECT_EQ(RecordedNativeId(brushes.TextBrush()), text);
        EXPECT_EQ(RecordedNativeId(brushes.HighlightBrush()), highlight);
        EXPECT_EQ(LiveNativeObjects(), before + 3);
    }
    EXPECT_EQ(LiveNativeObjects(), before);
}

}  // namespace
}  // namespace tarvik::test
