// The game's sounds: embedded WAVE resources played asynchronously.
#include "presentation/sounds.h"

#include "platform/platform.h"

void PlayGameSound(int id) {
    platform::PlayWave(id);
}
