#include "core/shortcuts/Hotkeys.h"

#include <optional>
#include <utility>

#include "core/app/Trace.h"
#include "core/platform/SettingsStore.h"
#include "core/shortcuts/ShortcutPorts.h"

namespace tarvik {

namespace {

// What each hotkey does, as the log lines say it.
std::string_view Purpose(Hotkeys::Action action) {
    return action == Hotkeys::Action::OpenMenus ? "opening the menus" : "the menu search";
}

// Hotkey ids are the action's number plus one: Windows keeps 0 for none.
int32_t IdOf(Hotkeys::Action action) {
    return static_cast<int32_t>(action) + 1;
}

}  // namespace

Hotkeys::Hotkeys(ISettingsStore& settings, IHotkeyPort& port, Trace& trace)
    : m_settings(settings), m_port(port), m_trace(trace) {}

std::string_view Hotkeys::KeyOf(Action action) {
    return action == Action::OpenMenus ? "OpenMenus" : "MenuSearch";
}

std::string_view Hotkeys::DefaultOf(Action action) {
    return action == Action::OpenMenus ? "Win+Alt+M" : "Win+Alt+Space";
}

void Hotkeys::SetAction(Action action, std::function<void()> run) {
    SlotOf(action).run = std::move(run);
}

HotkeyChord Hotkeys::StoredChord(Action action) {
    const std::string text = m_settings.Read(kSection, KeyOf(action), DefaultOf(action));
    if (const std::optional<HotkeyChord> chord = HotkeyChord::Parse(text)) return *chord;
    const std::string_view fallback = DefaultOf(action);
    m_trace.LogError(0, kSource, "RegisterAll",
                     "the stored hotkey for " + std::string(Purpose(action)) + " (" +
                         std::string(KeyOf(action)) + ") is no key chord - " +
                         std::string(fallback) + " is used");
    return HotkeyChord::Parse(fallback).value_or(HotkeyChord{});
}

void Hotkeys::RegisterAll() {
    for (const Action action : {Action::OpenMenus, Action::MenuSearch}) {
        if (SlotOf(action).held) continue;
        SlotOf(action).chord = StoredChord(action);
        Take(action);
    }
}

void Hotkeys::UnregisterAll() {
    for (const Action action : {Action::OpenMenus, Action::MenuSearch}) {
        if (!SlotOf(action).held) continue;
        m_port.Unregister(IdOf(action));
        SlotOf(action).held = false;
    }
}

bool Hotkeys::Take(Action action) {
    Slot& slot = SlotOf(action);
    const int32_t error = m_port.Register(IdOf(action), slot.chord.modifiers, slot.chord.keyCode);
    slot.held = error == 0;
    if (!slot.held) {
        const std::string why =
            error == kHeldElsewhere ? "another program holds it" : "Windows refused it";
        m_trace.LogError(error, kSource, "Register",
                         "the hotkey " + slot.chord.Text() + " for " +
                             std::string(Purpose(action)) + " is not available - " + why);
    }
    return slot.held;
}

bool Hotkeys::Change(Action action, std::string_view text) {
    const std::optional<HotkeyChord> chord = HotkeyChord::Parse(text);
    if (!chord) {
        m_trace.LogError(0, kSource, "Change", "'" + std::string(text) + "' is no key chord");
        return false;
    }
    const Action other = action == Action::OpenMenus ? Action::MenuSearch : Action::OpenMenus;
    if (SlotOf(other).held && SlotOf(other).chord == *chord) {
        m_trace.LogError(
            0, kSource, "Change",
            "the hotkey " + chord->Text() + " is already used for " + std::string(Purpose(other)));
        return false;
    }
    Slot& slot = SlotOf(action);
    const HotkeyChord before = slot.chord;
    const bool heldBefore = slot.held;
    if (heldBefore && before == *chord) return true;
    if (heldBefore) m_port.Unregister(IdOf(action));
    slot.chord = *chord;
    if (!Take(action)) {
        slot.chord = before;
        if (heldBefore) Take(action);
        return false;
    }
    m_settings.Write(kSection, KeyOf(action), slot.chord.Text());
    return true;
}

void Hotkeys::OnHotkey(int32_t id) {
    for (const Action action : {Action::OpenMenus, Action::MenuSearch}) {
        if (IdOf(action) == id && SlotOf(action).held && SlotOf(action).run) SlotOf(action).run();
    }
}

std::string Hotkeys::ChordText(Action action) const {
    return SlotOf(action).chord.Text();
}

bool Hotkeys::IsHeld(Action action) const {
    return SlotOf(action).held;
}

}  // namespace tarvik
