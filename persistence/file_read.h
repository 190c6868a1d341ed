// How reading one of the game's files at start-up went, so that nothing unread is overwritten.
#pragma once

#include "platform/platform.h"

enum class FileRead {
    Read,        // the file's bytes were taken
    Missing,     // there is no file: a new one may be written
    Unreadable,  // a file (or a folder) is there but could not be read: it must stay as it is
    GameRefused, // read, but part of it (its game, impossible high scores) was refused: the
                 // bytes were kept aside
};

// The read's outcome from the platform's answer: anything but a missing file or a whole read
// means something is there that the game could not take.
inline FileRead fileReadFrom(platform::FileResult result) {
    switch (result) {
    case platform::FileResult::Ok:
        return FileRead::Read;
    case platform::FileResult::NotFound:
        return FileRead::Missing;
    default:
        return FileRead::Unreadable;
    }
}
