// The millisecond tick count on Linux and macOS: time since the system started, as Windows counts.
#include <time.h>

#include <cstdint>

#include "platform/posix/posix_platform.h"

namespace platform::posix {

uint32_t TicksSinceBoot() {
    timespec now{};
    // The random generator is seeded with the tick count: counted from the process's own start
    // it would be one of a few dozen small numbers, and every start would deal the same game.
#ifdef CLOCK_BOOTTIME
    if (clock_gettime(CLOCK_BOOTTIME, &now) != 0)
#endif
        clock_gettime(CLOCK_MONOTONIC, &now);
    // Unsigned arithmetic: the count wraps after 49.7 days, as the Windows one does.
    const auto seconds = static_cast<uint64_t>(now.tv_sec);
    const auto millis = static_cast<uint64_t>(now.tv_nsec) / 1000000u;
    return static_cast<uint32_t>(seconds * 1000u + millis);
}

} // namespace platform::posix
