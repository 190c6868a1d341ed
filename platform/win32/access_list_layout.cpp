// Builds the access list bytes of the shared game files without any Windows header.
#include "platform/win32/access_list_layout.h"

#include <algorithm>

namespace win32_layout {

namespace {

void putWord(std::span<uint8_t> out, size_t at, uint16_t value) {
    out[at] = static_cast<uint8_t>(value & 0xFF);
    out[at + 1] = static_cast<uint8_t>(value >> 8);
}

void putDword(std::span<uint8_t> out, size_t at, uint32_t value) {
    for (size_t i = 0; i < 4; ++i)
        out[at + i] = static_cast<uint8_t>((value >> (8 * i)) & 0xFF);
}

} // namespace

Sid builtinGroupSid(uint32_t rid) {
    Sid sid{};
    sid[0] = 1;           // SID revision
    sid[1] = 2;           // two sub-authorities
    sid[7] = 5;           // SECURITY_NT_AUTHORITY: {0, 0, 0, 0, 0, 5}, big-endian
    putDword(sid, 8, 32); // SECURITY_BUILTIN_DOMAIN_RID
    putDword(sid, 12, rid);
    return sid;
}

size_t writeAccessAllowedAce(std::span<uint8_t> out, uint8_t flags, uint32_t mask,
                             std::span<const uint8_t> sid) {
    const size_t size = AceHeaderSize + sid.size();
    if (size > out.size() || size > 0xFFFF) return 0;
    out[0] = AccessAllowedAceType;
    out[1] = flags;
    putWord(out, 2, static_cast<uint16_t>(size));
    putDword(out, 4, mask);
    std::copy(sid.begin(), sid.end(), out.begin() + AceHeaderSize);
    return size;
}

bool writeAclHeader(std::span<uint8_t> out, uint16_t aclSize, uint16_t aceCount) {
    if (out.size() < AclHeaderSize) return false;
    out[0] = AclRevision;
    out[1] = 0;
    putWord(out, 2, aclSize);
    putWord(out, 4, aceCount);
    putWord(out, 6, 0);
    return true;
}

std::array<uint8_t, SharedAccessListSize> sharedAccessList() {
    std::array<uint8_t, SharedAccessListSize> acl{};
    std::span<uint8_t> rest(acl);
    writeAclHeader(rest, static_cast<uint16_t>(SharedAccessListSize), 2);
    rest = rest.subspan(AclHeaderSize);
    for (const uint32_t rid : {AdministratorsRid, UsersRid}) {
        const Sid sid = builtinGroupSid(rid);
        rest = rest.subspan(writeAccessAllowedAce(rest, InheritToFilesAndFolders, AllAccess, sid));
    }
    return acl;
}

} // namespace win32_layout
