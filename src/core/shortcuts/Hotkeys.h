#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "core/shortcuts/HotkeyChord.h"

namespace tarvik {

class IHotkeyPort;
class ISettingsStore;
class Trace;

// The bar's two system-wide hotkeys: one opens the menus of the program in front from the
// keyboard, the other the menu search. Each chord is kept in the settings
// (HKCU\Software\Tarvik\Hotkeys, "OpenMenus" and "MenuSearch") as chord text; text that is no
// chord is logged and the default is used. A chord another program holds is not taken (one
// log line) and the other hotkey works on. Everything given must outlive it.
class Hotkeys {
  public:
    enum class Action { OpenMenus = 0, MenuSearch = 1 };
    static constexpr size_t kActions = 2;
    static constexpr const char* kSection = "Hotkeys";
    static constexpr const char* kSource = "Hotkeys";
    static constexpr int32_t kHeldElsewhere = 1409;  // ERROR_HOTKEY_ALREADY_REGISTERED

    Hotkeys(ISettingsStore& settings, IHotkeyPort& port, Trace& trace);
    Hotkeys(const Hotkeys&) = delete;
    Hotkeys& operator=(const Hotkeys&) = delete;

    // What each hotkey runs; an action not set does nothing.
    void SetAction(Action action, std::function<void()> run);

    // Reads the stored chords and takes every one that no other program holds.
    void RegisterAll();
    // Lets go of every chord (the bar's window is going).
    void UnregisterAll();
    // The user chose a new chord: it is taken, and stored only when it was; the chord held
    // before goes. False (logged) when the text is no chord or another program holds it: the
    // old chord is then held again.
    bool Change(Action action, std::string_view text);
    // Windows reported a press of the hotkey with this id.
    void OnHotkey(int32_t id);

    // The chord in use (or refused) for an action, as text.
    std::string ChordText(Action action) const;
    // True while the chord is held for us.
    bool IsHeld(Action action) const;

    static std::string_view KeyOf(Action action);
    static std::string_view DefaultOf(Action action);

  private:
    struct Slot {
        HotkeyChord chord;
        bool held = false;
        std::function<void()> run;
    };

    HotkeyChord StoredChord(Action action);
    // Takes the slot's chord; logs a refusal.
    bool Take(Action action);
    Slot& SlotOf(Action action) { return m_slots[static_cast<size_t>(action)]; }
    const Slot& SlotOf(Action action) const { return m_slots[static_cast<size_t>(action)]; }

    ISettingsStore& m_settings;
    IHotkeyPort& m_port;
    Trace& m_trace;
    std::array<Slot, kActions> m_slots;
};

}  // namespace tarvik
