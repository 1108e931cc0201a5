#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/menus/MenuItem.h"
#include "core/search/MenuIndex.h"
#include "core/search/RecentCommands.h"

namespace tarvik {

// What the search panel shows and does, apart from its window: the query as the user types it,
// the results for it (the program's recent commands while it is empty), the chosen result, and
// the command that Enter runs.
class MenuSearch {
  public:
    // A query longer than anyone types is not lengthened further.
    static constexpr size_t kMaxQueryBytes = 256;

    // The recent commands must outlive the search.
    explicit MenuSearch(RecentCommands& recent) : m_recent(recent) {}

    // Starts a search over the menus (a menu bar's titles) of the program with this executable
    // name: an empty query, its recent commands as the results, the first one chosen.
    void Open(const MenuItemList& titles, std::string program);
    // Forgets the menus and the query.
    void Close();

    // One UTF-16 unit typed (a WM_CHAR): a character joins the query, a surrogate pair once its
    // second half arrives; backspace (8) takes the last character off; other control characters
    // do nothing. True when the query changed.
    bool Type(char16_t unit);
    // Moves the choice by rows (Up is -1), staying on the first and the last row. True when it
    // moved.
    bool Move(int32_t rows);
    // The chosen command, when it can run, remembered as the program's newest recent command;
    // null (and nothing remembered) when nothing is chosen or the command is disabled.
    std::shared_ptr<MenuItem> Enter();

    const std::string& Query() const { return m_query; }
    const std::vector<const MenuCommand*>& Results() const { return m_results; }
    // The 0-based chosen row, -1 when there are no results.
    int32_t Chosen() const { return m_chosen; }
    const std::string& Program() const { return m_program; }
    const MenuIndex& Index() const { return m_index; }

  private:
    void Refresh();
    bool Append(char32_t code);
    bool Backspace();

    RecentCommands& m_recent;
    MenuIndex m_index;
    std::string m_program;
    std::string m_query;
    char16_t m_highSurrogate = 0;
    std::vector<const MenuCommand*> m_results;
    int32_t m_chosen = -1;
};

}  // namespace tarvik
