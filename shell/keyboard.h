// The game played from the keyboard or a gamepad: the board cursor, the focus among the
// picture buttons, and the frame that shows them from a screen's first key press on.
#pragma once

#include "platform/platform.h"

// What a key press comes to once the cursor or the focus has moved.
struct KeyOutcome {
    enum class Action {
        None,
        Click, // a press and then a release at client (x, y)
        Pause, // what the menu's Pause does
    };
    Action action = Action::None;
    int x = 0;
    int y = 0;
};

// Maps a key press to its effect on the screen shown: arrows move the board cursor (one square,
// never past an edge) or, as Tab and Shift+Tab do, the focus among the picture buttons; Enter
// and Space (not repeating) click the cursor's square or the button in focus.
KeyOutcome KeyPressed(const platform::Event& event);
// A press of the mouse on the window: the frame goes until the next key press.
void PointerPressed();
// The board cursor back at square (0, 0): a game was set up or resumed.
void BoardCursorHome();
// Puts the frame where the keyboard is now, or takes it away; called after every event and
// every pass of the main loop, so that a new screen or a paused game never keeps it.
void ShowKeyMarks();
