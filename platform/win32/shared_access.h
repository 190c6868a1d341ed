// The security descriptor letting built-in Administrators and Users do anything with a file.
#pragma once

#include "platform/win32/windows_api.h"

namespace platform::win32 {

// Size of the heap buffer that holds the access list during one file operation.
constexpr DWORD AccessListBufferSize = 4096;
// Error number of a build that ran out of heap (-1 as a 32-bit value).
constexpr DWORD HeapExhausted = 0xFFFFFFFF;

// True on the NT platform: GetVersionExA with the 148-byte structure reports platform id 2.
// Asked again by every file operation.
bool RunsOnNt();

// Builds `descriptor` (absolute form) with a DACL built in `aclBuffer`: ACE 0 allows the
// Administrators everything, ACE 1 the Users, both inherited by files and folders. The ACEs
// are written by hand. Returns 0, HeapExhausted, or GetLastError of the first failing call.
DWORD BuildSharedAccessDescriptor(SECURITY_DESCRIPTOR& descriptor, void* aclBuffer,
                                  DWORD aclBufferSize);

// One operation's use of the program's shared descriptor: obtains the access list buffer and
// builds the descriptor; the buffer is released when the operation ends, after its files are
// closed (declare it before the handles it protects).
class SharedAccess {
  public:
    SharedAccess();
    ~SharedAccess();
    SharedAccess(const SharedAccess&) = delete;
    SharedAccess& operator=(const SharedAccess&) = delete;

    bool ok() const { return error_ == 0; }
    DWORD error() const { return error_; }
    // Length, the descriptor, handle not inheritable.
    SECURITY_ATTRIBUTES* attributes() { return &attributes_; }

  private:
    void* buffer_ = nullptr;
    DWORD error_ = 0;
    SECURITY_ATTRIBUTES attributes_{};
};

} // namespace platform::win32
