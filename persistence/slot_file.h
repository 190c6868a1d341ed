// The player slot file (5,208 bytes): the user names of the machine, each one's index its slot.
#pragma once

#include "persistence/file_read.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

constexpr int SlotNameCount = 20;
constexpr size_t SlotNameSize = 255;

struct SlotRecord {
    std::array<std::array<char, SlotNameSize>, SlotNameCount> names{};
    int32_t count = 0;
};

constexpr size_t SlotRecordSize = 5208;
using SlotRecordBytes = std::array<uint8_t, SlotRecordSize>;

namespace slot_layout {
constexpr size_t Names = 0x0008; // name i at Names + i*255
constexpr size_t Count = 0x1444;
} // namespace slot_layout

SlotRecordBytes encodeSlotRecord(const SlotRecord& record);
SlotRecord decodeSlotRecord(const SlotRecordBytes& bytes);

// Lays the first bytes of a file over the record; bytes past 5,208 are ignored. A file too
// short to hold the count takes as count the names it holds, from the first row on.
void overlaySlotRecord(SlotRecord& record, std::span<const uint8_t> fileBytes);

// Start-up: reads the file into the record. A missing or unreadable file leaves it as it is,
// silently (the caller never writes over an unreadable one); "Error 3 Sid." (caption
// "Error!") when the access list could not be built.
FileRead readSlotFile(SlotRecord& record, const std::string& path);

// The user's slot: the index of the stored name equal to `userName` (byte for byte), or a new
// row appended for it. When the table is full, or its count is outside 0..20, shows
// "Trop d'utilisateurs" (language 0) or "Too much users", caption "Glimora 1.00", and
// returns 0. Only the first 254 bytes of a longer name count.
int resolvePlayerSlot(SlotRecord& record, const std::string& userName, uint8_t language);

// Every name of `ours` that `onDisk` lacks, appended to `onDisk` in order while it has room:
// another game of the machine may have added players since this one read the file. A count
// outside 0..20 in `onDisk` is left alone, as at start-up.
void mergeSlotNames(SlotRecord& onDisk, const SlotRecord& ours);

// Start-up, with the file held against the other users' games: reads it, finds or adds the
// user's slot, and writes a name just added at once, so that a game starting meanwhile for
// another user reads it and takes the next slot. `slot` is the user's slot.
FileRead takePlayerSlot(SlotRecord& record, const std::string& path, const std::string& userName,
                        uint8_t language, int& slot);

// Exit, with the file held against the other users' games: reads it again, merges the names
// of `record` into it and writes it whole; `record` becomes what was written. A file that is
// there but cannot be read now is not written over ("Error 4.", false).
bool updateSlotFile(SlotRecord& record, const std::string& path);

// Exit: writes the whole record. On failure shows "Error 4." (or "Error 4 Sid."), caption
// "Error!", and returns false; the previous file is then left untouched.
bool writeSlotFile(const SlotRecord& record, const std::string& path);
