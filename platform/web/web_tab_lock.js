// One tab plays: the page holds a Web Lock for the game's stored files while it runs, and a
// second tab of the page neither reads nor writes them; it says so and waits for a reload.
// Given last of the --pre-js files: it holds back the start-up steps the others queued (the
// files read from the browser's storage) until the lock is the page's.
var glimoraTabLock = {
  name: 'glimora-player-files',
  state: 'asking', // then 'held', 'elsewhere', or 'none' (a browser without Web Locks)
};
Module['glimoraTabLock'] = glimoraTabLock;

// The message for a tab that gives way, in the game's language (?lang=, else the browser's).
glimoraTabLock.message = function () {
  var language = new URLSearchParams(location.search).get('lang') || navigator.language || '';
  return language.slice(0, 2).toLowerCase() === 'fr'
    ? 'Glimora est ouvert dans un autre onglet. Fermez-le, puis rechargez cette page pour jouer ici.'
    : 'Glimora is open in another tab. Close it, then reload this page to play here.';
};

glimoraTabLock.showRefused = function () {
  var note = document.createElement('p');
  note.id = 'other-tab';
  note.setAttribute('role', 'alert');
  note.textContent = glimoraTabLock.message();
  var canvas = document.getElementById('canvas');
  var bar = document.getElementById('menubar');
  if (bar) bar.style.display = 'none';
  if (canvas) {
    canvas.style.display = 'none';
    canvas.parentNode.insertBefore(note, canvas);
  } else {
    document.body.insertBefore(note, document.body.firstChild);
  }
  if (Module.setStatus) Module.setStatus('');
};

Module['preRun'] = Module['preRun'] || [];
(function () {
  var heldBack = Module['preRun'].splice(0);
  Module['preRun'].push(function () {
    addRunDependency('glimora-tab-lock');
    function start() {
      heldBack.forEach(function (step) { step(); });
      removeRunDependency('glimora-tab-lock');
    }
    if (!navigator.locks) {
      // Without Web Locks (an address that is not a secure context) the page plays unguarded.
      console.warn('Glimora: this browser offers no Web Locks; another tab could play too');
      glimoraTabLock.state = 'none';
      start();
      return;
    }
    navigator.locks.request(glimoraTabLock.name, { ifAvailable: true }, function (lock) {
      if (lock === null) {
        // The run dependency stays: the program never starts, so it reads and writes nothing.
        glimoraTabLock.state = 'elsewhere';
        glimoraTabLock.showRefused();
        return undefined;
      }
      glimoraTabLock.state = 'held';
      start();
      // Held until the page goes away.
      return new Promise(function () {});
    });
  });
})();
