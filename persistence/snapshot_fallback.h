// The saved game's snapshot fields, used only until the rules' own snapshot header is present.
#pragma once

#include <array>
#include <cstdint>

#include "rules/game_state.h"

struct GameSnapshot {
    LabelSize MultiplierLabelSize;
    LabelSize PaintLabelSize;
    LabelSize ClearLabelSize;
    Board board;
    std::array<int32_t, DrawWeightCount> drawWeights{};
    int32_t bonusChain = 0;
    int32_t paintPoints = 0;
    int32_t clearPoints = 0;
    int32_t pointsLevel = 0;
    std::array<ScorePopup, PopupCapacity> popups{};
    int32_t popupCount = 0;
    int32_t pileCount = 0;
    int32_t activeIndex = 0;
    int32_t landedCount = 0;
    int32_t speedLevel = 0;
    int32_t riseSpeed = 0;
    std::array<PileSlot, PileSlotCount> slots{};
    int32_t score = 0;
};

GameSnapshot takeSnapshot(const GameState& game);
bool snapshotIsPlayable(const GameSnapshot& snapshot);
