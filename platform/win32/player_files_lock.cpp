// One running game per player on Windows: named mutexes for the player's files and the slot file.
#include <cstdint>
#include <cstdio>
#include <string>

#include "platform/platform.h"
#include "platform/win32/shared_access.h"
#include "platform/win32/windows_api.h"

namespace platform {

namespace {

// FNV-1a, 64 bits: a path or a user name made short and free of backslashes for an object name.
std::string hashed(const std::string& text, bool ignoreCase) {
    uint64_t hash = 0xCBF29CE484222325u;
    for (const char c : text) {
        unsigned char byte = static_cast<unsigned char>(c);
        if (ignoreCase && byte >= 'a' && byte <= 'z') byte = static_cast<unsigned char>(byte - 32);
        hash = (hash ^ byte) * 0x100000001B3u;
    }
    char hex[17];
    std::snprintf(hex, sizeof hex, "%016llx", static_cast<unsigned long long>(hash));
    return hex;
}

// A folder as Windows compares it: letters in any case, with or without a trailing separator.
std::string folderKey(std::string folder) {
    while (folder.size() > 3 && (folder.back() == '\\' || folder.back() == '/'))
        folder.pop_back();
    return hashed(folder, true);
}

struct HeldLock {
    HANDLE mutex = nullptr;
    std::string name;
};

HeldLock& heldLock() {
    static HeldLock held;
    return held;
}

} // namespace

// "Global\" so that one user's game in another session (fast user switching, a remote desktop)
// counts too; the user is part of the name, so two users of one installation never meet here.
// The mutex lives as long as a handle to it: a game that crashed or was killed lets it go.
PlayerLock LockPlayerFiles(const std::string& folder, const std::string& userName) {
    const std::string name =
        "Global\\Glimora.player." + folderKey(folder) + "." + hashed(userName, false);
    HeldLock& held = heldLock();
    if (held.mutex != nullptr && held.name == name) return PlayerLock::Taken;
    const HANDLE mutex = CreateMutexA(nullptr, FALSE, name.c_str());
    if (mutex == nullptr) {
        // Only another program's mutex of that name, made by someone else, is out of reach.
        return GetLastError() == ERROR_ACCESS_DENIED ? PlayerLock::HeldElsewhere
                                                     : PlayerLock::Unavailable;
    }
    // Owning it, not making it, is what counts: a handle opened by a start that gave way
    // owns nothing.
    const DWORD wait = WaitForSingleObject(mutex, 0);
    if (wait != WAIT_OBJECT_0 && wait != WAIT_ABANDONED) {
        CloseHandle(mutex);
        return wait == WAIT_TIMEOUT ? PlayerLock::HeldElsewhere : PlayerLock::Unavailable;
    }
    if (held.mutex != nullptr) CloseHandle(held.mutex);
    held = {mutex, name};
    return PlayerLock::Taken;
}

// The game's window in this session (its class is "Glimora"), restored when minimized. A
// program just started by the player may give the foreground away.
void ShowRunningGame() {
    const HWND window = FindWindowA("Glimora", nullptr);
    if (window == nullptr) return;
    if (IsIconic(window)) ShowWindow(window, SW_RESTORE);
    SetForegroundWindow(window);
}

// The slot file is shared by every user of the machine, in every session: its mutex is made
// with the access list that lets every user use it, and waited for a few seconds at most.
bool WithSlotFileHeld(const std::string& path, const std::function<void()>& update) {
    const std::string name = "Global\\Glimora.slots." + folderKey(path);
    win32::SharedAccess access;
    HANDLE mutex = CreateMutexA(access.ok() ? access.attributes() : nullptr, FALSE, name.c_str());
    if (mutex == nullptr) mutex = OpenMutexA(SYNCHRONIZE | MUTEX_MODIFY_STATE, FALSE, name.c_str());
    if (mutex == nullptr) return false;
    const DWORD wait = WaitForSingleObject(mutex, 10000);
    if (wait != WAIT_OBJECT_0 && wait != WAIT_ABANDONED) {
        CloseHandle(mutex);
        return false;
    }
    update();
    ReleaseMutex(mutex);
    CloseHandle(mutex);
    return true;
}

} // namespace platform
