// Every file of the fuzzers' seed corpus through the same loading and play as the fuzzers.
#include <gtest/gtest.h>

#include <filesystem>

#include "tests/persistence/temp_folder.h"
#include "tools/fuzz_persistence/replay.h"

namespace {

std::vector<std::filesystem::path> corpusFiles(const char* kind) {
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::directory_iterator(
             std::filesystem::path(GLIMORA_PERSISTENCE_CORPUS) / kind))
        if (entry.is_regular_file()) files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    return files;
}

TEST(PersistenceCorpus, SavedGamesLoadAndPlayOn) {
    const auto files = corpusFiles("saved_game");
    ASSERT_FALSE(files.empty());
    int resumed = 0;
    for (const auto& file : files) {
        SCOPED_TRACE(file.filename().string());
        const std::vector<uint8_t> bytes = readBytes(file.string());
        if (replaySavedGame(bytes)) ++resumed;
    }
    // The corpus holds games in progress, and they are all accepted.
    EXPECT_GE(resumed, 4);
}

TEST(PersistenceCorpus, SlotFilesResolve) {
    const auto files = corpusFiles("slot_file");
    ASSERT_FALSE(files.empty());
    for (const auto& file : files) {
        SCOPED_TRACE(file.filename().string());
        const std::vector<uint8_t> bytes = readBytes(file.string());
        EXPECT_GE(replaySlotFile(bytes), 0);
    }
}

} // namespace
