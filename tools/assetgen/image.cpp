// Floating-point RGBA pictures and anti-aliased filling of distance-field shapes.
#include "image.h"

#include <algorithm>
#include <cmath>

float clamp01(float v) {
    return v < 0 ? 0 : (v > 1 ? 1 : v);
}

float smoothstep(float e0, float e1, float x) {
    float t = clamp01((x - e0) / (e1 - e0));
    return t * t * (3 - 2 * t);
}

float coverageOf(float d) {
    return clamp01(0.5f - d);
}

Rgba mix(const Rgba& a, const Rgba& b, float t) {
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t,
            a.a + (b.a - a.a) * t};
}

Rgba shade(const Rgba& c, float f) {
    if (f <= 1) return {c.r * f, c.g * f, c.b * f, c.a};
    float t = clamp01(f - 1);
    return {c.r + (1 - c.r) * t, c.g + (1 - c.g) * t, c.b + (1 - c.b) * t, c.a};
}

Image::Image(int w, int h, Rgba fill)
    : w_(w), h_(h), px_(static_cast<size_t>(w) * static_cast<size_t>(h), fill) {}

void Image::blend(int x, int y, const Rgba& c, float coverage) {
    if (x < 0 || y < 0 || x >= w_ || y >= h_) return;
    float a = clamp01(coverage) * c.a;
    if (a <= 0) return;
    Rgba& d = at(x, y);
    float outA = a + d.a * (1 - a);
    if (outA <= 0) return;
    d.r = (c.r * a + d.r * d.a * (1 - a)) / outA;
    d.g = (c.g * a + d.g * d.a * (1 - a)) / outA;
    d.b = (c.b * a + d.b * d.a * (1 - a)) / outA;
    d.a = outA;
}

void Image::fill(const Sdf& shape, const Shader& paint) {
    for (int y = 0; y < h_; ++y)
        for (int x = 0; x < w_; ++x) {
            float cx = x + 0.5f, cy = y + 0.5f;
            float cov = coverageOf(shape(cx, cy));
            if (cov > 0) blend(x, y, paint(cx, cy), cov);
        }
}

void Image::fill(const Sdf& shape, const Rgba& colour) {
    fill(shape, [&](float, float) { return colour; });
}

void Image::paintAll(const Shader& paint) {
    for (int y = 0; y < h_; ++y)
        for (int x = 0; x < w_; ++x)
            blend(x, y, paint(x + 0.5f, y + 0.5f), 1);
}

void Image::draw(const Image& src, int x, int y) {
    for (int sy = 0; sy < src.height(); ++sy)
        for (int sx = 0; sx < src.width(); ++sx)
            blend(x + sx, y + sy, src.at(sx, sy), 1);
}

void Image::drawScaled(const Image& src, int x, int y, int w, int h) {
    float fx = static_cast<float>(src.width()) / w, fy = static_cast<float>(src.height()) / h;
    for (int dy = 0; dy < h; ++dy)
        for (int dx = 0; dx < w; ++dx) {
            int x0 = static_cast<int>(dx * fx),
                x1 = std::max(x0 + 1, static_cast<int>((dx + 1) * fx));
            int y0 = static_cast<int>(dy * fy),
                y1 = std::max(y0 + 1, static_cast<int>((dy + 1) * fy));
            Rgba sum{0, 0, 0, 0};
            int n = 0;
            for (int sy = y0; sy < y1 && sy < src.height(); ++sy)
                for (int sx = x0; sx < x1 && sx < src.width(); ++sx) {
                    const Rgba& p = src.at(sx, sy);
                    sum.r += p.r * p.a;
                    sum.g += p.g * p.a;
                    sum.b += p.b * p.a;
                    sum.a += p.a;
                    ++n;
                }
            if (n == 0 || sum.a <= 0) continue;
            Rgba c{sum.r / sum.a, sum.g / sum.a, sum.b / sum.a, sum.a / n};
            blend(x + dx, y + dy, c, 1);
        }
}

Image Image::crop(int x, int y, int w, int h) const {
    Image out(w, h);
    for (int sy = 0; sy < h; ++sy)
        for (int sx = 0; sx < w; ++sx)
            if (x + sx >= 0 && y + sy >= 0 && x + sx < w_ && y + sy < h_)
                out.at(sx, sy) = at(x + sx, y + sy);
    return out;
}

uint32_t Image::rgb24(int x, int y) const {
    const Rgba& p = at(x, y);
    auto ch = [](float v) { return static_cast<uint32_t>(std::lround(clamp01(v) * 255.0f)); };
    return (ch(p.r) << 16) | (ch(p.g) << 8) | ch(p.b);
}
