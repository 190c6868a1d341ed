// The house style: a deep blue backdrop, gold lettering with dark outlines, amber glossy buttons
// and bevelled frames, shared by the board, the screens and the panels.
#include "painters.h"

#include <algorithm>
#include <cmath>

float grain(int x, int y, unsigned seed) {
    uint32_t h = static_cast<uint32_t>(x) * 374761393u + static_cast<uint32_t>(y) * 668265263u +
                 seed * 2246822519u;
    h = (h ^ (h >> 13)) * 1274126177u;
    h ^= h >> 16;
    return (h & 0xFFFF) / 32767.5f - 1.0f;
}

void paintBackdrop(Image& img) {
    float w = static_cast<float>(img.width()), h = static_cast<float>(img.height());
    Rgba deep = rgb(0x0E1433), mid = rgb(0x23306E), glow = rgb(0x3C54A8);
    img.paintAll([&](float x, float y) {
        float d = std::hypot((x - w * 0.35f) / w, (y - h * 0.3f) / h);
        Rgba c = mix(glow, mid, clamp01(d * 1.6f));
        c = mix(c, deep, clamp01(d * 1.3f - 0.35f));
        // Fine diagonal lattice, barely visible.
        float u = std::fmod(x + y, 24.0f), v = std::fmod(x - y + 480.0f, 24.0f);
        float line = std::min({std::fabs(u - 12), std::fabs(v - 12)});
        float lat = 1 - smoothstep(0.0f, 1.2f, line);
        c = shade(c, 1 + 0.07f * lat);
        c = shade(c, 1 + 0.015f * grain(static_cast<int>(x), static_cast<int>(y), 3));
        return c;
    });
}

void paintText(Image& img, const std::string& utf8, float x, float baseline, const TextStyle& st,
               bool centred) {
    float start = centred ? x - textWidth(st.face, st.size, utf8) / 2 : x;
    Coverage mask(img.width(), img.height());
    drawText(mask, st.face, st.size, start, baseline, utf8);
    if (st.shadow > 0) {
        Coverage sh(img.width(), img.height());
        drawText(sh, st.face, st.size, start + st.shadow, baseline + st.shadow, utf8);
        Coverage shg = st.outlineWidth > 0 ? sh.dilated(st.outlineWidth) : sh;
        paintMask(img, shg, solid({0, 0, 0, 1}), 0.45f);
    }
    if (st.outlineWidth > 0) paintMask(img, mask.dilated(st.outlineWidth), solid(st.outline));
    float cap = capHeight(st.face, st.size);
    paintMask(img, mask, linear(0, baseline - cap, st.top, 0, baseline, st.bottom));
}

float logoWidth(float size) {
    return textWidth(Face::SerifBold, size, "Glimora");
}

void paintLogo(Image& img, float x, float baseline, float size) {
    Coverage mask(img.width(), img.height());
    drawText(mask, Face::SerifBold, size, x, baseline, "Glimora");
    float cap = capHeight(Face::SerifBold, size);
    Coverage shadow(img.width(), img.height());
    drawText(shadow, Face::SerifBold, size, x + 3, baseline + 4, "Glimora");
    paintMask(img, shadow.dilated(size / 14), solid({0, 0, 0, 1}), 0.5f);
    paintMask(img, mask.dilated(size / 14), solid(rgb(0x2A1400)));
    // Gold with a bright band across the upper half.
    Rgba hi = rgb(0xFFF6C8), gold = rgb(0xFFC83A), deep = rgb(0xC46A08);
    paintMask(img, mask, [=](float, float py) {
        float t = clamp01((py - (baseline - cap)) / cap);
        if (t < 0.45f) return mix(hi, gold, t / 0.45f);
        return mix(gold, deep, (t - 0.45f) / 0.55f);
    });
    // A four-pointed sparkle over the i.
    float ix =
        x + textWidth(Face::SerifBold, size, "Gl") + textWidth(Face::SerifBold, size, "i") / 2;
    float iy = baseline - cap * 1.08f;
    float r = size * 0.2f;
    std::vector<Point> spark;
    for (int i = 0; i < 8; ++i) {
        float a = i * 3.14159265f / 4;
        float rr = (i % 2 == 0) ? r : r * 0.22f;
        spark.emplace_back(ix + rr * std::cos(a), iy + rr * std::sin(a));
    }
    img.fill(grow(polygon(spark), 1.0f), rgb(0x2A1400, 0.6f));
    img.fill(polygon(spark), [=](float px, float py) {
        float d = std::hypot(px - ix, py - iy) / r;
        return mix(rgb(0xFFFFFF), rgb(0xFFE27A), clamp01(d * 1.4f));
    });
}

void paintButton(Image& img, float x0, float y0, float x1, float y1, const std::string& label,
                 ButtonShape shape, float textSize) {
    float h = y1 - y0;
    Sdf body = shape == ButtonShape::Pill
                   ? roundedBox(x0, y0, x1, y1, h * 0.32f)
                   : ellipse((x0 + x1) / 2, (y0 + y1) / 2, (x1 - x0) / 2, (y1 - y0) / 2);
    // Drop shadow, dark rim, face.
    img.fill(grow([=](float x, float y) { return body(x - 3, y - 4); }, 1.0f),
             rgb(0x000000, 0.45f));
    img.fill(body, rgb(0x3A1A00));
    Sdf face = grow(body, -2.0f);
    Rgba top = rgb(0xFFD45C), bottom = rgb(0xE07C10);
    Shader base = linear(0, y0, top, 0, y1, bottom);
    img.fill(face, bevelled(face, base, std::max(4.0f, h * 0.12f), 0.9f));
    // Glossy highlight over the upper half.
    float inset = h * 0.14f;
    Sdf gloss = shape == ButtonShape::Pill
                    ? roundedBox(x0 + inset * 1.5f, y0 + inset * 0.7f, x1 - inset * 1.5f,
                                 y0 + h * 0.48f, h * 0.2f)
                    : ellipse((x0 + x1) / 2, y0 + h * 0.3f, (x1 - x0) * 0.36f, h * 0.17f);
    img.fill(gloss, [=](float, float y) {
        float t = clamp01((y - y0) / (h * 0.5f));
        return Rgba{1, 1, 0.92f, 0.55f * (1 - t)};
    });
    float cap = capHeight(Face::SansBold, textSize);
    TextStyle st;
    st.size = textSize;
    st.top = rgb(0x5A2A00);
    st.bottom = rgb(0x301400);
    st.outline = rgb(0xFFF0C0, 0.7f);
    st.outlineWidth = 1.2f;
    paintText(img, label, (x0 + x1) / 2, (y0 + y1) / 2 + cap / 2, st, true);
}

void paintFrame(Image& img, float x0, float y0, float x1, float y1, float thickness, float radius,
                Rgba colour) {
    Sdf outer = roundedBox(x0 - thickness, y0 - thickness, x1 + thickness, y1 + thickness,
                           radius + thickness);
    Sdf inner = roundedBox(x0, y0, x1, y1, radius);
    Sdf ring = subtract(outer, inner);
    img.fill(grow([=](float x, float y) { return outer(x - 3, y - 4); }, 1.0f),
             rgb(0x000000, 0.35f));
    // Light from the top-left on a rounded bar: outer rim and inner rim lit oppositely.
    img.fill(ring, [=](float x, float y) {
        float dOut = -outer(x, y), dIn = inner(x, y);
        float f = dOut < dIn ? bevelLight(outer, x, y, thickness / 2)
                             : 2.0f - bevelLight(inner, x, y, thickness / 2);
        return shade(colour, f);
    });
}

Image cutOutOnWhite(const Image& layer) {
    Image img(layer.width(), layer.height());
    for (int y = 0; y < layer.height(); ++y)
        for (int x = 0; x < layer.width(); ++x) {
            Rgba p = layer.at(x, y);
            if (p.a < 0.5f) continue;
            p.a = 1;
            img.at(x, y) = p;
            if (img.rgb24(x, y) == 0xFFFFFF) img.at(x, y) = rgb(0xFEFEFE);
        }
    return img;
}

namespace {
constexpr float Pi = 3.14159265f;

// Light on a facet whose plane passes through a, b (height 0) and the apex (height h).
float facetLight(Point a, Point b, Point apex, float h) {
    float ux = b.first - a.first, uy = b.second - a.second, uz = 0;
    float vx = apex.first - a.first, vy = apex.second - a.second, vz = h;
    float nx = uy * vz - uz * vy, ny = uz * vx - ux * vz, nz = ux * vy - uy * vx;
    if (nz < 0) {
        nx = -nx;
        ny = -ny;
        nz = -nz;
    }
    float nl = std::sqrt(nx * nx + ny * ny + nz * nz);
    const float lx = -0.5f, ly = -0.7f, lz = 0.5f;
    float ll = std::sqrt(lx * lx + ly * ly + lz * lz);
    return (nx * lx + ny * ly + nz * lz) / (nl * ll);
}
} // namespace

// A faceted gem over the outline points, raised towards `apex`, with a flat table when
// tableScale > 0.
Shader facetShader(std::vector<Point> pts, Point apex, float h, float tableScale, Rgba light,
                   Rgba dark) {
    return [=](float x, float y) {
        float ang = std::atan2(y - apex.second, x - apex.first);
        size_t n = pts.size();
        size_t sector = 0;
        for (size_t i = 0; i < n; ++i) {
            const Point& a = pts[i];
            const Point& b = pts[(i + 1) % n];
            float aa = std::atan2(a.second - apex.second, a.first - apex.first);
            float ab = std::atan2(b.second - apex.second, b.first - apex.first);
            float span = std::remainder(ab - aa, 2 * Pi);
            float rel = std::remainder(ang - aa, 2 * Pi);
            if ((span >= 0 && rel >= 0 && rel <= span) || (span < 0 && rel <= 0 && rel >= span)) {
                sector = i;
                break;
            }
        }
        float l;
        if (tableScale > 0) {
            std::vector<Point> table;
            for (const Point& q : pts)
                table.emplace_back(apex.first + (q.first - apex.first) * tableScale,
                                   apex.second + (q.second - apex.second) * tableScale);
            if (polygon(table)(x, y) < 0)
                l = 0.72f;
            else
                l = facetLight(pts[sector], pts[(sector + 1) % n], apex, h);
        } else {
            l = facetLight(pts[sector], pts[(sector + 1) % n], apex, h);
        }
        float t = clamp01(0.5f + 0.6f * (l - 0.45f));
        Rgba c = mix(dark, light, t);
        if (l > 0.8f) c = shade(c, 1 + (l - 0.8f) * 1.5f);
        return c;
    };
}
