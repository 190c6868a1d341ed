// The keyboard on the canvas and a gamepad (the Gamepad API's standard mapping) as the game's
// keys. The arrows, Enter, Space and Tab pressed on the canvas go to the game (glimora_key),
// which moves its cursor or focus and may hand the keyboard on to the page (passKeyboardOn). A
// gamepad's buttons go to the game, or, while the page's menu or a dialog is open, to it as
// the keys they stand for there: A is Space (it presses the control in focus), B is Escape,
// the D-pad and the left stick are the arrows, Back closes the menu as F10 does.
//
// A page that listens for gamepads makes Chromium look for them 60 times a second, whether one
// is there or not. So the page listens from its opening and for a minute after each key, click
// or tap, and for as long as a gamepad is connected; it reads a connected one every PollMs and
// reads nothing while none is.
var glimoraInput = {
  // glimora_key's codes, as web_events.cpp's table orders them.
  keys: { ArrowLeft: 0, ArrowRight: 1, ArrowUp: 2, ArrowDown: 3, Enter: 4, ' ': 5, Tab: 6 },
  pad: { PadA: 7, PadB: 8, PadBack: 9, PadStart: 10, PadUp: 11, PadDown: 12, PadLeft: 13, PadRight: 14 },
  TabOnto: 15,      // the Tab that brought the keyboard onto the canvas from the page
  PollMs: 25,
  ListenMs: 60000,
  held: {},         // by gamepad index: what it held at the last look
  poller: null,     // the reads, while a gamepad is connected
  listening: false, // the page hears gamepads come and go
  quiet: null,      // ends the listening once the page has been left alone for ListenMs
};
Module['glimoraInput'] = glimoraInput;

glimoraInput.sendKey = function (code, repeat, shift) {
  if (typeof _glimora_key === 'function') _glimora_key(code, repeat ? 1 : 0, shift ? 1 : 0);
};

// Tab past the game's last stop: the focus goes to the page's next element that takes it
// (the previous one when going back), round from the page's end to its start as the browser's
// Tab goes; false when the page has none, and it stays on the canvas.
glimoraInput.passKeyboardOn = function (forward) {
  var canvas = document.getElementById('canvas');
  var stops = Array.prototype.filter.call(
    document.querySelectorAll('button, input, select, textarea, summary, a[href], [tabindex]'),
    function (e) {
      return e !== canvas && e.tabIndex >= 0 && !e.disabled && e.getClientRects().length > 0 &&
             getComputedStyle(e).visibility !== 'hidden';
    });
  var after = stops.filter(function (e) {
    return canvas.compareDocumentPosition(e) & Node.DOCUMENT_POSITION_FOLLOWING;
  });
  var before = stops.filter(function (e) { return after.indexOf(e) < 0; });
  var next = forward ? after[0] || before[0] : before[before.length - 1] || after[after.length - 1];
  if (!next) return false;
  next.focus();
  return true;
};

// What a gamepad holds now: its buttons, and the left stick as a D-pad (pushed past half way,
// let go below a third, so that a stick held near the middle does not flicker).
glimoraInput.read = function (pad, before) {
  function button(i) {
    var b = pad.buttons[i];
    return !!b && (b.pressed || b.value > 0.5);
  }
  function stick(axis, sign, was) {
    var v = (typeof pad.axes[axis] === 'number' ? pad.axes[axis] : 0) * sign;
    return v > (was ? 0.3 : 0.5);
  }
  var b = before || {};
  return {
    PadA: button(0), PadB: button(1), PadBack: button(8), PadStart: button(9),
    PadUp: button(12) || stick(1, -1, b.PadUp),
    PadDown: button(13) || stick(1, 1, b.PadDown),
    PadLeft: button(14) || stick(0, -1, b.PadLeft),
    PadRight: button(15) || stick(0, 1, b.PadRight),
  };
};

// One look at the gamepads: each button that went down since the last look is a press. What a
// gamepad holds as it comes is no press. The reads go on while one is connected.
glimoraInput.look = function () {
  var input = glimoraInput, pads = navigator.getGamepads ? navigator.getGamepads() : [];
  var seen = {};
  for (var i = 0; i < pads.length; i++) {
    var pad = pads[i];
    if (!pad || !pad.connected || pad.mapping !== 'standard') continue;
    seen[pad.index] = true;
    var before = input.held[pad.index], now = input.read(pad, before);
    input.held[pad.index] = now;
    if (!before) continue;
    for (var name in now) if (now[name] && !before[name]) input.padPress(name);
  }
  for (var index in input.held) if (!seen[index]) delete input.held[index];
  var any = Object.keys(input.held).length > 0;
  if (any && input.poller === null) input.poller = setInterval(input.look, input.PollMs);
  if (!any && input.poller !== null) {
    clearInterval(input.poller);
    input.poller = null;
  }
  if (!any && input.quiet === null) input.stopListening();
};

glimoraInput.padPress = function (name) {
  var ui = Module.glimoraUi, input = glimoraInput;
  input.listen();
  if (ui && ui.dialogs.length) input.padInDialog(ui, name);
  else if (ui && ui.menuOpen) input.padInMenu(ui, name);
  else input.sendKey(input.pad[name], false, false);
};

// A key for the page's menu and dialog handlers, as the keyboard would give it.
glimoraInput.fakeKey = function (key, target, shift) {
  return { key: key, code: '', target: target, shiftKey: !!shift, repeat: false, isComposing: false,
           altKey: false, ctrlKey: false, metaKey: false,
           preventDefault: function () {}, stopPropagation: function () {} };
};

glimoraInput.padInMenu = function (ui, name) {
  var key = { PadA: ' ', PadB: 'Escape', PadBack: 'F10', PadUp: 'ArrowUp', PadDown: 'ArrowDown',
              PadLeft: 'ArrowLeft', PadRight: 'ArrowRight' }[name];
  if (key) ui.menuKey(glimoraInput.fakeKey(key, document.activeElement));
};

// In a dialog A presses the control in focus (in the name field: Enter, the default button),
// B is Escape; the directions go from control to control, up and down out of the name field
// too, left and right along its text.
glimoraInput.padInDialog = function (ui, name) {
  var dialog = ui.dialogs[ui.dialogs.length - 1], target = document.activeElement;
  if (!dialog.contains(target)) target = dialog.glimora.focus || dialog;
  var fake = glimoraInput.fakeKey;
  var field = target.tagName === 'INPUT';
  switch (name) {
  case 'PadA':
    if (field || target === dialog) ui.send(ui.Command, dialog.glimora.defaultId);
    else target.click();
    break;
  case 'PadB':
    ui.dialogKey(dialog, fake('Escape', target));
    break;
  case 'PadLeft':
  case 'PadRight':
    if (field) {
      var at = Math.max(0, Math.min(target.value.length, target.selectionStart + (name === 'PadLeft' ? -1 : 1)));
      target.setSelectionRange(at, at);
      break;
    }
    ui.dialogKey(dialog, fake(name === 'PadLeft' ? 'ArrowLeft' : 'ArrowRight', target));
    break;
  case 'PadUp':
  case 'PadDown':
    if (field) ui.dialogKey(dialog, fake('Tab', target, name === 'PadUp'));
    else ui.dialogKey(dialog, fake(name === 'PadUp' ? 'ArrowUp' : 'ArrowDown', target));
    break;
  }
};

// The page is being used: it listens for gamepads for the next ListenMs.
glimoraInput.listen = function () {
  var input = glimoraInput;
  if (!navigator.getGamepads) return;
  if (input.quiet !== null) clearTimeout(input.quiet);
  input.quiet = setTimeout(function () {
    input.quiet = null;
    if (input.poller === null) input.stopListening();
  }, input.ListenMs);
  if (input.listening) return;
  input.listening = true;
  window.addEventListener('gamepadconnected', input.look);
  window.addEventListener('gamepaddisconnected', input.look);
  input.look(); // one connected before, that the browser already shows
};

glimoraInput.stopListening = function () {
  var input = glimoraInput;
  if (!input.listening) return;
  input.listening = false;
  window.removeEventListener('gamepadconnected', input.look);
  window.removeEventListener('gamepaddisconnected', input.look);
};

(function () {
  function setUp() {
    var input = glimoraInput, canvas = document.getElementById('canvas');
    // The game's keys on the canvas are the game's: no scrolling, and Tab is the game's to pass.
    canvas.addEventListener('keydown', function (event) {
      if (event.altKey || event.ctrlKey || event.metaKey) return;
      var code = input.keys[event.key];
      if (code === undefined) return;
      event.preventDefault();
      input.sendKey(code, event.repeat, event.shiftKey);
    });
    // The browser's own Tab from the page's other elements onto the canvas: the game hears of
    // it, and takes its first button (its last for Shift+Tab).
    var tab = null;
    window.addEventListener('keydown', function (event) {
      tab = event.key === 'Tab' && event.target !== canvas ? { time: event.timeStamp, shift: event.shiftKey } : null;
    }, true);
    canvas.addEventListener('focus', function (event) {
      if (tab && event.timeStamp - tab.time < 1000) input.sendKey(input.TabOnto, false, tab.shift);
      tab = null;
    });
    ['keydown', 'pointerdown', 'touchstart'].forEach(function (type) {
      window.addEventListener(type, input.listen, { capture: true, passive: true });
    });
    input.listen();
  }
  if (document.body) setUp();
  else document.addEventListener('DOMContentLoaded', setUp);
})();
