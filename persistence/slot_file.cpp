// The player slot file: encoding, reading, the lookup of the user's slot, and writing.
#include "persistence/slot_file.h"

#include <algorithm>
#include <cstring>
#include <functional>
#include <string_view>
#include <vector>

#include "persistence/byte_order.h"
#include "platform/platform.h"

SlotRecordBytes encodeSlotRecord(const SlotRecord& record) {
    SlotRecordBytes bytes{};
    std::span<uint8_t> b(bytes);
    for (size_t i = 0; i < record.names.size(); ++i)
        byte_order::putBytes(b, slot_layout::Names + i * SlotNameSize, record.names[i].data(),
                             SlotNameSize);
    byte_order::putI32(b, slot_layout::Count, record.count);
    return bytes;
}

SlotRecord decodeSlotRecord(const SlotRecordBytes& bytes) {
    SlotRecord record;
    std::span<const uint8_t> b(bytes);
    for (size_t i = 0; i < record.names.size(); ++i)
        byte_order::getBytes(b, slot_layout::Names + i * SlotNameSize, record.names[i].data(),
                             SlotNameSize);
    record.count = byte_order::getI32(b, slot_layout::Count);
    return record;
}

void overlaySlotRecord(SlotRecord& record, std::span<const uint8_t> fileBytes) {
    SlotRecordBytes image = encodeSlotRecord(record);
    const size_t taken = std::min(fileBytes.size(), image.size());
    std::copy_n(fileBytes.begin(), taken, image.begin());
    record = decodeSlotRecord(image);
    // A file cut short before its count still holds names: they count, every one of them, so
    // that their players keep their slots and a rewrite drops none.
    if (taken < slot_layout::Count + 4) {
        int32_t present = 0;
        while (present < SlotNameCount && record.names[static_cast<size_t>(present)][0] != '\0')
            ++present;
        record.count = present;
    }
}

FileRead readSlotFile(SlotRecord& record, const std::string& path) {
    std::vector<uint8_t> bytes;
    // Only the record's length is read; a longer file's tail is ignored.
    const platform::FileResult result =
        platform::ReadWholeFile(path, platform::GameFile::SlotFile, bytes, SlotRecordSize);
    if (result == platform::FileResult::Ok) overlaySlotRecord(record, bytes);
    if (result == platform::FileResult::SecurityFailed)
        platform::ShowMessage("Error 3 Sid.", "Error!");
    return fileReadFrom(result);
}

namespace {

void showTooManyUsers(uint8_t language) {
    platform::ShowMessage(language == 0 ? "Trop d'utilisateurs" : "Too much users", "Glimora 1.00");
}

// A stored row as text: up to its terminator, or all 255 bytes when it has none.
std::string_view storedName(const std::array<char, SlotNameSize>& row) {
    const auto end = std::find(row.begin(), row.end(), '\0');
    return std::string_view(row.data(), static_cast<size_t>(end - row.begin()));
}

} // namespace

int resolvePlayerSlot(SlotRecord& record, const std::string& userName, uint8_t language) {
    // The name as the system hands it over: text up to a terminator, at most 254 bytes.
    std::string_view name(userName);
    name = name.substr(0, std::min(name.find('\0'), SlotNameSize - 1));

    // A count outside 0..20 cannot be trusted to say which rows hold names.
    if (record.count < 0 || record.count > SlotNameCount) {
        showTooManyUsers(language);
        return 0;
    }
    for (int i = 0; i < record.count; ++i) {
        if (storedName(record.names[static_cast<size_t>(i)]) == name) return i;
    }
    if (record.count < SlotNameCount) {
        const int slot = record.count;
        auto& row = record.names[static_cast<size_t>(slot)];
        row.fill('\0');
        std::memcpy(row.data(), name.data(), name.size());
        record.count = slot + 1;
        return slot;
    }
    showTooManyUsers(language);
    return 0;
}

void mergeSlotNames(SlotRecord& onDisk, const SlotRecord& ours) {
    if (onDisk.count < 0 || onDisk.count > SlotNameCount) return;
    const int ourCount = std::clamp(ours.count, 0, SlotNameCount);
    for (int i = 0; i < ourCount && onDisk.count < SlotNameCount; ++i) {
        const std::string_view name = storedName(ours.names[static_cast<size_t>(i)]);
        bool present = false;
        for (int j = 0; j < onDisk.count && !present; ++j)
            present = storedName(onDisk.names[static_cast<size_t>(j)]) == name;
        if (!present)
            onDisk.names[static_cast<size_t>(onDisk.count++)] = ours.names[static_cast<size_t>(i)];
    }
}

namespace {

// Runs `work` with the slot file held; should that not be arranged in time, runs it all the
// same rather than lose the player's name.
void withSlotFile(const std::string& path, const std::function<void()>& work) {
    if (!platform::WithSlotFileHeld(path, work)) work();
}

} // namespace

FileRead takePlayerSlot(SlotRecord& record, const std::string& path, const std::string& userName,
                        uint8_t language, int& slot) {
    FileRead read = FileRead::Missing;
    withSlotFile(path, [&] {
        read = readSlotFile(record, path);
        const int32_t countBefore = record.count;
        slot = resolvePlayerSlot(record, userName, language);
        // A file that could not be read is never written over.
        if (record.count != countBefore && read != FileRead::Unreadable)
            writeSlotFile(record, path);
    });
    return read;
}

bool updateSlotFile(SlotRecord& record, const std::string& path) {
    bool written = false;
    withSlotFile(path, [&] {
        SlotRecord onDisk;
        if (readSlotFile(onDisk, path) == FileRead::Unreadable) {
            platform::ShowMessage("Error 4.", "Error!");
            return;
        }
        mergeSlotNames(onDisk, record);
        written = writeSlotFile(onDisk, path);
        if (written) record = onDisk;
    });
    return written;
}

bool writeSlotFile(const SlotRecord& record, const std::string& path) {
    const SlotRecordBytes bytes = encodeSlotRecord(record);
    switch (platform::WriteWholeFile(path, platform::GameFile::SlotFile, bytes)) {
    case platform::FileResult::Ok:
        return true;
    case platform::FileResult::SecurityFailed:
        platform::ShowMessage("Error 4 Sid.", "Error!");
        return false;
    case platform::FileResult::NotFound:
    case platform::FileResult::OpenFailed:
    case platform::FileResult::IoFailed:
        platform::ShowMessage("Error 4.", "Error!");
        return false;
    }
    return false;
}
