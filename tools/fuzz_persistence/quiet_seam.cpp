// Silent stand-ins for the screen, speaker and dialogs, so that loaded games can be played on.
#include "tools/fuzz_persistence/quiet_seam.h"

#include <string>

#include "rules/scoring.h"

namespace {

int32_t digits(int32_t value) {
    return static_cast<int32_t>(std::to_string(value).size());
}

// The labels as the system font would measure them: 8 pixels a digit, 16 high.
void renderPopupLabels(GameState& game) {
    game.PaintLabelSize = LabelSize{8 * digits(game.paintPoints), 16};
    game.ClearLabelSize = LabelSize{8 * digits(game.clearPoints), 16};
}

// Popups live as on screen: one step every 100 ms, gone after the fourth.
void animatePopups(GameState& game, uint32_t now) {
    int kept = 0;
    for (int i = 0; i < game.popupCount && i < PopupCapacity; ++i) {
        ScorePopup p = game.popups[static_cast<size_t>(i)];
        if (now - static_cast<uint32_t>(p.tick) > 100) {
            if (p.step > 3) continue;
            p.y -= 2;
            p.tick = static_cast<int32_t>(now);
            ++p.step;
        }
        game.popups[static_cast<size_t>(kept++)] = p;
    }
    game.popupCount = kept;
}

} // namespace

const GameSeam QuietSeam{
    .drawBoardPicture = [] {},
    .drawSquareToBackBuffer = [](int, int, Color, ElementKind) {},
    .drawCell = [](int, int, Color, ElementKind) {},
    .restoreFromBackBuffer = [](int, int, int) {},
    .playSound = [](int) {},
    .renderPopupLabels = renderPopupLabels,
    .renderMultiplierLabel =
        [](GameState& game) {
            game.MultiplierLabelSize = LabelSize{8 * (1 + digits(game.multiplier)), 16};
        },
    .refreshScorePanel =
        [](GameState& game) {
            if (creditScore(game)) renderPopupLabels(game);
            game.scoreUpdatePending = 0;
        },
    .animatePopups = animatePopups,
    .drawPileSlot = [](const GameState&, int, int, bool) {},
    .redrawRestingPile = [](const GameState&) {},
    .drawGameOverPanel = [] {},
    .showOccupiedNotice = [] {},
    .showWrongColourNotice = [] {},
    .offerHighScore = [](GameState&) {},
};
