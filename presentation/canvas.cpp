// The canvas conversion: canvas units to client pixels and client points to canvas places.
#include "presentation/canvas.h"

#include <algorithm>
#include <cstdint>
#include <limits>

int ClientWidth = CanvasSize;
int ClientHeight = CanvasSize;

namespace {

// v * size / 480 with the 32-bit result the game expects; a product that would not fit in
// 32 bits gives the nearest value that does instead of undefined behaviour.
int scaleBy(int v, int size) {
    int64_t product = static_cast<int64_t>(v) * size;
    if (product > std::numeric_limits<int32_t>::max())
        product = std::numeric_limits<int32_t>::max();
    if (product < std::numeric_limits<int32_t>::min())
        product = std::numeric_limits<int32_t>::min();
    return static_cast<int>(product / CanvasSize);
}

// (offset * 480 / size) / 54, both divisions truncating toward zero, in 64 bits.
int cellAt(int64_t offset, int size) {
    if (size <= 0) return -1;
    int64_t cell = offset * CanvasSize / size / 54;
    return static_cast<int>(std::clamp<int64_t>(cell, INT32_MIN, INT32_MAX));
}

} // namespace

int ScaleX(int v) {
    return scaleBy(v, ClientWidth);
}
int ScaleY(int v) {
    return scaleBy(v, ClientHeight);
}

bool InCanvasRect(int mx, int my, int x0, int y0, int x1, int y1) {
    return ScaleX(x0) < mx && mx < ScaleX(x1) && ScaleY(y0) < my && my < ScaleY(y1);
}

int BoardColumnAt(int mx) {
    return cellAt(static_cast<int64_t>(mx) - ScaleX(121), ClientWidth);
}
int BoardRowAt(int my) {
    return cellAt(static_cast<int64_t>(my) - ScaleY(121), ClientHeight);
}
