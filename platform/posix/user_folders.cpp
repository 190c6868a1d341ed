// Who runs the game and where their files go, outside Windows.
#include <pwd.h>
#include <unistd.h>

#include <cstdlib>

#include "platform/posix/posix_platform.h"

namespace platform::posix {

namespace {

std::string environment(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? std::string(value) : std::string();
}

} // namespace

std::string UserDataFolder() {
    const std::string xdg = environment("XDG_DATA_HOME");
    // Relative values are to be ignored by the XDG rules.
    if (!xdg.empty() && xdg.front() == '/') return xdg + "/glimora";
    std::string home = environment("HOME");
    if (home.empty() || home.front() != '/') {
        const passwd* entry = ::getpwuid(::geteuid());
        home = entry != nullptr && entry->pw_dir != nullptr ? entry->pw_dir : "";
    }
    if (home.empty() || home.front() != '/') return {};
    while (home.size() > 1 && home.back() == '/')
        home.pop_back();
    if (home == "/") home.clear();
    return home + "/.local/share/glimora";
}

} // namespace platform::posix

namespace platform {

std::string UserName() {
    const passwd* entry = ::getpwuid(::geteuid());
    if (entry != nullptr && entry->pw_name != nullptr && entry->pw_name[0] != '\0')
        return entry->pw_name;
    const char* user = std::getenv("USER");
    return user != nullptr ? std::string(user) : std::string();
}

std::string SlotFileFolder() {
    // The configured folder when there is one, else the user's data folder: the per-machine
    // file of the original layout becomes a per-account one, as nothing here is shared.
    // A configuration that is there but cannot be used (said at start-up) moves nothing: the
    // list is then kept nowhere else, or a broken file would orphan the player's saves.
    const std::string file = posix::InstalledConfigFile();
    const InstallConfig config = posix::ReadInstallConfigFile(file, false);
    if (config.keyFound && config.pathFound) return config.path;
    if (!file.empty()) return {};
    return posix::UserDataFolder();
}

char PathSeparator() {
    return '/';
}

} // namespace platform
