// Draws the icon at any size from the same distance-field shapes, so every size is sharp.
#include "icon.h"

#include <cmath>

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
    // Gem: eight facets lit from the top-left.
    std::vector<Point> gem = {{at(24), at(5)},  {at(36), at(14)}, {at(43), at(24)},
                              {at(36), at(34)}, {at(24), at(43)}, {at(12), at(34)},
                              {at(5), at(24)},  {at(12), at(14)}};
    img.fill(grow(polygon(gem), std::max(1.0f, at(1.8f))), rgb(0x062008));
    float cx = at(24), cy = at(24);
    img.fill(polygon(gem), [=](float x, float y) {
        float a = std::atan2(y - cy, x - cx);
        // Facets facing up-left are bright, down-right dark.
        int sector = static_cast<int>(std::floor((a + 3.14159265f) / (3.14159265f / 4))) % 8;
        static const float light[8] = {0.75f, 0.95f, 1.15f, 1.0f, 0.7f, 0.5f, 0.42f, 0.55f};
        Rgba base = rgb(0x6CE04A);
        float inner = std::fabs(x - cx) / at(19) + std::fabs(y - cy) / at(19);
        float f = inner < 0.45f ? 1.05f : light[sector];
        return shade(base, f);
    });
    // Small red star at the bottom right, with a pale rim.
    auto star = starPoints(at(37), at(37), at(10), at(4.4f));
    img.fill(grow(polygon(star), std::max(1.0f, at(1.6f))), rgb(0x2A0406));
    img.fill(polygon(star), [=](float x, float y) {
        return mix(rgb(0xFF6A5A), rgb(0xA01018),
                   std::fmin(1.0f, std::fmax(0.0f, (x + y - at(64)) / at(20))));
    });
    // Gloss on the gem.
    img.fill(ellipse(at(19), at(15), at(4.5f), at(2.6f)), Rgba{1, 1, 1, 0.6f});
    return img;
}
