// The bytes of the access list that lets every user rewrite the game's files, built as data.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace win32_layout {

// Relative ids of the two built-in groups under S-1-5-32.
constexpr uint32_t AdministratorsRid = 544;
constexpr uint32_t UsersRid = 545;

constexpr size_t SidSize = 16;      // revision, count, authority (6), two sub-authorities
constexpr size_t AceHeaderSize = 8; // type, flags, size (WORD), access mask (DWORD)
constexpr size_t AclHeaderSize = 8; // revision, pad, size (WORD), count (WORD), pad (WORD)
constexpr uint8_t AclRevision = 2;
constexpr uint8_t AccessAllowedAceType = 0;
constexpr uint8_t InheritToFilesAndFolders = 3; // OBJECT_INHERIT_ACE | CONTAINER_INHERIT_ACE
constexpr uint32_t AllAccess = 0xFFFFFFFF;

using Sid = std::array<uint8_t, SidSize>;

// The SID S-1-5-32-<rid>: NT authority, the built-in domain, then the relative id.
Sid builtinGroupSid(uint32_t rid);

// Writes an access-allowed ACE for `sid` at the start of `out`: the 8-byte header then the SID.
// Returns the ACE size, or 0 when `out` is too small or the size does not fit in 16 bits.
size_t writeAccessAllowedAce(std::span<uint8_t> out, uint8_t flags, uint32_t mask,
                             std::span<const uint8_t> sid);

// Writes the header of an ACL of `aclSize` bytes holding `aceCount` ACEs. Returns false when
// `out` is shorter than the header.
bool writeAclHeader(std::span<uint8_t> out, uint16_t aclSize, uint16_t aceCount);

// The size of the shared access list: its header and the two ACEs.
constexpr size_t SharedAccessListSize = AclHeaderSize + 2 * (AceHeaderSize + SidSize);

// The whole shared access list: Administrators first, then Users, each allowed everything,
// inherited by files and folders.
std::array<uint8_t, SharedAccessListSize> sharedAccessList();

} // namespace win32_layout
