// The game's sounds: embedded WAVE resources played asynchronously.
#include "platform/platform.h"
#include "rules/rules_seam.h"

void PlayGameSound(int id) {
    platform::PlayWave(id);
}
