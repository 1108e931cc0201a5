#include "core/widgets/framework/CanvasPlacement.h"

namespace tarvik {

CanvasPlacement PlaceCanvas(int32_t anchorX, int32_t width, int32_t height, int32_t screenWidth) {
    CanvasPlacement placed{0, width < 1 ? 1 : width, height < 1 ? 1 : height};
    placed.left = int64_t{anchorX} - placed.width / 2;
    if (placed.left + placed.width > screenWidth) placed.left = int64_t{screenWidth} - placed.width;
    return placed;
}

}  // namespace tarvik
