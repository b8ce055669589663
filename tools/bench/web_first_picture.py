# Measures how soon a new player sees the browser version: in headless Chromium with its
# network emulation (Network.emulateNetworkConditions) and the cache off, from a plain
# static server that does not compress, a fresh profile each visit: the seconds from
# navigation to the title's first lit frame, the bytes fetched by then, and, choosing level
# 4 (its pictures fetched last) as soon as the menus allow, the seconds the game waited for
# that level's media and from its choice to its music starting (the table's and the fades'
# three fades of 0.96 s each and the table's 2.1 s wait for its key included). Medians of the visits, per link. Figures, not a pass/fail test.
# Usage: /usr/bin/python3 tools/bench/web_first_picture.py [--visits N] [--no-level]
#            SITE_DIR [SITE_DIR ...]
import argparse
import os
import statistics
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "browser"))
import chromium  # noqa: E402
from web_figures import LIT  # noqa: E402

TITLE_LIT = "(document.getElementById('canvas') ? %s : false)" % LIT

# (name, bits per second, round-trip latency in ms)
LINKS = [("10 Mbit/s, 40 ms", 10e6, 40), ("1.6 Mbit/s, 150 ms", 1.6e6, 150)]
# The menus up to the level screen with a new profile, then level 4 chosen.
TO_LEVEL_SCREEN = chromium.FLOW_KEYS + [chromium.SPACE]
LEVEL_4 = [chromium.DOWN] * 3
KEY_GAP_SECONDS = 2  # a screen's fade is over within this
# The level screen's fade-out and the high-score table's fade-in: 120 ticks of 16 ms; a key
# pressed before the table waits for it is lost.
TABLE_SHOWN_SECONDS = 2.1
# The first call to play a tune: the level's loop has begun.
MUSIC_STARTS = """(() => { const play = HTMLMediaElement.prototype.play;
  HTMLMediaElement.prototype.play = function () {
    if (!window.musicAt) window.musicAt = performance.now();
    return play.apply(this, arguments); }; })();"""


class CountingBrowser(chromium.Browser):
    """Counts the bytes that reach the page over the (emulated) network."""

    received = 0

    def _note(self, message):
        if message.get("method") == "Network.dataReceived":
            self.received += message["params"]["encodedDataLength"]
        super()._note(message)


def visit(site, link, level):
    _, bits, latency = link
    server, url = chromium.serve(site)
    browser = CountingBrowser()
    try:
        browser.call("Network.enable")
        browser.call("Network.setCacheDisabled", cacheDisabled=True)
        browser.call("Network.emulateNetworkConditions", offline=False, latency=latency,
                     downloadThroughput=bits / 8, uploadThroughput=bits / 8)
        browser.add_start_script(MUSIC_STARTS)
        start = time.time()
        browser.navigate(url)
        while not browser.evaluate(TITLE_LIT):
            browser.pump(0.02)
        title, fetched = time.time() - start, browser.received
        if not level:
            return title, fetched, 0, 0
        browser.pump(KEY_GAP_SECONDS)  # the title's fade-in
        for key in TO_LEVEL_SCREEN + LEVEL_4:
            browser.press(*key)
            browser.pump(KEY_GAP_SECONDS)
        chosen = browser.evaluate("performance.now()")
        browser.press(*chromium.SPACE)  # level 4
        for _ in range(30):  # past its high-score table once it shows
            browser.pump(TABLE_SHOWN_SECONDS)
            if browser.evaluate("window.musicAt || 0"):
                break
            browser.press(*chromium.SPACE)
        started = (browser.evaluate("window.musicAt") - chosen) / 1000
        waited = browser.evaluate("(Module.skarnfallWaitedMs || 0) / 1000")
        return title, fetched, waited, started
    finally:
        browser.close()
        server.shutdown()


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--visits", type=int, default=3)
    parser.add_argument("--no-level", action="store_true", help="measure the title only")
    parser.add_argument("sites", nargs="+")
    args = parser.parse_args()
    results = {}
    for n in range(args.visits):
        for link in LINKS:
            for site in args.sites:  # in turns, so that they share the machine's load
                r = visit(site, link, not args.no_level)
                results.setdefault((link[0], site), []).append(r)
                print("visit %d, %s, %s: title %.2f s, %.2f MB before it; level 4 waited "
                      "%.2f s for media, started %.2f s after its choice"
                      % (n + 1, link[0], site, r[0], r[1] / 1e6, r[2], r[3]), flush=True)
    print("Medians of %d visits:" % args.visits)
    for (link, site), rs in results.items():
        m = [statistics.median(x) for x in zip(*rs)]
        print("%s, %s: title %.2f s, %.2f MB before it; level 4 waited %.2f s for media, "
              "started %.2f s after its choice" % (link, site, m[0], m[1] / 1e6, m[2], m[3]))


if __name__ == "__main__":
    main()
