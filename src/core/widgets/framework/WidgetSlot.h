#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "core/graphics/GDIPBitmap.h"
#include "core/widgets/framework/IWidget.h"

namespace tarvik {

// The host's record of one registered widget. Only the host reads and writes it; positions are
// bar client pixels.
class WidgetSlot {
  public:
    // What the button's picture shows; painted again only when one of these changed.
    struct Look {
        std::string text;
        const SkinButton* icon = nullptr;
        int32_t state = 0;  // 0 normal, 1 hot, 2 open
        int32_t width = 0;
        int32_t height = 0;
        int32_t contentLeft = 0;  // relative to the button
        int32_t contentTop = 0;
        int32_t textTop = 0;
        bool operator==(const Look&) const = default;
    };

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
    GDIPBitmap picture;   // the button as last painted, drawn onto the bar in one piece
    Look pictureLook;     // what the picture shows
};

}  // namespace tarvik
