// Whole-file reads, and writes that replace a file atomically, for the game's two kinds of file.
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>

#include "platform/posix/posix_platform.h"

namespace platform::posix {

namespace {

WriteProbe writeProbe = nullptr;
size_t writeChunk = 0;

bool probe(WriteStage stage, size_t bytesWritten) {
    return writeProbe == nullptr || writeProbe(stage, bytesWritten);
}

// Removes the temporaries that a save killed before its rename left beside `base`: named
// ".<base>.XXXXXX" and older than a minute, so that a save running at this moment in another
// process of the same user keeps its own.
void removeLeftovers(const std::string& folder, const std::string& base) {
    DIR* dir = ::opendir(folder.c_str());
    if (dir == nullptr) return;
    const std::string prefix = "." + base + ".";
    const time_t now = ::time(nullptr);
    while (const dirent* entry = ::readdir(dir)) {
        const std::string name = entry->d_name;
        if (name.size() != prefix.size() + 6 || name.compare(0, prefix.size(), prefix) != 0)
            continue;
        const std::string leftover = folder + "/" + name;
        struct stat info {};
        if (::lstat(leftover.c_str(), &info) == 0 && S_ISREG(info.st_mode) &&
            now - info.st_mtime > 60)
            ::unlink(leftover.c_str());
    }
    ::closedir(dir);
}

} // namespace

bool MakeFolders(const std::string& folder) {
    struct stat info {};
    if (folder.empty() || ::stat(folder.c_str(), &info) == 0) return S_ISDIR(info.st_mode);
    const size_t slash = folder.find_last_of('/');
    if (slash != std::string::npos && slash > 0 && !MakeFolders(folder.substr(0, slash)))
        return false;
    return ::mkdir(folder.c_str(), 0700) == 0 || errno == EEXIST;
}

namespace {

bool writeAll(int fd, const uint8_t* data, size_t size) {
    size_t done = 0;
    while (done < size) {
        size_t want = size - done;
        if (writeChunk != 0 && want > writeChunk) want = writeChunk;
        const ssize_t put = ::write(fd, data + done, want);
        if (put < 0 && errno == EINTR) continue;
        if (put <= 0) return false;
        done += static_cast<size_t>(put);
        if (!probe(WriteStage::BytesWritten, done)) return false;
    }
    return true;
}

bool flushFolder(const std::string& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return false;
    const bool flushed = ::fsync(fd) == 0;
    ::close(fd);
    return flushed;
}

} // namespace

void SetWriteProbe(WriteProbe probeFunction, size_t chunkBytes) {
    writeProbe = probeFunction;
    writeChunk = chunkBytes;
}

} // namespace platform::posix

namespace platform {

FileResult ReadWholeFile(const std::string& path, GameFile, std::vector<uint8_t>& bytes,
                         size_t maxBytes) {
    bytes.clear();
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        return errno == ENOENT || errno == ENOTDIR ? FileResult::NotFound : FileResult::OpenFailed;
    }
    // Only a regular file is a game file: a folder or a pipe in its place is not read.
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return FileResult::OpenFailed;
    }
    bytes.resize(maxBytes);
    size_t length = 0;
    bool failed = false;
    while (length < maxBytes) {
        const ssize_t got = ::read(fd, bytes.data() + length, maxBytes - length);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) failed = true;
        if (got <= 0) break;
        length += static_cast<size_t>(got);
    }
    ::close(fd);
    if (failed) {
        bytes.clear();
        return FileResult::IoFailed;
    }
    bytes.resize(length);
    return FileResult::Ok;
}

FileResult WriteWholeFile(const std::string& path, GameFile, std::span<const uint8_t> bytes) {
    const size_t slash = path.find_last_of('/');
    const std::string folder = slash == std::string::npos ? "."
                               : slash == 0               ? "/"
                                                          : path.substr(0, slash);
    const std::string base = slash == std::string::npos ? path : path.substr(slash + 1);
    if (base.empty() || !posix::MakeFolders(folder)) return FileResult::OpenFailed;

    // The new contents go to a temporary beside the file and replace it only once complete
    // and on disk, so an interrupted save leaves the previous file whole.
    posix::removeLeftovers(folder, base);
    std::string temporary = folder + "/." + base + ".XXXXXX";
    const int fd = ::mkstemp(temporary.data());
    if (fd < 0) return FileResult::OpenFailed;

    using posix::WriteStage;
    bool ok = posix::probe(WriteStage::TempCreated, 0) && ::fchmod(fd, 0600) == 0 &&
              posix::writeAll(fd, bytes.data(), bytes.size()) && ::fsync(fd) == 0 &&
              posix::probe(WriteStage::Flushed, bytes.size());
    ok = ::close(fd) == 0 && ok;
    ok = ok && ::rename(temporary.c_str(), path.c_str()) == 0;
    if (!ok) {
        ::unlink(temporary.c_str());
        return FileResult::IoFailed;
    }
    // The file is replaced; the folder's entry must reach the disk too for it to last. When
    // that flush fails the new file is still the one in place: the save happened, and
    // reporting it as failed would tell the player the opposite of what is on disk.
    if (!posix::probe(WriteStage::Renamed, bytes.size()) || !posix::flushFolder(folder) ||
        !posix::probe(WriteStage::FolderFlushed, bytes.size()))
        std::fprintf(stderr, "Glimora: %s is saved, but its folder could not be flushed to disk\n",
                     path.c_str());
    return FileResult::Ok;
}

} // namespace platform
