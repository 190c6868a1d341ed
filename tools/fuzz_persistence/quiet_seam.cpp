// Silent stand-ins for the screen, speaker and dialogs, so that loaded games can be played on.
#include <string>

#include "platform/platform.h"
#include "rules/rules_seam.h"
#include "rules/scoring.h"

namespace {

int32_t digits(int32_t value) {
    return static_cast<int32_t>(std::to_string(value).size());
}

} // namespace

void DrawBoardPicture() {}
void DrawSquareToBackBuffer(int, int, Color, ElementKind) {}
void DrawCell(int, int, Color, ElementKind) {}
void RestoreFromBackBuffer(int, int, int) {}
void PlayGameSound(int) {}

// The labels as the system font would measure them: 8 pixels a digit, 16 high.
void RenderPopupLabels(GameState& game) {
    game.PaintLabelSize = LabelSize{8 * digits(game.paintPoints), 16};
    game.ClearLabelSize = LabelSize{8 * digits(game.clearPoints), 16};
}

void RenderMultiplierLabel(GameState& game) {
    game.MultiplierLabelSize = LabelSize{8 * (1 + digits(game.multiplier)), 16};
}

void RefreshScorePanel(GameState& game) {
    creditScore(game);
    game.scoreUpdatePending = 0;
}

// Popups live as on screen: one step every 100 ms, gone after the fourth.
void AnimatePopups(GameState& game, uint32_t now) {
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

void DrawPileSlot(const GameState&, int, int, bool) {}
void RedrawRestingPile(const GameState&) {}
void DrawGameOverPanel() {}
void ShowOccupiedNotice() {}
void ShowWrongColourNotice() {}
void offerHighScore(GameState&) {}
