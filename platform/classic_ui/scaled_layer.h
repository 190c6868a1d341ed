// The drawn menu bar and dialogs enlarged a whole number of times for high-density displays.
#pragma once

#include <functional>

#include "platform/surface.h"

namespace classicui {

// Draws `draw`'s picture over `frame` enlarged `k` times (k >= 1). `draw` paints in the
// interface's own pixels, a layer k times smaller than `frame` (rounded up); each pixel it
// paints then covers k x k pixels of `frame`, and what it leaves alone shows `frame` as it
// was. At k = 1 `draw` paints straight into `frame`.
void DrawScaled(Surface& frame, int k, const std::function<void(Surface&)>& draw);

} // namespace classicui
