// Plays the embedded WAVE sounds through the page's Web Audio (web_audio.js), a new sound
// replacing the one playing. The program decodes every sound itself: the browser's own decoder
// does not read Microsoft ADPCM.
#include <emscripten.h>

#include <set>

#include "platform/platform.h"
#include "resources/resources.h"
#include "resources/wave_decode.h"

namespace {

// clang-format off
// True once the page's first click or key opened the audio context and it ran; before that
// a sound is dropped, not kept for later (a suspended context would play it once resumed).
EM_JS(bool, glimora_audio_ready, (), {
    var audio = Module.glimoraAudio;
    if (audio.context !== null && audio.context.state === 'running') audio.unlocked = true;
    return audio.unlocked;
});
// Stops the sound playing, if any.
EM_JS(void, glimora_audio_stop, (), {
    var audio = Module.glimoraAudio;
    if (audio.playing === null) return;
    try { audio.playing.stop(); } catch (error) {}
    audio.playing = null;
});
EM_JS(bool, glimora_audio_has, (int id), {
    return Module.glimoraAudio.buffers[id] !== undefined;
});
// Keeps the sound `id`: `frames` frames of `channels` interleaved 16-bit samples at `rate`.
EM_JS(void, glimora_audio_keep, (int id, const int16_t* samples, int frames, int channels,
                                 int rate), {
    var audio = Module.glimoraAudio;
    var buffer;
    try {
        buffer = audio.context.createBuffer(channels, Math.max(frames, 1), rate);
    } catch (error) {
        console.error('Glimora: sound ' + id + ' cannot be played: ' + error);
        return;
    }
    var first = samples >> 1;
    for (var c = 0; c < channels; c++) {
        var data = buffer.getChannelData(c);
        for (var i = 0; i < frames; i++) data[i] = HEAP16[first + i * channels + c] / 32768;
    }
    audio.buffers[id] = buffer;
});
EM_JS(void, glimora_audio_start, (int id), {
    var audio = Module.glimoraAudio;
    var buffer = audio.buffers[id];
    if (buffer === undefined) return;
    var source = audio.context.createBufferSource();
    source.buffer = buffer;
    source.connect(audio.context.destination);
    source.onended = function () {
        if (audio.playing === source) audio.playing = null;
        audio.rest();
    };
    if (audio.context.state !== 'running') audio.context.resume();
    source.start();
    audio.playing = source;
});
// clang-format on

// The ids whose resource is missing or cannot be decoded: looked at once.
std::set<int>& unplayable() {
    static std::set<int> ids;
    return ids;
}

} // namespace

namespace platform {

void PlayWave(int id) {
    // As PlaySound does, the program's sound playing stops first.
    glimora_audio_stop();
    if (!glimora_audio_ready() || unplayable().contains(id)) return;
    if (!glimora_audio_has(id)) {
        const auto sound = DecodeWave(ResourceBytes(ResourceKind::Wave, id));
        if (!sound || sound->samples.empty()) {
            unplayable().insert(id);
            return;
        }
        glimora_audio_keep(id, sound->samples.data(),
                           static_cast<int>(sound->samples.size()) / sound->channels,
                           sound->channels, sound->rate);
        if (!glimora_audio_has(id)) {
            unplayable().insert(id);
            return;
        }
    }
    glimora_audio_start(id);
}

} // namespace platform
