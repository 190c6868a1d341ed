// Test double for the rules' seam: records calls, credits the score and ages popups like the game.
#include "tests/rules/seam_recorder.h"

#include "rules/rules_seam.h"
#include "rules/scoring.h"

namespace recorder {

std::vector<std::string> calls;
bool recording = true;
int64_t notices = 0;
int64_t highScoreOffers = 0;

void reset() {
    calls.clear();
    recording = true;
    notices = 0;
    highScoreOffers = 0;
}

std::vector<std::string> callsStartingWith(const std::string& prefix) {
    std::vector<std::string> found;
    for (const std::string& c : calls) {
        if (c.rfind(prefix, 0) == 0) found.push_back(c);
    }
    return found;
}

} // namespace recorder

namespace {

std::string str(int v) {
    return std::to_string(v);
}
std::string str(Color c) {
    return std::to_string(static_cast<int>(c));
}
std::string str(ElementKind k) {
    return std::to_string(static_cast<int>(k));
}

} // namespace

void DrawBoardPicture() {
    if (recorder::recording) recorder::calls.push_back("DrawBoardPicture");
}

void DrawSquareToBackBuffer(int column, int row, Color color, ElementKind kind) {
    if (recorder::recording)
        recorder::calls.push_back("DrawSquareToBackBuffer " + str(column) + " " + str(row) + " " +
                                  str(color) + " " + str(kind));
}

void DrawCell(int column, int row, Color color, ElementKind kind) {
    if (recorder::recording)
        recorder::calls.push_back("DrawCell " + str(column) + " " + str(row) + " " + str(color) +
                                  " " + str(kind));
}

void RestoreFromBackBuffer(int x, int y, int size) {
    if (recorder::recording)
        recorder::calls.push_back("RestoreFromBackBuffer " + str(x) + " " + str(y) + " " +
                                  str(size));
}

void PlayGameSound(int id) {
    if (recorder::recording) recorder::calls.push_back("PlayGameSound " + str(id));
}

void RenderPopupLabels(GameState& game) {
    if (recorder::recording)
        recorder::calls.push_back("RenderPopupLabels " + str(game.paintPoints) + " " +
                                  str(game.clearPoints));
    game.PaintLabelSize = LabelSize{8 * static_cast<int32_t>(str(game.paintPoints).size()), 16};
    game.ClearLabelSize = LabelSize{8 * static_cast<int32_t>(str(game.clearPoints).size()), 16};
}

void RenderMultiplierLabel(GameState& game) {
    if (recorder::recording)
        recorder::calls.push_back("RenderMultiplierLabel x" + str(game.multiplier));
    game.MultiplierLabelSize =
        LabelSize{8 * static_cast<int32_t>(1 + str(game.multiplier).size()), 16};
}

void RefreshScorePanel(GameState& game) {
    creditScore(game);
    if (recorder::recording) recorder::calls.push_back("RefreshScorePanel " + str(game.score));
    game.scoreUpdatePending = 0;
}

// Same life as on screen: a step every 100 ms, removed after the fourth step.
void AnimatePopups(GameState& game, uint32_t now) {
    for (int i = 0; i < game.popupCount; ++i) {
        ScorePopup& p = game.popups[static_cast<size_t>(i)];
        if (now - static_cast<uint32_t>(p.tick) <= 100) continue;
        if (p.step > 3) {
            for (int j = i; j + 1 < game.popupCount; ++j) {
                game.popups[static_cast<size_t>(j)] = game.popups[static_cast<size_t>(j + 1)];
            }
            --game.popupCount;
        } else {
            p.y -= 2;
            p.tick = static_cast<int32_t>(now);
            ++p.step;
        }
    }
}

void DrawPileSlot(const GameState& game, int index, int previousY, bool landedNow) {
    (void)game;
    if (recorder::recording)
        recorder::calls.push_back("DrawPileSlot " + str(index) + " " + str(previousY) + " " +
                                  str(landedNow ? 1 : 0));
}

void RedrawRestingPile(const GameState& game) {
    if (recorder::recording)
        recorder::calls.push_back("RedrawRestingPile " + str(game.landedCount));
}

void DrawGameOverPanel() {
    if (recorder::recording) recorder::calls.push_back("DrawGameOverPanel");
}

void ShowOccupiedNotice() {
    ++recorder::notices;
    if (recorder::recording) recorder::calls.push_back("ShowOccupiedNotice");
}

void ShowWrongColourNotice() {
    ++recorder::notices;
    if (recorder::recording) recorder::calls.push_back("ShowWrongColourNotice");
}

void offerHighScore(GameState& game) {
    ++recorder::highScoreOffers;
    if (recorder::recording) recorder::calls.push_back("offerHighScore " + str(game.score));
}
