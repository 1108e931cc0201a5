#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "core/menus/MenuItem.h"

namespace tarvik {

// One command of a program's menus as the search shows it.
struct MenuCommand {
    std::string path;      // the captions from the menu bar down, "Format > Font > Bold"
    std::string shortcut;  // the key text the menu shows beside it ("Ctrl+B"), may be empty
    bool enabled = true;
    std::shared_ptr<MenuItem> item;  // what running it picks
};

// Every command of one program's menu tree, searchable by words. Separators, entries without a
// caption and entries that only open a submenu are not commands. Built when the search panel
// opens; the items stay shared with the tree, so running a result is running the menu entry.
class MenuIndex {
  public:
    static constexpr size_t kMaxResults = 12;
    static constexpr std::string_view kPathSeparator = " > ";
    // Deeper than any menu Windows nests; the reader stops far earlier.
    static constexpr int32_t kMaxDepth = 64;

    // Replaces the index with the commands under the titles (a menu bar's top-level entries).
    void Build(const MenuItemList& titles);
    void Clear();
    size_t Size() const { return m_entries.size(); }
    const MenuCommand& At(size_t index) const { return m_entries.at(index).command; }

    // The commands that match every word of the query, best first, at most limit of them.
    // A query word matches a command when it is one of the command's words, begins one of
    // them, spells the first letters of consecutive words of its caption ("sa" for
    // "Save As"), or appears inside one of its words; the words are those of the whole path,
    // compared folded (case and accents do not count). Order:
    //   1. enabled commands before disabled ones;
    //   2. the better the query words match, summed over them: a whole word first, then the
    //      start of a word, then first letters, then a part inside a word;
    //   3. more query words found in the command's own caption (not only in the titles of the
    //      menus above it) first;
    //   4. shorter paths first: fewer levels, then fewer characters;
    //   5. the order of the menus.
    // An empty query (or one of punctuation only) finds nothing.
    std::vector<const MenuCommand*> Search(std::string_view query,
                                           size_t limit = kMaxResults) const;

    // The command with exactly this path, or null.
    const MenuCommand* Find(std::string_view path) const;

  private:
    struct Entry {
        MenuCommand command;
        std::string folded;              // the whole path, folded, words parted by spaces
        std::vector<std::string> words;  // of the whole path
        size_t captionWords = 0;         // the last this many words are the caption's
        std::string captionInitials;     // the first letter of each word of the caption
        size_t levels = 0;               // the path's number of captions
    };
    struct Match {
        int32_t quality = 0;  // summed over the query words, lower is better
        int32_t outsideCaption = 0;
    };

    void Add(const MenuItemList& items, std::string& path, size_t levels, int32_t depth);
    static bool MatchEntry(const Entry& entry, const std::vector<std::string_view>& query,
                           Match& match);

    std::vector<Entry> m_entries;
    std::unordered_map<std::string, size_t> m_byPath;
};

}  // namespace tarvik
