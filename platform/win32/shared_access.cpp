// Builds the shared security descriptor, with its two hand-written ACEs, for NT file operations.
#include "platform/win32/shared_access.h"

#include <cstdint>
#include <span>

#include "platform/win32/access_list_layout.h"

namespace platform::win32 {

namespace {

// The program's one descriptor, rebuilt before every NT open.
SECURITY_DESCRIPTOR SharedAccessDescriptor;

static_assert(sizeof(OSVERSIONINFOA) == 148);
static_assert(ACL_REVISION == win32_layout::AclRevision);
static_assert(ACCESS_ALLOWED_ACE_TYPE == win32_layout::AccessAllowedAceType);
static_assert((OBJECT_INHERIT_ACE | CONTAINER_INHERIT_ACE) ==
              win32_layout::InheritToFilesAndFolders);
static_assert(SECURITY_BUILTIN_DOMAIN_RID == 32);
static_assert(DOMAIN_ALIAS_RID_ADMINS == win32_layout::AdministratorsRid);
static_assert(DOMAIN_ALIAS_RID_USERS == win32_layout::UsersRid);

} // namespace

bool RunsOnNt() {
    OSVERSIONINFOA version{};
    version.dwOSVersionInfoSize = 148;
    return GetVersionExA(&version) && version.dwPlatformId == VER_PLATFORM_WIN32_NT;
}

DWORD BuildSharedAccessDescriptor(SECURITY_DESCRIPTOR& descriptor, void* aclBuffer,
                                  DWORD aclBufferSize) {
    DWORD error = 0;
    const auto failed = [&error] {
        if (error == 0) error = GetLastError();
        if (error == 0) error = ERROR_INVALID_FUNCTION; // a failure must never read as success
    };
    const DWORD rids[2] = {win32_layout::AdministratorsRid, win32_layout::UsersRid};
    PSID sids[2] = {nullptr, nullptr};
    void* aces[2] = {nullptr, nullptr};
    DWORD aceSizes[2] = {0, 0};
    HANDLE heap = GetProcessHeap();

    if (!InitializeSecurityDescriptor(&descriptor, SECURITY_DESCRIPTOR_REVISION)) failed();

    SID_IDENTIFIER_AUTHORITY ntAuthority = SECURITY_NT_AUTHORITY;
    for (int i = 0; i < 2 && error == 0; ++i) {
        if (!AllocateAndInitializeSid(&ntAuthority, 2, SECURITY_BUILTIN_DOMAIN_RID, rids[i], 0, 0,
                                      0, 0, 0, 0, &sids[i])) {
            sids[i] = nullptr;
            failed();
        }
    }

    for (int i = 0; i < 2 && error == 0; ++i) {
        const DWORD sidLength = GetLengthSid(sids[i]);
        const DWORD size = static_cast<DWORD>(win32_layout::AceHeaderSize) + sidLength;
        aces[i] = HeapAlloc(heap, 0, size);
        if (aces[i] == nullptr) {
            error = HeapExhausted;
            break;
        }
        const std::span<uint8_t> block(static_cast<uint8_t*>(aces[i]), size);
        const std::span<const uint8_t> sid(static_cast<const uint8_t*>(sids[i]), sidLength);
        aceSizes[i] = static_cast<DWORD>(win32_layout::writeAccessAllowedAce(
            block, win32_layout::InheritToFilesAndFolders, win32_layout::AllAccess, sid));
        if (aceSizes[i] == 0) error = ERROR_INVALID_SID;
    }

    auto* acl = static_cast<PACL>(aclBuffer);
    if (error == 0) {
        const DWORD aclSize =
            static_cast<DWORD>(win32_layout::AclHeaderSize) + aceSizes[0] + aceSizes[1];
        if (aclBuffer == nullptr || aclSize > aclBufferSize) {
            error = ERROR_INSUFFICIENT_BUFFER;
        } else if (!InitializeAcl(acl, aclSize, ACL_REVISION)) {
            failed();
        }
    }
    for (DWORD i = 0; i < 2 && error == 0; ++i) {
        if (!AddAce(acl, ACL_REVISION, i, aces[i], aceSizes[i])) failed();
    }
    if (error == 0 && !SetSecurityDescriptorDacl(&descriptor, TRUE, acl, FALSE)) failed();

    for (int i = 0; i < 2; ++i) {
        if (sids[i] != nullptr) FreeSid(sids[i]);
        if (aces[i] != nullptr) HeapFree(heap, 0, aces[i]);
    }
    return error;
}

SharedAccess::SharedAccess() {
    buffer_ = HeapAlloc(GetProcessHeap(), 0, AccessListBufferSize);
    if (buffer_ == nullptr) {
        error_ = HeapExhausted;
        return;
    }
    error_ = BuildSharedAccessDescriptor(SharedAccessDescriptor, buffer_, AccessListBufferSize);
    attributes_.nLength = sizeof(SECURITY_ATTRIBUTES);
    attributes_.lpSecurityDescriptor = &SharedAccessDescriptor;
    attributes_.bInheritHandle = FALSE;
}

SharedAccess::~SharedAccess() {
    if (buffer_ != nullptr) HeapFree(GetProcessHeap(), 0, buffer_);
}

} // namespace platform::win32
