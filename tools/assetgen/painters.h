// The house style shared by every picture: backdrop, logo, buttons, frames, gems and lettering.
#pragma once

#include <string>
#include <vector>

#include "image.h"
#include "lettering.h"
#include "shapes.h"

// Deterministic pixel noise in -1..1 for textures.
float grain(int x, int y, unsigned seed);

// The deep blue backdrop behind every screen, with a soft glow and a fine diamond pattern.
void paintBackdrop(Image& img);
// "Glimora" in gold with a dark outline; (x, baseline) is the start of the word.
void paintLogo(Image& img, float x, float baseline, float size);
// Width of the logo at that size.
float logoWidth(float size);

enum class ButtonShape { Pill, Oval };
// A glossy amber button with its label centred.
void paintButton(Image& img, float x0, float y0, float x1, float y1, const std::string& label,
                 ButtonShape shape, float textSize);

// Lettering with an outline and a vertical two-colour fill, centred on cx when `centred`.
struct TextStyle {
    Face face = Face::SansBold;
    float size = 16;
    Rgba top{1, 1, 1, 1};
    Rgba bottom{1, 1, 1, 1};
    Rgba outline{0, 0, 0, 1};
    float outlineWidth = 0;
    float shadow = 0; // drop shadow offset, 0 for none
};
void paintText(Image& img, const std::string& utf8, float x, float baseline, const TextStyle& style,
               bool centred);

// A raised bevelled frame between two rounded boxes (outer grown from the inner one).
void paintFrame(Image& img, float x0, float y0, float x1, float y1, float thickness, float radius,
                Rgba colour);

// A sprite drawn on transparency, cut out hard against pure white: pixels at least half
// covered become opaque and are never pure white, the rest become pure white.
Image cutOutOnWhite(const Image& layer);

// A faceted gem over the outline points, raised towards `apex` by h, with a flat table of
// `tableScale` times the outline when above 0; facets lit from the top-left between the
// dark and the light colour.
Shader facetShader(std::vector<Point> pts, Point apex, float h, float tableScale, Rgba light,
                   Rgba dark);
