// The high-score table's rules: the row a finished game takes, and the name stored in it.
#include "persistence/high_scores.h"

#include <algorithm>

int enterFinishedGame(HighScoreTable& table, int32_t score) {
    for (int i = 0; i < HighScoreRows; ++i) {
        if (score > table[static_cast<size_t>(i)].score) {
            // Rows i..4 move down one place, from the bottom up; the old row 5 is lost.
            for (int j = HighScoreRows - 1; j > i; --j)
                table[static_cast<size_t>(j)] = table[static_cast<size_t>(j - 1)];
            return i;
        }
    }
    return -1;
}

void storeName(HighScoreTable& table, int row, std::string_view typed, int32_t score) {
    if (row < 0 || row >= HighScoreRows) return;
    HighScoreEntry& entry = table[static_cast<size_t>(row)];
    // At most 8 characters, up to an embedded terminator, then the terminator.
    typed = typed.substr(0, std::min(typed.find('\0'), size_t{8}));
    std::copy(typed.begin(), typed.end(), entry.name.begin());
    entry.name[typed.size()] = '\0';
    entry.score = score;
    entry.used = 1;
}

void storeName(SaveRecord& record, int row, std::string_view typed, int32_t score) {
    storeName(record.highScores, row, typed, score);
    record.GameInProgress = 0;
}
