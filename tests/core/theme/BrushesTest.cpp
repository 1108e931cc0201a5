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
    Colour halfRed = FromText("0000ff");
    halfRed.SetAlpha(0x80);  // the brush reads the text again, so alpha is 254 once more
    Brushes brushes(halfRed, FromText("#112233"), 0x80102030);
    const void* text = brushes.TextBrush().NativeHandle();
    EXPECT_EQ(RecordedArgb(brushes.TextBrush()), 0xFEFF0000u);
    EXPECT_EQ(RecordedArgb(brushes.HighlightBrush()), 0xFE332211u);
    EXPECT_EQ(RecordedArgb(brushes.DisabledBrush()), 0x80102030u);
    EXPECT_EQ(brushes.TextBrush().NativeHandle(), text);  // made once and kept
}

}  // namespace
}  // namespace tarvik::test
