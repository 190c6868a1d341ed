// What the Linux and macOS file layer offers beyond the platform interface: its pieces for tests.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/platform.h"

namespace platform::posix {

constexpr const char* ConfigFileName = "glimora.conf";

// Milliseconds since the system started (CLOCK_BOOTTIME, else CLOCK_MONOTONIC), unsigned
// 32-bit and wrapping: the tick count of the desktop backends.
uint32_t TicksSinceBoot();

// The folder holding the running executable, without a trailing '/'; empty when unknown.
std::string ExecutableFolder();

// The configuration files looked for, in order: "<exe dir>/glimora.conf" (the build tree),
// "<exe dir>/../share/glimora/glimora.conf" (a prefix of its own), then `systemConfigFile`
// when the executable lives in `installedBinFolder` (the installed game: /usr/games and
// /etc/glimora/glimora.conf in the Debian package).
std::string FindConfigFile(const std::string& executableFolder,
                           const std::string& installedBinFolder = {},
                           const std::string& systemConfigFile = {});

// Parses `key=value` lines ('#' starts a comment line, blanks around keys and values are
// ignored). "Language" is a decimal number 0..255; "Path" a folder, taken relative to
// `configFolder` when it is not absolute. A file without "Path" (or with an empty one) gives
// the user's data folder. Nothing found: keyFound false.
InstallConfig ParseInstallConfig(std::string_view text, const std::string& configFolder);

// What makes a configuration text unusable: "line N: reason" for the first line that is not
// a setting the game knows (a Language that is not 0..255, an unknown key, no '='), or "no
// setting in it"; empty when the text is sound.
std::string ConfigProblem(std::string_view text);

// Reads and parses one configuration file (missing: keyFound false). A file that cannot be
// read whole (larger than 64 KiB included) or has a problem is reported on stderr with the
// reason (unless `report` is false) and taken as missing.
InstallConfig ReadInstallConfigFile(const std::string& path, bool report = true);

// The player's language from the locale (LC_ALL, else LC_MESSAGES, else LANG, the first set):
// 0 (French) for a name starting with "fr", 1 (English) for any other or none.
uint8_t LocaleLanguage();

// The configuration file the program reads: beside it, in its installation's share folder, or
// the system's; empty when there is none.
std::string InstalledConfigFile();

// $XDG_DATA_HOME/glimora when that is an absolute path, otherwise <home>/.local/share/glimora
// with <home> from $HOME or the password database; empty when no home is known.
std::string UserDataFolder();

// Creates the missing folders on the way to `folder`, private to the user; true when it is a
// folder at the end.
bool MakeFolders(const std::string& folder);

// A point inside WriteWholeFile where a test may stop the write.
enum class WriteStage {
    TempCreated,   // the temporary file exists, nothing written
    BytesWritten,  // after each chunk; `bytesWritten` counts what is in the temporary so far
    Flushed,       // the temporary is complete and flushed
    Renamed,       // the temporary replaced the file
    FolderFlushed, // the folder's entry is flushed too
};

// Called at every stage; returning false makes the write fail there as an I/O error would.
using WriteProbe = bool (*)(WriteStage stage, size_t bytesWritten);

// Test hook: the probe (nullptr: none) and the largest chunk written at once (0: all at once).
void SetWriteProbe(WriteProbe probe, size_t chunkBytes);

} // namespace platform::posix
