#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

namespace tarvik::test {

// A run of screen columns that hold text (dark pixels) in a band of rows.
struct TextRun {
    int left = 0;
    int right = 0;  // exclusive
    int Width() const { return right - left; }
    int Centre() const { return (left + right) / 2; }
};

// The runs of columns in [x0, x1) whose pixels in rows [y0, y1) include one darker than the
// threshold, merged across gaps narrower than minGap (the spaces inside a word).
std::vector<TextRun> DarkRuns(int x0, int x1, int y0, int y1, int minGap, int threshold = 60);

// A real click at a point of the screen.
void Click(int x, int y, bool right = false);

}  // namespace tarvik::test
