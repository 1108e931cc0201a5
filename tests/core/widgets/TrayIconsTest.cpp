#include "core/widgets/TrayIcons.h"

#include <gtest/gtest.h>

#include <optional>
#include <tuple>

#include "core/support/TestTrace.h"
#include "core/support/TrayFakes.h"
#include "core/widgets/TaskbarWatch.h"
#include "core/widgets/TrayPayload.h"

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
        message.Tip(tip).Word(280, 1).Word(284, 1).Word(800, 3);
        if (length >= 952) message.Guid(0xAB);
        const auto record = ReadTrayPayload(message.bytes);
        ASSERT_EQ(record.has_value(), read) << length;
        if (!record) continue;
        EXPECT_EQ(record->tip->size(), units) << length;
        EXPECT_EQ(record->hidden, hidden) << length;
        EXPECT_EQ(record->version, version) << length;
        EXPECT_EQ(record->key[0], key) << length;
    }
    // A tip ends at its first NUL; pairs stay whole, a lone half becomes U+FFFD; the hidden
    // state needs its mask bit; a GUID is the key alone, all zeros fall back to the window.
    TrayBytes odd(956, NimAdd, 0xFFFFFFFE, -3, NifTip | NifState | NifGuid);
    odd.Tip(u"\U0001F600\xD800\u00e9\0after"sv).Word(280, 1).Word(284, 2);
    const auto record = ReadTrayPayload(odd.bytes);
    EXPECT_EQ(*record->tip, "\U0001F600\uFFFD\u00e9");
    EXPECT_EQ(record->hidden, std::nullopt);
    EXPECT_EQ(record->key, "W-2:-3");
    EXPECT_EQ(ReadTrayPayload(odd.Guid(0x0A).bytes)->key, "G0A" + std::string(30, '0'));
}

struct Rig {
    TestTrace log;
    FakeOwners owners;
    TrayIcons icons{owners, log.trace};
    int changes = 0;
    Rig() {
        icons.Changed = [this] { ++changes; };
    }
    int32_t Send(const TrayBytes& message) { return icons.HandleTrayData(message.bytes); }
    std::string Keys() const {
        std::string keys;
        for (const auto& icon : icons.Icons()) keys += icon->ItemKey + " ";
        return keys;
    }
};

TEST(TrayIcons, MessagesAddChangeAndRemoveIconsByTheirKey) {
    Rig rig;
    // A modify first creates; the add then updates the same entry.
    EXPECT_EQ(rig.Send(TrayBytes(952, NimModify, 0x11, 1, NifIcon).Word(20, 0x500)), 1);
    EXPECT_EQ(
        rig.Send(
            TrayBytes(952, NimAdd, 0x11, 1, NifMessage | NifTip).Word(16, 0x8001).Tip(u"Mail")),
        1);
    EXPECT_EQ(rig.Send(TrayBytes(952, NimAdd, 0x11, 2, NifIcon | NifState)
                           .Word(20, 0xBAD)
                           .Word(280, 1)
                           .Word(284, 1)),
              1);
    EXPECT_EQ(rig.Keys(), "W17:1 W17:2 ");
    const NotifyIcon& first = *rig.icons.Icons()[0];
    EXPECT_EQ(std::tie(first.OwnerHwnd, first.CallbackMessage, first.TipText),
              std::make_tuple(0x11u, 0x8001u, std::string("Mail")));
    EXPECT_TRUE(first.HasImage());
    EXPECT_FALSE(rig.icons.Icons()[1]->HasImage());
    EXPECT_TRUE(rig.icons.Icons()[1]->Hidden);

    // Versions 0..4 only, from a long enough record, for a known icon.
    const std::tuple<size_t, int32_t, uint32_t, int32_t> versions[] = {
        {804, 1, 4, 1}, {804, 1, 5, 0}, {803, 1, 3, 0}, {804, 9, 3, 0}};
    for (const auto& [length, id, version, taken] : versions)
        EXPECT_EQ(rig.Send(TrayBytes(length, NimSetVersion, 0x11, id, 0).Word(800, version)),
                  taken);
    EXPECT_EQ(first.Version, 4);
    EXPECT_EQ(rig.Send(TrayBytes(24, NimSetFocus, 0x11, 9, 0)), 1);
    EXPECT_EQ(rig.Send(TrayBytes(24, 7, 0x11, 1, 0)), 0);
    EXPECT_EQ(rig.Send(TrayBytes(24, NimDelete, 0x11, 9, 0)), 0);
    EXPECT_EQ(rig.changes, 3);
    EXPECT_EQ(rig.Send(TrayBytes(24, NimDelete, 0x11, 1, 0)), 1);
    EXPECT_EQ(rig.Keys(), "W17:2 ");
}

TEST(TrayIcons, EventsReachLiveOwnersInTheirVersionsFormAndDeadOnesArePruned) {
    Rig rig;
    rig.Send(TrayBytes(24, NimAdd, 0x11, 3, NifMessage).Word(16, 0x8001));
    rig.Send(TrayBytes(24, NimAdd, 0x12, -2, NifMessage).Word(16, 0x8002));
    rig.Send(TrayBytes(804, NimSetVersion, 0x12, -2, 0).Word(800, 4));
    rig.Send(TrayBytes(24, NimAdd, 0x13, 1, 0));  // wants no events
    for (const auto& icon : rig.icons.Icons()) rig.icons.ForwardIconEvent(icon.get(), 0x202);
    rig.icons.ForwardIconEvent(nullptr, 0x202);
    // Old owners: the identifier and the event; version 4: the pointer (x -5 as 16 bits) and the
    // event with the identifier in the high half.
    EXPECT_EQ(rig.owners.posts,
              (std::vector<std::string>{"11 8001 3 202", "12 8002 12cfffb fffe0202"}));
    EXPECT_EQ(MakeLong(-1, -32768), 0x8000FFFFu);
    rig.owners.dead = {0x11, 0x13};
    rig.changes = 0;
    rig.icons.PruneDeadIcons();
    rig.icons.PruneDeadIcons();
    EXPECT_EQ(rig.Keys(), "W18:-2 ");
    EXPECT_EQ(rig.changes, 1);
}

TEST(TrayIcons, ReplayedIconsComeOutTheSameInAnotherCopy) {
    Rig host;
    host.Send(TrayBytes(952, NimAdd, 0x11, 5, kAll)
                  .Tip(std::u16string(130, u'\u00e9'))
                  .Word(16, 0x8001)
                  .Word(20, 0x500)
                  .Word(280, 1)
                  .Word(284, 1)
                  .Guid(0xC3));
    host.Send(TrayBytes(952, NimSetVersion, 0x11, 5, NifGuid).Word(800, 4).Guid(0xC3));
    host.Send(TrayBytes(24, NimAdd, 0x12, 6, 0));
    Rig copy;
    for (const auto& payload : host.icons.ReplayPayloads()) {
        EXPECT_EQ(payload.size(), kTrayReplaySize);
        EXPECT_EQ(copy.icons.HandleTrayData(payload), 1);
    }
    ASSERT_EQ(copy.Keys(), host.Keys());
    const NotifyIcon& icon = *copy.icons.Icons()[0];
    EXPECT_EQ(std::tie(icon.OwnerHwnd, icon.CallbackMessage, icon.Version, icon.Hidden),
              std::make_tuple(0x11u, 0x8001u, 4, true));
    EXPECT_EQ(icon.TipText.size(), 127u * 2);  // 127 units of a two-byte character
    EXPECT_FALSE(copy.icons.Icons()[1]->HasImage());
}

}  // namespace
}  // namespace tarvik::test

namespace tarvik::test {
namespace {

TEST(TaskbarWatch, TheDecoyStandsDownAtOnceAndComesBackOnTheThirdTickWithTheShell) {
    TaskbarWatch watch;
    using A = TaskbarWatch::Action;
    // (taskbar, decoy) per tick and the action; a decoy that failed is retried on every tick.
    const std::tuple<bool, bool, A> ticks[] = {
        {true, true, A::Nothing},  {false, true, A::StandDown}, {false, false, A::Nothing},
        {true, false, A::Nothing}, {true, false, A::Nothing},   {false, false, A::Nothing},
        {true, false, A::Nothing}, {true, false, A::Nothing},   {true, false, A::Rehost},
        {true, false, A::Rehost},  {true, true, A::Nothing}};
    int tick = 0;
    for (const auto& [taskbar, decoy, action] : ticks)
        EXPECT_EQ(watch.Tick(taskbar, decoy), action) << ++tick;
}

}  // namespace
}  // namespace tarvik::test
