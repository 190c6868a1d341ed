// Floating-point RGBA pictures, anti-aliased shape filling and the colour helpers the painters
// share.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

struct Rgba {
    float r = 0, g = 0, b = 0, a = 1;
};

inline Rgba rgb(int hex, float alpha = 1.0f) {
    return {((hex >> 16) & 0xFF) / 255.0f, ((hex >> 8) & 0xFF) / 255.0f, (hex & 0xFF) / 255.0f,
            alpha};
}
Rgba mix(const Rgba& a, const Rgba& b, float t);
// Scales the colour towards black (f < 1) or towards white (f > 1), keeping alpha.
Rgba shade(const Rgba& c, float f);

// A signed distance in pixels: negative inside the shape, positive outside.
using Sdf = std::function<float(float x, float y)>;
// The paint at a point of the picture.
using Shader = std::function<Rgba(float x, float y)>;

class Image {
  public:
    Image() = default;
    Image(int w, int h, Rgba fill = {1, 1, 1, 1});
    int width() const { return w_; }
    int height() const { return h_; }
    Rgba& at(int x, int y) {
        return px_[static_cast<size_t>(y) * static_cast<size_t>(w_) + static_cast<size_t>(x)];
    }
    const Rgba& at(int x, int y) const {
        return px_[static_cast<size_t>(y) * static_cast<size_t>(w_) + static_cast<size_t>(x)];
    }
    // Blends `c` over the pixel with the given coverage (0..1), times the colour's alpha.
    void blend(int x, int y, const Rgba& c, float coverage);
    // Fills the shape with the shader, anti-aliased from the distance field.
    void fill(const Sdf& shape, const Shader& paint);
    void fill(const Sdf& shape, const Rgba& colour);
    // Paints every pixel through the shader (a full-picture background).
    void paintAll(const Shader& paint);
    // Draws `src` with its top-left at (x, y), honouring its alpha.
    void draw(const Image& src, int x, int y);
    // Draws `src` scaled to a w by h box at (x, y) by area averaging.
    void drawScaled(const Image& src, int x, int y, int w, int h);
    Image crop(int x, int y, int w, int h) const;

    // 8-bit channels, rounded and clamped; the picture is taken as opaque.
    uint32_t rgb24(int x, int y) const;

  private:
    int w_ = 0, h_ = 0;
    std::vector<Rgba> px_;
};

// Coverage of a pixel centre at distance d from the edge of a shape.
float coverageOf(float d);
float clamp01(float v);
float smoothstep(float e0, float e1, float x);
