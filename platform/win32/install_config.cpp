// The installer's registry values, the user's name and the folder of the machine's slot file.
#include <shlobj.h>

#include <optional>

#include "platform/platform.h"
#include "platform/win32/shared_access.h"

namespace platform {

namespace {

constexpr char SlotFileName[] = "userscd32.wxp";
constexpr DWORD RegistryByteCount = 255;

// Reads a registry value into at most RegistryByteCount bytes; nullopt when it cannot be read.
std::optional<std::string> queryValue(HKEY key, const char* name) {
    char data[RegistryByteCount + 1] = {};
    DWORD size = RegistryByteCount;
    if (RegQueryValueExA(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(data), &size) !=
        ERROR_SUCCESS) {
        return std::nullopt;
    }
    return std::string(data, std::min<DWORD>(size, RegistryByteCount));
}

std::string windowsFolder() {
    char folder[MAX_PATH] = {};
    const UINT length = GetWindowsDirectoryA(folder, MAX_PATH);
    return length > 0 && length < MAX_PATH ? std::string(folder, length) : std::string();
}

std::string withoutTrailingSeparator(std::string folder) {
    while (!folder.empty() && (folder.back() == '\\' || folder.back() == '/'))
        folder.pop_back();
    return folder;
}

bool fileExists(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool writableByThisUser(const std::string& path) {
    const HANDLE file = CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    CloseHandle(file);
    return true;
}

// "<common application data>\Glimora" (not created here); empty when there is none.
std::string sharedDataFolder() {
    char common[MAX_PATH] = {};
    if (FAILED(
            SHGetFolderPathA(nullptr, CSIDL_COMMON_APPDATA, nullptr, SHGFP_TYPE_CURRENT, common)))
        return {};
    return withoutTrailingSeparator(common) + "\\Glimora";
}

// Makes `folder` with the shared access list, which the files made in it inherit.
bool makeSharedFolder(const std::string& folder) {
    const DWORD attributes = GetFileAttributesA(folder.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES) return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    std::optional<win32::SharedAccess> shared;
    if (win32::RunsOnNt()) {
        shared.emplace();
        if (!shared->ok()) return false;
    }
    return CreateDirectoryA(folder.c_str(), shared ? shared->attributes() : nullptr) ||
           GetLastError() == ERROR_ALREADY_EXISTS;
}

} // namespace

InstallConfig ReadInstallConfig() {
    InstallConfig config;
    HKEY key = nullptr;
    // A 32-bit installer writes its key into the 32-bit view of the registry, which this 64-bit
    // program does not see by default: look there when the key is not in the native view.
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software\\Glimora", 0, KEY_READ, &key) !=
            ERROR_SUCCESS &&
        RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software\\Glimora", 0, KEY_READ | KEY_WOW64_32KEY,
                      &key) != ERROR_SUCCESS) {
        return config;
    }
    config.keyFound = true;
    // The language is only taken when the path could be read, as the installer wrote both.
    if (const std::optional<std::string> path = queryValue(key, "Path")) {
        config.pathFound = true;
        config.path = withoutTrailingSeparator(path->substr(0, path->find('\0')));
        if (const std::optional<std::string> language = queryValue(key, "Language");
            language && !language->empty()) {
            config.languageFound = true;
            config.languageByte = static_cast<uint8_t>((*language)[0]);
        }
    }
    RegCloseKey(key);
    return config;
}

std::string UserName() {
    char name[256] = {};
    DWORD size = 255;
    if (!GetUserNameA(name, &size)) return {};
    return std::string(name);
}

// The slot file belongs in the Windows folder, which ordinary users may no longer write. Every
// user of the machine must agree on one place, so:
//  1. a slot file in "<common application data>\Glimora" is used whenever there is one;
//  2. otherwise a slot file already in the Windows folder stays in use while this user can
//     rewrite it (an installation that made it shared keeps its players' slots);
//  3. otherwise the shared data folder is made, with the access list that lets every user
//     rewrite what is in it, and a slot file of the Windows folder is copied there first so
//     that its players keep their slots and saved games;
//  4. without a shared data folder, the Windows folder (a failed write is then reported).
std::string SlotFileFolder() {
    const std::string windows = windowsFolder();
    const std::string oldFile = windows + "\\" + SlotFileName;
    const std::string shared = sharedDataFolder();
    if (!shared.empty() && fileExists(shared + "\\" + SlotFileName)) return shared;

    const bool oldExists = fileExists(oldFile);
    if (oldExists && writableByThisUser(oldFile)) return windows;
    if (shared.empty() || !makeSharedFolder(shared)) return windows;
    if (oldExists) CopyFileA(oldFile.c_str(), (shared + "\\" + SlotFileName).c_str(), TRUE);
    return shared;
}

char PathSeparator() {
    return '\\';
}

} // namespace platform
