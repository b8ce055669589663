// The page's side of the browser build's display: the painter that puts frames on the
// canvas, started with the first display, and the calls that size it and hand it frames.
// Linked into the game with --js-library; platform/web/sdl_video.cpp calls these.
mergeInto(LibraryManager.library, {
  // The canvas's painter, the same code wherever it runs: it takes frames at 16 bits, widens
  // each 5- or 6-bit channel to 8 as SDL does, draws them, and hands each frame's buffer back
  // at the time in its last 8 bytes (on the shared clock below), or at once.
  // Where the browser can give a worker the canvas (an OffscreenCanvas), the painter runs
  // there and a frame costs this thread one copy and one message, not a canvas update.
  $startPainter__deps: ['$SDL'],
  $startPainter: function() {
    // Milliseconds on the clock that the page and its workers share: real time, not the date.
    function sharedNow() { return performance.timeOrigin + performance.now(); }
    function painter(post) {
      var context = null, picture = null, wide = new Uint32Array(65536);
      var bytes = new Uint8Array(wide.buffer);  // the table in bytes R, G, B, A in memory
      for (var p = 0; p < 65536; p++) {
        var r = p >> 11, g = p >> 5 & 63, b = p & 31;
        bytes[4 * p] = r << 3 | r >> 2;
        bytes[4 * p + 1] = g << 2 | g >> 4;
        bytes[4 * p + 2] = b << 3 | b >> 2;
        bytes[4 * p + 3] = 255;
      }
      // A frame is a bare buffer (the cheapest message): its rows as wide as its pixels'
      // length over the canvas's height, then the time to hand it back; anything else is an
      // object.
      return function(m) {
        var c = context ? context.canvas : null;
        if (m instanceof ArrayBuffer) {
          var w = c.width, h = c.height, words = (m.byteLength - 8) / h >> 2, last = w >> 1;
          if (!picture || picture.width != w || picture.height != h) picture = new ImageData(w, h);
          var out = new Uint32Array(picture.data.buffer), halves = new Uint32Array(m);
          for (var y = 0, o = 0; y < h; y++) {
            var i = y * words, end = i + last;
            for (; i < end; i++) {
              out[o++] = wide[halves[i] & 65535];  // the first pixel is the low half
              out[o++] = wide[halves[i] >>> 16];
            }
            if (w & 1) out[o++] = wide[halves[i] & 65535];
          }
          context.putImageData(picture, 0, 0);
          // In whole milliseconds, rounded up: a browser may cut a timer's fraction.
          var waitMs = Math.ceil(new DataView(m).getFloat64(m.byteLength - 8, true) - sharedNow());
          if (waitMs > 0) {
            setTimeout(
                function() { post(m, [m]); }, waitMs);
          } else {
            post(m, [m]);
          }
        } else if (m.canvas) {
          context = m.canvas.getContext('2d', {alpha : false, desynchronized : true});
        } else if (m.size) {
          if (c.width != m.size[0]) c.width = m.size[0];
          if (c.height != m.size[1]) c.height = m.size[1];
        } else {
          var d = context.getImageData(0, 0, c.width, c.height);
          post({read : m.read, w : c.width, h : c.height, data : d.data.buffer}, [d.data.buffer]);
        }
      };
    }
    var c = Module['canvas'], screen = {spares : [], reads : {}, reading : 0, latest : null};
    screen.lent = 0;        // frames the painter has not handed back
    screen.backAt = 0;      // when the last frame lent comes back, on the shared clock
    screen.nextTickAt = 0;  // when the next tick is due, as the last tick's wait expected
    screen.onBack = null;   // a tick's wait for the last frame to come back
    function answer(m) {
      if (m instanceof ArrayBuffer) {
        screen.spares.push(m);
        screen.lent--;
        if (screen.onBack) screen.onBack();
        if (screen.latest) screen.send();
      } else {
        screen.reads[m.read]({w : m.w, h : m.h, data : new Uint8ClampedArray(m.data)});
        delete screen.reads[m.read];
      }
    }
    try {
      var source = '(' + painter + ')(function(m, t) { postMessage(m, t); })';
      var script = sharedNow + '\nonmessage = (function(handle) {' +
                   ' return function(e) { handle(e.data); }; })(' + source + ');';
      var javascript = {type : 'text/javascript'};
      var worker = new Worker(URL.createObjectURL(new Blob([script], javascript)));
      try {  // the canvas is given away only once the worker is there to take it
        var offscreen = c.transferControlToOffscreen();
      } catch (e) {
        worker.terminate();
        throw e;
      }
      worker.onmessage = function(e) { answer(e.data); };
      worker.postMessage({canvas : offscreen}, [offscreen]);
      screen.post = function(m, t) { worker.postMessage(m, t); };
      screen.holdsFrames = true;
      screen.spares.push(new ArrayBuffer(0), new ArrayBuffer(0));
    } catch (e) {  // no OffscreenCanvas or no worker: this page paints
      var handle = painter(function(m) { answer(m); });
      handle({canvas : c});
      screen.post = handle;
      screen.spares.push(new ArrayBuffer(0));
    }
    // The newest frame, copied into a spare buffer when one is back from the painter. A
    // worker keeps it till the next tick is due; the page's own painter has no need to.
    screen.send = function() {
      var f = screen.latest, pixels = screen.spares.pop();
      if (!pixels) return;
      screen.latest = null;
      if (pixels.byteLength != f.bytes + 8) pixels = new ArrayBuffer(f.bytes + 8);
      new Uint8Array(pixels).set(HEAPU8.subarray(f.at, f.at + f.bytes));
      screen.backAt = screen.holdsFrames ? screen.nextTickAt : 0;
      new DataView(pixels).setFloat64(f.bytes, screen.backAt, true);
      screen.lent++;
      screen.post(pixels, [pixels]);
    };
    // The canvas's pixels as bytes R, G, B, A, for checks: a promise of {w, h, data}.
    Module['skarnfallCanvasPixels'] = function() {
      return new Promise(function(resolve) {
        screen.reads[++screen.reading] = resolve;
        screen.post({read : screen.reading});
      });
    };
    Module['skarnfallScreen'] = screen;
    [
      'touchstart', 'touchend', 'touchmove', 'mousedown', 'mouseup', 'mousemove', 'DOMMouseScroll',
      'mousewheel', 'wheel', 'mouseout'
    ]
        .forEach(function(type) { c.addEventListener(type, SDL.receiveEvent, true); });
  },

  // The painter's canvas sized to the display; the page's canvas element keeps its own size.
  sizeCanvas__deps: ['$startPainter'],
  sizeCanvas: function(w, h) {
    if (!Module['skarnfallScreen']) startPainter();
    Module['skarnfallScreen'].latest = null;
    Module['skarnfallScreen'].post({size : [ w, h ]});
  },

  // Hands the painter the frame of the given bytes at pixels, now or when a buffer comes
  // back; a newer frame replaces one still waiting.
  showOnCanvas: function(pixels, bytes) {
    var screen = Module['skarnfallScreen'];
    screen.latest = {at : pixels, bytes : bytes};
    screen.send();
  },
});
