// The game's sounds in the page: one Web Audio context, opened by the page's first click or
// key (browsers let a page sound only after a user gesture), and one sound at a time. The
// context runs only while a sound plays: a running context keeps the browser's audio service
// busy, about 1 % of a core, on a silent title screen too.
var glimoraAudio = {
  context: null,
  unlocked: false, // the context has run once: from now on it may be resumed without a gesture
  buffers: {},     // by WAVE id, made once from the samples the program decodes
  playing: null,   // the source of the sound playing
};
// Lets the context rest when no sound plays.
glimoraAudio.rest = function () {
  var context = glimoraAudio.context;
  if (context !== null && glimoraAudio.playing === null && context.state === 'running') context.suspend();
};
// The gesture listeners run before the canvas's own, so that the click that asks for a sound
// has opened the context already. Safari opens it only inside the gesture itself.
glimoraAudio.open = function () {
  if (glimoraAudio.unlocked) return;
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
  var context = glimoraAudio.context;
  var resumed = context.state === 'suspended' ? context.resume() : Promise.resolve();
  resumed.then(function () {
    if (context.state !== 'running' || glimoraAudio.unlocked) return;
    glimoraAudio.unlocked = true;
    glimoraAudio.rest();
  }, function () {});
};
['pointerdown', 'mousedown', 'keydown', 'touchend'].forEach(function (type) {
  window.addEventListener(type, glimoraAudio.open, true);
});
Module['glimoraAudio'] = glimoraAudio;
