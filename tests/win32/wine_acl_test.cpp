// Under Wine or Windows: the shared access list read back by the system, and the file layer.
// The access list is built with the program's own code and read back with the system's ACL
// functions; then the game-file layer writes, replaces and reads files on disk.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "platform/win32/access_list_layout.h"
#include "platform/win32/shared_access.h"

namespace {

int failures = 0;

void check(bool passed, const char* what) {
    std::printf("%s: %s\n", passed ? "ok  " : "FAIL", what);
    if (!passed) ++failures;
}

bool sameBytes(const void* a, const void* b, size_t size) {
    return std::memcmp(a, b, size) == 0;
}

void checkAccessList() {
    using namespace platform::win32;
    SECURITY_DESCRIPTOR descriptor{};
    std::vector<unsigned char> buffer(AccessListBufferSize, 0xCD);
    check(BuildSharedAccessDescriptor(descriptor, buffer.data(), AccessListBufferSize) == 0,
          "the descriptor is built");
    check(IsValidSecurityDescriptor(&descriptor), "the descriptor is valid");

    BOOL present = FALSE;
    BOOL defaulted = TRUE;
    PACL acl = nullptr;
    check(GetSecurityDescriptorDacl(&descriptor, &present, &acl, &defaulted) && present &&
              !defaulted && acl == reinterpret_cast<PACL>(buffer.data()),
          "the DACL is present, not defaulted, and lives in the operation's buffer");
    if (acl == nullptr) return;
    check(IsValidAcl(acl), "the ACL is valid");

    ACL_SIZE_INFORMATION size{};
    check(GetAclInformation(acl, &size, sizeof(size), AclSizeInformation) && size.AceCount == 2 &&
              size.AclBytesInUse == win32_layout::SharedAccessListSize,
          "the ACL holds two ACEs in 56 bytes");
    ACL_REVISION_INFORMATION revision{};
    check(GetAclInformation(acl, &revision, sizeof(revision), AclRevisionInformation) &&
              revision.AclRevision == ACL_REVISION,
          "the ACL has revision 2");

    const WELL_KNOWN_SID_TYPE groups[2] = {WinBuiltinAdministratorsSid, WinBuiltinUsersSid};
    const DWORD rids[2] = {win32_layout::AdministratorsRid, win32_layout::UsersRid};
    for (DWORD i = 0; i < 2; ++i) {
        void* entry = nullptr;
        if (!GetAce(acl, i, &entry)) {
            check(false, "GetAce finds the ACE");
            continue;
        }
        const auto* ace = static_cast<const ACCESS_ALLOWED_ACE*>(entry);
        check(ace->Header.AceType == ACCESS_ALLOWED_ACE_TYPE && ace->Header.AceFlags == 3 &&
                  ace->Header.AceSize == 24 && ace->Mask == 0xFFFFFFFF,
              i == 0 ? "ACE 0 allows everything, inherited by files and folders"
                     : "ACE 1 allows everything, inherited by files and folders");
        unsigned char wellKnown[SECURITY_MAX_SID_SIZE] = {};
        DWORD wellKnownSize = sizeof(wellKnown);
        const PSID sid = const_cast<DWORD*>(&ace->SidStart);
        check(CreateWellKnownSid(groups[i], nullptr, wellKnown, &wellKnownSize) &&
                  EqualSid(sid, wellKnown),
              i == 0 ? "ACE 0 names the built-in Administrators"
                     : "ACE 1 names the built-in Users");
        const win32_layout::Sid expected = win32_layout::builtinGroupSid(rids[i]);
        check(GetLengthSid(sid) == expected.size() &&
                  sameBytes(sid, expected.data(), expected.size()),
              "the system's SID bytes are the ones the layout writes");
    }
    const auto image = win32_layout::sharedAccessList();
    check(sameBytes(acl, image.data(), image.size()),
          "InitializeAcl and AddAce produce exactly the bytes of the portable layout");
}

std::vector<uint8_t> pattern(size_t size, uint8_t seed) {
    std::vector<uint8_t> bytes(size);
    for (size_t i = 0; i < size; ++i)
        bytes[i] = static_cast<uint8_t>(seed + i * 7);
    return bytes;
}

void checkGameFiles() {
    using platform::FileResult;
    using platform::GameFile;
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    const std::string folder =
        std::string(temp) + "glimora-files-" + std::to_string(GetCurrentProcessId());
    CreateDirectoryA(folder.c_str(), nullptr);
    const std::string save = folder + "\\donnees0.icc";
    const std::string slots = folder + "\\userscd32.wxp";
    std::vector<uint8_t> read;

    check(platform::ReadWholeFile(save, GameFile::SavedGame, read, 1648) == FileResult::NotFound &&
              read.empty(),
          "a missing saved game reads as not found");
    const auto first = pattern(1648, 1);
    check(platform::WriteWholeFile(save, GameFile::SavedGame, first) == FileResult::Ok,
          "a new saved game is written");
    check(platform::ReadWholeFile(save, GameFile::SavedGame, read, 1648) == FileResult::Ok &&
              read == first,
          "it reads back byte for byte");
    const auto second = pattern(1648, 99);
    check(platform::WriteWholeFile(save, GameFile::SavedGame, second) == FileResult::Ok &&
              platform::ReadWholeFile(save, GameFile::SavedGame, read, 1648) == FileResult::Ok &&
              read == second,
          "an existing saved game is replaced");
    check(GetFileAttributesA((save + ".tmp").c_str()) == INVALID_FILE_ATTRIBUTES,
          "no temporary file is left behind");
    check(platform::ReadWholeFile(save, GameFile::SavedGame, read, 100) == FileResult::Ok &&
              read.size() == 100 && std::equal(read.begin(), read.end(), second.begin()),
          "a read takes no more than the record's size");

    const auto slotBytes = pattern(5208, 7);
    check(platform::WriteWholeFile(slots, GameFile::SlotFile, slotBytes) == FileResult::Ok &&
              platform::WriteWholeFile(slots, GameFile::SlotFile, slotBytes) == FileResult::Ok &&
              platform::ReadWholeFile(slots, GameFile::SlotFile, read, 5208) == FileResult::Ok &&
              read == slotBytes,
          "the slot file is written, replaced and read");
    const DWORD attributes = GetFileAttributesA(slots.c_str());
    std::printf("note: slot file attributes 0x%lx (hidden is kept only where the file system "
                "stores it)\n",
                static_cast<unsigned long>(attributes));

    check(platform::WriteWholeFile(folder + "\\missing\\donnees0.icc", GameFile::SavedGame,
                                   first) == FileResult::OpenFailed,
          "a write into a missing folder fails to open");
    check(platform::ReadWholeFile(folder, GameFile::SavedGame, read, 1648) != FileResult::Ok,
          "a folder is not read as a saved game");

    // A file whose temporary's name would not fit is never rewritten in place: the save fails
    // and the old file stays whole.
    const std::string deep = folder + "\\" + std::string(MAX_PATH - 17 - folder.size(), 'd');
    const std::string tight = deep + "\\donnees0.icc";
    CreateDirectoryA(deep.c_str(), nullptr);
    const HANDLE old = CreateFileA(tight.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                   FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD wrote = 0;
    check(old != INVALID_HANDLE_VALUE && WriteFile(old, first.data(), 1648, &wrote, nullptr) &&
              CloseHandle(old),
          "a saved game whose path nearly fills MAX_PATH is made");
    check(platform::WriteWholeFile(tight, GameFile::SavedGame, second) == FileResult::OpenFailed &&
              platform::ReadWholeFile(tight, GameFile::SavedGame, read, 1648) == FileResult::Ok &&
              read == first,
          "without room for a temporary the save fails and keeps the old file");
    DeleteFileA(tight.c_str());
    RemoveDirectoryA(deep.c_str());

    DeleteFileA(save.c_str());
    DeleteFileA(slots.c_str());
    RemoveDirectoryA(folder.c_str());
}

} // namespace

int main() {
    checkAccessList();
    checkGameFiles();
    std::printf("%s (%d failed)\n", failures == 0 ? "all passed" : "FAILED", failures);
    return failures == 0 ? 0 : 1;
}
