// The high-score table: where a finished game enters, and the name stored with it.
#include <gtest/gtest.h>

#include <vector>

#include "persistence/high_scores.h"

namespace {

HighScoreTable tableOf(const std::vector<int32_t>& scores) {
    HighScoreTable t{};
    for (size_t i = 0; i < scores.size(); ++i) {
        t[i].score = scores[i];
        t[i].used = 1;
        t[i].name = {static_cast<char>('a' + i)};
    }
    return t;
}

std::vector<int32_t> scoresOf(const HighScoreTable& t) {
    std::vector<int32_t> s;
    for (const HighScoreEntry& e : t)
        s.push_back(e.score);
    return s;
}

TEST(HighScores, NewScoreGoesBelowEqualOnesAndPushesTheRestDown) {
    HighScoreTable t = tableOf({500, 400, 300, 200, 100, 50});
    const int row = enterFinishedGame(t, 300);
    ASSERT_EQ(row, 3);
    storeName(t, row, "new", 300);
    EXPECT_EQ(scoresOf(t), (std::vector<int32_t>{500, 400, 300, 300, 200, 100}));
    EXPECT_STREQ(t[2].name.data(), "c");
    EXPECT_STREQ(t[3].name.data(), "new");
    EXPECT_STREQ(t[4].name.data(), "d");
    EXPECT_STREQ(t[5].name.data(), "e");
}

TEST(HighScores, RowsThatAreNotBeatenTakeNothing) {
    HighScoreTable t = tableOf({500, 400, 300, 200, 100, 50});
    const HighScoreTable before = t;
    EXPECT_EQ(enterFinishedGame(t, 50), -1);
    EXPECT_EQ(enterFinishedGame(t, 0), -1);
    EXPECT_EQ(enterFinishedGame(t, -7), -1);
    EXPECT_EQ(scoresOf(t), scoresOf(before));
    EXPECT_EQ(enterFinishedGame(t, 51), 5);
    EXPECT_EQ(enterFinishedGame(t, 501), 0);
    EXPECT_EQ(scoresOf(t), (std::vector<int32_t>{500, 500, 400, 300, 200, 100}));
}

TEST(HighScores, EmptyTableTakesAnyPositiveScore) {
    HighScoreTable t{};
    EXPECT_EQ(enterFinishedGame(t, 0), -1);
    const int row = enterFinishedGame(t, 20);
    ASSERT_EQ(row, 0);
    storeName(t, row, "", 20);
    EXPECT_EQ(t[0].used, 1);
    EXPECT_EQ(t[0].score, 20);
    EXPECT_STREQ(t[0].name.data(), "");
    EXPECT_EQ(enterFinishedGame(t, 10), 1);
}

TEST(HighScores, NameKeepsEightCharactersAndTheOlderTail) {
    HighScoreTable t{};
    t[0].name = {'O', 'l', 'd', 'e', 'r', 'N', 'a', 'm', 'e', 'X', 'Y', '\0'};
    storeName(t, 0, "Ninechars", 10);
    EXPECT_STREQ(t[0].name.data(), "Ninechar");
    EXPECT_EQ(t[0].name[9], 'X'); // past the terminator, left as it was
    storeName(t, 0, std::string_view("ab\0cd", 5), 10);
    EXPECT_EQ(t[0].name, (std::array<char, 12>{'a', 'b', '\0', 'e', 'c', 'h', 'a', 'r', '\0', 'X',
                                               'Y', '\0'}));
    // A row outside the table changes nothing.
    const HighScoreTable before = t;
    storeName(t, 6, "x", 1);
    storeName(t, -1, "x", 1);
    EXPECT_EQ(scoresOf(t), scoresOf(before));
}

TEST(HighScores, StoringTheNameEndsTheSavedGame) {
    SaveRecord r;
    r.GameInProgress = 1;
    const int row = enterFinishedGame(r.highScores, 80);
    storeName(r, row, "Zoe", 80);
    EXPECT_EQ(r.GameInProgress, 0);
    EXPECT_STREQ(r.highScores[0].name.data(), "Zoe");
}

} // namespace
