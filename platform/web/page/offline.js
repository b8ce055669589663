// Keeps the game for playing offline: the version's files go into a cache named by the
// version as the page fetches them (Module.skarnfallKept), and once the title is up the page
// registers the service worker (sw.js beside the page), which keeps the rest of what the
// page needs and answers from that cache when the network does not.
(function () {
  var cache = window.caches ? caches.open('skarnfall-' + window.skarnfallSite.version) : null;

  // A response for url from the version's cache, else from the network (and then kept).
  window.skarnfallKept = function (url) {
    if (!cache) return fetch(url);
    return cache.then(function (c) {
      return c.match(url).then(function (hit) {
        return hit || fetch(url).then(function (response) {
          if (response.status == 200) c.put(url, response.clone());
          return response;
        });
      });
    }, function () { return fetch(url); });
  };

  // Registered only once the title is up, so that it fetches nothing the title waits for.
  window.skarnfallOffline = function () {
    if (!navigator.serviceWorker) return;
    navigator.serviceWorker.register('sw.js').catch(function (error) {
      console.warn('offline: no service worker: ' + error.message);
    });
  };
})();
