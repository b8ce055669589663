# Measures browser builds in headless Chromium on this machine: the bytes a player
# downloads (as sent and as a compressing server would send them), the time from
# navigation to the title's first frame, and the main thread's share of a core at the
# title and while a level plays and the ship fires: its CPU time (Chromium's ThreadTime,
# which other work on the machine barely changes), beside its busy wall time
# (TaskDuration, which grows when the machine is loaded) and the CPU time of the page's
# whole process (ProcessTime: compositing and sound threads too). Several builds (say the last release's and this
# tree's) are measured in turns, round after round, so that they share the machine's load.
# Figures, not a pass/fail test.
# Usage: /usr/bin/python3 tools/bench/web_figures.py [--rounds N] [--screenshot PNG]
#            SITE_DIR [SITE_DIR ...]
import argparse
import base64
import gzip
import os
import statistics
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "browser"))
import chromium  # noqa: E402

# Title, instructions, a new profile in slot 1, load it, level 1, past its high scores.
TO_LEVEL = chromium.FLOW_KEYS + [chromium.SPACE] * 3
TITLE_SECONDS = 4  # the title once its fade-in is over
PLAY_SECONDS = 4  # a ship that only fires lasts some seconds
# The first frame of the title's fade is the first canvas with a lit pixel.
LIT = ("%s.then(p => { for (let i = 0; i < p.data.length; i += 4)"
       " if (p.data[i] | p.data[i + 1] | p.data[i + 2]) return true; return false; })"
       % chromium.CANVAS_PIXELS)


def transfer_sizes(site):
    """Every file of the site (all a player may fetch), as they are and gzip-compressed."""
    files = [os.path.join(root, f) for root, _, names in os.walk(site) for f in names]
    raw = sum(os.path.getsize(f) for f in files)
    packed = 0
    for f in files:
        with open(f, "rb") as data:
            packed += len(gzip.compress(data.read(), 6))
    return raw, packed


METRICS = ("ThreadTime", "TaskDuration", "ProcessTime")


def metric_seconds(browser):
    metrics = browser.call("Performance.getMetrics")["metrics"]
    values = {m["name"]: m["value"] for m in metrics}
    return [values[name] for name in METRICS]


def shares(browser, seconds):
    """Each metric's growth over a while, as a share of the wall time."""
    before, t0 = metric_seconds(browser), time.time()
    browser.pump(seconds)
    after, wall = metric_seconds(browser), time.time() - t0
    return [(a - b) / wall for a, b in zip(after, before)]


def measure(site, shot):
    """One visit: first-frame seconds, the shares at the title and while playing."""
    server, url = chromium.serve(site)
    browser = chromium.Browser()
    try:
        browser.call("Performance.enable")
        start = time.time()
        browser.navigate(url)
        browser.wait_for_console("Entering Title Screen", 60)
        while not browser.evaluate(LIT):
            browser.pump(0.005)
        first = time.time() - start
        browser.pump(2)
        title = shares(browser, TITLE_SECONDS)
        for key in TO_LEVEL:
            browser.press(*key)
            browser.pump(2)
        # Firing east all the while (the level's own fade-in is over after two seconds).
        browser.call("Input.dispatchKeyEvent", type="rawKeyDown", key="d", code="KeyD",
                     windowsVirtualKeyCode=68, nativeVirtualKeyCode=68)
        browser.pump(1.5)
        if shot:
            image = browser.call("Page.captureScreenshot", format="png")["data"]
            with open(shot, "wb") as f:
                f.write(base64.b64decode(image))
        playing = shares(browser, PLAY_SECONDS)
        return first, title, playing
    finally:
        browser.close()
        server.shutdown()


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--rounds", type=int, default=3)
    parser.add_argument("--screenshot", help="a PNG of the page while the last site plays")
    parser.add_argument("sites", nargs="+")
    args = parser.parse_args()
    for site in args.sites:
        raw, packed = transfer_sizes(site)
        print("%s: download %.2f MB as files, %.2f MB gzip-compressed"
              % (site, raw / 1e6, packed / 1e6))
    results = {site: [] for site in args.sites}
    for n in range(args.rounds):
        for site in args.sites:
            last = n == args.rounds - 1 and site == args.sites[-1]
            first, title, playing = measure(site, args.screenshot if last else None)
            results[site].append([first] + title + playing)
            print("round %d %s: first frame %.2f s; title %s; playing %s"
                  % (n + 1, site, first, percents(title), percents(playing)), flush=True)
    print("Medians over %d rounds, as %% of one core: main thread CPU / main thread busy "
          "(wall) / page process CPU" % args.rounds)
    for site in args.sites:
        m = [statistics.median(x) for x in zip(*results[site])]
        print("%s: first frame %.2f s; title %s; a level playing, firing %s"
              % (site, m[0], percents(m[1:4]), percents(m[4:7])))


def percents(values):
    return " / ".join("%.1f %%" % (100 * v) for v in values)


if __name__ == "__main__":
    main()
