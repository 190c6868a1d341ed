// Reads and safely replaces the two kinds of game file, with the shared access list on NT.
#include <optional>

#include "platform/platform.h"
#include "platform/win32/shared_access.h"

namespace platform {

namespace {

using win32::SharedAccess;

struct OpenMode {
    DWORD access;
    DWORD share;
    DWORD disposition;
    DWORD flags;
};

// What each of the four operations asks of CreateFileA, on NT and on the plain platform.
struct FileOperation {
    OpenMode nt;
    OpenMode plain;
};

constexpr DWORD ShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
constexpr DWORD HiddenBackup = FILE_ATTRIBUTE_HIDDEN | FILE_FLAG_BACKUP_SEMANTICS;

constexpr FileOperation ReadSavedGame{{GENERIC_READ, ShareAll, OPEN_EXISTING, HiddenBackup},
                                      {GENERIC_READ, 0, OPEN_EXISTING, FILE_ATTRIBUTE_HIDDEN}};
constexpr FileOperation WriteSavedGame{{GENERIC_WRITE, ShareAll, CREATE_ALWAYS, HiddenBackup},
                                       {GENERIC_WRITE, 0, CREATE_ALWAYS, FILE_ATTRIBUTE_HIDDEN}};
constexpr FileOperation ReadSlotFile{
    {GENERIC_READ | GENERIC_WRITE, ShareAll, OPEN_EXISTING, HiddenBackup},
    {GENERIC_READ, 0, OPEN_EXISTING, FILE_ATTRIBUTE_HIDDEN}};
constexpr FileOperation WriteSlotFile{{GENERIC_READ | GENERIC_WRITE,
                                       FILE_SHARE_READ | FILE_SHARE_WRITE, CREATE_ALWAYS,
                                       FILE_ATTRIBUTE_HIDDEN},
                                      {GENERIC_WRITE, 0, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL}};

static_assert(HiddenBackup == 0x02000002 && ShareAll == 7);

// Opens `path` as the operation says; `shared` holds the descriptor on the NT path.
HANDLE openGameFile(const std::string& path, const FileOperation& operation,
                    std::optional<SharedAccess>& shared) {
    const OpenMode& mode = shared ? operation.nt : operation.plain;
    return CreateFileA(path.c_str(), mode.access, mode.share,
                       shared ? shared->attributes() : nullptr, mode.disposition, mode.flags,
                       nullptr);
}

// Runs the platform test and, on NT, builds the descriptor. False when building it failed.
bool prepareAccess(std::optional<SharedAccess>& shared) {
    if (win32::RunsOnNt()) shared.emplace();
    return !shared || shared->ok();
}

// Backup semantics would open a folder too; a folder is never a game file.
bool isFolder(HANDLE file) {
    BY_HANDLE_FILE_INFORMATION info{};
    return GetFileInformationByHandle(file, &info) &&
           (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

FileResult readOpenFile(HANDLE file, std::vector<uint8_t>& bytes, size_t maxBytes) {
    const DWORD size = GetFileSize(file, nullptr);
    if (size == INVALID_FILE_SIZE) return FileResult::IoFailed;
    // Never more than the caller's record: a longer file's tail is left unread.
    const DWORD wanted =
        static_cast<DWORD>(std::min<size_t>(size, std::min<size_t>(maxBytes, MAXDWORD)));
    bytes.resize(wanted);
    DWORD got = 0;
    if (wanted > 0 && !ReadFile(file, bytes.data(), wanted, &got, nullptr)) {
        bytes.clear();
        return FileResult::IoFailed;
    }
    bytes.resize(got);
    return FileResult::Ok;
}

// The temporary file beside `path`, or empty when its name would not fit in MAX_PATH.
std::string temporaryPathFor(const std::string& path) {
    std::string temporary = path + ".tmp";
    if (temporary.size() >= MAX_PATH) temporary.clear();
    return temporary;
}

bool exists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// Puts the written temporary file in the place of `path`. ReplaceFile keeps the access list
// and attributes of the file it replaces; a new file is moved into place instead.
bool moveIntoPlace(const std::string& temporary, const std::string& path) {
    if (exists(path) && ReplaceFileA(path.c_str(), temporary.c_str(), nullptr,
                                     REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr)) {
        return true;
    }
    // Also when ReplaceFile failed: a move still replaces the old file in one step.
    return MoveFileExA(temporary.c_str(), path.c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

FileResult writeOpenFile(HANDLE file, std::span<const uint8_t> bytes) {
    DWORD written = 0;
    const auto size = static_cast<DWORD>(bytes.size());
    const bool wrote = WriteFile(file, bytes.data(), size, &written, nullptr) && written == size;
    const bool flushed = wrote && FlushFileBuffers(file);
    return flushed ? FileResult::Ok : FileResult::IoFailed;
}

} // namespace

FileResult ReadWholeFile(const std::string& path, GameFile kind, std::vector<uint8_t>& bytes,
                         size_t maxBytes) {
    bytes.clear();
    std::optional<SharedAccess> shared; // outlives the handle: released after the close
    if (!prepareAccess(shared)) return FileResult::SecurityFailed;

    const HANDLE file =
        openGameFile(path, kind == GameFile::SavedGame ? ReadSavedGame : ReadSlotFile, shared);
    if (file == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND
                   ? FileResult::NotFound
                   : FileResult::OpenFailed;
    }
    const FileResult result =
        isFolder(file) ? FileResult::OpenFailed : readOpenFile(file, bytes, maxBytes);
    CloseHandle(file);
    return result;
}

FileResult WriteWholeFile(const std::string& path, GameFile kind, std::span<const uint8_t> bytes) {
    if (bytes.size() > MAXDWORD) return FileResult::IoFailed;
    std::optional<SharedAccess> shared;
    if (!prepareAccess(shared)) return FileResult::SecurityFailed;
    const FileOperation& operation = kind == GameFile::SavedGame ? WriteSavedGame : WriteSlotFile;

    // The new contents go to a temporary file first and replace the file only once written
    // and flushed, so that a failed write never leaves a broken file behind. Where the
    // temporary cannot be made (a folder in which this user may only rewrite the existing
    // file, or a name too long) the save fails and the old file stays as it is: a write in
    // place that failed half-way would lose it.
    const std::string temporary = temporaryPathFor(path);
    if (temporary.empty()) return FileResult::OpenFailed;
    DeleteFileA(temporary.c_str()); // the leftover of an earlier failed run, if any
    const HANDLE file = openGameFile(temporary, operation, shared);
    if (file == INVALID_HANDLE_VALUE) return FileResult::OpenFailed;

    FileResult result = writeOpenFile(file, bytes);
    CloseHandle(file);
    if (result == FileResult::Ok && !moveIntoPlace(temporary, path))
        result = FileResult::OpenFailed;
    if (result != FileResult::Ok) DeleteFileA(temporary.c_str());
    return result;
}

} // namespace platform
