# Measures the browser build in headless Chromium on this machine: the bytes a player
# downloads (as sent and as a compressing server would send them), the time from
# navigation to the title's first frame, and the main thread's busy share while a level
# plays. Saves a screenshot of the page during play. Figures, not a pass/fail test.
# Usage: /usr/bin/python3 tools/bench/web_figures.py SITE_DIR [SCREENSHOT_PNG]
import base64
import gzip
import os
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "..", "tests", "web"))
import chromium  # noqa: E402

FILES = ("index.html", "skarnfall.js", "skarnfall.wasm", "skarnfall.data")
# Title, instructions, a new profile in slot 1, load it, level 1, past its high scores.
TO_LEVEL = chromium.FLOW_KEYS + [chromium.SPACE] * 3
PLAY_SECONDS = 4  # a ship that only fires lasts some seconds


def transfer_sizes(site):
    raw = sum(os.path.getsize(os.path.join(site, f)) for f in FILES)
    packed = 0
    for f in FILES:
        with open(os.path.join(site, f), "rb") as data:
            packed += len(gzip.compress(data.read(), 6))
    return raw, packed


def task_seconds(browser):
    metrics = browser.call("Performance.getMetrics")["metrics"]
    return {m["name"]: m["value"] for m in metrics}["TaskDuration"]


def main():
    site = sys.argv[1]
    shot = sys.argv[2] if len(sys.argv) > 2 else None
    raw, packed = transfer_sizes(site)
    print("download: %.2f MB as files, %.2f MB gzip-compressed" % (raw / 1e6, packed / 1e6))
    server, url = chromium.serve(site)
    browser = chromium.Browser()
    try:
        browser.call("Performance.enable")
        start = time.time()
        browser.navigate(url)
        browser.wait_for_console("Entering Title Screen", 60)
        # The first frame of the title's fade is the first canvas with a lit pixel.
        lit = ("(() => { const d = document.getElementById('canvas').getContext('2d')"
               ".getImageData(0, 0, 320, 240).data; for (let i = 0; i < d.length; i += 4)"
               " if (d[i] | d[i + 1] | d[i + 2]) return true; return false; })()")
        while not browser.evaluate(lit):
            browser.pump(0.005)
        title = time.time() - start
        print("navigation to the title's first frame: %.2f s (wall clock, this machine)" % title)
        browser.pump(2)
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
            print("screenshot: " + shot)
        before, t0 = task_seconds(browser), time.time()
        browser.pump(PLAY_SECONDS)
        busy = (task_seconds(browser) - before) / (time.time() - t0)
        print("main thread busy while a level plays: %.1f %% of a core" % (100 * busy))
    finally:
        browser.close()
        server.shutdown()


if __name__ == "__main__":
    main()
