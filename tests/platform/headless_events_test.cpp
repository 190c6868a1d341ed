// The headless backend's window and event semantics: the order the game relies on.
#include <gtest/gtest.h>

#include <vector>

#include "platform/headless/headless.h"
#include "platform/platform.h"

namespace {

using platform::EventType;
using Types = std::vector<EventType>;

std::vector<platform::Event> seen;

void recordingProcedure(const platform::Event& event) {
    seen.push_back(event);
    if (event.type == EventType::Close) platform::DestroyMainWindow();
    if (event.type == EventType::Destroy) platform::PostQuit(0);
}

const MenuBar emptyMenu{"MAINMENUENG", {}};

class HeadlessEvents : public ::testing::Test {
  protected:
    void SetUp() override {
        headless::Reset();
        seen.clear();
        ASSERT_TRUE(platform::OpenMainWindow("Glimora", recordingProcedure, emptyMenu));
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
    headless::QueueCommand(9077);
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
}

TEST_F(HeadlessEvents, QuitComesAfterQueuedEventsAndBeforePaint) {
    headless::QueueClick(1, 1);
    platform::RequestRepaint();
    platform::PostQuit(7);
    platform::PumpResult last{};
    int code = -1;
    auto types = drain(&last, &code);
    EXPECT_EQ(types, (Types{EventType::LeftDown, EventType::LeftUp}));
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
    platform::GetClientSize(w, h);
    EXPECT_EQ(w, 600);
    EXPECT_EQ(h, 500);
    EXPECT_EQ(platform::WindowSurface().width, 600);
    auto types = drain();
    EXPECT_EQ(types, (Types{EventType::Size, EventType::Paint}));

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
    platform::WindowUpdated(3, 4, 1, 1);
    EXPECT_EQ(headless::Pixel(3, 4), 0x123456u);
    EXPECT_EQ(headless::Pixel(-1, 4), 0u);
    EXPECT_EQ(headless::Pixel(500, 0), 0u);
    headless::QueueResize(520, 520);
    EXPECT_EQ(headless::Pixel(3, 4), 0x123456u);
    EXPECT_EQ(headless::Pixel(519, 519), 0xFFFFFFu);
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
    headless::QueueEventAt(1400, {EventType::LeftDown, 7, 8, 0});
    EXPECT_EQ(headless::PendingEvents(), 0u);
    platform::WaitForEvent(100);
    EXPECT_EQ(platform::GetTicks(), 1400u);
    EXPECT_EQ(headless::PendingEvents(), 1u);
    // Something waiting: no time passes.
    platform::WaitForEvent(100);
    EXPECT_EQ(platform::GetTicks(), 1400u);
    EXPECT_EQ(headless::WaitTimeouts(), (std::vector<uint32_t>{100, UINT32_MAX, 100, 100}));
    // Timed events work across the wrap of the tick count.
    drain();
    seen.clear();
    headless::SetTicks(0xFFFFFFF0u);
    headless::QueueEventAt(0x10, {EventType::Command, 0, 0, 42});
    platform::WaitForEvent(1000);
    EXPECT_EQ(platform::GetTicks(), 0x10u);
    auto types = drain();
    ASSERT_EQ(types, Types{EventType::Command});
    EXPECT_EQ(seen[0].id, 42);
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
    platform::AttachMenu(MenuBar{"MAINMENUFR", {}});
    EXPECT_EQ(headless::MenusAttached(), (std::vector<std::string>{"MAINMENUENG", "MAINMENUFR"}));
    platform::PlayWave(5005);
    platform::PlayWave(5003);
    EXPECT_EQ(headless::SoundsPlayed(), (std::vector<int>{5005, 5003}));
}

} // namespace
