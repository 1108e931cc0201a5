#include "core/widgets/framework/CanvasPlacement.h"

#include <gtest/gtest.h>

#include <climits>

namespace tarvik {
namespace {

TEST(CanvasPlacement, CentredOnTheAnchorAndKeptInsideTheScreensRightEdgeOnly) {
    // The anchor's x and the size asked for -> where the canvas goes on a 1920-pixel screen.
    const std::tuple<int32_t, int32_t, int32_t, CanvasPlacement> cases[] = {
        {400, 200, 120, {300, 200, 120}},
        {401, 201, 50, {301, 201, 50}},    // half the width, truncated
        {1820, 300, 90, {1620, 300, 90}},  // flush with the right edge
        {1770, 300, 90, {1620, 300, 90}},  // ends exactly at the edge: stays
        {1771, 300, 90, {1620, 300, 90}},  // one pixel past: moved back
        {50, 200, 40, {-50, 200, 40}},     // no check on the left
        {500, 0, -3, {500, 1, 1}},         // nothing asked for: one pixel
        {INT32_MAX, INT32_MAX, 1, {1920 - int64_t{INT32_MAX}, INT32_MAX, 1}},
    };
    for (const auto& [anchorX, width, height, placed] : cases)
        EXPECT_EQ(PlaceCanvas(anchorX, width, height, 1920), placed) << anchorX << " " << width;
}

}  // namespace
}  // namespace tarvik
