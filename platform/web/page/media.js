// The media's arrival: the packs the site lists (platform/web/make_site.py) are fetched one
// after another (through the version's cache, offline.js), the title's first, unpacked into
// the program's files by their own names, and the rest fetched while the title shows. A
// picture the game opens before its pack is in makes the game wait (platform/web/
// sdl_video.cpp asks Module.skarnfallWant), and the page then shows how far that pack has
// come. The music streams from its own files.
(function () {
  var Module = window.Module;
  var site = window.skarnfallSite;
  if (!window.DecompressionStream) {  // the packs cannot be unpacked
    document.getElementById('status').textContent =
        'This browser is too old for Skarnfall: it cannot unpack the game\'s files.';
    Module.preRun = [].concat(Module.preRun || [], function () {
      Module.addRunDependency('media');
    });
    return;
  }
  var packs = site.packs;
  var RETRY_MS = [1000, 2000, 4000, 8000];  // waits before fetching a failed pack again
  var WANT_LAPSE_MS = 500;  // the game stopped asking this long ago: it no longer waits
  var started = false;      // the program has started; later packs may come
  var written = {};         // a pack's name: its files are in the program's folder
  var inFlight = {};        // a pack's name: {done, total} bytes while it is fetched
  var lost = {};            // a pack's name: it is gone from the server (a newer version)
  var owner = {};           // a file's path: its pack
  // The program's memory, where its files live, exists from its preRun on.
  var memoryReady = new Promise(function (resolve) {
    Module.preRun = [].concat(Module.preRun || [], resolve);
  });
  packs.forEach(function (p) { p.files.forEach(function (f) { owner[f] = p; }); });

  var screen = document.getElementById('screen');
  var note = document.createElement('div');
  note.id = 'media';
  note.setAttribute('role', 'status');
  note.style.cssText = 'position: absolute; left: 0; right: 0; bottom: 0; padding: 4px;' +
      'background: rgba(0, 0, 0, 0.7); color: #ddd; text-align: center; display: none';
  screen.style.position = 'relative';
  screen.appendChild(note);

  function unpack(bytes) {
    var view = new DataView(bytes.buffer, bytes.byteOffset, bytes.byteLength);
    var indexBytes = view.getUint32(0, true);
    var index = JSON.parse(new TextDecoder().decode(bytes.subarray(4, 4 + indexBytes)));
    var at = 4 + indexBytes;
    return index.map(function (entry) {
      var file = {path: entry[0], bytes: bytes.subarray(at, at + entry[1])};
      at += entry[1];
      return file;
    });
  }

  function store(files) {
    files.forEach(function (file) {
      var slash = file.path.lastIndexOf('/');
      if (slash > 0) Module.FS.mkdirTree('/' + file.path.slice(0, slash));
      Module.FS.writeFile('/' + file.path, file.bytes);
    });
  }

  // Fetches a pack, counting its compressed bytes as they come, and unpacks it.
  function fetchPack(pack) {
    var progress = inFlight[pack.name] = {done: 0, total: pack.bytes};
    return window.skarnfallKept(site.folder + pack.name + '.pack').then(function (response) {
      if (response.status == 404) lost[pack.name] = true;
      if (!response.ok) throw new Error(pack.name + '.pack: HTTP ' + response.status);
      var counted = response.body.pipeThrough(new TransformStream({
        transform: function (chunk, out) {
          progress.done = Math.min(progress.total, progress.done + chunk.length);
          shown();
          out.enqueue(chunk);
        }
      }));
      return new Response(counted.pipeThrough(new DecompressionStream('gzip'))).arrayBuffer();
    }).then(function (data) {
      return memoryReady.then(function () { store(unpack(new Uint8Array(data))); });
    }).then(function () {
      written[pack.name] = true;
      delete inFlight[pack.name];
      shown();
    }, function (error) {
      delete inFlight[pack.name];
      throw error;
    });
  }

  // Fetches a pack until it arrives (waiting longer after each failure), unless it is gone.
  function fetchUntilIn(pack, failures) {
    if (written[pack.name] || inFlight[pack.name] || lost[pack.name]) return Promise.resolve();
    return fetchPack(pack).catch(function (error) {
      console.warn('media: ' + error.message);
      shown(error);
      if (lost[pack.name]) return;
      var wait = RETRY_MS[Math.min(failures, RETRY_MS.length - 1)];
      return new Promise(function (resolve) { setTimeout(resolve, wait); }).then(function () {
        return fetchUntilIn(pack, failures + 1);
      });
    });
  }

  // The game asks while it waits for a picture: 1 while its pack is still on its way, which
  // then goes ahead of the others; 0 when the file is in, or will never come.
  // Module.skarnfallWaitedMs counts the game's time spent waiting so (for the benchmarks).
  var wanted = null, wantedAt = 0;
  Module.skarnfallWaitedMs = 0;
  Module.skarnfallWant = function (path) {
    var pack = owner[path.replace(/^\/+/, '')];
    var now = performance.now();
    if (wanted && now - wantedAt < WANT_LAPSE_MS) Module.skarnfallWaitedMs += now - wantedAt;
    wanted = null;
    if (pack && !written[pack.name] && !lost[pack.name]) {
      wanted = pack;
      wantedAt = now;
      fetchUntilIn(pack, 0);
    }
    shown();
    return wanted ? 1 : 0;
  };
  // The music streams from the server (or the service worker's copy), not from memory.
  Module.skarnfallMediaUrl = function (path) {
    path = path.replace(/^\/+/, '');
    return site.streamed.indexOf(path) >= 0 ? site.folder + path : null;
  };

  // Tells the player how far the pack the game waits for has come, and why it may not:
  // over the canvas while the game waits, on the loading line before it starts.
  function shown(error) {
    var waiting = wanted && !written[wanted.name] &&
        performance.now() - wantedAt < WANT_LAPSE_MS;
    var pack = waiting ? wanted : packs[0];
    var progress = inFlight[pack.name];
    var text;
    if (lost[pack.name]) text = 'Skarnfall was updated: reload the page to go on.';
    else if (error || !progress) text = 'Waiting for the network…';
    else text = 'Loading ' + Math.floor(100 * progress.done / progress.total) + ' %';
    if (!started) {
      document.getElementById('fill').style.width =
          progress ? Math.round(100 * progress.done / progress.total) + '%' : '0';
      if (error) document.getElementById('status').textContent = text;
    }
    note.textContent = text;
    note.style.display = waiting ? '' : 'none';
  }

  // The program's code, stored compressed, fetched beside the title's pack rather than after
  // the program's script; inflated here unless the server already did (gzip's first bytes).
  var code = window.skarnfallKept(site.folder + 'skarnfall.wasm.gz').then(function (response) {
    if (!response.ok) throw new Error('skarnfall.wasm.gz: HTTP ' + response.status);
    return response.arrayBuffer();
  }).then(function (data) {
    var bytes = new Uint8Array(data);
    if (bytes[0] != 0x1f || bytes[1] != 0x8b) return data;
    return new Response(new Blob([data]).stream().pipeThrough(new DecompressionStream('gzip')))
        .arrayBuffer();
  });
  Module.instantiateWasm = function (imports, receive) {
    code.then(function (bytes) { return WebAssembly.instantiate(bytes, imports); })
        .then(function (made) { receive(made.instance, made.module); }, function (error) {
          console.warn('media: ' + error.message);
          document.getElementById('status').textContent =
              'Could not load the game: ' + error.message + '. Reload the page to try again.';
        });
    return {};
  };

  // The title's pack holds the program's start; the rest follow once it has started.
  var first = fetchUntilIn(packs[0], 0);
  Module.preRun = [].concat(Module.preRun || [], function () {
    Module.addRunDependency('media');
    first.then(function () { Module.removeRunDependency('media'); });
  });

  // The rest, one pack at a time, once the program has started; then the music is kept
  // whole for playing offline (the player's <audio> fetches it in parts).
  Module.onRuntimeInitialized = function () {
    started = true;
    window.skarnfallOffline();
    packs.slice(1).concat(site.streamed).reduce(function (previous, item) {
      return previous.then(function () {
        if (item.name) return fetchUntilIn(item, 0);
        return window.skarnfallKept(site.folder + item).then(function (r) {
          return r.arrayBuffer();
        }).catch(function () {});
      });
    }, Promise.resolve());
  };
})();
