// libFuzzer entry: arbitrary bytes as a player slot file, then the users' slots resolved.
#include <cstddef>
#include <cstdint>

#include "tools/fuzz_persistence/replay.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    replaySlotFile(std::span<const uint8_t>(data, size));
    return 0;
}
