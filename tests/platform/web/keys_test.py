# The page's keys in headless Chromium: key events whose code (the place) and key (the
# layout's letter) differ reach a listener where the browser's SDL listens with the US
# keyCode of their place; F11 never reaches it; keys chosen in the controls panel stand in
# for the actions' own keys, kept in the browser's storage over a reload.
# Usage: keys_test.py WEB_SOURCE_DIR
import os
import shutil
import sys
import tempfile

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "../../../tools/browser"))
import chromium

# Where the game's SDL listens: a document listener that reads keyCode.
PAGE = """<!doctype html><a id="keys" href="#">change keys</a><canvas id="canvas"></canvas>
<script src="controls.js"></script>
<script>window.seen = []; document.addEventListener('keydown', e => seen.push(e.keyCode));</script>
"""

# (what, [(key, code, keyCode) pressed], keyCodes the listener must see)
BY_PLACE = [
    ("French a/q and z/w", [("a", "KeyQ", 65), ("q", "KeyA", 81), ("z", "KeyW", 90)],
     [81, 65, 87]),
    ("German z/y", [("z", "KeyY", 90)], [89]),
    ("French digit row", [("&", "Digit1", 49)], [49]),
    ("F11 is the browser's", [("F11", "F11", 122), (" ", "Space", 32)], [32]),
]


def main():
    site = tempfile.mkdtemp(prefix="skarnfall-keys-")
    shutil.copy(os.path.join(sys.argv[1], "controls.js"), site)
    with open(os.path.join(site, "index.html"), "w") as f:
        f.write(PAGE)
    server, url = chromium.serve(site)
    browser = chromium.Browser()
    failures = []

    def load():
        browser.navigate(url)
        for _ in range(300):  # the page is ready once its listener is
            browser.pump(0.1)
            if browser.evaluate("typeof seen") == "object":
                return
        raise RuntimeError("the test page did not load")

    def check(what, presses, expected):
        browser.evaluate("seen.length = 0")
        for press in presses:
            browser.press(*press)
        got = browser.evaluate("seen")
        if got != expected:
            failures.append("%s: the game would see %s, not %s" % (what, got, expected))

    try:
        load()
        for what, presses, expected in BY_PLACE:
            check(what, presses, expected)
        # The panel: bomb moves to the x place; fire west to left Ctrl; the a place is then free.
        browser.evaluate("document.getElementById('keys').click()")
        for action, press in (("bomb", ("x", "KeyX", 88)), ("fire west", ("Control", "ControlLeft", 17))):
            browser.evaluate("[...document.querySelectorAll('#keys-panel label')].find("
                             "l => l.firstChild.textContent === '%s ').querySelector('button')"
                             ".click()" % action)
            browser.press(*press)
        browser.evaluate("[...document.querySelectorAll('#keys-panel > button')].pop().click()")
        check("keys from the panel", [("x", "KeyX", 88), ("Control", "ControlLeft", 17),
                                      ("a", "KeyA", 65), ("q", "KeyQ", 81)], [81, 65])
        load()
        check("the panel's keys after a reload", [("x", "KeyX", 88), ("q", "KeyQ", 81)], [81])
        failures += ["uncaught exception: " + e for e in browser.exceptions]
    finally:
        browser.close()
        server.shutdown()
        shutil.rmtree(site, ignore_errors=True)
    for failure in failures:
        print("FAIL " + failure)
    print("%d failures" % len(failures))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
