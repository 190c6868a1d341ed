// The page player's saved game file, downloaded as it is stored, or replaced by a file the
// player chooses: that file waits in the browser's storage beside the game's files and takes
// the saved game's place at the next start, before the program reads it. It does not replace
// the file at once, because the running game writes its own when the page goes away.
var glimoraSavedGame = {
  path: null, // the saved game file the program read, once it has read it
  loaded: '/glimora/.loaded-saved-game',
  loadedPath: '/glimora/.loaded-saved-game.path',
  largest: 1 << 20, // a saved game is 1,648 bytes: a file past this is surely not one
};
Module['glimoraSavedGame'] = glimoraSavedGame;

// Saves the file under its own name (donnees<slot>.icc, as on the desktop). Returns '' when
// done, otherwise why not: 'none' (no saved game this run), 'missing' (not written yet).
glimoraSavedGame.download = function () {
  var path = glimoraSavedGame.path;
  if (path === null) return 'none';
  var bytes;
  try {
    bytes = FS.readFile(path);
  } catch (error) {
    return 'missing';
  }
  var link = document.createElement('a');
  link.href = URL.createObjectURL(new Blob([bytes], { type: 'application/octet-stream' }));
  link.download = path.substring(path.lastIndexOf('/') + 1);
  document.body.appendChild(link);
  link.click();
  link.remove();
  setTimeout(function () { URL.revokeObjectURL(link.href); }, 10000);
  return '';
};

// Stores `file` for the next start and reloads the page once it is in the browser's storage.
// `report` hears why not: 'none', 'large', 'read' (the browser could not read the file) or
// 'store' (the storage refused it).
glimoraSavedGame.load = function (file, report) {
  var path = glimoraSavedGame.path;
  if (path === null) return report('none');
  if (file.size > glimoraSavedGame.largest) return report('large');
  file.arrayBuffer().then(function (buffer) {
    try {
      FS.writeFile(glimoraSavedGame.loaded, new Uint8Array(buffer));
      FS.writeFile(glimoraSavedGame.loadedPath, path);
    } catch (error) {
      return report('store');
    }
    Module.storeFiles(function (error) {
      if (error) return report('store');
      location.reload();
    });
  }, function () {
    report('read');
  });
};

// At the start, once the stored files are read in and before the program runs: a loaded
// file takes the saved game's place. The program's own checks then judge it.
Module['preRun'] = Module['preRun'] || [];
Module['preRun'].push(function () {
  addOnPreMain(function () {
    var path;
    try {
      path = FS.readFile(glimoraSavedGame.loadedPath, { encoding: 'utf8' });
    } catch (error) {
      return;
    }
    try {
      if (path.indexOf('/glimora/') === 0) {
        var folder = path.substring(0, path.lastIndexOf('/'));
        if (!FS.analyzePath(folder).exists) FS.mkdir(folder);
        FS.rename(glimoraSavedGame.loaded, path);
      }
    } catch (error) {
      console.error('Glimora: the loaded saved game could not be put in place: ' + error);
    }
    try { FS.unlink(glimoraSavedGame.loaded); } catch (error) {}
    try { FS.unlink(glimoraSavedGame.loadedPath); } catch (error) {}
    Module.storeFiles();
  });
});
