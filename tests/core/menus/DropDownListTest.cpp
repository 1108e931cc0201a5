#include "core/menus/DropDownList.h"

#include <gtest/gtest.h>

#include "core/support/Drawn.h"
#include "core/support/MenuRows.h"
#include "core/support/ThemeLoad.h"

namespace tarvik::test {
namespace {

std::shared_ptr<MenuItem> Row(std::string text) {
    return Item({.text = std::move(text)});
}

// The default layout: rows 21 high, separators 10, text at (30, 4), 20 right of the widest
// text and 6 below the last row. Rows: Open [4, 25), separator [25, 35), Gone (disabled)
// [35, 56), Save [56, 77).
class DropDownListTest : public ::testing::Test {
  protected:
    DropDownListTest() {
        EXPECT_TRUE(m_loaded);
        m_list.SetItems(m_items);
    }

    ThemeLoad m_load;
    const bool m_loaded = m_load.Load("<t><text color='332211' highlight='ffffff'/></t>");
    TestTrace m_log;
    Brushes& m_brushes = m_load.brushes();
    DropDownList m_list{m_load.theme, m_brushes, m_log.trace};
    const MenuItemList m_items{Row("Open"), Item({.IsSeparator = true}),
                               Item({.text = "Gone", .IsEnabled = false}), Row("Save")};
};

TEST_F(DropDownListTest, RowsStackAndTheHitTestFindsTheRowStrictlyInside) {
    for (const auto& [index, top] : {std::pair{0, 4}, {1, 4}, {2, 25}, {4, 56}, {5, 77}})
        EXPECT_EQ(m_list.RowTop(index), top) << index;
    // y, index, row (-1 for none): a boundary between two rows hits neither.
    const std::tuple<int32_t, int32_t, int> hits[] = {
        {4, 4, -1}, {5, 1, 0}, {25, 4, -1}, {26, 2, 1}, {76, 4, 3}, {77, 4, -1}, {-40000, 4, -1}};
    for (const auto& [y, index, row] : hits) {
        int32_t gotIndex = -7;
        std::shared_ptr<MenuItem> item = Row("stale");
        m_list.GetSelectedItem(y, gotIndex, item);
        EXPECT_EQ(gotIndex, index) << y;
        EXPECT_EQ(item, row < 0 ? nullptr : m_items[static_cast<size_t>(row)]) << y;
    }
    // The widest caption (7.5 pixels per UTF-16 unit) rounded halves to even, plus margins.
    EXPECT_EQ(m_list.WindowSize({}), (ListSize{50, 10}));
    EXPECT_EQ(m_list.WindowSize({Row("Open"), Row("Export..."), Item({.IsSeparator = true})}),
              (ListSize{72 + 50, 52 + 10}));
    EXPECT_EQ(m_list.WindowSize(
                  {Row("Page Setup\u2026"), Item({.text = "Properties", .IsEnabled = false})}),
              (ListSize{88 + 50, 42 + 10}));
}

TEST_F(DropDownListTest, OnlyEnabledRowsGetHotAndAPressTakesTheHotRow) {
    using Outcome = DropDownList::MoveOutcome;
    const std::tuple<int32_t, Outcome, int> steps[] = {
        {10, Outcome::Hover, 0},     // onto Open
        {20, Outcome::Nothing, 0},   // along Open
        {30, Outcome::Repaint, -1},  // onto the separator
        {60, Outcome::Hover, 3},     // onto Save
        {40, Outcome::Repaint, -1},  // onto the disabled row
        {60, Outcome::Hover, 3},
    };
    for (const auto& [y, outcome, hot] : steps) {
        EXPECT_EQ(m_list.MouseMove(y), outcome) << y;
        EXPECT_EQ(m_list.HotItem(), hot < 0 ? nullptr : m_items[static_cast<size_t>(hot)]) << y;
    }
    EXPECT_TRUE(m_list.MouseDown());
    EXPECT_EQ(m_list.PressedItem(), m_items[3]);
    EXPECT_EQ(m_list.PressedIndex(), 4);
    EXPECT_FALSE(m_list.MouseDown()) << "nothing is hot any more";

    // Only the same list object with the same rows counts as shown; a new one starts clean.
    const MenuItemList copy = m_items;
    EXPECT_TRUE(m_list.Shows(m_items));
    EXPECT_FALSE(m_list.Shows(copy));
    m_list.SetItems(copy);
    EXPECT_EQ(m_list.PressedItem(), nullptr);
    m_list.MouseMove(40);
    EXPECT_FALSE(m_list.MouseDown()) << "a disabled row is never pressed";
}

TEST_F(DropDownListTest, TheFrameIsGlassThenHighlightsSeparatorsAndTextsAndAFailureIsLoggedOnce) {
    const GlassStyle& glass = m_load.theme.Glass;
    // A checked row has its mark in the margin, in its caption's colour.
    m_items[0]->IsChecked = true;
    m_items[2]->IsChecked = true;
    m_list.MouseMove(10);  // Open hot
    GDIPBitmap bitmap = GDIPBitmap::CreateFromSizeFormat(200, 120);
    GDIPGraphics graphics;
    graphics.FromImage(bitmap.Image());
    m_list.Paint(graphics, 200, 120, true);
    EXPECT_EQ(
        Drawn(RecordedCalls(graphics), {{glass.Selection, "selection"},
                                        {glass.SeparatorColor, "separator"},
                                        {RecordedArgb(m_brushes.DisabledBrush()), "disabled"},
                                        {RecordedArgb(m_brushes.HighlightBrush()), "highlight"},
                                        {RecordedArgb(m_brushes.TextBrush()), "text"}}),
        (Lines{"clear", "fill ?", "line separator", "fill selection", "\u2713 highlight 12,4 15",
               "Open highlight 30,4 15", "rect separator 15,30 170x1", "\u2713 disabled 12,35 15",
               "Gone disabled 30,35 15", "Save text 30,56 15"}));
    // Without glass behind, the body is the tint.
    graphics.FromImage(bitmap.Image());
    m_list.Paint(graphics, 200, 120, false);
    EXPECT_EQ(RecordedCalls(graphics).at(1).argb, glass.Tint);

    ScopedDrawingErrors errors(false);
    m_list.ClearHot();
    m_load.theme.TextFont = GDIPFont();  // every text now fails with status 2
    graphics.FromImage(bitmap.Image());
    m_list.DrawListText(graphics, 100);
    m_list.DrawListText(graphics, 100);
    EXPECT_TRUE(RecordedCalls(graphics).empty()) << "the rows after the failure are drawn";
    EXPECT_EQ(m_log.Records(), Lines{R"(1050,"DropDownMenu","DrawListText","GDI+ Error 2")"});
}

// The positions the menus have always produced: the left edge rounded to a whole pixel, the top
// rounded to a whole twip and then to a whole pixel (halves to even at each step), and a window
// past the right edge of a 1920-pixel screen moved back to end at it.
TEST(DropDownPlacement, KeepsThePositionsOfTheTwipsArithmeticAtEveryCommonDpi) {
    // DPI, the point asked for, the window's width -> where it goes.
    const std::tuple<int32_t, ScreenPoint, int32_t, ListPlacement> cases[] = {
        {96, {137.5, 23}, 100, {138, 23}},   // 137.5 -> 138
        {96, {136.5, 23}, 100, {136, 23}},   // 136.5 -> 136
        {96, {40, 53}, 100, {40, 53}},       // bar 30 lower: 795 twips -> 53
        {96, {1900, 23}, 100, {1820, 23}},   // past the right edge
        {96, {1820, 23}, 100, {1820, 23}},   // ends exactly at the edge: stays
        {120, {300.5, 21}, 200, {300, 21}},  // 252 twips -> 21
        {168, {10, 37}, 200, {10, 37}},      // 317.14 -> 317 twips -> 36.98 -> 37
        {168, {1721, 1}, 200, {1720, 1}},    // 8.57 -> 9 twips -> 1.05 -> 1
    };
    for (const auto& [dpi, at, width, placed] : cases) {
        EXPECT_EQ(PlaceDropDown(at, {width, 40}, 1920, TwipsPerPixelFromDpi(dpi, dpi)), placed)
            << dpi << " dpi at " << at.x << ", " << at.y;
    }
    // A DPI that cannot be read counts as 96.
    EXPECT_EQ(TwipsPerPixelFromDpi(0, -5).x, 15.0);
    EXPECT_EQ(TwipsPerPixelFromDpi(0, -5).y, 15.0);
}

}  // namespace
}  // namespace tarvik::test
