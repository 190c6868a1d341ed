// libFuzzer entry: arbitrary bytes as a saved game file, then play on what was accepted.
#include <cstddef>
#include <cstdint>

#include "tools/fuzz_persistence/replay.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    replaySavedGame(std::span<const uint8_t>(data, size));
    return 0;
}
