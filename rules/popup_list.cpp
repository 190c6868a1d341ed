// Appending score popups; a full list keeps the points of the popup it cannot show.
#include "rules/popup_list.h"

#include <algorithm>
#include <limits>

void appendPopup(GameState& game, int32_t x, int32_t y, int32_t points, PopupStyle style,
                 uint32_t now) {
    if (game.popupCount >= 0 && game.popupCount < PopupCapacity) {
        ScorePopup& p = game.popups[static_cast<size_t>(game.popupCount)];
        p.x = x;
        p.y = y;
        p.points = points;
        p.tick = static_cast<int32_t>(now);
        p.style = style;
        p.step = 0;
        ++game.popupCount;
        return;
    }
    // No room to show it: its points are still owed. Capped well below any overflow; the score
    // itself saturates long before this cap matters.
    constexpr int64_t cap = std::numeric_limits<int32_t>::max();
    game.unlistedPoints = std::min(cap, game.unlistedPoints + std::max(points, int32_t{0}));
}
