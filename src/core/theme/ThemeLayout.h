#pragma once

#include <cstdint>

namespace tarvik {

class Dpi;

// An inset box: position, size and how far it reaches past its row.
struct Padding {
    int32_t X = 0;
    int32_t Y = 0;
    int32_t width = 0;
    int32_t Height = 0;
    int32_t X_Overflow = 0;
    int32_t Y_Overflow = 0;
};

Padding NewPadding(int32_t x, int32_t y, int32_t width, int32_t height, int32_t xOverflow,
                   int32_t yOverflow);

// The sizes of the bar, its menu titles, the drop-down rows and the widgets, in pixels.
// Defaults are the built-in look; the theme file replaces them and ScaleAll scales them once.
struct ThemeLayout {
    int32_t BarHeight = 36;  // includes the shadow strip below the visible bar
    int32_t BarShadow = 13;
    int32_t WorkAreaTop = 23;
    uint32_t BackdropTint = 0x6EFFFFFF;  // ARGB; a colour, never scaled
    int32_t MenuLeft = 50;
    int32_t MenuGap = 20;
    int32_t MenuPad = 10;
    int32_t MenuTextX = 5;
    int32_t MenuTextY = 3;
    int32_t RowHeight = 21;
    int32_t SeparatorHeight = 10;
    Padding RowText = NewPadding(30, 4, 0, 0, 0, 0);
    int32_t RowPadRight = 20;
    int32_t RowPadBottom = 6;
    Padding RowHighlight = NewPadding(15, 0, 0, 20, 30, 2);
    Padding RowSeparator = NewPadding(15, 5, 0, 0, 30, 0);
    int32_t PopupPad = 30;
    int32_t WidgetLeft = 8;
    int32_t WidgetPad = 4;
    int32_t WidgetIconGap = 6;
    int32_t WidgetMinWidth = 50;
    int32_t StatusGap = 2;
    int32_t StatusRight = 8;

    // Multiplies every size (not the tint) by the drawing scale, halves to even.
    void ScaleAll(const Dpi& dpi);
};

inline Padding NewPadding(int32_t x, int32_t y, int32_t width, int32_t height, int32_t xOverflow,
                          int32_t yOverflow) {
    return Padding{x, y, width, height, xOverflow, yOverflow};
}

}  // namespace tarvik
