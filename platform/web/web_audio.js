// The game's sounds in the page: one Web Audio context, opened by the page's first click or
// key (browsers let a page sound only after a user gesture), and one sound at a time.
var glimoraAudio = {
  context: null,
  buffers: {},    // by WAVE id, made once from the samples the program decodes
  playing: null,  // the source of the sound playing
};
// The gesture listeners run before the canvas's own, so that the click that asks for a sound
// has opened the context already. Safari opens it only inside the gesture itself.
glimoraAudio.open = function () {
  var Context = window.AudioContext || window.webkitAudioContext;
  if (!Context) return;
  if (glimoraAudio.context === null) {
    try {
      glimoraAudio.context = new Context();
    } catch (error) {
      console.error('Glimora: no sound: ' + error);
      return;
    }
  }
  if (glimoraAudio.context.state === 'suspended') glimoraAudio.context.resume();
};
['pointerdown', 'mousedown', 'keydown', 'touchend'].forEach(function (type) {
  window.addEventListener(type, glimoraAudio.open, true);
});
Module['glimoraAudio'] = glimoraAudio;
