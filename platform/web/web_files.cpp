// The game's two kinds of file in the page's file system, each write stored in IndexedDB.
#include <emscripten.h>

#include <cstdio>
#include <string>
#include <sys/stat.h>

#include "platform/platform.h"
#include "platform/web/web_state.h"

namespace {

// clang-format off
// Hands the file's new contents to the browser's storage at once (web_storage.js).
EM_JS(void, glimora_store_file, (const char* path), {
    Module.storeFile(UTF8ToString(path));
});
// clang-format on

struct FileCloser {
    std::FILE* file;
    ~FileCloser() {
        if (file != nullptr) std::fclose(file);
    }
};

} // namespace

namespace platform {

FileResult ReadWholeFile(const std::string& path, GameFile kind, std::vector<uint8_t>& bytes,
                         size_t maxBytes) {
    bytes.clear();
    if (kind == GameFile::SavedGame) webbackend::noteSavedGamePath(path);
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) return FileResult::NotFound;
    // Only a regular file is a game file: a folder in its place is not read.
    if (!S_ISREG(info.st_mode)) return FileResult::OpenFailed;
    FileCloser in{std::fopen(path.c_str(), "rb")};
    if (in.file == nullptr) return FileResult::OpenFailed;
    bytes.resize(maxBytes);
    bytes.resize(std::fread(bytes.data(), 1, maxBytes, in.file));
    if (std::ferror(in.file) == 0) return FileResult::Ok;
    bytes.clear();
    return FileResult::IoFailed;
}

// The new contents go to a temporary beside the file and replace it only once complete. In the
// page's file system nothing is on a disk: the lasting copy is the one the browser stores,
// handed to it before this returns.
FileResult WriteWholeFile(const std::string& path, GameFile, std::span<const uint8_t> bytes) {
    const size_t slash = path.find_last_of('/');
    if (slash == std::string::npos || slash + 1 == path.size()) return FileResult::OpenFailed;
    const std::string folder = path.substr(0, slash);
    if (!folder.empty() && ::mkdir(folder.c_str(), 0700) != 0) {
        struct stat info {};
        if (::stat(folder.c_str(), &info) != 0 || !S_ISDIR(info.st_mode))
            return FileResult::OpenFailed;
    }
    const std::string temporary = folder + "/." + path.substr(slash + 1) + ".new";
    bool ok = false;
    {
        FileCloser out{std::fopen(temporary.c_str(), "wb")};
        if (out.file == nullptr) return FileResult::OpenFailed;
        ok = std::fwrite(bytes.data(), 1, bytes.size(), out.file) == bytes.size();
        ok = std::fclose(out.file) == 0 && ok;
        out.file = nullptr;
    }
    ok = ok && std::rename(temporary.c_str(), path.c_str()) == 0;
    if (!ok) {
        std::remove(temporary.c_str());
        return FileResult::IoFailed;
    }
    glimora_store_file(path.c_str());
    return FileResult::Ok;
}

} // namespace platform
