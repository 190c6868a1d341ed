// The player slot file: its layout, the lookup of a user's slot, and its failures.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

#include <sys/stat.h>
#include <unistd.h>

#include "persistence/slot_file.h"
#include "platform/posix/posix_platform.h"
#include "tests/persistence/file_bytes.h"
#include "tests/persistence/message_log.h"
#include "tests/persistence/temp_folder.h"

namespace {

class SlotFile : public ::testing::Test {
  protected:
    void SetUp() override { message_log::shown().clear(); }
    void TearDown() override { platform::posix::SetWriteProbe(nullptr, 0); }

    static std::string name(const SlotRecord& r, int i) {
        return std::string(r.names[static_cast<size_t>(i)].data());
    }
    static SlotRecord withUsers(int count) {
        SlotRecord r;
        for (int i = 0; i < count; ++i)
            resolvePlayerSlot(r, "user" + std::to_string(i), 1);
        return r;
    }
    TempFolder folder;
};

TEST_F(SlotFile, WrittenFileHoldsNamesAndCountAtTheirOffsets) {
    SlotRecord r = withUsers(3);
    ASSERT_TRUE(writeSlotFile(r, folder.file("userscd32.wxp")));
    const std::vector<uint8_t> b = readBytes(folder.file("userscd32.wxp"));
    ASSERT_EQ(b.size(), 5208u);
    EXPECT_TRUE(allZero(b, 0, 8));
    for (int i = 0; i < 3; ++i) {
        const size_t at = 8 + 255 * static_cast<size_t>(i);
        EXPECT_EQ(std::string(reinterpret_cast<const char*>(&b[at])), "user" + std::to_string(i));
        EXPECT_TRUE(allZero(b, at + 5, at + 255)); // zero-filled after the terminator
    }
    EXPECT_TRUE(allZero(b, 8 + 3 * 255, 0x1444)); // unused rows and the reserved area
    EXPECT_EQ(le32(b, 0x1444), 3);
    EXPECT_TRUE(allZero(b, 0x1448, 5208));

    SlotRecord back;
    readSlotFile(back, folder.file("userscd32.wxp"));
    EXPECT_EQ(encodeSlotRecord(back), encodeSlotRecord(r));
    EXPECT_TRUE(message_log::shown().empty());
}

TEST_F(SlotFile, UsersKeepTheirSlotsAndNewOnesAreAppended) {
    SlotRecord r;
    EXPECT_EQ(resolvePlayerSlot(r, "alice", 1), 0);
    EXPECT_EQ(resolvePlayerSlot(r, "bob", 1), 1);
    EXPECT_EQ(resolvePlayerSlot(r, "alice", 1), 0);
    // Letter case makes another user.
    EXPECT_EQ(resolvePlayerSlot(r, "Alice", 1), 2);
    EXPECT_EQ(r.count, 3);
    EXPECT_EQ(name(r, 2), "Alice");
    // No name at all is still a name, the first time stored like any other.
    EXPECT_EQ(resolvePlayerSlot(r, "", 1), 3);
    EXPECT_EQ(resolvePlayerSlot(r, "", 1), 3);
    // A row past the count may hold bytes from the file: a new name replaces them whole.
    r.names[4].fill('Q');
    EXPECT_EQ(resolvePlayerSlot(r, "cy", 1), 4);
    EXPECT_EQ(resolvePlayerSlot(r, std::string("cy\0zz", 5), 1), 4) << "the name ends at its zero";
    EXPECT_EQ(encodeSlotRecord(r)[8 + 4 * 255 + 2], 0);
    EXPECT_EQ(encodeSlotRecord(r)[8 + 5 * 255 - 1], 0);
    EXPECT_TRUE(message_log::shown().empty());
}

TEST_F(SlotFile, TwentyFirstUserPlaysOnSlotZero) {
    SlotRecord r = withUsers(20);
    EXPECT_EQ(r.count, 20);
    EXPECT_EQ(resolvePlayerSlot(r, "user19", 1), 19);
    EXPECT_EQ(resolvePlayerSlot(r, "late", 1), 0);
    message_log::expectOne("Too much users", "Glimora 1.00");
    EXPECT_EQ(resolvePlayerSlot(r, "late", 0), 0);
    message_log::expectOne("Trop d'utilisateurs", "Glimora 1.00");
    EXPECT_EQ(r.count, 20);
    EXPECT_EQ(resolvePlayerSlot(r, "user7", 1), 7);
    EXPECT_TRUE(message_log::shown().empty());
}

TEST_F(SlotFile, CountOutsideTheTableGivesEveryoneSlotZero) {
    for (int32_t count : {21, 25, -1, -2147483647 - 1}) {
        const SlotRecordBytes image = encodeSlotRecord(withUsers(5));
        std::vector<uint8_t> bytes(image.begin(), image.end());
        setLe32(bytes, 0x1444, count);
        writeBytes(folder.file("userscd32.wxp"), bytes);
        SlotRecord r;
        readSlotFile(r, folder.file("userscd32.wxp"));
        // Also a user whose name is stored.
        EXPECT_EQ(resolvePlayerSlot(r, "user3", 1), 0) << count;
        message_log::expectOne("Too much users", "Glimora 1.00");
        EXPECT_EQ(r.count, count);
    }
}

TEST_F(SlotFile, LongNamesFitTheirRow) {
    SlotRecord r = withUsers(1);
    const std::string longest(254, 'n');
    EXPECT_EQ(resolvePlayerSlot(r, longest, 1), 1);
    EXPECT_EQ(name(r, 1), longest);
    EXPECT_EQ(r.names[1][254], '\0');
    // A longer name counts by its first 254 bytes, the most a row can hold.
    EXPECT_EQ(resolvePlayerSlot(r, longest + "tail", 1), 1);
    // A row filled to its end without a terminator matches no one and reads nothing beyond.
    r.names[0].fill('z');
    EXPECT_EQ(resolvePlayerSlot(r, std::string(255, 'z'), 1), 2);
    EXPECT_EQ(r.count, 3);
    EXPECT_EQ(name(r, 2), std::string(254, 'z'));
}

TEST_F(SlotFile, ShortAndLongFiles) {
    const SlotRecordBytes full = encodeSlotRecord(withUsers(4));
    std::vector<uint8_t> bytes(full.begin(), full.end());
    bytes.resize(8 + 255 + 1); // first row and one letter of the second, no count
    writeBytes(folder.file("short.wxp"), bytes);
    SlotRecord r;
    readSlotFile(r, folder.file("short.wxp"));
    // Without its count the file's names count, the cut one too: none is written over.
    EXPECT_EQ(r.count, 2);
    EXPECT_EQ(name(r, 0), "user0");
    EXPECT_EQ(name(r, 1), "u");
    EXPECT_EQ(resolvePlayerSlot(r, "user0", 1), 0);
    EXPECT_EQ(resolvePlayerSlot(r, "user3", 1), 2);
    EXPECT_EQ(name(r, 1), "u");

    bytes.assign(full.begin(), full.end());
    bytes.resize(9000, 0xAB);
    writeBytes(folder.file("long.wxp"), bytes);
    SlotRecord l;
    readSlotFile(l, folder.file("long.wxp"));
    EXPECT_EQ(encodeSlotRecord(l), full);

    // A file that ends just after its count keeps that count, whatever rows hold names past it.
    SlotRecord three = withUsers(4);
    three.count = 3;
    const SlotRecordBytes exact = encodeSlotRecord(three);
    writeBytes(folder.file("exact.wxp"),
               std::vector<uint8_t>(exact.begin(), exact.begin() + slot_layout::Count + 4));
    SlotRecord e;
    readSlotFile(e, folder.file("exact.wxp"));
    EXPECT_EQ(e.count, 3);
    // Cut within its count, a file of twenty names counts them all; an empty one none.
    SlotRecord full20 = withUsers(20);
    full20.count = 3;
    const SlotRecordBytes twenty = encodeSlotRecord(full20);
    writeBytes(folder.file("cut.wxp"),
               std::vector<uint8_t>(twenty.begin(), twenty.begin() + slot_layout::Count + 2));
    SlotRecord c;
    readSlotFile(c, folder.file("cut.wxp"));
    EXPECT_EQ(c.count, 20);
    writeBytes(folder.file("empty.wxp"), {});
    SlotRecord none;
    readSlotFile(none, folder.file("empty.wxp"));
    EXPECT_EQ(none.count, 0);
}

TEST_F(SlotFile, FailedWriteKeepsThePreviousFileAndSaysError4) {
    const SlotRecord old = withUsers(2);
    ASSERT_TRUE(writeSlotFile(old, folder.file("userscd32.wxp")));
    platform::posix::SetWriteProbe(
        [](platform::posix::WriteStage stage, size_t) {
            return stage != platform::posix::WriteStage::Flushed;
        },
        0);
    EXPECT_FALSE(writeSlotFile(withUsers(3), folder.file("userscd32.wxp")));
    SlotRecord back;
    readSlotFile(back, folder.file("userscd32.wxp"));
    EXPECT_EQ(back.count, 2);
    message_log::expectOne("Error 4.", "Error!");
    platform::posix::SetWriteProbe(nullptr, 0);

    writeBytes(folder.file("plain"), {0});
    EXPECT_FALSE(writeSlotFile(old, folder.file("plain/userscd32.wxp")));
    message_log::expectOne("Error 4.", "Error!");
}

// Two users' games whose runs overlap: each new player's row reaches the file at start-up, so
// the later start takes the next slot, and an exit writes the file as it now is plus its own
// names, whatever the other game wrote meanwhile.
TEST_F(SlotFile, OverlappingGamesOfTwoUsersKeepBothNamesAndSlots) {
    const std::string path = folder.file("userscd32.wxp");
    SlotRecord anna, bruno;
    int annaSlot = -1, brunoSlot = -1;
    EXPECT_EQ(takePlayerSlot(anna, path, "anna", 1, annaSlot), FileRead::Missing);
    EXPECT_EQ(takePlayerSlot(bruno, path, "bruno", 1, brunoSlot), FileRead::Read);
    EXPECT_EQ(annaSlot, 0);
    EXPECT_EQ(brunoSlot, 1);

    SlotRecord expected;
    resolvePlayerSlot(expected, "anna", 1);
    resolvePlayerSlot(expected, "bruno", 1);
    const SlotRecordBytes both = encodeSlotRecord(expected);
    for (SlotRecord* exiting : {&anna, &bruno}) {
        ASSERT_TRUE(updateSlotFile(*exiting, path));
        EXPECT_EQ(readBytes(path), std::vector<uint8_t>(both.begin(), both.end()));
        EXPECT_EQ(encodeSlotRecord(*exiting), both);
    }
    // A known player's start writes nothing; a list gone meanwhile is made again whole.
    const auto stamp = std::filesystem::last_write_time(path);
    int again = -1;
    takePlayerSlot(anna, path, "anna", 1, again);
    EXPECT_EQ(again, 0);
    EXPECT_EQ(std::filesystem::last_write_time(path), stamp);
    std::filesystem::remove(path);
    ASSERT_TRUE(updateSlotFile(bruno, path));
    EXPECT_EQ(readBytes(path).size(), 5208u);
    EXPECT_EQ(le32(readBytes(path), 0x1444), 2);

    // A file that cannot be read at exit is not written over.
    writeBytes(path, {1, 2, 3});
    ::chmod(path.c_str(), 0);
    if (::access(path.c_str(), R_OK) != 0) {
        message_log::shown().clear();
        EXPECT_FALSE(updateSlotFile(anna, path));
        ::chmod(path.c_str(), 0600);
        EXPECT_EQ(readBytes(path), (std::vector<uint8_t>{1, 2, 3}));
        message_log::expectOne("Error 4.", "Error!");
    }
    EXPECT_TRUE(message_log::shown().empty());

    // Merging: bytes past the list's end are no name, an empty list of ours adds nothing,
    // and a full list or one whose count is damaged takes no name and stays as it was.
    SlotRecord onDisk;
    resolvePlayerSlot(onDisk, "anna", 1);
    std::strcpy(onDisk.names[1].data(), "bruno");
    mergeSlotNames(onDisk, expected);
    EXPECT_EQ(encodeSlotRecord(onDisk), both);
    SlotRecord none;
    std::strcpy(none.names[0].data(), "carl");
    mergeSlotNames(onDisk, none);
    EXPECT_EQ(encodeSlotRecord(onDisk), both);
    SlotRecord damaged = onDisk, newcomer;
    damaged.count = -1;
    resolvePlayerSlot(newcomer, "zed", 1);
    for (SlotRecord record : {withUsers(SlotNameCount), damaged}) {
        const SlotRecordBytes before = encodeSlotRecord(record);
        mergeSlotNames(record, newcomer);
        EXPECT_EQ(encodeSlotRecord(record), before);
    }
}

} // namespace
