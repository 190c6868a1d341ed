// Distance-field shapes and the bevel lighting used by every raised thing in the pictures.
#include "shapes.h"

#include <algorithm>
#include <cmath>

Sdf circle(float cx, float cy, float r) {
    return [=](float x, float y) { return std::hypot(x - cx, y - cy) - r; };
}

Sdf ellipse(float cx, float cy, float rx, float ry) {
    return [=](float x, float y) {
        float nx = (x - cx) / rx, ny = (y - cy) / ry;
        float k = std::hypot(nx, ny);
        // First-order distance: the field value divided by its gradient length.
        float gx = nx / rx, gy = ny / ry;
        float g = std::hypot(gx, gy);
        if (g <= 1e-6f) return -std::min(rx, ry);
        return (k - 1) * k / g;
    };
}

Sdf roundedBox(float x0, float y0, float x1, float y1, float radius) {
    float cx = (x0 + x1) / 2, cy = (y0 + y1) / 2;
    float hx = (x1 - x0) / 2 - radius, hy = (y1 - y0) / 2 - radius;
    return [=](float x, float y) {
        float qx = std::fabs(x - cx) - hx, qy = std::fabs(y - cy) - hy;
        float ox = std::max(qx, 0.0f), oy = std::max(qy, 0.0f);
        return std::hypot(ox, oy) + std::min(std::max(qx, qy), 0.0f) - radius;
    };
}

Sdf polygon(std::vector<Point> pts) {
    return [pts](float x, float y) {
        float best = 1e30f;
        bool inside = false;
        size_t n = pts.size();
        for (size_t i = 0, j = n - 1; i < n; j = i++) {
            auto [xi, yi] = pts[i];
            auto [xj, yj] = pts[j];
            float ex = xj - xi, ey = yj - yi;
            float wx = x - xi, wy = y - yi;
            float len2 = ex * ex + ey * ey;
            float t = len2 > 0 ? std::clamp((wx * ex + wy * ey) / len2, 0.0f, 1.0f) : 0.0f;
            float dx = wx - ex * t, dy = wy - ey * t;
            best = std::min(best, dx * dx + dy * dy);
            if (((yi > y) != (yj > y)) && (x < (xj - xi) * (y - yi) / (yj - yi) + xi))
                inside = !inside;
        }
        float d = std::sqrt(best);
        return inside ? -d : d;
    };
}

Sdf unite(Sdf a, Sdf b) {
    return [=](float x, float y) { return std::min(a(x, y), b(x, y)); };
}
Sdf intersect(Sdf a, Sdf b) {
    return [=](float x, float y) { return std::max(a(x, y), b(x, y)); };
}
Sdf subtract(Sdf a, Sdf b) {
    return [=](float x, float y) { return std::max(a(x, y), -b(x, y)); };
}
Sdf grow(Sdf a, float k) {
    return [=](float x, float y) { return a(x, y) - k; };
}

std::vector<Point> starPoints(float cx, float cy, float outer, float inner, int tips) {
    std::vector<Point> pts;
    const float pi = 3.14159265358979f;
    for (int i = 0; i < tips * 2; ++i) {
        float ang = -pi / 2 + i * pi / tips;
        float r = (i % 2 == 0) ? outer : inner;
        pts.emplace_back(cx + r * std::cos(ang), cy + r * std::sin(ang));
    }
    return pts;
}

float bevelLight(const Sdf& shape, float x, float y, float width, float steepness) {
    float d = shape(x, y);
    float depth = -d;
    if (depth >= width) return 1.0f;
    const float e = 0.35f;
    float gx = (shape(x + e, y) - shape(x - e, y)) / (2 * e);
    float gy = (shape(x, y + e) - shape(x, y - e)) / (2 * e);
    float g = std::hypot(gx, gy);
    if (g <= 1e-6f) return 1.0f;
    gx /= g;
    gy /= g;
    // The rim rises inwards, steeper near the outer edge.
    float slope = steepness * (1.0f - smoothstep(0.0f, width, depth) * 0.6f);
    float nx = gx * slope, ny = gy * slope, nz = 1.0f;
    float nl = std::sqrt(nx * nx + ny * ny + nz * nz);
    const float lx = -0.55f, ly = -0.65f, lz = 0.52f;
    float ll = std::sqrt(lx * lx + ly * ly + lz * lz);
    float lit = (nx * lx + ny * ly + nz * lz) / (nl * ll);
    float flat = lz / ll;
    return std::max(0.15f, lit / flat);
}

Shader bevelled(Sdf shape, Shader base, float width, float strength) {
    return [=](float x, float y) {
        float f = bevelLight(shape, x, y, width);
        f = 1 + (f - 1) * strength;
        return shade(base(x, y), f);
    };
}

Shader solid(Rgba c) {
    return [=](float, float) { return c; };
}

Shader linear(float x0, float y0, Rgba a, float x1, float y1, Rgba b) {
    float dx = x1 - x0, dy = y1 - y0, len2 = dx * dx + dy * dy;
    return [=](float x, float y) {
        float t = len2 > 0 ? clamp01(((x - x0) * dx + (y - y0) * dy) / len2) : 0.0f;
        return mix(a, b, t);
    };
}
