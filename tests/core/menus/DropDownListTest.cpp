#include "core/menus/DropDownList.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "core/app/Trace.h"
#include "core/support/Fakes.h"
#include "core/support/RecordingGraphics.h"
#include "core/support/ThemeLoad.h"
#include "core/theme/Brushes.h"

namespace tarvik::test {
namespace {

constexpr uint32_t kTextArgb = 0xFE112233;
constexpr uint32_t kHighlightArgb = 0xFEFFFFFF;
constexpr uint32_t kDisabledArgb = 0x66000000;

Colour FromText(const char* text) {
    Colour colour;
    colour.SetColourByHex(text);
    return colour;
}

std::shared_ptr<MenuItem> Row(std::string text, bool enabled = true) {
    auto item = std::make_shared<MenuItem>();
    item->text = std::move(text);
    item->IsEnabled = enabled;
    return item;
}

std::shared_ptr<MenuItem> Separator() {
    auto item = std::make_shared<MenuItem>();
    item->IsSeparator = true;
    return item;
}

// The default layout: rows 21 high, separators 10, text at (30, 4), 20 right of the widest
// text and 6 below the last row; the highlight 15 in, 30 narrower than the window, 2 above the
// text and 20 high; the separator line 15 in, 5 below its row's top, 30 narrower.
class DropDownListTest : public ::testing::Test {
  protected:
    DropDownListTest() { EXPECT_TRUE(m_load.Load(std::nullopt)); }

    DropDownList& List() {
        if (!m_list) m_list = std::make_unique<DropDownList>(m_load.theme, m_brushes, m_trace);
        return *m_list;
    }
    std::string Log() const { return ReadFile(m_folder.Path() / "errors.log"); }

    ThemeLoad m_load;
    TempFolder m_folder;
    FakeClock m_clock;
    Trace m_trace{m_folder.Path() / "errors.log", m_clock};
    Brushes m_brushes{FromText("332211"), FromText("ffffff"), kDisabledArgb};
    std::unique_ptr<DropDownList> m_list;
};

TEST_F(DropDownListTest, RowsStackFromTheTextOffsetWithSeparatorsOfTheirOwnHeight) {
    // Rows: Open [4, 25), separator [25, 35), Save [35, 56), Close [56, 77).
    const MenuItemList items{Row("Open"), Separator(), Row("Save"), Row("Close")};
    List().SetItems(items);
    struct Case {
        int32_t index;
        int32_t top;
    };
    for (const Case& c : {Case{-3, 4}, Case{0, 4}, Case{1, 4}, Case{2, 25}, Case{3, 35},
                          Case{4, 56}, Case{5, 77}, Case{40, 77}}) {
        EXPECT_EQ(List().RowTop(c.index), c.top) << c.index;
    }
    EXPECT_EQ(List().ListHeight(items), 3 * 21 + 10);
}

TEST_F(DropDownListTest, TheHitTestFindsTheRowStrictlyInsideItsEdges) {
    const MenuItemList items{Row("Open"), Separator(), Row("Save"), Row("Close")};
    List().SetItems(items);
    struct Case {
        const char* name;
        int32_t y;
        int32_t index;
        int row;  // position in items, -1 for none
    };
    const Case cases[] = {
        {"above the first row", 0, 4, -1},
        {"on the first row's top", 4, 4, -1},
        {"just inside the first row", 5, 1, 0},
        {"on the boundary of the first two rows", 25, 4, -1},
        {"just inside the last row", 76, 4, 3},
        {"on the last row's bottom", 77, 4, -1},
        {"far below, negative", -40000, 4, -1},
    };
    for (const Case& c : cases) {
        int32_t index = -7;
        std::shared_ptr<MenuItem> item = Row("stale");
        List().GetSelectedItem(c.y, index, item);
        EXPECT_EQ(index, c.index) << c.name;
        EXPECT_EQ(item, c.row < 0 ? nullptr : items[static_cast<size_t>(c.row)]) << c.name;
    }
}

TEST_F(DropDownListTest, TheWindowIsTheWidestMeasuredTextAndTheRowsPlusTheMargins) {
    // The recording library measures 7.5 pixels per UTF-16 unit at 15 pixels, plus 5 of
    // padding; halves go to the even neighbour.
    struct Case {
        const char* name;
        MenuItemList items;
        ListSize size;
    };
    const Case cases[] = {
        {"no rows", {}, {30 + 20, 4 + 6}},
        {"72.5 rounds down", {Row("Open"), Row("Export..."), Separator()}, {72 + 50, 52 + 10}},
        {"87.5 rounds up, counted in UTF-16 units",
         {Row("Page Setup\u2026"), Row("Export...")},
         {88 + 50, 42 + 10}},
        {"a disabled row counts", {Row("Open"), Row("Properties", false)}, {80 + 50, 42 + 10}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(List().WindowSize(c.items), c.size) << c.name;
    }
}

TEST_F(DropDownListTest, PointerMovesMakeOnlyEnabledRowsHotAndPressingTakesTheHotRow) {
    const MenuItemList items{Row("Open"), Separator(), Row("Gone", false), Row("Save")};
    List().SetItems(items);
    using Outcome = DropDownList::MoveOutcome;
    struct Step {
        const char* name;
        int32_t y;
        Outcome outcome;
        int hot;  // position in items, -1 for none
        int32_t hotIndex;
    };
    const Step steps[] = {
        {"onto Open", 10, Outcome::Hover, 0, 1},
        {"a boundary keeps the hot row", 25, Outcome::Nothing, 0, 4},
        {"onto the separator", 30, Outcome::Repaint, -1, 2},
        {"onto Save", 60, Outcome::Hover, 3, 4},
        {"onto the disabled row", 40, Outcome::Repaint, -1, 3},
        {"back onto Save", 60, Outcome::Hover, 3, 4},
    };
    for (const Step& step : steps) {
        EXPECT_EQ(List().MouseMove(step.y), step.outcome) << step.name;
        EXPECT_EQ(List().HotItem(), step.hot < 0 ? nullptr : items[static_cast<size_t>(step.hot)])
            << step.name;
        EXPECT_EQ(List().HotIndex(), step.hotIndex) << step.name;
    }
    // Save is hot: pressing takes it; a second press finds nothing hot.
    EXPECT_TRUE(List().MouseDown());
    EXPECT_EQ(List().PressedItem(), items[3]);
    EXPECT_EQ(List().HotItem(), nullptr);
    EXPECT_EQ(List().PressedIndex(), 4);
    EXPECT_FALSE(List().MouseDown());
    EXPECT_EQ(List().PressedItem(), items[3]);

    // Another list starts with nothing hot or pressed.
    List().MouseMove(10);
    const MenuItemList other{Row("Cut"), Row("Copy")};
    List().SetItems(other);
    EXPECT_EQ(List().HotItem(), nullptr);
    EXPECT_EQ(List().PressedItem(), nullptr);

    // A disabled row never becomes hot, so nothing can be pressed on it.
    List().SetItems(items);
    List().MouseMove(40);
    EXPECT_FALSE(List().MouseDown());
    EXPECT_EQ(List().PressedItem(), nullptr);
}

TEST_F(DropDownListTest, OnlyTheSameListWithTheSameRowsCountsAsShown) {
    MenuItemList items{Row("Open"), Row("Save")};
    const MenuItemList copy = items;
    EXPECT_FALSE(List().Shows(items));
    List().SetItems(items);
    EXPECT_TRUE(List().Shows(items));
    EXPECT_FALSE(List().Shows(copy));
    items.push_back(Row("Close"));
    EXPECT_FALSE(List().Shows(items));
    List().SetItems(items);
    List().Clear();
    EXPECT_FALSE(List().Shows(items));
    EXPECT_FALSE(List().HasList());

    // No list paints no rows.
    GDIPBitmap bitmap = GDIPBitmap::CreateFromSizeFormat(60, 20);
    GDIPGraphics graphics;
    graphics.FromImage(bitmap.Image());
    List().DrawListText(graphics, 60);
    EXPECT_TRUE(RecordedCalls(graphics).empty());
}

TEST_F(DropDownListTest, TheFrameIsGlassThenHighlightsSeparatorsAndTextsInTheirBrushes) {
    const GlassStyle& glass = m_load.theme.Glass;
    const MenuItemList items{Row("Open"), Separator(), Row("Gone", false), Row("Save"),
                             Row("Print")};
    List().SetItems(items);
    List().MouseMove(80);  // Print [77, 98)
    List().MouseDown();
    List().MouseMove(10);  // Open [4, 25) hot, Print stays pressed

    GDIPBitmap bitmap = GDIPBitmap::CreateFromSizeFormat(200, 120);
    GDIPGraphics graphics;
    graphics.FromImage(bitmap.Image());
    List().Paint(graphics, 200, 120, true);

    struct Expected {
        DrawKind kind;
        uint32_t argb;
        RectF rect;  // FillRectangle only
        std::string text;
        PointF point;
    };
    const std::vector<Expected> expected{
        {DrawKind::Clear, 0, {}, "", {}},
        {DrawKind::FillPath, 0x01FFFFFF, {}, "", {}},  // glass behind: all but transparent
        {DrawKind::DrawPath, glass.BorderColor, {}, "", {}},
        {DrawKind::FillPath, glass.Selection, {}, "", {}},
        {DrawKind::DrawString, kHighlightArgb, {}, "Open", {30, 4}},
        {DrawKind::FillRectangle, glass.SeparatorColor, {15, 30, 170, 1}, "", {}},
        {DrawKind::DrawString, kDisabledArgb, {}, "Gone", {30, 35}},
        {DrawKind::DrawString, kTextArgb, {}, "Save", {30, 56}},
        {DrawKind::FillPath, glass.Selection, {}, "", {}},
        {DrawKind::DrawString, kHighlightArgb, {}, "Print", {30, 77}},
    };
    const std::vector<DrawCall>& calls = RecordedCalls(graphics);
    ASSERT_EQ(calls.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(calls[i].kind, expected[i].kind);
        EXPECT_EQ(calls[i].argb, expected[i].argb);
        if (expected[i].kind == DrawKind::FillRectangle) {
            EXPECT_EQ(calls[i].rect, expected[i].rect);
        }
        if (expected[i].kind == DrawKind::DrawString) {
            EXPECT_EQ(calls[i].text, expected[i].text);
            EXPECT_EQ(calls[i].point, expected[i].point);
            EXPECT_EQ(calls[i].font.size, 15.0f);
            EXPECT_EQ(calls[i].font.style, kFontStyleRegular);
        }
    }
    // The highlight sits 2 above the row's text, 15 in, 30 narrower than the window, 20 high
    // (its rounded corners start at the left edge and the top).
    const auto& open = calls[3].path;
    ASSERT_FALSE(open.empty());
    EXPECT_EQ(open.front().values[0], 15.0f);
    EXPECT_EQ(open.front().values[1], 2.0f);
    const auto& print = calls[8].path;
    ASSERT_GE(print.size(), 5u);
    const float d = print[0].values[2];
    EXPECT_EQ(print[0].values[1], 75.0f);
    EXPECT_EQ(print[4].values[0] + d, 15.0f + 170.0f);  // bottom-right arc ends at the right
    EXPECT_EQ(print[4].values[1] + d, 75.0f + 20.0f);

    // Without glass behind, the body is the tint.
    graphics.FromImage(bitmap.Image());
    List().Paint(graphics, 200, 120, false);
    EXPECT_EQ(RecordedCalls(graphics).at(1).argb, glass.Tint);
}

TEST_F(DropDownListTest, APaintingFailureIsLoggedOnceAndStopsThePainting) {
    ScopedDrawingErrors errors(false);
    const MenuItemList items{Row("Open"), Separator(), Row("Save")};
    List().SetItems(items);
    m_load.theme.TextFont = GDIPFont();  // every text now fails with status 2

    GDIPBitmap bitmap = GDIPBitmap::CreateFromSizeFormat(100, 80);
    GDIPGraphics graphics;
    graphics.FromImage(bitmap.Image());
    List().DrawListText(graphics, 100);
    List().DrawListText(graphics, 100);
    EXPECT_TRUE(RecordedCalls(graphics).empty()) << "the separator after the failure is drawn";
    const std::string log = Log();
    const std::string record = "1050,\"DropDownMenu\",\"DrawListText\",\"GDI+ Error 2\"";
    EXPECT_NE(log.find(record), std::string::npos) << log;
    EXPECT_EQ(log.find(record), log.rfind(record)) << "logged twice: " << log;
}

}  // namespace
}  // namespace tarvik::test
