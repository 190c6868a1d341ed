// Plays a game on the silent seam: time passes and the player clicks across the board.
#include "tests/persistence/played_game.h"

#include "rules/placement.h"
#include "rules/setup.h"
#include "rules/turn.h"

GameState playedGame(int steps) {
    GameState game;
    uint32_t now = 7000;
    setUpGame(game, GameSnapshot{}, now);
    game.GameRunning = 1;
    for (int i = 0; i < steps && game.GameInProgress != 0; ++i) {
        now += 50;
        gameStep(game, now);
        if (i % 4 == 0) placeAt(game, 131 + 54 * (i % 6), 131 + 54 * ((i / 5) % 6), 480, 480, now);
    }
    return game;
}
