// The installer's configuration outside Windows: a key=value file beside the program or in /etc.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <vector>

#if defined(__APPLE__)
#include <mach-o/dyld.h>
#endif

#include "platform/posix/posix_platform.h"

namespace platform::posix {

namespace {

constexpr size_t MaxConfigBytes = 64 * 1024;

std::string_view trim(std::string_view text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    return text;
}

std::string folderOf(const std::string& path) {
    const size_t slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

bool readSmallFile(const std::string& path, std::string& text) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    std::vector<char> buffer(MaxConfigBytes);
    size_t length = 0;
    while (length < buffer.size()) {
        const ssize_t got = ::read(fd, buffer.data() + length, buffer.size() - length);
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) break;
        length += static_cast<size_t>(got);
    }
    ::close(fd);
    text.assign(buffer.data(), length);
    return true;
}

bool isRegularFile(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

} // namespace

std::string ExecutableFolder() {
#if defined(__APPLE__)
    uint32_t size = 0;
    _NSGetExecutablePath(nullptr, &size);
    std::vector<char> raw(size + 1, '\0');
    if (_NSGetExecutablePath(raw.data(), &size) != 0) return {};
    char resolved[PATH_MAX];
    if (::realpath(raw.data(), resolved) == nullptr) return {};
    return folderOf(resolved);
#else
    std::vector<char> buffer(PATH_MAX + 1, '\0');
    const ssize_t length = ::readlink("/proc/self/exe", buffer.data(), PATH_MAX);
    if (length <= 0) return {};
    return folderOf(std::string(buffer.data(), static_cast<size_t>(length)));
#endif
}

std::string FindConfigFile(const std::string& executableFolder, const std::string& installedBinFolder,
                           const std::string& systemConfigFile) {
    if (executableFolder.empty()) return {};
    for (const char* relative : {"/", "/../share/glimora/"}) {
        std::string candidate = executableFolder + relative + ConfigFileName;
        if (isRegularFile(candidate)) return candidate;
    }
    // Only the installed program reads the system's file: a build tree or another prefix
    // beside a packaged game keeps to its own configuration.
    if (executableFolder == installedBinFolder && isRegularFile(systemConfigFile))
        return systemConfigFile;
    return {};
}

InstallConfig ParseInstallConfig(std::string_view text, const std::string& configFolder) {
    InstallConfig config;
    config.keyFound = true;
    std::string path;
    while (!text.empty()) {
        const size_t end = text.find('\n');
        std::string_view line = trim(text.substr(0, end));
        text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);
        if (line.empty() || line.front() == '#') continue;
        const size_t equals = line.find('=');
        if (equals == std::string_view::npos) continue;
        const std::string_view key = trim(line.substr(0, equals));
        const std::string_view value = trim(line.substr(equals + 1));
        if (key == "Language") {
            // A small decimal number; anything else is a value that cannot be read.
            unsigned number = 0;
            bool valid = !value.empty() && value.size() <= 3;
            for (char c : value) {
                if (c < '0' || c > '9')
                    valid = false;
                else
                    number = number * 10 + static_cast<unsigned>(c - '0');
            }
            config.languageFound = valid && number <= 255;
            config.languageByte = config.languageFound ? static_cast<uint8_t>(number) : 1;
        } else if (key == "Path") {
            path.assign(value);
        }
    }
    if (!path.empty() && path.front() != '/') path = configFolder + "/" + path;
    while (path.size() > 1 && path.back() == '/')
        path.pop_back();
    // Without a folder of its own the game keeps its files with the user's other data.
    if (path.empty()) path = UserDataFolder();
    config.pathFound = !path.empty();
    config.path = path;
    return config;
}

InstallConfig ReadInstallConfigFile(const std::string& path) {
    std::string text;
    if (path.empty() || !readSmallFile(path, text)) return InstallConfig{};
    return ParseInstallConfig(text, folderOf(path));
}

} // namespace platform::posix

namespace platform {

InstallConfig ReadInstallConfig() {
    // Set by the build from the installation folders.
    return posix::ReadInstallConfigFile(posix::FindConfigFile(
        posix::ExecutableFolder(), GLIMORA_INSTALLED_BINDIR, GLIMORA_SYSTEM_CONFIG));
}

} // namespace platform
