// One running game per folder of player files outside Windows: an flock on the folder itself.
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string>

#include "platform/posix/player_files_lock.h"
#include "platform/posix/posix_platform.h"

namespace platform::posix {

namespace {

// The program's own lock, kept open until the process ends (the descriptor is closed on exec,
// so a program it starts does not inherit it).
FolderLock& programLock() {
    static FolderLock lock;
    return lock;
}

} // namespace

FolderLock::~FolderLock() {
    release();
}

PlayerLock FolderLock::take(const std::string& folder) {
    if (fd_ >= 0 && folder_ == folder) return PlayerLock::Taken;
    // The lock needs the folder before the first save makes it.
    if (!MakeFolders(folder)) return PlayerLock::Unavailable;
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return PlayerLock::Unavailable;
    // The lock belongs to this open descriptor: another open of the folder, in this process
    // or another, finds it held; it ends with the descriptor, however the process ends.
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const int error = errno;
        ::close(fd);
        return error == EWOULDBLOCK ? PlayerLock::HeldElsewhere : PlayerLock::Unavailable;
    }
    release();
    fd_ = fd;
    folder_ = folder;
    return PlayerLock::Taken;
}

void FolderLock::release() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
    folder_.clear();
}

} // namespace platform::posix

namespace platform {

// The folder is one user's on Linux unless a configuration names a shared one; then everyone
// who plays from it takes turns, as they share its player list too.
PlayerLock LockPlayerFiles(const std::string& folder, const std::string& /*userName*/) {
    return posix::programLock().take(folder);
}

// A window of another process cannot be raised from here without talking to the X server
// directly; the message box alone tells the player.
void ShowRunningGame() {}

// The folder's lock, held for the whole run, already keeps every other game away from the
// slot file beside it.
bool WithSlotFileHeld(const std::string& /*path*/, const std::function<void()>& update) {
    update();
    return true;
}

} // namespace platform
