// The drawn window's event semantics, on the headless backend: the order the game relies on,
// and the menu bar reached by mouse and keyboard.
#include <gtest/gtest.h>

#include <vector>

#include "platform/classic_ui/menu_layout.h"
#include "platform/classic_ui/window_core.h"
#include "platform/headless/headless.h"
#include "platform/platform.h"
#include "resources/resources.h"
#include "resources/ui/ui_data.h"

namespace {

using platform::EventType;
using Types = std::vector<EventType>;
using classicui::UiKey;

std::vector<platform::Event> seen;

void recordingProcedure(const platform::Event& event) {
    seen.push_back(event);
    if (event.type == EventType::Close) platform::DestroyMainWindow();
    if (event.type == EventType::Destroy) platform::PostQuit(0);
}

const MenuBar emptyMenu{"MAINMENUENG", {}};
const int bar = classicui::MenuBarHeight;

// Checks the menu when the script gets there: open or not, its pop-up shown or not, and
// (unless Any) the title and the item lit.
constexpr int Any = -2;
void MenuIs(bool active, bool popupOpen = false, int title = Any, int item = Any) {
    headless::QueueProbe([=] {
        const classicui::MenuView& v = classicui::MainWindow().menuView;
        EXPECT_EQ(v.active, active);
        EXPECT_EQ(v.active && v.popupOpen, active && popupOpen);
        EXPECT_EQ(title == Any ? Any : v.title, title);
        EXPECT_EQ(item == Any ? Any : v.item, item);
    });
}

class HeadlessEvents : public ::testing::Test {
  protected:
    void SetUp() override {
        headless::Reset();
        seen.clear();
        ASSERT_TRUE(platform::OpenMainWindow("Glimora", recordingProcedure, MenuEnglish()));
        ASSERT_EQ(seen.size(), 1u);
        EXPECT_EQ(seen[0].type, EventType::Create);
        seen.clear();
    }

    // Pumps until Idle or Quit; returns the types delivered.
    Types drain(platform::PumpResult* last = nullptr, int* code = nullptr) {
        int exitCode = -1;
        platform::PumpResult r;
        while ((r = platform::PumpOne(exitCode)) == platform::PumpResult::Dispatched) {
        }
        if (last != nullptr) *last = r;
        if (code != nullptr) *code = exitCode;
        Types types;
        for (const auto& e : seen)
            types.push_back(e.type);
        return types;
    }
};

TEST_F(HeadlessEvents, RepaintsCoalesceAndWaitBehindOtherEvents) {
    platform::RequestRepaint();
    headless::QueueClick(10, 20);
    platform::RequestRepaint();
    platform::RequestRepaint();
    EXPECT_EQ(headless::RepaintRequests(), 3);
    auto types = drain();
    EXPECT_EQ(types, (Types{EventType::LeftDown, EventType::LeftUp, EventType::Paint}));
    EXPECT_EQ(seen[0].x, 10);
    EXPECT_EQ(seen[1].y, 20);
    EXPECT_FALSE(headless::RepaintPending());

    // A repaint asked for while handling Paint gives exactly one more.
    seen.clear();
    platform::RequestRepaint();
    headless::QueueMenuCommand(9077); // Pause
    types = drain();
    EXPECT_EQ(types, (Types{EventType::Command, EventType::Paint}));
    EXPECT_EQ(seen[0].id, 9077);
}

TEST_F(HeadlessEvents, DoubleClickArrivesAsWindowsGivesIt) {
    headless::QueueDoubleClick(100, 200);
    auto types = drain();
    EXPECT_EQ(types, (Types{EventType::LeftDown, EventType::LeftUp, EventType::LeftDoubleClick,
                            EventType::LeftUp}));
    for (const auto& e : seen) {
        EXPECT_EQ(e.x, 100);
        EXPECT_EQ(e.y, 200);
    }
    // A release only reaches the window inside its client area, as it does without capture.
    seen.clear();
    for (const auto& [x, y] :
         {std::pair{479, 479}, {480, 10}, {10, 480}, {-1, 10}, {10, -1}, {0, 0}})
        headless::QueueLeftUp(x, y);
    EXPECT_EQ(drain(), (Types{EventType::LeftUp, EventType::LeftUp}));
    EXPECT_EQ(seen[0].x, 479);
    EXPECT_EQ(seen[1].x, 0);
    // A right press is not the game's; Alt held across a click opens no menu when let go.
    seen.clear();
    classicui::UiEvent right;
    right.kind = classicui::UiEvent::Kind::MouseDown;
    right.left = false;
    right.x = right.y = 40;
    headless::QueueInput(right);
    classicui::UiEvent alt;
    alt.kind = classicui::UiEvent::Kind::Key;
    alt.key = UiKey::Alt;
    alt.alt = true;
    headless::QueueInput(alt);
    headless::QueueClick(20, 20);
    alt.kind = classicui::UiEvent::Kind::KeyUp;
    headless::QueueInput(alt);
    MenuIs(false);
    headless::QueueLeftDown(30, 0); // the client's first row is the game's, not the bar's
    EXPECT_EQ(drain(), (Types{EventType::LeftDown, EventType::LeftUp, EventType::LeftDown}));
    EXPECT_EQ(seen[2].y, 0);
}

TEST_F(HeadlessEvents, QuitEndsTheLoopBeforeAnythingStillWaiting) {
    headless::QueueClick(1, 1);
    platform::RequestRepaint();
    platform::PostQuit(7);
    platform::PostQuit(8); // the first one counts
    platform::PumpResult last{};
    int code = -1;
    auto types = drain(&last, &code);
    EXPECT_TRUE(types.empty());
    EXPECT_EQ(last, platform::PumpResult::Quit);
    EXPECT_EQ(code, 7);
    // Quit stays: a loop that asks again ends again.
    int again = -1;
    EXPECT_EQ(platform::PumpOne(again), platform::PumpResult::Quit);
    EXPECT_EQ(again, 7);
}

TEST_F(HeadlessEvents, CloseDestroysSynchronouslyAndDropsLaterEvents) {
    headless::QueueClose();
    headless::QueueClick(5, 5);
    platform::PumpResult last{};
    int code = -1;
    auto types = drain(&last, &code);
    EXPECT_EQ(types, (Types{EventType::Close, EventType::Destroy}));
    EXPECT_EQ(last, platform::PumpResult::Quit);
    EXPECT_EQ(code, 0);
    EXPECT_FALSE(headless::WindowOpen());
}

TEST_F(HeadlessEvents, ResizeAndSquareRequestsTellTheProcedureAndKeepThePixels) {
    int w = 0, h = 0;
    platform::GetClientSize(w, h);
    EXPECT_EQ(w, 480);
    EXPECT_EQ(h, 480);

    headless::QueueResize(600, 500);
    auto types = drain();
    EXPECT_EQ(types, (Types{EventType::Size, EventType::Paint}));
    platform::GetClientSize(w, h);
    EXPECT_EQ(w, 600);
    EXPECT_EQ(h, 500);
    EXPECT_EQ(platform::WindowSurface().width, 600);

    // SetWindowPos sends WM_SIZE before it returns.
    seen.clear();
    platform::MakeClientSquare(500);
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].type, EventType::Size);
    EXPECT_EQ(platform::WindowSurface().width, 500);
    EXPECT_EQ(platform::WindowSurface().height, 500);
    EXPECT_EQ(headless::SquareRequests(), std::vector<int>{500});
    // Asking for the size it already has sends nothing.
    seen.clear();
    platform::MakeClientSquare(500);
    EXPECT_TRUE(seen.empty());
    // A resize keeps the pixels drawn and fills the new area white.
    platform::WindowSurface().at(3, 4) = 0x123456;
    platform::WindowSurface().at(0, 0) = 0x654321;
    platform::WindowUpdated(0, 0, 4, 5);
    EXPECT_EQ(headless::Pixel(3, 4), 0x123456u);
    EXPECT_EQ(headless::Pixel(-1, 4), 0u);
    EXPECT_EQ(headless::Pixel(500, 0), 0u);
    headless::QueueResize(520, 520);
    drain();
    EXPECT_EQ(headless::Pixel(3, 4), 0x123456u);
    EXPECT_EQ(headless::Pixel(0, 0), 0x654321u);
    EXPECT_EQ(headless::Pixel(519, 519), 0xFFFFFFu);

    // A window manager that keeps the window's size: the square picture is centred in the
    // client, the mouse reaches the game in the picture's pixels, and the rest is margin.
    headless::RefuseSquares();
    headless::QueueResize(600, 500);
    drain();
    seen.clear();
    platform::MakeClientSquare(480);
    platform::GetClientSize(w, h);
    EXPECT_EQ(w, 600);
    EXPECT_EQ(h, 500);
    platform::WindowSurface().at(0, 0) = 0x00FF00;
    platform::WindowSurface().at(479, 479) = 0x0000FF;
    platform::WindowUpdated(0, 0, 480, 480);
    headless::QueueLeftDown(60 + 5, 10 + 7);
    headless::QueueLeftUp(60 + 479, 10 + 479);
    EXPECT_EQ(drain(), (Types{EventType::LeftDown, EventType::LeftUp}));
    EXPECT_EQ(seen[0].x, 5);
    EXPECT_EQ(seen[0].y, 7);
    EXPECT_EQ(seen[1].x, 479);
    EXPECT_EQ(seen[1].y, 479);
    platform::WaitForEvent(0);
    const Surface& screen = headless::Screen();
    EXPECT_EQ(screen.at(60, bar + 10), 0x00FF00u);
    EXPECT_EQ(screen.at(60 + 479, bar + 10 + 479), 0x0000FFu);
    for (const auto& [x, y] :
         {std::pair{59, 10}, {60, 9}, {540, 10}, {60, 490}, {0, 0}, {599, 499}})
        EXPECT_EQ(screen.at(x, bar + y), 0x1C1C1Cu) << "margin at " << x << ", " << y;
    // A change inside the picture alone is shown where the picture is.
    platform::WindowSurface().at(1, 2) = 0xABCDEF;
    platform::WindowUpdated(1, 2, 1, 1);
    platform::WaitForEvent(0);
    EXPECT_EQ(headless::Screen().at(61, bar + 12), 0xABCDEFu);
    EXPECT_EQ(headless::StaleScreen(), "");
}

TEST_F(HeadlessEvents, WaitingMovesTheClockInsteadOfSleepingAcrossTheTickWrap) {
    headless::SetTicks(1000);
    platform::WaitForEvent(100);
    EXPECT_EQ(platform::GetTicks(), 1100u);
    // No timeout at all is capped, so a loop waiting for input still moves on.
    headless::SetWaitCap(250);
    platform::WaitForEvent(UINT32_MAX);
    EXPECT_EQ(platform::GetTicks(), 1350u);
    // A timed event ends the wait early and then waits in the queue.
    classicui::UiEvent press;
    press.kind = classicui::UiEvent::Kind::MouseDown;
    press.x = 7;
    press.y = 8 + bar;
    headless::QueueInputAt(1400, press);
    EXPECT_EQ(headless::PendingInputs(), 0u);
    platform::WaitForEvent(100);
    EXPECT_EQ(platform::GetTicks(), 1400u);
    EXPECT_EQ(headless::PendingInputs(), 1u);
    // Something waiting: no time passes.
    platform::WaitForEvent(100);
    EXPECT_EQ(platform::GetTicks(), 1400u);
    EXPECT_EQ(headless::WaitTimeouts(), (std::vector<uint32_t>{100, UINT32_MAX, 100, 100}));
    // Timed events work across the wrap of the tick count.
    drain();
    seen.clear();
    headless::SetTicks(0xFFFFFFF0u);
    headless::QueueInputAt(0x10, press);
    platform::WaitForEvent(1000);
    EXPECT_EQ(platform::GetTicks(), 0x10u);
    auto types = drain();
    ASSERT_EQ(types, Types{EventType::LeftDown});
    EXPECT_EQ(seen[0].x, 7);
    EXPECT_EQ(seen[0].y, 8);
    // A repaint waiting: no wait, so that it is painted at once.
    platform::RequestRepaint();
    platform::WaitForEvent(100);
    EXPECT_EQ(platform::GetTicks(), 0x10u);
    // Without a window nothing can come: the wait sleeps out its time, 100 ms at the most.
    headless::Reset();
    for (const uint32_t ms : {50u, 100u, 101u, 250u})
        platform::WaitForEvent(ms);
    EXPECT_EQ(platform::GetTicks(), 50u + 100u + 100u + 100u);
}

TEST(HeadlessWindow, FailedOpenCallsNothing) {
    headless::Reset();
    seen.clear();
    headless::FailNextOpen();
    EXPECT_FALSE(platform::OpenMainWindow("Glimora", recordingProcedure, emptyMenu));
    EXPECT_TRUE(seen.empty());
    EXPECT_FALSE(headless::WindowOpen());
    platform::RequestRepaint();
    EXPECT_FALSE(headless::RepaintPending());
}

TEST_F(HeadlessEvents, MenusAndSoundsAreRecorded) {
    EXPECT_EQ(headless::WindowTitle(), "Glimora");
    EXPECT_EQ(headless::MenuShown(), "MAINMENUENG");
    platform::AttachMenu(MenuFrench());
    EXPECT_EQ(headless::MenuShown(), "MAINMENUFR");
    platform::PlayWave(5005);
    platform::PlayWave(5003);
    EXPECT_EQ(headless::SoundsPlayed(), (std::vector<int>{5005, 5003}));
}

// The menu bar as a player reaches it: a click on the title and one on the item, Alt alone,
// F10, Alt and a title's letter, the arrows and Enter; Escape and a click elsewhere choose
// nothing. Only a choice reaches the window procedure, as a Command.
TEST_F(HeadlessEvents, TheMenuBarIsReachedByMouseAndKeyboard) {
    const auto commands = [this] {
        drain();
        std::vector<int> ids;
        for (const auto& e : seen) {
            EXPECT_EQ(e.type, EventType::Command);
            ids.push_back(e.id);
        }
        seen.clear();
        return ids;
    };
    headless::QueueMenuCommand(9074); // Exit, the last item
    EXPECT_EQ(commands(), std::vector<int>{9074});
    // Alt alone, then Down opens the first pop-up at its first item; Down again, Enter.
    headless::QueueKey(UiKey::Alt);
    headless::QueueKey(UiKey::Down);
    headless::QueueKey(UiKey::Down);
    headless::QueueKey(UiKey::Return);
    // F10 and the pop-up's letter for Help ('H' of "&Help").
    headless::QueueKey(UiKey::MenuKey);
    headless::QueueKey(UiKey::Return);
    headless::QueueKey(UiKey::Char, 'h');
    // F10 and a title's letter ('l' of "G&limora") open its pop-up at its first item.
    headless::QueueKey(UiKey::MenuKey);
    headless::QueueKey(UiKey::Char, 'l');
    headless::QueueKey(UiKey::Return);
    // Left from the first title wraps to the last; Enter opens a pop-up at its first item and
    // chooses it; Alt with a title's letter opens it at its first item; an item's letter.
    for (UiKey k : {UiKey::MenuKey, UiKey::Left, UiKey::Return, UiKey::Return, UiKey::MenuKey,
                    UiKey::Return, UiKey::Return})
        headless::QueueKey(k);
    headless::QueueKey(UiKey::Char, 'l', true);
    headless::QueueKey(UiKey::Return);
    headless::QueueKey(UiKey::MenuKey);
    headless::QueueKey(UiKey::Return);
    headless::QueueKey(UiKey::Char, 'n');
    // A held Alt that repeats still opens the menu when let go alone; Escape twice leaves it.
    classicui::UiEvent held;
    held.kind = classicui::UiEvent::Kind::Key;
    held.key = UiKey::Alt;
    held.alt = true;
    headless::QueueInput(held);
    held.repeat = true;
    headless::QueueInput(held);
    held.kind = classicui::UiEvent::Kind::KeyUp;
    headless::QueueInput(held);
    headless::QueueKey(UiKey::Escape);
    headless::QueueKey(UiKey::Escape);
    // Alt with a key between is no menu: the key was for the window.
    held.kind = classicui::UiEvent::Kind::Key;
    held.repeat = false;
    headless::QueueInput(held);
    headless::QueueKey(UiKey::Char, 'x');
    held.kind = classicui::UiEvent::Kind::KeyUp;
    headless::QueueInput(held);
    MenuIs(false);
    headless::QueueKey(UiKey::Char, 'l'); // a title's letter without Alt is the window's
    MenuIs(false);
    // A title opened by a click closes at a press outside the bar and its pop-up.
    const classicui::Rect title =
        classicui::LayoutBar(MenuEnglish(), EmbeddedFont(DialogFontId)).titles[0];
    headless::QueueWindowClick(title.x + 2, title.y + 2);
    classicui::UiEvent away;
    away.kind = classicui::UiEvent::Kind::MouseDown;
    away.x = away.y = 470;
    headless::QueueInput(away);
    const std::vector<int> chosen = commands();
    // Abandon Game, Help, then New Game, About and New Game three times.
    EXPECT_EQ(chosen, (std::vector<int>{MenuEnglish().popups[0].items[1].id, 9073, 9072, 9069, 9072,
                                        9072, 9072}));
    EXPECT_EQ(headless::PendingInputs(), 0u);
    // The press that closed the menu is used up: nothing reached the window.
    EXPECT_TRUE(seen.empty());

    // The mouse along the bar: a pop-up follows the pointer to another title, whose item a
    // click chooses; a press on the open title closes it.
    const BitmapFont& font = EmbeddedFont(DialogFontId);
    const classicui::BarLayout titles = classicui::LayoutBar(MenuEnglish(), font);
    ASSERT_GE(titles.titles.size(), 2u);
    const classicui::Rect first = titles.titles[0], second = titles.titles[1];
    const auto itemOf = [&](size_t title) {
        return classicui::LayoutPopup(MenuEnglish().popups[title], titles.titles[title], font, 480)
            .items[0];
    };
    using Kind = classicui::UiEvent::Kind;
    // Inputs at the middle of `r`, now or a moment later (once the loop has had time to
    // repaint).
    const uint32_t later = platform::GetTicks() + 50;
    const auto input = [later](Kind kind, const classicui::Rect& r, bool timed = false) {
        classicui::UiEvent e;
        e.kind = kind;
        e.key = UiKey::Escape;
        e.x = r.x + r.w / 2;
        e.y = r.y + r.h / 2;
        if (timed)
            headless::QueueInputAt(later, e);
        else
            headless::QueueInput(e);
    };
    const auto click = [&input](const classicui::Rect& r, bool timed = false) {
        input(Kind::MouseDown, r, timed);
        input(Kind::MouseUp, r, timed);
    };
    click(first);
    MenuIs(true, true, 0, -1);
    classicui::UiEvent rightPress; // the right button is not the menu's
    rightPress.kind = Kind::MouseDown;
    rightPress.left = false;
    rightPress.x = second.x + 2;
    rightPress.y = second.y + 2;
    headless::QueueInput(rightPress);
    MenuIs(true, true, 0);
    input(Kind::MouseMove, second);
    MenuIs(true, true, 1, -1); // the second title's pop-up, no item lit
    input(Kind::MouseMove, first);
    MenuIs(true, true, 0);
    input(Kind::MouseMove, second);
    input(Kind::MouseMove, itemOf(1));
    MenuIs(true, true, 1, 0);
    click(itemOf(1));
    EXPECT_EQ(commands(), std::vector<int>{MenuEnglish().popups[1].items[0].id});
    click(first);
    click(second);
    MenuIs(true, true, 1, -1);
    click(first); // back to the first title
    MenuIs(true, true, 0);
    click(first);
    click(itemOf(1)); // below the closed menu: the client's
    // The bar right of its titles opens nothing: the next click is the client's too.
    const classicui::Rect last = titles.titles.back();
    click({last.x + last.w + 20, last.y, 4, last.h});
    click(itemOf(0));
    EXPECT_EQ(drain(), (Types{EventType::LeftDown, EventType::LeftUp, EventType::LeftDown,
                              EventType::LeftUp}));
    seen.clear();
    // A menu opened by the keyboard: Up from the first item wraps to the last; Right and Left
    // move to the next pop-up with its first item lit; a release over an item that was not
    // pressed, and a key that is no letter, choose nothing.
    headless::QueueKey(UiKey::MenuKey);
    headless::QueueKey(UiKey::Down);
    headless::QueueKey(UiKey::Up);
    MenuIs(true, true, 0, static_cast<int>(MenuEnglish().popups[0].items.size()) - 1);
    headless::QueueKey(UiKey::Right);
    headless::QueueKey(UiKey::Left);
    MenuIs(true, true, 0, 0);
    input(Kind::MouseUp, itemOf(1));
    headless::QueueKey(UiKey::Char, 'q'); // no item's letter
    headless::QueueKey(UiKey::Tab);       // no letter: not the item without one (HighScore)
    headless::QueueKey(UiKey::Escape);
    headless::QueueKey(UiKey::Escape);
    // No title's letter, and no letter at all, opens no pop-up.
    headless::QueueKey(UiKey::MenuKey);
    headless::QueueKey(UiKey::Char, 'q');
    headless::QueueKey(UiKey::Tab);
    MenuIs(true, false);
    headless::QueueKey(UiKey::MenuKey); // F10 again leaves the menu
    MenuIs(false);
    EXPECT_EQ(drain(), Types{});

    // Drawn twice its size, a pop-up stays open under the pointer taken off the window's left
    // edge beside the first title.
    classicui::MainWindow().uiScale = 2;
    const auto twice = [](classicui::Rect r) { return classicui::Rect{r.x * 2, r.y * 2, 4, 4}; };
    click(twice(second));
    input(Kind::MouseMove, {-3, first.y * 2, 4, 4}); // its middle: one pixel left of the window
    MenuIs(true, true, 1, -1);
    headless::QueueKey(UiKey::Escape);
    EXPECT_EQ(drain(), Types{});
    classicui::MainWindow().uiScale = 1;

    // What ends a menu without a choice: a resize (the window hears it), the focus gone, the
    // close box (which then reaches the window); an expose repaints the owner under it.
    click(first);
    headless::QueueResize(500, 500);
    click(itemOf(0));
    EXPECT_EQ(drain(),
              (Types{EventType::Size, EventType::LeftDown, EventType::LeftUp, EventType::Paint}));
    seen.clear();
    click(first);
    input(Kind::FocusLost, first);
    click(itemOf(0));
    EXPECT_EQ(drain(), (Types{EventType::LeftDown, EventType::LeftUp}));
    seen.clear();
    click(first);
    input(Kind::Expose, first);
    click(itemOf(0), true);
    EXPECT_EQ(drain(), (Types{EventType::Paint, EventType::Command}));
    seen.clear();
    click(first);
    input(Kind::Close, first);
    EXPECT_EQ(drain(), (Types{EventType::Close, EventType::Destroy}));
    EXPECT_EQ(headless::PendingInputs(), 0u);
}

TEST_F(HeadlessEvents, KeysAndGamepadButtonsTheMenusDoNotTakeReachTheWindow) {
    using platform::Key;
    const struct {
        UiKey key;
        bool shift, alt, ctrl, repeat;
        Key given; // None: the window is given nothing
    } cases[] = {
        {UiKey::Left, false, false, false, false, Key::Left},
        {UiKey::PadRight, false, false, false, false, Key::Right},
        {UiKey::PadUp, false, false, false, false, Key::Up},
        {UiKey::Down, false, false, false, true, Key::Down},
        {UiKey::Return, false, false, false, true, Key::Enter},
        {UiKey::PadA, false, false, false, false, Key::Enter},
        {UiKey::Space, false, false, false, false, Key::Space},
        {UiKey::Tab, true, false, false, false, Key::Tab},
        {UiKey::PadStart, false, false, false, false, Key::Pause},
        {UiKey::Char, false, false, false, false, Key::None}, // a letter alone
        {UiKey::Escape, false, false, false, false, Key::None},
        {UiKey::PadB, false, false, false, false, Key::None},
        {UiKey::Return, false, true, false, false, Key::None}, // Alt+Enter
        {UiKey::Right, false, false, true, false, Key::None},  // Ctrl+Right
    };
    for (const auto& c : cases) {
        seen.clear();
        classicui::UiEvent e;
        e.kind = classicui::UiEvent::Kind::Key;
        e.key = c.key;
        e.ch = 'q';
        e.shift = c.shift;
        e.alt = c.alt;
        e.ctrl = c.ctrl;
        e.repeat = c.repeat;
        headless::QueueInput(e);
        e.kind = classicui::UiEvent::Kind::KeyUp;
        headless::QueueInput(e);
        const Types types = drain();
        if (c.given == Key::None) {
            EXPECT_EQ(types, Types{}) << static_cast<int>(c.key);
            continue;
        }
        ASSERT_EQ(types, Types{EventType::KeyDown}) << static_cast<int>(c.key);
        EXPECT_EQ(seen[0].key, c.given);
        EXPECT_EQ(seen[0].shift, c.shift);
        EXPECT_EQ(seen[0].repeat, c.repeat);
    }
    // Back opens the first menu at its first item; in it the pad moves as the arrows do, A
    // chooses as Space does, B steps back as Escape does, Back closes it.
    seen.clear();
    for (UiKey k : {UiKey::PadBack, UiKey::PadDown, UiKey::PadA, UiKey::PadBack, UiKey::PadB,
                    UiKey::PadB, UiKey::PadBack, UiKey::PadBack})
        headless::QueueKey(k);
    MenuIs(false);
    EXPECT_EQ(drain(), Types{EventType::Command});
    EXPECT_EQ(seen[0].id, MenuEnglish().popups[0].items[1].id);
}

} // namespace

// A backend that shows the menu bar and dialogs itself (the web page): no rows of the window
// are the bar, and a press on its first row is the game's; the menu it says opened is waited
// for like the drawn one, its choice a Command; a modal loop with nothing drawn hands on what
// the backend says and leaves the window's picture as it was.
TEST_F(HeadlessEvents, ABackendsOwnMenuBarAndDialogsTakeNothingOfTheWindow) {
    classicui::WindowCore& w = classicui::MainWindow();
    w.menuBarDrawn = false;
    w.frameDirty = true;
    drain();
    const Surface before = headless::Screen();
    EXPECT_EQ(before.height, 480) << "the window is the client alone";
    headless::QueueWindowClick(5, 0);
    classicui::UiEvent input;
    input.kind = classicui::UiEvent::Kind::MenuOpened;
    headless::QueueInput(input);
    headless::QueueKey(UiKey::Down);
    headless::QueueKey(UiKey::Return);
    EXPECT_EQ(drain(), (Types{EventType::LeftDown, EventType::LeftUp, EventType::Command}));
    EXPECT_EQ(seen[0].y, 0);
    EXPECT_EQ(seen[2].id, 9072) << "the first item of the first title";

    std::vector<int> commands;
    input.kind = classicui::UiEvent::Kind::Command;
    for (int id : {7, 2}) {
        input.id = id;
        headless::QueueInput(input);
    }
    EXPECT_FALSE(w.modalLoop(
        {}, [&commands] { return commands.size() == 2; },
        [&](const classicui::UiEvent& e) {
            EXPECT_TRUE(w.overlays.empty());
            if (e.kind == classicui::UiEvent::Kind::Command) commands.push_back(e.id);
        },
        [] {}));
    EXPECT_EQ(commands, (std::vector<int>{7, 2}));
    EXPECT_TRUE(headless::Screen().pixels == before.pixels);
}
