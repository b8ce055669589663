// The service worker: keeps one version's files in a cache named by that version, so that
// the game starts with no network, and drops every other version's cache once it takes
// over. The version's files lie in a folder named by it, so a page only ever asks for the
// files of its own version; the page itself is asked of the network first, so a new
// version is found at the next visit. make_site.py fills in the version and the files.
var VERSION = '@VERSION@';
var CACHE = 'skarnfall-' + VERSION;
// What the title needs is kept at once, and the rest as the page fetches it (the page keeps
// what it fetches itself in the same cache, offline.js).
var AT_ONCE = @AT_ONCE@;
var KEEP = @KEEP@;
var PAGE_WAIT_MS = 4000;  // a network this slow to answer for the page counts as none

var kept = {};
KEEP.forEach(function (path) { kept[new URL(path, self.location).href] = true; });
// The page's own addresses; any other page of the site is the network's alone.
var PAGE = [new URL('./', self.location).href, new URL('index.html', self.location).href];

self.addEventListener('install', function (event) {
  event.waitUntil(caches.open(CACHE).then(function (cache) {
    // Those the page has not kept yet, from the server, past the browser's own cache, which
    // may hold an older version's page.
    return Promise.all(AT_ONCE.map(function (path) {
      return cache.match(path).then(function (hit) {
        return hit || cache.add(new Request(path, {cache: 'reload'}));
      });
    }));
  }).then(function () { return self.skipWaiting(); }));
});

self.addEventListener('activate', function (event) {
  event.waitUntil(caches.keys().then(function (names) {
    return Promise.all(names.filter(function (name) {
      return name.indexOf('skarnfall-') == 0 && name != CACHE;
    }).map(function (name) { return caches.delete(name); }));
  }).then(function () { return self.clients.claim(); }));
});

// The page from the network when it answers in time, whatever it answers, else as kept.
function page(request) {
  var fromCache = function () { return caches.match(new URL('./', self.location).href); };
  var timer;
  var late = new Promise(function (resolve) {
    timer = setTimeout(function () { resolve(fromCache()); }, PAGE_WAIT_MS);
  });
  // Fetched whole, past the browser's own cache: its copy may be an older version's, and a
  // server answers "not modified" by date even when an update brought an older-dated page.
  var network = fetch(request.url, {cache: 'reload'}).then(function (response) {
    clearTimeout(timer);
    return response;
  }, function () {
    clearTimeout(timer);
    return fromCache();
  });
  return Promise.race([network, late]).then(function (response) {
    return response || network;
  });
}

// A kept file from the cache; one not yet kept from the network, and kept when whole.
function file(request) {
  return caches.open(CACHE).then(function (cache) {
    return cache.match(request.url).then(function (hit) {
      if (hit) return hit;
      return fetch(request).then(function (response) {
        if (response.status == 200 && !request.headers.has('range'))
          cache.put(request.url, response.clone());
        return response;
      });
    });
  });
}

self.addEventListener('fetch', function (event) {
  var request = event.request;
  if (request.method != 'GET') return;
  var url = request.url.split(/[?#]/)[0];
  if (request.mode == 'navigate') {
    if (PAGE.indexOf(url) >= 0) event.respondWith(page(request));
  } else if (kept[url]) {
    event.respondWith(file(request));
  }
});
