# The floor under the browser build's main-thread figure: bare pages that do only what any
# game on the page's main thread must do each 16 ms tick, measured in headless Chromium the
# way web_figures.py measures the game (Chromium's ThreadTime of the page's main thread):
#   wake       a timer every tick and nothing else;
#   hand-off   the game's way to the screen without the game: a worker paints each frame
#              on an OffscreenCanvas and hands its buffer back when the next tick is due,
#              and that return wakes the page, which copies a 320x240 16-bit frame out of a
#              32 MB heap into the buffer and posts it back;
#   sound      the hand-off with a looping sound playing, as the game's music does.
# Sites given too are measured in turns with the pages (web_figures.py's level figure), so
# that all share the machine's load. Figures, not a pass/fail test.
# Usage: /usr/bin/python3 tools/bench/web_floor.py [--rounds N] [SITE_DIR ...]
import argparse
import os
import statistics
import sys
import tempfile

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "browser"))
sys.path.insert(0, os.path.dirname(__file__))
import chromium  # noqa: E402
import web_figures  # noqa: E402

SETTLE_SECONDS = 2
MEASURE_SECONDS = web_figures.PLAY_SECONDS

PAGE = """<!doctype html><html><body><canvas id="c" width="320" height="240"></canvas><script>
var mode = location.hash.slice(1), tickMs = 16, frameBytes = 320 * 240 * 2;
function sharedNow() { return performance.timeOrigin + performance.now(); }
var painter = "(" + function() {
  var context = null, picture = new ImageData(320, 240), wide = new Uint32Array(65536);
  for (var p = 0; p < 65536; p++)
    wide[p] = 0xff000000 | (p & 31) << 19 | (p >> 5 & 63) << 10 | (p >> 11) << 3;
  onmessage = function(e) {
    var m = e.data;
    if (m.canvas) {
      context = m.canvas.getContext("2d", {alpha: false, desynchronized: true});
      return;
    }
    var out = new Uint32Array(picture.data.buffer), halves = new Uint32Array(m, 0, 38400);
    for (var i = 0, o = 0; i < 38400; i++) {
      out[o++] = wide[halves[i] & 65535];
      out[o++] = wide[halves[i] >>> 16];
    }
    context.putImageData(picture, 0, 0);
    var due = new DataView(m).getFloat64(m.byteLength - 8, true);
    var waitMs = Math.ceil(due - performance.timeOrigin - performance.now());
    if (waitMs > 0) setTimeout(function() { postMessage(m, [m]); }, waitMs);
    else postMessage(m, [m]);
  };
} + ")();";
if (mode == "wake") {
  (function tick() { setTimeout(tick, tickMs); })();
} else {
  var heap = new Uint8Array(32 << 20), ticks = 0;
  for (var i = 0; i < heap.length; i += 4096) heap[i] = i >> 12;
  var worker = new Worker(URL.createObjectURL(new Blob([painter], {type: "text/javascript"})));
  var canvas = document.getElementById("c").transferControlToOffscreen();
  worker.postMessage({canvas: canvas}, [canvas]);
  var send = function(buffer) {
    var at = (ticks++ * 640) % (heap.length - frameBytes);
    new Uint8Array(buffer).set(heap.subarray(at, at + frameBytes));
    new DataView(buffer).setFloat64(frameBytes, sharedNow() + tickMs, true);
    worker.postMessage(buffer, [buffer]);
  };
  worker.onmessage = function(e) { send(e.data); };
  send(new ArrayBuffer(frameBytes + 8));
  if (mode == "sound") {
    var audio = new AudioContext(), loop = audio.createBufferSource();
    var tone = audio.createBuffer(2, audio.sampleRate, audio.sampleRate);
    for (var c = 0; c < 2; c++) {
      var samples = tone.getChannelData(c);
      for (var s = 0; s < samples.length; s++) samples[s] = Math.sin(s * 0.05) * 0.1;
    }
    loop.buffer = tone;
    loop.loop = true;
    loop.connect(audio.destination);
    loop.start();
  }
}
</script></body></html>
"""
MODES = (("wake", "a timer each tick"), ("handoff", "hand-off to a painting worker"),
         ("sound", "hand-off, sound playing"))


def measure_page(url, mode):
    browser = chromium.Browser()
    try:
        browser.call("Performance.enable")
        browser.navigate(url + "#" + mode)
        browser.pump(SETTLE_SECONDS)
        share = web_figures.shares(browser, MEASURE_SECONDS)[0]
        # A floor that did not tick or play would read low: check that it did.
        if mode != "wake" and browser.evaluate("ticks") < MEASURE_SECONDS * 50:
            raise RuntimeError("the %s page handed over too few frames" % mode)
        if mode == "sound" and browser.evaluate("audio.state") != "running":
            raise RuntimeError("the sound page's audio is not running")
        return share
    finally:
        browser.close()


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--rounds", type=int, default=3)
    parser.add_argument("sites", nargs="*")
    args = parser.parse_args()
    folder = tempfile.TemporaryDirectory(prefix="skarnfall-floor-")
    with open(os.path.join(folder.name, "index.html"), "w") as f:
        f.write(PAGE)
    server, url = chromium.serve(folder.name)
    results = {}
    try:
        for n in range(args.rounds):
            for mode, _ in MODES:
                results.setdefault(mode, []).append(measure_page(url, mode))
            for site in args.sites:
                results.setdefault(site, []).append(web_figures.measure(site, None)[2][0])
            print("round %d: %s" % (n + 1, ", ".join(
                "%s %.1f %%" % (k, 100 * v[-1]) for k, v in results.items())), flush=True)
    finally:
        server.shutdown()
        folder.cleanup()
    print("Medians over %d rounds, main thread CPU as %% of one core:" % args.rounds)
    for mode, what in MODES:
        print("  %-32s %.1f %%" % (what, 100 * statistics.median(results[mode])))
    for site in args.sites:
        print("  %-32s %.1f %%" % (site + " (a level, firing)",
                                   100 * statistics.median(results[site])))


if __name__ == "__main__":
    main()
