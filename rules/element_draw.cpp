// The weighted lottery that picks the next element of the pile and evens out the weights.
#include <algorithm>

#include "rules/runtime_random.h"
#include "rules/setup.h"

namespace {
// The most weight one draw takes from the element drawn.
constexpr int32_t WeightMoved = 11;
} // namespace

DrawnElement drawElement(GameState& game) {
    auto& w = game.drawWeights;
    const int r = crtRand() % DrawWeightTotal;

    int k = DrawWeightCount - 1;
    int32_t sum = 0;
    for (int i = 0; i < DrawWeightCount - 1; ++i) {
        sum += w[static_cast<size_t>(i)];
        if (r < sum) {
            k = i;
            break;
        }
    }

    // Give up to 11 of the drawn element's weight to the lowest-indexed others, 1 each.
    auto& drawn = w[static_cast<size_t>(k)];
    int32_t moved = std::clamp(drawn, int32_t{0}, WeightMoved);
    drawn -= moved;
    for (int i = 0; i < DrawWeightCount && moved > 0; ++i) {
        if (i == k) continue;
        ++w[static_cast<size_t>(i)];
        --moved;
    }

    DrawnElement e;
    e.index = k;
    e.kind = static_cast<ElementKind>(k % 6 + 1);
    e.color = k < 6 ? Color::Green : Color::Red;
    return e;
}
