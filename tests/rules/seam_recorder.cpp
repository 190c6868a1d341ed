// Test double for the rules' seam: records calls, credits the score and ages popups like the game.
#include "tests/rules/seam_recorder.h"

#include "rules/scoring.h"

namespace recorder {

std::vector<std::string> calls;
bool recording = true;
int64_t highScoreOffers = 0;

void reset() {
    calls.clear();
    recording = true;
    highScoreOffers = 0;
}

std::vector<std::string> callsStartingWith(const std::string& prefix) {
    std::vector<std::string> found;
    for (const std::string& c : calls)
        if (c.rfind(prefix, 0) == 0) found.push_back(c);
    return found;
}

} // namespace recorder

namespace {

std::string str(int v) {
    return std::to_string(v);
}
std::string str(Color c) {
    return str(static_cast<int>(c));
}
std::string str(ElementKind k) {
    return str(static_cast<int>(k));
}

// Writes down "name arg arg ..." while recording.
template <typename... Args> void note(const char* name, Args... args) {
    if (!recorder::recording) return;
    std::string line = name;
    ((line += " " + str(args)), ...);
    recorder::calls.push_back(line);
}

int32_t labelWidth(const std::string& text) {
    return 8 * static_cast<int32_t>(text.size());
}

void renderPopupLabels(GameState& game) {
    note("RenderPopupLabels", game.paintPoints, game.clearPoints);
    game.PaintLabelSize = LabelSize{labelWidth(str(game.paintPoints)), 16};
    game.ClearLabelSize = LabelSize{labelWidth(str(game.clearPoints)), 16};
}

// Same life as on screen: a step every 100 ms, removed after the fourth step.
void animatePopups(GameState& game, uint32_t now) {
    for (int i = 0; i < game.popupCount; ++i) {
        ScorePopup& p = game.popups[static_cast<size_t>(i)];
        if (now - static_cast<uint32_t>(p.tick) <= 100) continue;
        if (p.step > 3) {
            for (int j = i; j + 1 < game.popupCount; ++j)
                game.popups[static_cast<size_t>(j)] = game.popups[static_cast<size_t>(j + 1)];
            --game.popupCount;
        } else {
            p.y -= 2;
            p.tick = static_cast<int32_t>(now);
            ++p.step;
        }
    }
}

} // namespace

const GameSeam recorder::seam{
    .drawBoardPicture = [] { note("DrawBoardPicture"); },
    .drawSquareToBackBuffer = [](int x, int y, Color c,
                                 ElementKind k) { note("DrawSquareToBackBuffer", x, y, c, k); },
    .drawCell = [](int x, int y, Color c, ElementKind k) { note("DrawCell", x, y, c, k); },
    .restoreFromBackBuffer = [](int x, int y, int s) { note("RestoreFromBackBuffer", x, y, s); },
    .playSound = [](int id) { note("PlayGameSound", id); },
    .renderPopupLabels = renderPopupLabels,
    .renderMultiplierLabel =
        [](GameState& game) {
            if (recorder::recording)
                recorder::calls.push_back("RenderMultiplierLabel x" + str(game.multiplier));
            game.MultiplierLabelSize = LabelSize{labelWidth("x" + str(game.multiplier)), 16};
        },
    .refreshScorePanel =
        [](GameState& game) {
            if (creditScore(game)) renderPopupLabels(game);
            note("RefreshScorePanel", game.score);
            game.scoreUpdatePending = 0;
        },
    .animatePopups = animatePopups,
    .drawPileSlot =
        [](const GameState&, int index, int previousY, bool landedNow) {
            note("DrawPileSlot", index, previousY, landedNow ? 1 : 0);
        },
    .redrawRestingPile = [](const GameState& game) { note("RedrawRestingPile", game.landedCount); },
    .drawGameOverPanel = [] { note("DrawGameOverPanel"); },
    .showOccupiedNotice = [] { note("ShowOccupiedNotice"); },
    .showWrongColourNotice = [] { note("ShowWrongColourNotice"); },
    .offerHighScore =
        [](GameState& game) {
            ++recorder::highScoreOffers;
            note("offerHighScore", game.score);
        },
};
