// The installer's configuration outside Windows: a key=value file beside the program or in /etc.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
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

// Reads the whole configuration file; false with the reason when it cannot be read whole.
bool readSmallFile(const std::string& path, std::string& text, std::string& problem) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        problem = std::strerror(errno);
        return false;
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        problem = "not a regular file";
        return false;
    }
    std::vector<char> buffer(MaxConfigBytes + 1);
    size_t length = 0;
    while (length < buffer.size()) {
        const ssize_t got = ::read(fd, buffer.data() + length, buffer.size() - length);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) problem = std::strerror(errno);
        if (got <= 0) break;
        length += static_cast<size_t>(got);
    }
    ::close(fd);
    if (length > MaxConfigBytes) problem = "larger than 64 KiB";
    text.assign(buffer.data(), std::min(length, MaxConfigBytes));
    return problem.empty();
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

std::string FindConfigFile(const std::string& executableFolder,
                           const std::string& installedBinFolder,
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

std::string ConfigProblem(std::string_view text) {
    int lineNumber = 0;
    bool anySetting = false;
    while (!text.empty()) {
        ++lineNumber;
        const size_t end = text.find('\n');
        const std::string_view line = trim(text.substr(0, end));
        text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);
        if (line.empty() || line.front() == '#') continue;
        const std::string at = "line " + std::to_string(lineNumber) + ": ";
        const size_t equals = line.find('=');
        if (equals == std::string_view::npos) return at + "not a key=value setting";
        const std::string_view key = trim(line.substr(0, equals));
        const std::string_view value = trim(line.substr(equals + 1));
        if (key == "Language") {
            const bool digits = !value.empty() && value.size() <= 3 &&
                                value.find_first_not_of("0123456789") == std::string_view::npos;
            if (!digits || std::stoi(std::string(value)) > 255)
                return at + "Language must be a number from 0 to 255";
        } else if (key != "Path") {
            return at + "unknown key \"" + std::string(key) + "\"";
        }
        anySetting = true;
    }
    return anySetting ? std::string{} : "no setting in it";
}

InstallConfig ReadInstallConfigFile(const std::string& path, bool report) {
    if (path.empty()) return InstallConfig{};
    std::string text, problem;
    if (readSmallFile(path, text, problem)) problem = ConfigProblem(text);
    if (!problem.empty()) {
        if (!report) return InstallConfig{};
        // A broken file is not half used: the game runs as without one, and writes no saved
        // game anywhere else in its place, so the player's files stay where they were.
        std::fprintf(stderr,
                     "Glimora: %s cannot be used (%s): the game runs as if it were not "
                     "installed, and saves no game\n",
                     path.c_str(), problem.c_str());
        return InstallConfig{};
    }
    return ParseInstallConfig(text, folderOf(path));
}

uint8_t LocaleLanguage() {
    // The first of these that is set and not empty names the locale of the messages.
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = std::getenv(name);
        if (value == nullptr || value[0] == '\0') continue;
        const bool french =
            (value[0] == 'f' || value[0] == 'F') && (value[1] == 'r' || value[1] == 'R');
        return french ? 0 : 1;
    }
    return 1;
}

std::string InstalledConfigFile() {
    // Set by the build from the installation folders.
    return FindConfigFile(ExecutableFolder(), GLIMORA_INSTALLED_BINDIR, GLIMORA_SYSTEM_CONFIG);
}

} // namespace platform::posix

namespace platform {

InstallConfig ReadInstallConfig() {
    InstallConfig config = posix::ReadInstallConfigFile(posix::InstalledConfigFile());
    // A file that names no language leaves it to each player's locale.
    if (config.keyFound && !config.languageFound) {
        config.languageFound = true;
        config.languageByte = posix::LocaleLanguage();
    }
    return config;
}

} // namespace platform
