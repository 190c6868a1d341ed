// Board squares and elements: bevelled bricks, faceted gems and stars, raised arrows. Green
// pieces are light with a dark outline; red ones darker with a pale rim and a sharp glint, so
// the two colours differ in lightness and detail as well as in hue.
#include "tiles.h"

#include <algorithm>
#include <cmath>

#include "lettering.h"
#include "painters.h"
#include "shapes.h"

namespace {
constexpr float Pi = 3.14159265f;

struct Palette {
    Rgba brickTop, brickBottom, mortar, socket, piece, pieceDark, outline, rim;
};

Palette paletteOf(TileColour c) {
    switch (c) {
    case TileColour::Green:
        return {rgb(0x306C2C), rgb(0x1F4C26), rgb(0x143016), rgb(0x1E4A22),
                rgb(0xC4FA9A), rgb(0x4CBC36), rgb(0x0A2A0C), rgb(0xE8FFD8)};
    case TileColour::Red:
        return {rgb(0x681616), rgb(0x460C0E), rgb(0x2A0A0A), rgb(0x240809),
                rgb(0xD83A30), rgb(0x7A0C12), rgb(0x1E0204), rgb(0xFFC0B8)};
    default:
        return {rgb(0xD0BE96), rgb(0xB09A70), rgb(0x6A5430), rgb(0x3A3020),
                rgb(0xFFFFFF), rgb(0xFFFFFF), rgb(0x000000), rgb(0xFFFFFF)};
    }
}

// A brick: rounded, bevelled, faintly speckled, with a vertical sheen. The red brick's panel is
// grooved with diagonal lines, a texture the green one lacks, for players who see the two
// colours alike.
void paintBrick(Image& img, const Palette& p, unsigned seed, bool grooved) {
    img.paintAll(solid(p.mortar));
    Sdf brick = roundedBox(0.5f, 0.5f, 47.5f, 47.5f, 4.5f);
    Shader base = [=](float x, float y) {
        Rgba c = mix(p.brickTop, p.brickBottom, clamp01((y - 2) / 44));
        float g = grain(static_cast<int>(x), static_cast<int>(y), seed);
        return shade(c, 1 + 0.035f * g);
    };
    img.fill(brick, bevelled(brick, base, 5.0f, 1.0f));
    // A faint inner panel line gives the brick a moulded face.
    Sdf panel = roundedBox(9, 9, 39, 39, 3);
    img.fill(subtract(grow(panel, 0.6f), grow(panel, -0.6f)), [=](float, float y) {
        return Rgba{0, 0, 0, 0.08f + 0.04f * (y / 48)};
    });
    if (!grooved) return;
    Sdf inside = grow(panel, -2.0f);
    img.fill(inside, [](float x, float y) {
        float phase = std::fmod(x + y + 0.5f, 6.0f);
        float groove = clamp01(1.0f - std::fabs(phase - 3.0f) / 1.2f);
        return Rgba{0, 0, 0, 0.35f * groove};
    });
}

// The recessed slot an element sits in: a dark tinted square lit from the other side.
void paintSocket(Image& img, const Palette& p) {
    img.paintAll(solid(p.mortar));
    Sdf outer = roundedBox(0.5f, 0.5f, 47.5f, 47.5f, 4.5f);
    img.fill(outer, bevelled(outer, solid(shade(p.brickBottom, 0.75f)), 3.5f, 1.0f));
    Sdf well = roundedBox(4, 4, 44, 44, 3);
    img.fill(well, [=](float x, float y) {
        float f = 2.0f - bevelLight(well, x, y, 3.0f);
        float r = std::hypot(x - 24, y - 24) / 28;
        return shade(mix(shade(p.socket, 1.25f), p.socket, clamp01(r)), f);
    });
}

std::vector<Point> rotated(const std::vector<Point>& pts, int quarterTurns) {
    std::vector<Point> out;
    for (auto [x, y] : pts) {
        float dx = x - 24, dy = y - 24;
        for (int i = 0; i < quarterTurns; ++i) {
            float t = dx;
            dx = -dy;
            dy = t;
        }
        out.emplace_back(24 + dx, 24 + dy);
    }
    return out;
}

void paintArrow(Image& img, const Palette& p, bool red, int quarterTurns) {
    std::vector<Point> up = {{24, 4.5f},  {43, 24},    {32.5f, 24}, {32.5f, 43},
                             {15.5f, 43}, {15.5f, 24}, {5, 24}};
    Sdf shape = polygon(rotated(up, quarterTurns));
    img.fill(grow(shape, 2.2f), p.outline);
    if (red) img.fill(grow(shape, 0.9f), p.rim);
    Shader base = linear(8, 8, p.piece, 40, 40, p.pieceDark);
    img.fill(shape, bevelled(shape, base, 4.0f, 0.6f));
}

void paintDiamond(Image& img, const Palette& p, bool red) {
    std::vector<Point> pts = {{24, 3.5f},  {35, 12}, {44, 24}, {35, 36},
                              {24, 44.5f}, {13, 36}, {4, 24},  {13, 12}};
    Sdf shape = polygon(pts);
    img.fill(grow(shape, 2.2f), p.outline);
    if (red) img.fill(grow(shape, 0.9f), p.rim);
    img.fill(shape, facetShader(pts, {24, 24}, 14, 0.42f, p.piece, p.pieceDark));
}

void paintStar(Image& img, const Palette& p, bool red) {
    auto pts = starPoints(24, 25.5f, 21.5f, 9.5f);
    Sdf shape = polygon(pts);
    img.fill(grow(shape, 2.2f), p.outline);
    if (red) img.fill(grow(shape, 0.9f), p.rim);
    img.fill(shape, facetShader(pts, {24, 25.5f}, 9, 0, p.piece, p.pieceDark));
}

// Green pieces: a soft round sheen. Red pieces: a sharp four-pointed glint.
void paintGloss(Image& img, bool red, float gx, float gy) {
    if (!red) {
        img.fill(ellipse(gx, gy, 5.5f, 3.5f), [=](float x, float y) {
            float d = std::hypot((x - gx) / 5.5f, (y - gy) / 3.5f);
            return Rgba{1, 1, 1, 0.55f * (1 - d)};
        });
        return;
    }
    std::vector<Point> glint;
    for (int i = 0; i < 8; ++i) {
        float a = i * Pi / 4;
        float r = (i % 2 == 0) ? 6.5f : 1.3f;
        glint.emplace_back(gx + r * std::cos(a), gy + r * std::sin(a));
    }
    img.fill(polygon(glint), Rgba{1, 0.97f, 0.95f, 0.95f});
}
} // namespace

Image paintSquare(TileColour colour, TileKind kind) {
    Image img(48, 48);
    Palette p = paletteOf(colour);
    bool red = colour == TileColour::Red;
    if (colour == TileColour::Plain || kind == TileKind::None) {
        paintBrick(img, p,
                   colour == TileColour::Plain   ? 11u
                   : colour == TileColour::Green ? 12u
                                                 : 13u,
                   colour == TileColour::Red);
        return img;
    }
    paintSocket(img, p);
    switch (kind) {
    case TileKind::ArrowUp:
        paintArrow(img, p, red, 0);
        break;
    case TileKind::ArrowRight:
        paintArrow(img, p, red, 1);
        break;
    case TileKind::ArrowDown:
        paintArrow(img, p, red, 2);
        break;
    case TileKind::ArrowLeft:
        paintArrow(img, p, red, 3);
        break;
    case TileKind::Diamond:
        paintDiamond(img, p, red);
        break;
    case TileKind::Star:
        paintStar(img, p, red);
        break;
    case TileKind::None:
        break;
    }
    float gx = 17, gy = 15;
    if (kind == TileKind::ArrowDown) gy = 20;
    if (kind == TileKind::ArrowRight) {
        gx = 15;
        gy = 21;
    }
    if (kind == TileKind::ArrowLeft) {
        gx = 19;
        gy = 21;
    }
    if (kind == TileKind::Star) {
        gx = 20;
        gy = 19;
    }
    paintGloss(img, red, gx, gy);
    return img;
}

// The grey square that shadows and dims pile elements. The game ANDs it over a resting element,
// so every grey is a run of leading one bits: ANDing with it only clears the low bits of each
// channel alike, which darkens without the colour noise an arbitrary grey would bring. Between
// two neighbouring levels an ordered dither keeps the shadow smooth; the ramp stays light over
// most of the square and only falls to black in the bottom-right corner.
Image paintGradientSquare() {
    constexpr int Levels[9] = {0xFF, 0xFE, 0xFC, 0xF8, 0xF0, 0xE0, 0xC0, 0x80, 0x00};
    constexpr int Bayer[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};
    Image img(48, 48);
    for (int y = 0; y < 48; ++y)
        for (int x = 0; x < 48; ++x) {
            float t = static_cast<float>(x + y) / 94.0f;
            float target = 255.0f * (1.0f - t * t * t);
            int i = 0;
            while (i < 7 && static_cast<float>(Levels[i + 1]) >= target)
                ++i;
            float light = static_cast<float>(Levels[i]), dark = static_cast<float>(Levels[i + 1]);
            float darkShare = (light - target) / (light - dark);
            float threshold = (static_cast<float>(Bayer[y % 4][x % 4]) + 0.5f) / 16.0f;
            float v = (darkShare > threshold ? dark : light) / 255.0f;
            img.at(x, y) = {v, v, v, 1};
        }
    return img;
}

Image paintBallRing(int step) {
    // Drawn on transparency, then cut out hard against white so the mask matches exactly.
    Image layer(96, 96, {1, 1, 1, 0});
    const Rgba colours[3] = {rgb(0x38C838), rgb(0xE23030), rgb(0x3C6CF0)};
    for (int i = 0; i < 6; ++i) {
        float a = -Pi / 2 + i * Pi / 3 + step * Pi / 6;
        float cx = 48 + 39.0f * std::cos(a), cy = 48 + 39.0f * std::sin(a);
        Rgba c = colours[i % 3];
        layer.fill(circle(cx, cy, 8.6f), rgb(0x101018));
        layer.fill(circle(cx, cy, 7.4f), [=](float x, float y) {
            float d = std::hypot(x - (cx - 2.6f), y - (cy - 2.8f)) / 10.5f;
            Rgba base = mix(shade(c, 1.5f), shade(c, 0.7f), clamp01(d * 1.1f));
            return base;
        });
        layer.fill(circle(cx - 2.6f, cy - 2.8f, 2.2f), Rgba{1, 1, 1, 0.85f});
    }
    return cutOutOnWhite(layer);
}

Image paintGameOverPanel() {
    Image img(450, 180);
    img.paintAll(solid(rgb(0x2A1A06)));
    paintFrame(img, 8, 8, 442, 172, 7, 3, rgb(0xD9A03A));
    Sdf inner = roundedBox(8, 8, 442, 172, 3);
    img.fill(inner, [](float x, float y) {
        float d = std::hypot((x - 225) / 225, (y - 90) / 90);
        return mix(rgb(0x33307A), rgb(0x120E30), clamp01(d * 0.9f));
    });
    TextStyle st;
    st.face = Face::SansBold;
    st.size = 64;
    while (st.size > 20 && textWidth(st.face, st.size, "GAME OVER") > 380)
        st.size -= 1;
    st.top = rgb(0xFFF2B0);
    st.bottom = rgb(0xE8620A);
    st.outline = rgb(0x240800);
    st.outlineWidth = 3;
    st.shadow = 5;
    float cap = capHeight(st.face, st.size);
    paintText(img, "GAME OVER", 225, 90 + cap / 2, st, true);
    return img;
}
