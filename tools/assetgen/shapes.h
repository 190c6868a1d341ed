// Distance-field shapes (circles, rounded boxes, polygons, stars) and the bevel lighting.
#pragma once

#include <utility>
#include <vector>

#include "image.h"

using Point = std::pair<float, float>;

Sdf circle(float cx, float cy, float r);
Sdf ellipse(float cx, float cy, float rx, float ry);
Sdf roundedBox(float x0, float y0, float x1, float y1, float radius);
// Exact signed distance to a simple polygon (either winding).
Sdf polygon(std::vector<Point> points);
Sdf unite(Sdf a, Sdf b);
Sdf intersect(Sdf a, Sdf b);
Sdf subtract(Sdf a, Sdf b);
// The shape grown (k > 0) or shrunk (k < 0) by k pixels.
Sdf grow(Sdf a, float k);
// Five-pointed star points, first tip straight up.
std::vector<Point> starPoints(float cx, float cy, float outer, float inner, int tips = 5);

// Lighting of a raised shape: 1 on the flat top, brighter on the edges facing the top-left
// light, darker on the others, over a rim `width` pixels wide.
float bevelLight(const Sdf& shape, float x, float y, float width, float steepness = 1.2f);
// A shader that lights `base` with the bevel of `shape`.
Shader bevelled(Sdf shape, Shader base, float width, float strength = 1.0f);
Shader solid(Rgba c);
// Linear gradient from (x0, y0) in colour a to (x1, y1) in colour b.
Shader linear(float x0, float y0, Rgba a, float x1, float y1, Rgba b);
