// Anti-aliased lettering from the DejaVu fonts through FreeType, as coverage masks to paint.
#pragma once

#include <string>
#include <vector>

#include "image.h"

enum class Face { Sans, SansBold, SerifBold };

// A coverage mask (0..1) the size of a picture, with the lettering drawn into it.
struct Coverage {
    int w = 0, h = 0;
    std::vector<float> v;
    Coverage(int width, int height)
        : w(width), h(height), v(static_cast<size_t>(width) * static_cast<size_t>(height), 0.0f) {}
    float at(int x, int y) const {
        if (x < 0 || y < 0 || x >= w || y >= h) return 0;
        return v[static_cast<size_t>(y) * static_cast<size_t>(w) + static_cast<size_t>(x)];
    }
    // The mask grown by `radius` pixels (a round pen), for outlines and shadows.
    Coverage dilated(float radius) const;
    // Bounding box of the covered pixels: x0, y0, x1, y1 (exclusive); empty gives zeros.
    void bounds(int& x0, int& y0, int& x1, int& y1) const;
};

// Width in pixels of the UTF-8 text at the pixel size.
float textWidth(Face face, float size, const std::string& utf8);
// Adds the text, baseline starting at (x, baseline), into the mask.
void drawText(Coverage& mask, Face face, float size, float x, float baseline,
              const std::string& utf8, float stretchX = 1.0f);
// Splits text into lines no wider than maxWidth.
std::vector<std::string> wrapText(Face face, float size, const std::string& utf8, float maxWidth);
// Paints the mask into the picture with the shader.
void paintMask(Image& img, const Coverage& mask, const Shader& paint, float opacity = 1.0f);
// Ascent of capitals (height of 'H') at the pixel size.
float capHeight(Face face, float size);

// Decodes UTF-8 into code points.
std::vector<unsigned> decodeUtf8(const std::string& s);
