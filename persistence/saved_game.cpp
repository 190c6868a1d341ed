// The saved game file: its name, the load with its checks, the snapshot at exit and the save.
#include "persistence/saved_game.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "platform/platform.h"

namespace {

constexpr char Magic[8] = {'G', 'l', 'i', 'm', 'o', 'r', 'a', '\0'};
constexpr size_t MaxNameChars = 8;

int32_t asFlag(int32_t value) {
    return value != 0 ? 1 : 0;
}

bool magicMatches(const std::array<char, 8>& magic) {
    // Compared as a zero-terminated string: "Glimora" followed by its terminator.
    return std::memcmp(magic.data(), Magic, sizeof Magic) == 0;
}

// A name read from a file is shown as text: keep it to its 8 characters and a terminator.
void terminateName(std::array<char, 12>& name) {
    const auto end = std::find(name.begin(), name.end(), '\0');
    if (end - name.begin() > static_cast<std::ptrdiff_t>(MaxNameChars)) name[MaxNameChars] = '\0';
}

bool rowCanBeAScore(const HighScoreEntry& entry) {
    if (entry.score < 0) return false;
    for (char c : entry.name) {
        if (c == '\0') break;
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) return false;
    }
    return true;
}

} // namespace

std::string toBase4(int32_t value) {
    auto v = static_cast<uint32_t>(value);
    std::string digits;
    do {
        digits.push_back(static_cast<char>('0' + (v % 4u)));
        v /= 4u;
    } while (v != 0);
    std::reverse(digits.begin(), digits.end());
    return digits;
}

std::string savedGameFileName(int slot) {
    return "donnees" + toBase4(slot) + ".icc";
}

bool acceptSavedGameBytes(SaveRecord& record, std::span<const uint8_t> fileBytes) {
    // The two reserved words are ignored on reading: they describe the run that wrote them.
    const int32_t startedThisRun = record.gameStartedThisRun;
    const int32_t startMark = record.startMark;
    overlaySaveRecord(record, fileBytes);
    record.gameStartedThisRun = startedThisRun;
    record.startMark = startMark;

    if (!magicMatches(record.magic)) record.GameInProgress = 0;
    // A snapshot that could index outside the board, the pile or the popups is not a game to
    // resume; everything else in the file still counts.
    bool refused = false;
    if (record.GameInProgress != 0 && !snapshotIsPlayable(record.snapshot)) {
        record.GameInProgress = 0;
        refused = true;
    }
    record.GameInProgress = asFlag(record.GameInProgress);

    for (HighScoreEntry& entry : record.highScores) {
        terminateName(entry.name);
        entry.used = asFlag(entry.used);
        // A row that cannot be a score (a negative one, a name with control bytes) is not
        // shown, nor written back: the caller keeps the file's bytes aside.
        if (entry.used && !rowCanBeAScore(entry)) {
            entry = HighScoreEntry{};
            refused = true;
        }
    }
    record.HelpDuringGame = asFlag(record.HelpDuringGame);
    record.OccupiedNoticeArmed = asFlag(record.OccupiedNoticeArmed);
    record.WrongColourNoticeArmed = asFlag(record.WrongColourNoticeArmed);
    record.ShowHelpAtStart = asFlag(record.ShowHelpAtStart);
    return refused;
}

FileRead loadSavedGame(SaveRecord& record, const std::string& path) {
    std::vector<uint8_t> bytes;
    // Only the record's length is read; whatever a longer file holds after it is ignored.
    const platform::FileResult result =
        platform::ReadWholeFile(path, platform::GameFile::SavedGame, bytes, SaveRecordSize);
    if (result == platform::FileResult::SecurityFailed)
        platform::ShowMessage("Error Sid 1.", "Error!");
    if (result != platform::FileResult::Ok) return fileReadFrom(result);
    if (!acceptSavedGameBytes(record, bytes)) return FileRead::Read;
    // What is not taken (a game not resumed, rows that cannot be scores) is not lost either:
    // the whole file is kept.
    constexpr size_t KeptAtMost = 1 << 20;
    std::vector<uint8_t> whole;
    if (platform::ReadWholeFile(path, platform::GameFile::SavedGame, whole, KeptAtMost) ==
        platform::FileResult::Ok)
        platform::WriteWholeFile(path + ".refused", platform::GameFile::SavedGame, whole);
    return FileRead::GameRefused;
}

void takeSnapshot(SaveRecord& record, const GameState& game, bool gameStartedThisRun) {
    record.snapshot = ::takeSnapshot(game);
    record.gameStartedThisRun = gameStartedThisRun ? 1 : 0;
    record.startMark = 1;
}

bool saveSavedGame(SaveRecord& record, const std::string& path) {
    std::copy(std::begin(Magic), std::end(Magic), record.magic.begin());
    const SaveRecordBytes bytes = encodeSaveRecord(record);
    switch (platform::WriteWholeFile(path, platform::GameFile::SavedGame, bytes)) {
    case platform::FileResult::Ok:
        return true;
    case platform::FileResult::SecurityFailed:
        platform::ShowMessage("Error 2 Sid.", "Error!");
        return false;
    case platform::FileResult::NotFound:
    case platform::FileResult::OpenFailed:
    case platform::FileResult::IoFailed:
        // A write that failed after the open is reported like one that could not start: the
        // player's new scores did not reach the disk.
        platform::ShowMessage("Error 2.", "Error!");
        return false;
    }
    return false;
}
