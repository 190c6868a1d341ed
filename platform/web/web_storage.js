// The game's folder /glimora kept in the browser's IndexedDB (IDBFS): read in before the
// program starts, written back after each file the game writes and when the page is hidden.
Module['preRun'] = Module['preRun'] || [];
Module['preRun'].push(function () {
  FS.mkdir('/glimora');
  FS.mount(IDBFS, {}, '/glimora');
  addRunDependency('glimora-files');
  FS.syncfs(true, function (error) {
    if (error) console.error('Glimora: the saved files could not be read from the browser: ' + error);
    removeRunDependency('glimora-files');
  });
});

// One write-back at a time; a request meanwhile runs once that one is done.
var glimoraStoring = false;
var glimoraStoreAgain = false;
Module['storeFiles'] = function () {
  if (glimoraStoring) {
    glimoraStoreAgain = true;
    return;
  }
  glimoraStoring = true;
  FS.syncfs(false, function (error) {
    if (error) console.error('Glimora: the saved files could not be written to the browser: ' + error);
    glimoraStoring = false;
    if (glimoraStoreAgain) {
      glimoraStoreAgain = false;
      Module['storeFiles']();
    }
  });
};
document.addEventListener('visibilitychange', function () {
  if (document.visibilityState === 'hidden') Module['storeFiles']();
});
window.addEventListener('pagehide', function () { Module['storeFiles'](); });
