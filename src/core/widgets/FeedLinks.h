#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "core/menus/MenuItem.h"

namespace tarvik {

class ISystemCommands;
class Trace;

// The links behind a feed menu's numbered entries, kept from the time the menu is built until
// an entry is picked. A link comes from the network, so only a web address is handed to the
// shell: anything else could name a program, a file share or some other registered protocol.
class FeedLinks {
  public:
    FeedLinks(ISystemCommands& commands, Trace& trace, std::string_view source)
        : m_commands(commands), m_trace(trace), m_source(source) {}

    void Remember(std::vector<std::string> links) { m_links = std::move(links); }
    // Opens the link of entry `command` (1-based) when it has one; a link that is not an http or
    // https address is refused with one log line.
    void Open(int32_t command);
    // A pick from the feed's menu: the refresh entry calls refresh, any other opens its link. A
    // failure is logged once under the widget's name.
    void Pick(const MenuItem& item, int32_t refreshCommand, const std::function<void()>& refresh);

  private:
    ISystemCommands& m_commands;
    Trace& m_trace;
    std::string m_source;
    std::vector<std::string> m_links;
};

// A menu entry; a separator when the text is empty.
std::shared_ptr<MenuItem> FeedMenuItem(std::string text, int32_t command, bool enabled = true);

}  // namespace tarvik
