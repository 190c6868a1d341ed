// Plays the embedded WAVE sounds on one audio device, a new sound replacing the one playing.
#include <SDL.h>

#include <map>
#include <vector>

#include "platform/platform.h"
#include "platform/sdl/sdl_state.h"
#include "resources/resources.h"

namespace {

struct Audio {
    bool tried = false;
    SDL_AudioDeviceID device = 0;
    SDL_AudioSpec format{};
    std::map<int, std::vector<uint8_t>> converted; // by WAVE id, in the device's format
};

Audio& audio() {
    static Audio a;
    return a;
}

// Opens the device once; without one every sound is silently skipped.
bool openDevice() {
    Audio& a = audio();
    if (a.tried) return a.device != 0;
    a.tried = true;
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
    SDL_AudioSpec want{};
    want.freq = 22050;
    want.format = AUDIO_S16SYS;
    want.channels = 2;
    want.samples = 1024;
    a.device = SDL_OpenAudioDevice(nullptr, 0, &want, &a.format, SDL_AUDIO_ALLOW_ANY_CHANGE);
    if (a.device == 0) return false;
    SDL_PauseAudioDevice(a.device, 0);
    return true;
}

// The sound decoded (PCM or MS ADPCM) and converted to the device's format; empty when
// the resource is missing or not a WAVE SDL can read.
const std::vector<uint8_t>& convertedSound(int id) {
    Audio& a = audio();
    auto found = a.converted.find(id);
    if (found != a.converted.end()) return found->second;
    std::vector<uint8_t>& out = a.converted[id];
    std::span<const uint8_t> bytes = ResourceBytes(ResourceKind::Wave, id);
    if (bytes.empty() || bytes.size() > 0x7FFFFFFF) return out;
    SDL_RWops* rw = SDL_RWFromConstMem(bytes.data(), static_cast<int>(bytes.size()));
    if (rw == nullptr) return out;
    SDL_AudioSpec wave{};
    Uint8* buffer = nullptr;
    Uint32 length = 0;
    if (SDL_LoadWAV_RW(rw, 1, &wave, &buffer, &length) == nullptr) return out;
    SDL_AudioCVT cvt;
    int built = SDL_BuildAudioCVT(&cvt, wave.format, wave.channels, wave.freq, a.format.format,
                                  a.format.channels, a.format.freq);
    if (built >= 0 && cvt.len_mult > 0) {
        std::vector<uint8_t> work(static_cast<size_t>(length) * static_cast<size_t>(cvt.len_mult));
        std::copy_n(buffer, length, work.data());
        cvt.buf = work.data();
        cvt.len = static_cast<int>(length);
        if (built == 0 || SDL_ConvertAudio(&cvt) == 0) {
            work.resize(built == 0 ? length : static_cast<size_t>(cvt.len_cvt));
            out = std::move(work);
        }
    }
    SDL_FreeWAV(buffer);
    return out;
}

} // namespace

namespace sdlbackend {

// Opening the device can take a while: done with the window, not at the first sound.
void openAudio() {
    openDevice();
}

void closeAudio() {
    Audio& a = audio();
    if (a.device != 0) SDL_CloseAudioDevice(a.device);
    if (a.tried) SDL_QuitSubSystem(SDL_INIT_AUDIO);
    a = Audio{};
}

uint32_t queuedAudioBytes() {
    Audio& a = audio();
    return a.device != 0 ? SDL_GetQueuedAudioSize(a.device) : 0;
}

bool audioOpen() {
    return audio().device != 0;
}

} // namespace sdlbackend

namespace platform {

void PlayWave(int id) {
    if (!openDevice()) return;
    const std::vector<uint8_t>& sound = convertedSound(id);
    Audio& a = audio();
    // PlaySound stops this program's sound before starting the next one.
    SDL_ClearQueuedAudio(a.device);
    if (!sound.empty()) SDL_QueueAudio(a.device, sound.data(), static_cast<Uint32>(sound.size()));
}

} // namespace platform
