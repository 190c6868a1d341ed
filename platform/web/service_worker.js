// The web game's service worker: keeps one build's page, script, program and icons whole, and
// plays from them, also offline. page_files.py writes in the build's name and each file's
// digest. A new build's worker fetches and checks every file before it keeps any, takes over
// only once no page of the old build is open, and then drops the old build's files: a page
// is never served from two builds.
var BUILD = '@BUILD@';
var FILES = '@FILES@';
var CACHE = 'glimora-' + BUILD;

function hex(buffer) {
  return Array.prototype.map.call(new Uint8Array(buffer), function (b) {
    return (b < 16 ? '0' : '') + b.toString(16);
  }).join('');
}

self.addEventListener('install', function (event) {
  event.waitUntil(Promise.all(Object.keys(FILES).map(function (name) {
    // Past the browser's HTTP cache, which may still hold an older build's file.
    return fetch(new Request(name, { cache: 'reload' })).then(function (response) {
      if (!response.ok) throw new Error(name + ': ' + response.status);
      return response.clone().arrayBuffer().then(function (bytes) {
        return crypto.subtle.digest('SHA-256', bytes);
      }).then(function (digest) {
        if (hex(digest) !== FILES[name]) throw new Error(name + ' is not of build ' + BUILD);
        return [name, response];
      });
    });
  })).then(function (answers) {
    return caches.open(CACHE).then(function (cache) {
      return Promise.all(answers.map(function (answer) { return cache.put(answer[0], answer[1]); }));
    });
  }).catch(function (error) {
    // Nothing half kept: the next visit tries again.
    return caches.delete(CACHE).then(function () { throw error; });
  }));
});

self.addEventListener('activate', function (event) {
  event.waitUntil(caches.keys().then(function (names) {
    return Promise.all(names.filter(function (name) {
      return name.indexOf('glimora-') === 0 && name !== CACHE;
    }).map(function (name) { return caches.delete(name); }));
  }));
});

self.addEventListener('fetch', function (event) {
  var request = event.request;
  if (request.method !== 'GET') return;
  var url = new URL(request.url);
  var scope = new URL(self.registration.scope);
  if (url.origin !== scope.origin || url.pathname.indexOf(scope.pathname) !== 0) return;
  // The page is the same whatever its address asks (?lang=fr, ?name=...).
  var name = url.pathname.slice(scope.pathname.length);
  if (request.mode === 'navigate' && name === '') name = 'glimora.html';
  if (!Object.prototype.hasOwnProperty.call(FILES, name)) return;
  event.respondWith(caches.open(CACHE).then(function (cache) {
    return cache.match(name);
  }).then(function (kept) {
    return kept || fetch(request);
  }));
});
