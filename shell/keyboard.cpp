// The keyboard and the gamepad on the screens: cursor and focus moves, the click a key makes,
// and where the frame shows them.
#include "shell/keyboard.h"

#include <array>
#include <span>

#include "presentation/canvas.h"
#include "presentation/key_marks.h"
#include "rules/game_state.h"
#include "shell/program_state.h"

namespace {

// A picture button: the point a click on it is made at, and the frame around it (canvas).
struct Button {
    int x, y;
    CanvasRect mark;
};
constexpr std::array<Button, 3> TitleButtons{{
    {364, 160, {302, 132, 423, 183}}, // Play
    {364, 259, {302, 231, 423, 282}}, // Options
    {364, 351, {302, 324, 423, 375}}, // Help
}};
constexpr std::array<Button, 1> HelpButtons{{{237, 418, {168, 389, 304, 443}}}}; // OK
constexpr std::array<Button, 2> HighScoreButtons{{
    {135, 435, {25, 391, 241, 466}},  // Play again, when offered
    {372, 435, {286, 391, 453, 466}}, // Exit
}};

// The buttons of the screen shown, in the order the focus goes through them.
std::span<const Button> ScreenButtons() {
    const ProgramState& p = Program();
    switch (p.Screen) {
    case TitleScreen:
        return TitleButtons;
    case HelpScreen:
        return HelpButtons;
    case HighScoreScreen:
        // Play again is there only on the way back to a game.
        return p.ReturnScreen == GameScreen ? std::span<const Button>(HighScoreButtons)
                                            : std::span<const Button>(HighScoreButtons).last(1);
    case GameScreen:
        break;
    }
    return {};
}

// The keyboard's state, begun again on every new screen.
KeyFocus& Focus() {
    ProgramState& p = Program();
    KeyFocus& k = p.keys;
    if (k.screen != p.Screen) {
        const KeyFocus fresh{p.Screen};
        k = fresh;
    }
    return k;
}

bool BoardTakesCursor() {
    const GameState& game = Program().game;
    return game.Paused == 0 && game.GameInProgress != 0;
}

} // namespace

KeyOutcome KeyPressed(const platform::Event& e) {
    KeyFocus& k = Focus();
    using Key = platform::Key;
    if (e.key == Key::Pause) return {KeyOutcome::Action::Pause};
    const bool press = e.key == Key::Enter || e.key == Key::Space;
    // A held key clicks once.
    if (press && e.repeat) return {};
    const bool forward =
        (e.key == Key::Tab && !e.shift) || e.key == Key::Right || e.key == Key::Down;
    const bool backward = (e.key == Key::Tab && e.shift) || e.key == Key::Left || e.key == Key::Up;

    // The keyboard comes onto the window from the page around it: the board takes it as it
    // is; on the other screens this Tab takes the first button (Shift+Tab the last).
    if (e.arriving) {
        if (k.screen == GameScreen) return {};
        k.button = -1;
    }

    if (k.screen == GameScreen) {
        if (press) {
            k.shown = true;
            const int centreX = CellOriginX(k.column) + 24, centreY = CellOriginY(k.row) + 24;
            return {KeyOutcome::Action::Click, ScaleX(centreX), ScaleY(centreY)};
        }
        // Tab leaves the board for the page's own elements, where the window has any.
        if (e.key == Key::Tab) {
            platform::PassKeyboardOn(!e.shift);
            return {};
        }
        if ((!forward && !backward) || !BoardTakesCursor()) return {};
        const bool across = e.key == Key::Left || e.key == Key::Right;
        int& coordinate = across ? k.column : k.row;
        coordinate += forward ? 1 : -1;
        coordinate = coordinate < 0 ? 0 : coordinate >= BoardSide ? BoardSide - 1 : coordinate;
        k.shown = true;
        return {};
    }

    const std::span<const Button> buttons = ScreenButtons();
    if (buttons.empty()) return {};
    const int count = static_cast<int>(buttons.size());
    if (k.button >= count) k.button = 0;
    if (press) {
        if (k.button < 0) k.button = 0;
        k.shown = true;
        const Button& b = buttons[static_cast<size_t>(k.button)];
        return {KeyOutcome::Action::Click, ScaleX(b.x), ScaleY(b.y)};
    }
    if (forward || backward) {
        // Tab past the last button (Shift+Tab before the first) goes on to the page around the
        // window where there is one, and the next Tab back in takes the first button again,
        // Shift+Tab the last. Elsewhere the focus goes round.
        const bool last = k.button == (forward ? count - 1 : 0);
        if (e.key == Key::Tab && last && platform::PassKeyboardOn(forward)) {
            k.button = -1;
            k.shown = false;
            return {};
        }
        if (k.button < 0)
            k.button = forward ? 0 : count - 1;
        else
            k.button = (k.button + (forward ? 1 : count - 1)) % count;
        k.shown = true;
    }
    return {};
}

void PointerPressed() {
    Focus().shown = false;
    ShowKeyMarks();
}

void BoardCursorHome() {
    KeyFocus& k = Focus();
    k.column = 0;
    k.row = 0;
}

void ShowKeyMarks() {
    const KeyFocus& k = Focus();
    bool wanted = k.shown;
    CanvasRect place{};
    if (wanted && k.screen == GameScreen) {
        wanted = BoardTakesCursor();
        place = BoardSquareMark(k.column, k.row);
    } else if (wanted) {
        const std::span<const Button> buttons = ScreenButtons();
        wanted = k.button >= 0 && k.button < static_cast<int>(buttons.size());
        if (wanted) place = buttons[static_cast<size_t>(k.button)].mark;
    }
    if (wanted) {
        ShowKeyMark(place);
    } else if (KeyMarkShown()) {
        HideKeyMark();
    }
}
