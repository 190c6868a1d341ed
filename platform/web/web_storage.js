// The game's folder /glimora kept in the browser's IndexedDB: every file read into the page's
// file system before the program starts, and each file the game writes stored at once.
// Database "glimora", object store "files": key the file's path, value its bytes.
//
// A page being closed or reloaded may go before IndexedDB has committed what it was given in
// its last moments (the save the game makes when the page is hidden). Each write is therefore
// also noted in localStorage, which takes it at once, and the note removed once IndexedDB has
// the file; a note still there at the next start is newer than the stored file and replaces it.
var glimoraDatabase = null;
var glimoraNotePrefix = 'glimora-unstored:';
var glimoraWrites = 0;

function glimoraBase64(bytes) {
  var text = '';
  for (var i = 0; i < bytes.length; i++) text += String.fromCharCode(bytes[i]);
  return btoa(text);
}

// Tells the player what the browser's storage did not keep ('refused', 'full', 'failed'), or
// that it keeps everything again (null); the page words it in the game's language.
function glimoraStorageProblem(reason) {
  if (Module['glimoraStorageProblem']) Module['glimoraStorageProblem'](reason);
}

// Puts `bytes` at `path` in IndexedDB, noted in localStorage until committed. A write neither
// of them took is lost, and the player is told so.
function glimoraStore(path, bytes) {
  var note = glimoraNotePrefix + path;
  var write = String(++glimoraWrites) + ':' + Date.now();
  var noted = false;
  try {
    localStorage.setItem(note, write + ' ' + glimoraBase64(bytes));
    noted = true;
  } catch (error) {
    // No localStorage (or full): IndexedDB alone keeps the file.
  }
  var failed = false;
  function fail(error) {
    if (failed) return;
    failed = true;
    console.error('Glimora: ' + path + ' could not be written to the browser: ' + error);
    // The note in localStorage still puts the file back at the next start.
    if (!noted) glimoraStorageProblem(error && error.name === 'QuotaExceededError' ? 'full' : 'failed');
  }
  var transaction;
  try {
    transaction = glimoraDatabase.transaction('files', 'readwrite');
    transaction.oncomplete = function () {
      try {
        var value = localStorage.getItem(note);
        if (value !== null && value.slice(0, value.indexOf(' ')) === write) localStorage.removeItem(note);
      } catch (error) {
      }
      glimoraStorageProblem(null);
    };
    transaction.onerror = function () { fail(transaction.error); };
    transaction.onabort = function () { fail(transaction.error); };
    transaction.objectStore('files').put(bytes, path);
    // Committed now, not when the page's turn ends: a closing page may have no later turn.
    if (transaction.commit) transaction.commit();
  } catch (error) {
    fail(error);
  }
}

function glimoraPutInFolder(path, bytes) {
  FS.mkdirTree(path.slice(0, path.lastIndexOf('/')));
  FS.writeFile(path, bytes);
}

// The notes of writes IndexedDB did not get: put in the folder, and stored again.
function glimoraReplayNotes() {
  var notes = [];
  try {
    for (var i = 0; i < localStorage.length; i++) {
      var key = localStorage.key(i);
      if (key.indexOf(glimoraNotePrefix) === 0) notes.push(key);
    }
  } catch (error) {
    return;
  }
  notes.forEach(function (note) {
    var value = localStorage.getItem(note);
    var text = atob(value.slice(value.indexOf(' ') + 1));
    var bytes = new Uint8Array(text.length);
    for (var i = 0; i < text.length; i++) bytes[i] = text.charCodeAt(i);
    var path = note.slice(glimoraNotePrefix.length);
    glimoraPutInFolder(path, bytes);
    glimoraStore(path, bytes);
  });
}

Module['preRun'] = Module['preRun'] || [];
Module['preRun'].push(function () {
  FS.mkdir('/glimora');
  addRunDependency('glimora-files');
  // Storage the browser keeps under pressure, where it grants it (an installed page, a
  // bookmarked or often visited one): without it the saved games are kept on a best effort.
  if (navigator.storage && navigator.storage.persist) {
    navigator.storage.persist().then(function (granted) {
      Module['glimoraPersistent'] = granted;
    }, function () {});
  }
  function done(error) {
    if (error) {
      console.error('Glimora: the saved files could not be read from the browser: ' + error);
      // Without the database nothing the game writes outlives the page.
      if (!glimoraDatabase) glimoraStorageProblem('refused');
    }
    removeRunDependency('glimora-files');
  }
  var request;
  try {
    request = indexedDB.open('glimora', 1);
  } catch (error) {
    done(error);
    return;
  }
  request.onupgradeneeded = function () { request.result.createObjectStore('files'); };
  request.onerror = function () { done(request.error); };
  request.onsuccess = function () {
    glimoraDatabase = request.result;
    var cursor = glimoraDatabase.transaction('files', 'readonly').objectStore('files').openCursor();
    cursor.onerror = function () { done(cursor.error); };
    cursor.onsuccess = function () {
      var entry = cursor.result;
      if (!entry) {
        glimoraReplayNotes();
        done(null);
        return;
      }
      glimoraPutInFolder(String(entry.key), new Uint8Array(entry.value));
      entry.continue();
    };
  };
});

// Stores the file at `path` (in /glimora) as it is now in the page's file system.
Module['storeFile'] = function (path) {
  if (glimoraDatabase) glimoraStore(path, FS.readFile(path));
  else glimoraStorageProblem('refused');
};

// Makes the stored folder the page's /glimora again, files put there or removed from outside
// the game included, in one transaction; `done` (if given) hears null once IndexedDB has it
// all, otherwise the error.
Module['storeFiles'] = function (done) {
  done = done || function () {};
  if (!glimoraDatabase) return done(new Error('no storage'));
  var files = {};
  (function list(folder) {
    FS.readdir(folder).forEach(function (name) {
      if (name === '.' || name === '..') return;
      var path = folder + '/' + name;
      var mode = FS.stat(path).mode;
      if (FS.isDir(mode)) list(path);
      else if (FS.isFile(mode)) files[path] = FS.readFile(path);
    });
  })('/glimora');
  var transaction = glimoraDatabase.transaction('files', 'readwrite');
  var store = transaction.objectStore('files');
  transaction.oncomplete = function () { done(null); };
  transaction.onerror = function () { done(transaction.error); };
  var keys = store.getAllKeys();
  keys.onsuccess = function () {
    keys.result.forEach(function (path) {
      if (!(path in files)) store.delete(path);
    });
    Object.keys(files).forEach(function (path) { store.put(files[path], path); });
  };
};
