#include "core/widgets/TrayIcons.h"

#include <gtest/gtest.h>

#include "core/support/Drawn.h"
#include "core/support/TrayFakes.h"
#include "core/support/WidgetFakes.h"
#include "core/widgets/TaskbarWatch.h"
#include "core/widgets/TrayPayload.h"
#include "core/widgets/TrayWidget.h"

namespace tarvik::test {
namespace {

using namespace std::literals;

constexpr uint32_t kAll = NifMessage | NifIcon | NifTip | NifState | NifGuid;

TEST(TrayPayload, EachFieldIsReadOnlyFromTheRecordLengthThatHoldsIt) {
    const std::u16string tip = u"Volume: " + std::u16string(200, u'x');
    // Record length: whether it is read, tip units, hidden state, version, key form.
    const std::tuple<size_t, bool, size_t, std::optional<bool>, std::optional<uint32_t>, char>
        cases[] = {{23, false, 0, {}, {}, 0},       {24, true, 0, {}, {}, 'W'},
                   {151, true, 0, {}, {}, 'W'},     {152, true, 64, {}, {}, 'W'},
                   {279, true, 64, {}, {}, 'W'},    {280, true, 128, {}, {}, 'W'},
                   {287, true, 128, {}, {}, 'W'},   {288, true, 128, true, {}, 'W'},
                   {803, true, 128, true, {}, 'W'}, {804, true, 128, true, 3u, 'W'},
                   {951, true, 128, true, 3u, 'W'}, {952, true, 128, true, 3u, 'G'}};
    for (const auto& [length, read, units, hidden, version, key] : cases) {
        TrayBytes message(length, NimSetVersion, 0x11, 7, kAll);
        const auto record = ReadTrayPayload(
            message.Tip(tip).Word(280, 1).Word(284, 1).Word(800, 3).Word(936, 0xAB).bytes);
        ASSERT_EQ(record.has_value(), read) << length;
        if (!record) continue;
        EXPECT_EQ(std::tuple(record->tip->size(), record->hidden, record->version, record->key[0]),
                  std::tuple(units, hidden, version, key))
            << length;
    }
    // A tip ends at its first NUL; pairs stay whole, a lone half becomes U+FFFD; the hidden
    // state needs its mask bit; a GUID is the key alone, all zeros fall back to the window.
    TrayBytes odd(956, NimAdd, 0xFFFFFFFE, -3, NifTip | NifState | NifGuid);
    odd.Tip(u"\U0001F600\xD800\u00e9\0after"sv).Word(280, 1).Word(284, 2);
    const auto record = ReadTrayPayload(odd.bytes);
    EXPECT_EQ(std::tie(*record->tip, record->hidden, record->key),
              std::make_tuple("\U0001F600\uFFFD\u00e9"s, std::nullopt, "W-2:-3"s));
    EXPECT_EQ(ReadTrayPayload(odd.Word(936, 0x0A).bytes)->key, "G0A" + std::string(30, '0'));
    EXPECT_EQ(MakeLong(-1, -32768), 0x8000FFFFu);
}

// Each icon as "key owner id callback version tip[ hidden][ picture]".
Lines Seen(const TrayIcons& icons) {
    Lines seen;
    for (const auto& i : icons.Icons()) {
        char line[64];
        std::snprintf(line, sizeof line, " %x %d %x %d ", i->OwnerHwnd, i->IconId,
                      i->CallbackMessage, i->Version);
        seen.push_back(i->ItemKey + line + i->TipText + (i->Hidden ? " hidden" : "") +
                       (i->HasImage() ? " picture" : ""));
    }
    return seen;
}

TEST(TrayIcons, MessagesKeepIconsByKeyForLiveOwnersAndReplayIntoAnotherCopy) {
    TestTrace log;
    FakeOwners owners;
    TrayIcons host(owners, log.trace), copy(owners, log.trace);
    int changes = 0;
    host.Changed = [&] { ++changes; };
    std::u16string smiles;  // 64 pairs: the 128 units a tip holds
    std::string smiles8;
    for (int i = 0; i < 64; ++i) smiles += u"\U0001F600", smiles8 += "\U0001F600";
    // A modify first creates and the add updates it; a callback below WM_USER is refused, on a
    // modify too; versions 0..4 only, from a long enough record, for a known icon.
    const std::pair<TrayBytes, int32_t> messages[] = {
        {TrayBytes(952, NimModify, 0x11, 1, NifIcon).Word(20, 0x500), 1},
        {TrayBytes(952, NimAdd, 0x11, 1, NifMessage | NifTip).Word(16, 0x8001).Tip(u"Mail"), 1},
        {TrayBytes(288, NimAdd, 0x12, 2, NifState).Word(280, 1).Word(284, 1), 1},
        {TrayBytes(24, NimAdd, 0x13, -3, NifMessage).Word(16, 0x8003), 1},
        {TrayBytes(24, NimModify, 0x13, -3, NifMessage).Word(16, 0x10), 0},
        {TrayBytes(24, NimAdd, 0x16, 6, NifMessage).Word(16, 0x112), 0},
        {TrayBytes(952, NimAdd, 0x14, 4, kAll).Word(936, 0xC3).Tip(smiles), 1},
        {TrayBytes(952, NimSetVersion, 0x14, 4, NifGuid).Word(800, 3).Word(936, 0xC3), 1},
        {TrayBytes(804, NimSetVersion, 0x11, 1, 0).Word(800, 4), 1},
        {TrayBytes(804, NimSetVersion, 0x11, 1, 0).Word(800, 5), 0},
        {TrayBytes(803, NimSetVersion, 0x11, 1, 0).Word(800, 3), 0},
        {TrayBytes(804, NimSetVersion, 0x11, 9, 0).Word(800, 3), 0},
        {TrayBytes(24, NimSetFocus, 0x11, 9, 0), 1},
        {TrayBytes(24, 7, 0x11, 1, 0), 0},
        {TrayBytes(24, NimDelete, 0x11, 9, 0), 0},
        {TrayBytes(24, NimAdd, 0x15, 5, 0), 1},
        {TrayBytes(24, NimDelete, 0x15, 5, 0), 1},
        {TrayBytes(24, NimAdd, 0x1F, 3, NifMessage).Word(16, 0x8001), 1}};
    int step = 0;
    for (const auto& [message, taken] : messages)
        EXPECT_EQ(host.HandleTrayData(message.bytes), taken) << ++step;
    EXPECT_EQ(std::pair(changes, log.Records().size()),
              std::pair(8, size_t{1}));  // one refusal line
    const std::string guid = "GC3" + std::string(30, '0') + " 14 4 0 3 ";
    Lines icons{"W17:1 11 1 8001 4 Mail picture", "W18:2 12 2 0 0  hidden", "W19:-3 13 -3 8003 0 ",
                guid + smiles8, "W31:3 1f 3 8001 0 "};
    EXPECT_EQ(Seen(host), icons);
    // The other copy gets each whole record, the tip cut to 127 units without splitting a pair.
    for (const auto& payload : host.ReplayPayloads()) EXPECT_EQ(copy.HandleTrayData(payload), 1);
    icons[3] = guid + smiles8.substr(4);
    EXPECT_EQ(Seen(copy), icons);

    // Events reach live owners that asked for them, in their version's form, but never this
    // program; dead owners' icons go.
    for (const bool ownerDied : {false, true}) {
        owners.dead = {ownerDied ? 0x11u : 0u};
        for (const auto& icon : host.Icons()) host.ForwardIconEvent(icon.get(), 0x202);
        host.ForwardIconEvent(nullptr, 0x202);
    }
    EXPECT_EQ(owners.posts,
              (Lines{"11 8001 12cfffb 10202", "13 8003 fffffffd 202", "13 8003 fffffffd 202"}));
    changes = 0;
    host.PruneDeadIcons();
    host.PruneDeadIcons();
    EXPECT_EQ(std::tuple(host.Icons().size(), host.FindIcon("W17:1"), changes),
              std::tuple(4u, nullptr, 1));
}

TEST(TrayIcons, RefusesFloods) {
    TestTrace log;
    FakeOwners owners;
    TrayIcons icons(owners, log.trace);
    // 5,000 adds from one program keep 64; eight programs fill the 512 and a ninth gets none;
    // icons already held still change. Each refusal is logged once.
    const auto add = [&](uint32_t owner, int32_t id, uint32_t message = NimAdd) {
        return icons.HandleTrayData(TrayBytes(24, message, owner, id, 0).bytes);
    };
    int taken = 0;
    for (int32_t id = 0; id < 5000; ++id) taken += add(0x10, id);
    EXPECT_EQ(taken, 64);
    for (uint32_t owner = 0x11; owner <= 0x18; ++owner)
        for (int32_t id = 0; id < 100; ++id) taken += add(owner, id);
    EXPECT_EQ(std::tuple(taken, icons.Icons().size(), add(0x10, 0, NimModify)),
              std::tuple(512, 512u, 1));
    EXPECT_EQ(log.Records().size(), 2u);
}

TEST(TaskbarWatch, TheDecoyStandsDownAtOnceAndComesBackOnTheThirdTickWithTheShell) {
    TaskbarWatch watch;
    // Per tick: the shell's taskbar and the decoy (1: there), then the action (Nothing, StandDown,
    // Rehost); a decoy that could not be made is tried again on every tick.
    const std::string_view ticks = "11N 01S 00N 10N 10N 00N 10N 10N 10R 10R 11N";
    for (size_t at = 0; at < ticks.size(); at += 4) {
        const auto action = static_cast<TaskbarWatch::Action>("NSR"sv.find(ticks[at + 2]));
        EXPECT_EQ(watch.Tick(ticks[at] == '1', ticks[at + 1] == '1'), action) << at / 4;
    }
}

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
