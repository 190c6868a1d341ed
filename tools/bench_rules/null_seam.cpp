// Seam functions that do nothing but credit the score, so the benchmark measures the rules alone.
#include "rules/rules_seam.h"
#include "rules/scoring.h"

void DrawBoardPicture() {}
void DrawSquareToBackBuffer(int, int, Color, ElementKind) {}
void DrawCell(int, int, Color, ElementKind) {}
void RestoreFromBackBuffer(int, int, int) {}
void PlayGameSound(int) {}
void RenderPopupLabels(GameState&) {}
void RenderMultiplierLabel(GameState&) {}
void RefreshScorePanel(GameState& game) {
    creditScore(game);
    game.scoreUpdatePending = 0;
}
// Popups live five steps of 100 ms on screen; here they leave at the next pass.
void AnimatePopups(GameState& game, uint32_t) {
    game.popupCount = 0;
}
void DrawPileSlot(const GameState&, int, int, bool) {}
void RedrawRestingPile(const GameState&) {}
void DrawGameOverPanel() {}
void ShowOccupiedNotice() {}
void ShowWrongColourNotice() {}
void offerHighScore(GameState&) {}
