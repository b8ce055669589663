// Keeps the game for playing offline: once the program has started, the page registers the
// service worker (sw.js beside the page), and fetches the rest of the media through it, so
// that every file is fetched once and kept; then it has the worker keep the music too.
(function () {
  var CONTROL_WAIT_MS = 20000;  // a worker not in charge by then: fetch past it
  var worker = navigator.serviceWorker;

  function inCharge() {
    if (!worker || worker.controller) return Promise.resolve();
    return new Promise(function (resolve) {
      worker.addEventListener('controllerchange', resolve);
      setTimeout(resolve, CONTROL_WAIT_MS);
    });
  }

  window.skarnfallOffline = {
    // Resolves once later fetches pass through the worker (or there is none to pass).
    ready: function () {
      if (!worker) return Promise.resolve();
      return worker.register('sw.js').then(inCharge, function (error) {
        console.warn('offline: no service worker: ' + error.message);
      });
    },
    // Has the worker keep the streamed files whole (the player's <audio> asks for parts).
    keep: function (urls) {
      if (!worker || !worker.controller) return Promise.resolve();
      return urls.reduce(function (previous, url) {
        return previous.then(function () {
          return caches.match(url).then(function (kept) {
            return kept || fetch(url).then(function (r) { return r.arrayBuffer(); });
          }).catch(function () {});
        });
      }, Promise.resolve());
    }
  };
})();
