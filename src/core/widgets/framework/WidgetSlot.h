#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "core/widgets/framework/IWidget.h"

namespace tarvik {

// The host's record of one registered widget. Only the host reads and writes it; positions are
// bar client pixels.
class WidgetSlot {
  public:
    std::shared_ptr<IWidget> widget;
    int32_t ContentLeft = 0;           // x of the button content (icon, then text)
    int32_t ContentTop = 0;            // y of the icon
    int32_t contentWidth = 0;          // icon, gap (with both icon and text), text
    int32_t contentHeight = 0;         // the taller of icon and text
    std::string text;                  // the button text as last read
    const SkinButton* icon = nullptr;  // the button icon as last read
    int32_t IconWidth = 0;
    int32_t TextHeight = 0;
    int32_t TextTop = 0;
    bool Hot = false;     // the pointer is over the button
    bool Enabled = true;  // shown on the bar
    bool Hidden = false;  // registered but never shown on the bar
    BoundsRect Bounds;    // the button on the bar
};

}  // namespace tarvik
