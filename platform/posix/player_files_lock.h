// The lock on a folder of player files outside Windows, for the program and for tests.
#pragma once

#include <string>

#include "platform/platform.h"

namespace platform::posix {

// An exclusive flock on a folder (created when missing), held while the object lives. The
// program keeps one for its whole run; a test holds another as a second game would.
class FolderLock {
  public:
    FolderLock() = default;
    ~FolderLock();
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;

    // Taken again at once for the folder already held; a new folder lets the old one go.
    PlayerLock take(const std::string& folder);
    void release();

  private:
    int fd_ = -1;
    std::string folder_;
};

} // namespace platform::posix
