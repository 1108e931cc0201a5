#include "core/widgets/TrayWidget.h"

#include <gtest/gtest.h>

#include "core/support/Drawn.h"
#include "core/support/TrayFakes.h"
#include "core/support/WidgetFakes.h"
#include "core/widgets/TrayPayload.h"

namespace tarvik::test {
namespace {

// The tray widget on a host with its canvas open; cells of 30 with 22-pixel icons at 100 %.
struct Rig : HostRig {
    Rig() {
        host->Register(tray);
        host->SummonCanvas("Tray", 400);
    }
    ~Rig() { host.reset(); }  // it detaches the widget, which uses the icons
    // Owner 0x10 + index, identifier index, callback 0x8000 + index.
    void Add(int32_t index, bool hidden = false, uint32_t icon = 0x500) {
        TrayBytes message(288, NimAdd, 0x10 + index, index, NifIcon | NifMessage | NifState);
        message.Word(16, 0x8000 + index).Word(20, icon);
        icons.HandleTrayData(message.Word(280, hidden).Word(284, 1).bytes);
    }
    std::tuple<int32_t, int32_t, int32_t, int32_t> Measure() {
        int32_t width = 0, height = 0;
        tray->MeasureCanvas(surface.graphics, width, height);
        return {tray->Columns(), tray->Rows(), width - 2 * pad, height - 2 * pad};
    }

    FakeOwners owners;
    TrayIcons icons{owners, load.log.trace};
    std::shared_ptr<TrayWidget> tray = std::make_shared<TrayWidget>(
        TrayWidgetServices{load.theme, load.log.trace, load.dpi, icons});
    CanvasSurface surface;
    int32_t pad = load.theme.Layout.PopupPad;
};

TEST(TrayWidget, TheGridIsSquareIshAndOnlyVisibleIconsWithPicturesTakeCells) {
    Rig rig;
    EXPECT_EQ(rig.Measure(), std::make_tuple(1, 1, 30, 30));  // one empty cell
    rig.Add(0, true);                                         // hidden
    rig.Add(1, false, 0xBAD);                                 // no picture
    const std::tuple<int32_t, int32_t, int32_t> grids[] = {
        {1, 1, 1}, {2, 2, 1}, {3, 2, 2}, {4, 2, 2}, {5, 3, 2}, {6, 3, 2}, {10, 4, 3}};
    int32_t added = 0;
    for (const auto& [count, columns, rows] : grids) {
        while (added < count) rig.Add(2 + added++);
        EXPECT_EQ(rig.Measure(), std::make_tuple(columns, rows, 30 * columns, 30 * rows)) << count;
    }
    rig.surface.Show(*rig.tray);
    std::vector<RectF> drawn;
    for (const DrawCall& call : RecordedCalls(rig.surface.graphics))
        if (call.kind == DrawKind::DrawImage) drawn.push_back(call.rect);
    ASSERT_EQ(drawn.size(), 10u);
    const auto p = static_cast<float>(rig.pad);
    EXPECT_EQ(drawn[0], (RectF{p + 4, p + 4, 22, 22}));
    EXPECT_EQ(drawn[9], (RectF{p + 34, p + 64, 22, 22}));  // the tenth: row 3, column 2
}

TEST(TrayWidget, ClicksReachTheOwnerAsTheShellSendsThem) {
    Rig rig;
    rig.Add(1);
    rig.Add(2);
    rig.icons.HandleTrayData(TrayBytes(804, NimSetVersion, 0x11, 1, 0).Word(800, 4).bytes);
    rig.Measure();
    const float p = static_cast<float>(rig.pad), a = p + 10, b = p + 40;
    // Down, up, move or double click ('2') with a button at a point, and whether the canvas is
    // open after: the padding and the empty second row forward nothing, not even a move; the
    // middle button is nobody's; only a left click on an icon closes the canvas.
    const std::tuple<char, int16_t, float, float, bool> steps[] = {
        {'m', 0, p - 1, a, true}, {'d', 1, a, p + 31, true}, {'u', 1, a, p + 31, true},
        {'d', 2, b, a, true},     {'u', 2, b, a, true},      {'2', 0, 0, 0, true},
        {'d', 4, b, a, true},     {'d', 2, a, a, true},      {'u', 2, a, a, true},
        {'d', 1, a, a, true},     {'u', 1, a, a, false}};
    int step = 0;
    for (const auto& [action, button, x, y, open] : steps) {
        if (action == 'm') rig.tray->OnCanvasMouseMove(button, x, y);
        if (action == 'd') rig.tray->OnCanvasMouseDown(button, x, y);
        if (action == 'u') rig.tray->OnCanvasMouseUp(button, x, y);
        if (action == '2') rig.tray->OnCanvasDblClick();
        EXPECT_EQ(rig.canvas.visible, open) << ++step;
    }
    EXPECT_EQ(rig.owners.posts,
              (Lines{"12 8002 2 204", "12 8002 2 205", "12 8002 2 203", "11 8001 12cfffb 10204",
                     "11 8001 12cfffb 10205", "11 8001 12cfffb 1007b", "11 8001 12cfffb 10201",
                     "11 8001 12cfffb 10202", "11 8001 12cfffb 10400"}));
    EXPECT_EQ(rig.owners.allowed, (std::vector<uint32_t>{0x12, 0x12, 0x11, 0x11}));
}

}  // namespace
}  // namespace tarvik::test
