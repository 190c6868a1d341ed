// Draws the icon at any size from the same distance-field shapes, so every size is sharp: the
// green faceted gem of the pieces with a red star, on the blue of the screens.
#include "icon.h"

#include <algorithm>
#include <cmath>

#include "painters.h"
#include "shapes.h"

Image paintIcon(int size) {
    Image img(size, size, {1, 1, 1, 0});
    float s = size / 48.0f;
    auto at = [s](float v) { return v * s; };
    Sdf tile = roundedBox(at(1), at(1), at(47), at(47), at(9));
    img.fill(tile, rgb(0x0A0E26));
    Sdf face = roundedBox(at(2.5f), at(2.5f), at(45.5f), at(45.5f), at(7.5f));
    img.fill(face, [=](float x, float y) {
        float d = std::hypot(x - at(16), y - at(14)) / at(44);
        return mix(rgb(0x4A64C0), rgb(0x141C4A), clamp01(d));
    });
    // The gem: the octagonal cut of the diamond pieces.
    std::vector<Point> gem;
    const Point unit[8] = {{24, 4},  {35.5f, 12.5f}, {44, 24}, {35.5f, 35.5f},
                           {24, 44}, {12.5f, 35.5f}, {4, 24},  {12.5f, 12.5f}};
    for (const auto& [x, y] : unit)
        gem.emplace_back(at(x), at(y));
    img.fill(grow(polygon(gem), std::max(1.0f, at(1.6f))), rgb(0x062008));
    img.fill(polygon(gem),
             facetShader(gem, {at(24), at(24)}, at(19), 0.42f, rgb(0xA8FF6A), rgb(0x1E7A10)));
    // Soft sheen on the table.
    float gx = at(18), gy = at(15);
    img.fill(ellipse(gx, gy, at(6), at(3.5f)), [=](float x, float y) {
        float d = std::hypot((x - gx) / at(6), (y - gy) / at(3.5f));
        return Rgba{1, 1, 1, 0.6f * (1 - d)};
    });
    // Small red star at the bottom right, with a dark outline and a pale rim.
    auto star = starPoints(at(37), at(37.5f), at(10.5f), at(4.6f));
    img.fill(grow(polygon(star), std::max(1.0f, at(1.6f))), rgb(0x1E0204));
    if (size >= 32) img.fill(grow(polygon(star), at(0.6f)), rgb(0xFFC0B8));
    img.fill(polygon(star),
             facetShader(star, {at(37), at(37.5f)}, at(8), 0, rgb(0xFF5040), rgb(0x6A0A10)));
    return img;
}
