#pragma once

// The one describer of menus in the tests of both builds.

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "core/menus/MenuItem.h"

// Rows are built with designated initializers that leave the rest default, in every file that
// uses Item.
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"

namespace tarvik::test {

// A row with the fields a test sets.
inline std::shared_ptr<MenuItem> Item(MenuItem fields) {
    return std::make_shared<MenuItem>(std::move(fields));
}

// The rows one per line, each level indented by two spaces: "-" for a separator, otherwise
// "text id", then the chord of a shortcut entry, " off" when disabled and " on" when checked.
inline void AppendMenuRows(const MenuItemList& items, std::vector<std::string>& rows,
                           const std::string& indent = "") {
    for (const auto& item : items) {
        rows.push_back(
            indent + (item->IsSeparator
                          ? "-"
                          : item->text + " " + std::to_string(item->CommandId) +
                                (item->ShortcutKeys.empty() ? "" : " " + item->ShortcutKeys) +
                                (item->IsEnabled ? "" : " off") + (item->IsChecked ? " on" : "")));
        AppendMenuRows(item->Children, rows, indent + "  ");
    }
}
inline std::vector<std::string> MenuRows(const MenuItemList& items) {
    std::vector<std::string> rows;
    AppendMenuRows(items, rows);
    return rows;
}

}  // namespace tarvik::test
