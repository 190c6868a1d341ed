// Plays the embedded WAVE sounds on one audio device, a new sound replacing the one playing;
// the device is open only while a sound plays, so that a quiet game has no audio thread.
#include <SDL.h>

#include <map>
#include <vector>

#include "platform/platform.h"
#include "platform/sdl/sdl_state.h"
#include "resources/resources.h"

namespace {

// How long the device stays open after a sound has ended: a quick run of sounds (a
// placement, then its group) does not reopen it for each one.
constexpr uint32_t LingerMs = 1000;

struct Audio {
    bool subsystem = false; // SDL's audio subsystem is started
    bool failed = false;    // no device could be opened: every sound is skipped
    SDL_AudioDeviceID device = 0;
    SDL_AudioSpec format{};
    uint32_t closeAt = 0;                          // when the open device may close (ticks)
    std::map<int, std::vector<uint8_t>> converted; // by WAVE id, in the device's format
};

Audio& audio() {
    static Audio a;
    return a;
}

bool sameFormat(const SDL_AudioSpec& a, const SDL_AudioSpec& b) {
    return a.format == b.format && a.channels == b.channels && a.freq == b.freq;
}

// Opens the device for a sound; without one every sound is silently skipped.
bool openDevice() {
    Audio& a = audio();
    if (a.device != 0) return true;
    if (a.failed) return false;
    if (!a.subsystem) {
        if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
            a.failed = true;
            return false;
        }
        a.subsystem = true;
    }
    SDL_AudioSpec want{};
    want.freq = 22050;
    want.format = AUDIO_S16SYS;
    want.channels = 2;
    want.samples = 1024;
    SDL_AudioSpec got{};
    a.device = SDL_OpenAudioDevice(nullptr, 0, &want, &got, SDL_AUDIO_ALLOW_ANY_CHANGE);
    if (a.device == 0) {
        a.failed = true;
        return false;
    }
    // The sounds already converted stay good while the device keeps its format.
    if (!sameFormat(got, a.format)) a.converted.clear();
    a.format = got;
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

// Milliseconds the queued bytes take to play, rounded up.
uint32_t playingMs(const SDL_AudioSpec& format, uint32_t bytes) {
    const uint64_t perSecond = static_cast<uint64_t>(format.freq) * format.channels *
                               (SDL_AUDIO_BITSIZE(format.format) / 8);
    if (perSecond == 0) return 0;
    return static_cast<uint32_t>((static_cast<uint64_t>(bytes) * 1000 + perSecond - 1) / perSecond);
}

} // namespace

namespace sdlbackend {

void closeAudio() {
    Audio& a = audio();
    if (a.device != 0) SDL_CloseAudioDevice(a.device);
    if (a.subsystem) SDL_QuitSubSystem(SDL_INIT_AUDIO);
    a = Audio{};
}

uint32_t audioCloseDue(uint32_t now) {
    Audio& a = audio();
    if (a.device == 0) return UINT32_MAX;
    const auto left = static_cast<int32_t>(a.closeAt - now);
    return left > 0 ? static_cast<uint32_t>(left) : 0;
}

void closeAudioWhenDone(uint32_t now) {
    Audio& a = audio();
    if (a.device == 0 || audioCloseDue(now) > 0) return;
    const uint32_t queued = SDL_GetQueuedAudioSize(a.device);
    if (queued > 0) {
        // Still playing (the clock and the device drift a little): look again when it ends.
        a.closeAt = now + playingMs(a.format, queued) + LingerMs;
        return;
    }
    SDL_CloseAudioDevice(a.device);
    a.device = 0;
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
    Audio& a = audio();
    // PlaySound stops this program's sound before starting the next one.
    if (a.device != 0) SDL_ClearQueuedAudio(a.device);
    if (ResourceBytes(ResourceKind::Wave, id).empty() || !openDevice()) return;
    const std::vector<uint8_t>& sound = convertedSound(id);
    if (!sound.empty()) SDL_QueueAudio(a.device, sound.data(), static_cast<Uint32>(sound.size()));
    a.closeAt = GetTicks() + playingMs(a.format, static_cast<uint32_t>(sound.size())) + LingerMs;
}

} // namespace platform
