// The saved game file byte for byte: every field at its offset, the reserved bytes, round trips.
#include <gtest/gtest.h>

#include <cstring>

#include "persistence/save_record.h"
#include "persistence/saved_game.h"
#include "tests/persistence/file_bytes.h"
#include "tests/persistence/message_log.h"
#include "tests/persistence/temp_folder.h"

namespace {

// A number of the record and where the file holds it.
struct Field {
    size_t at;
    int32_t* value;
};

// Every plain number of the record; the element kinds, colours and popup styles are set and
// checked on their own.
std::vector<Field> numberFields(SaveRecord& r) {
    GameSnapshot& s = r.snapshot;
    // clang-format off
    std::vector<Field> f = {
        {0x0D4, &r.GameInProgress},
        {0x0D8, &s.MultiplierLabelSize.width}, {0x0DC, &s.MultiplierLabelSize.height},
        {0x0E0, &s.PaintLabelSize.width}, {0x0E4, &s.PaintLabelSize.height},
        {0x0E8, &s.ClearLabelSize.width}, {0x0EC, &s.ClearLabelSize.height},
        {0x240, &s.bonusChain}, {0x244, &s.paintPoints}, {0x248, &s.clearPoints},
        {0x24C, &s.pointsLevel}, {0x5B0, &s.popupCount}, {0x5B4, &s.pileCount},
        {0x5B8, &s.activeIndex}, {0x5BC, &s.landedCount}, {0x5C0, &s.speedLevel},
        {0x5C4, &r.gameStartedThisRun}, {0x5C8, &s.riseSpeed}, {0x63C, &s.score},
        {0x654, &r.HelpDuringGame}, {0x658, &r.OccupiedNoticeArmed},
        {0x65C, &r.WrongColourNoticeArmed}, {0x660, &r.startMark}, {0x66C, &r.ShowHelpAtStart},
    };
    // clang-format on
    for (size_t i = 0; i < 6; ++i) {
        f.push_back({0x05C + 20 * i + 12, &r.highScores[i].score});
        f.push_back({0x05C + 20 * i + 16, &r.highScores[i].used});
    }
    for (size_t i = 0; i < 12; ++i)
        f.push_back({0x210 + 4 * i, &s.drawWeights[i]});
    for (size_t i = 0; i < 36; ++i) {
        ScorePopup& p = s.popups[i];
        for (auto [field, value] :
             {std::pair{0, &p.x}, {4, &p.y}, {8, &p.points}, {12, &p.tick}, {20, &p.step}})
            f.push_back({0x250 + 24 * i + static_cast<size_t>(field), value});
    }
    for (size_t i = 0; i < 7; ++i) {
        f.push_back({0x5CC + 16 * i, &s.slots[i].y});
        f.push_back({0x5CC + 16 * i + 12, &s.slots[i].landed});
    }
    return f;
}

std::vector<uint8_t> bytesOf(const SaveRecord& r) {
    const SaveRecordBytes b = encodeSaveRecord(r);
    return std::vector<uint8_t>(b.begin(), b.end());
}

TEST(SavedGameFile, WrittenFileHoldsEveryFieldAtItsOffset) {
    // Every field holds a value of its own, so that a field written at another's place shows.
    SaveRecord r;
    int32_t next = 1000;
    const std::vector<Field> fields = numberFields(r);
    for (const Field& f : fields)
        *f.value = next++;
    GameSnapshot& s = r.snapshot;
    for (size_t i = 0; i < 6; ++i)
        std::snprintf(r.highScores[i].name.data(), 12, "Row%zu", i);
    for (int x = 0; x < 6; ++x)
        for (int y = 0; y < 6; ++y)
            s.board.at(x, y) = Cell{static_cast<ElementKind>(x), static_cast<Color>(100 + y)};
    for (size_t i = 0; i < 36; ++i)
        s.popups[i].style = static_cast<PopupStyle>(next++);
    for (size_t i = 0; i < 7; ++i) {
        s.slots[i].kind = static_cast<ElementKind>(next++);
        s.slots[i].color = static_cast<Color>(next++);
    }
    TempFolder folder;
    ASSERT_TRUE(saveSavedGame(r, folder.file("donnees0.icc")));
    const std::vector<uint8_t> b = readBytes(folder.file("donnees0.icc"));
    ASSERT_EQ(b.size(), 1648u);

    EXPECT_EQ(std::memcmp(b.data(), "Glimora\0", 8), 0);
    for (const Field& f : fields)
        EXPECT_EQ(le32(b, f.at), *f.value) << "offset " << f.at;
    for (size_t i = 0; i < 6; ++i)
        EXPECT_EQ(std::string(reinterpret_cast<const char*>(&b[0x05C + 20 * i])),
                  "Row" + std::to_string(i));
    for (int x = 0; x < 6; ++x) {
        for (int y = 0; y < 6; ++y) {
            const size_t at = 0x0F0 + static_cast<size_t>(x * 48 + y * 8);
            EXPECT_EQ(le32(b, at), x) << x << "," << y;
            EXPECT_EQ(le32(b, at + 4), 100 + y) << x << "," << y;
        }
    }
    for (size_t i = 0; i < 36; ++i)
        EXPECT_EQ(le32(b, 0x250 + 24 * i + 16), static_cast<int32_t>(s.popups[i].style));
    for (size_t i = 0; i < 7; ++i) {
        EXPECT_EQ(le32(b, 0x5CC + 16 * i + 4), static_cast<int32_t>(s.slots[i].kind));
        EXPECT_EQ(le32(b, 0x5CC + 16 * i + 8), static_cast<int32_t>(s.slots[i].color));
    }
    // The reserved bytes are zero.
    EXPECT_TRUE(allZero(b, 0x008, 0x05C));
    EXPECT_TRUE(allZero(b, 0x640, 0x654));
    EXPECT_TRUE(allZero(b, 0x664, 0x66C));
}

TEST(SavedGameFile, FreshRecordIsTheStartUpContents) {
    const std::vector<uint8_t> b = bytesOf(SaveRecord{});
    EXPECT_TRUE(allZero(b, 0x000, 0x654));
    EXPECT_TRUE(allZero(b, 0x664, 0x66C));
    for (size_t at : {0x654, 0x658, 0x65C, 0x660, 0x66C})
        EXPECT_EQ(le32(b, at), 1) << "offset " << at;
}

TEST(SavedGameFile, DecodingGivesBackEveryByte) {
    // Decoding then encoding any image keeps every byte that is not reserved.
    std::vector<uint8_t> image(1648);
    for (size_t i = 0; i < image.size(); ++i)
        image[i] = static_cast<uint8_t>(i * 7 + 3);
    SaveRecordBytes in{};
    std::copy(image.begin(), image.end(), in.begin());
    const std::vector<uint8_t> out = bytesOf(decodeSaveRecord(in));
    for (size_t i = 0; i < image.size(); ++i) {
        const bool reserved =
            (i >= 0x008 && i < 0x05C) || (i >= 0x640 && i < 0x654) || (i >= 0x664 && i < 0x66C);
        EXPECT_EQ(out[i], reserved ? 0 : image[i]) << "offset " << i;
    }
}

TEST(SavedGameFile, SaveThenLoadGivesTheSameRecord) {
    TempFolder folder;
    GameState game;
    game.score = 1234;
    game.board.at(2, 3) = Cell{ElementKind::Star, Color::Red};
    SaveRecord saved;
    saved.highScores[0] = HighScoreEntry{{'A', 'n', 'n', 'e'}, 900, 1};
    saved.ShowHelpAtStart = 0;
    saved.OccupiedNoticeArmed = 0;
    takeSnapshot(saved, game, false);
    ASSERT_TRUE(saveSavedGame(saved, folder.file("donnees0.icc")));

    SaveRecord loaded;
    loadSavedGame(loaded, folder.file("donnees0.icc"));
    EXPECT_EQ(encodeSaveRecord(loaded), encodeSaveRecord(saved));
    EXPECT_EQ(loaded.snapshot.board.at(2, 3).kind, ElementKind::Star);
    EXPECT_EQ(loaded.snapshot.score, 1234);
    EXPECT_EQ(le32(readBytes(folder.file("donnees0.icc")), 0x5C4), 0);
}

TEST(SavedGameFile, NamesCarryTheSlotInBase4) {
    const std::pair<int, const char*> names[] = {{0, "donnees0.icc"},    {3, "donnees3.icc"},
                                                 {4, "donnees10.icc"},   {5, "donnees11.icc"},
                                                 {16, "donnees100.icc"}, {19, "donnees103.icc"}};
    for (const auto& [slot, name] : names)
        EXPECT_EQ(savedGameFileName(slot), name);
    EXPECT_EQ(toBase4(27), "123");
    EXPECT_EQ(toBase4(-1), "3333333333333333");
}

} // namespace
