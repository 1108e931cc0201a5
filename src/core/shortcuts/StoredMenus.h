#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tarvik {

// One custom shortcut entry as the editor lists it: the menu it belongs to, its caption and its
// key chord.
struct ShortcutRow {
    std::string menu;
    std::string caption;
    std::string chord;
    bool operator==(const ShortcutRow&) const = default;
};

// A program's custom menus as they are stored: menus separated by character 29, each a title
// followed by its entries, each entry preceded by character 30 and made of the caption,
// character 31 and the chord. None of the three may appear inside a title, caption or chord.
namespace StoredMenus {

constexpr char kMenuSeparator = 29;
constexpr char kEntrySeparator = 30;
constexpr char kChordSeparator = 31;
// More than anyone keeps in a menu; a value with more is cut off here.
constexpr size_t kMaxRows = 256;

struct Parsed {
    // In stored order; one menu may have several records.
    std::vector<ShortcutRow> rows;
    // Entries and records that did not follow the format (or came after kMaxRows), skipped: a
    // record without an entry, with an empty title or one holding character 31, and an entry
    // without exactly one character 31.
    int32_t skipped = 0;
};

Parsed Parse(std::string_view value);
// The value for the rows: the menus in order of their first row, each with its rows in order.
// Separator characters inside a field are dropped.
std::string Format(const std::vector<ShortcutRow>& rows);
// The text without characters 29, 30 and 31.
std::string WithoutSeparators(std::string_view text);

}  // namespace StoredMenus

}  // namespace tarvik
