// Plays the WAVE resources of the executable asynchronously.
#include "platform/win32/backend.h"

#include <mmsystem.h>

namespace platform {

void PlayWave(int id) {
    // SND_RESOURCE | SND_ASYNC: returns at once; a sound still playing is stopped first.
    PlaySoundA(MAKEINTRESOURCEA(id), win32::Instance(), SND_RESOURCE | SND_ASYNC);
}

} // namespace platform
