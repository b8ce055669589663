# The web build in headless Chromium or Firefox: the title appears, keys lead through the
# screens, those screens show what the desktop build shows (but for its 16-bit colour), a
# profile made in the page is still there after a reload, a gamepad connected late works,
# a second page is refused until "Play here" moves the game to it, and nothing throws;
# meanwhile a waiting menu sleeps until input wakes it.
# Usage: browser_test.py SITE_DIR DESKTOP_RUNNER WORK_DIR [chromium|firefox]
import os
import subprocess
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "../../../tools/browser"))
import chromium
import firefox
import webkit
import png
from chromium import FLOW_KEYS, SPACE

SETTLE_SECONDS = 15
# A gamepad in the browser's standard layout that the page sees only once shown, as a
# browser shows a real one only after its first button press.
FAKE_PAD = """
(() => {
  const buttons = [];
  for (let i = 0; i < 17; i++) buttons.push({pressed: false, touched: false, value: 0});
  const pad = {id: 'test pad', index: 0, connected: true, mapping: 'standard', timestamp: 1,
               buttons: buttons, axes: [0, 0, 0, 0]};
  window.testPad = {pad: pad, shown: false};
  navigator.getGamepads = () => [window.testPad.shown ? pad : null, null, null, null];
})();
"""
PAD_SOUTH = 0  # confirms, as Space does
# Sleeps of 100 ms or more never end by their timer, so every screen must follow from the
# input that wakes the game; shorter timers (ticks) are counted.
ONLY_INPUT_WAKES = """
(() => {
  const plain = window.setTimeout;
  window.shortTimers = 0;
  window.setTimeout = (f, ms, ...rest) =>
      ms >= 100 ? 0 : (window.shortTimers++, plain(f, ms, ...rest));
})();
"""
# A key pressed and let go within one task, as a quick tap can reach the game.
PRESS_AT_ONCE = """(() => { for (const type of ['keydown', 'keyup']) {
  const e = new KeyboardEvent(type, {key: '%(key)s', code: '%(code)s', bubbles: true});
  for (const name of ['keyCode', 'which'])
    Object.defineProperty(e, name, {value: %(keyCode)d, configurable: true});
  document.getElementById('canvas').dispatchEvent(e); } })()"""
# The durability of the transaction of each write to the store, where the browser tells
# it: saves must be on disk before the page says they are done.
COUNT_DURABILITY = """
(() => {
  window.durabilities = [];
  if (!window.IDBTransaction || !('durability' in IDBTransaction.prototype)) return;
  for (const name of ['put', 'delete']) {
    const plain = IDBObjectStore.prototype[name];
    IDBObjectStore.prototype[name] = function (...args) {
      window.durabilities.push(this.transaction.durability);
      return plain.apply(this, args);
    };
  }
})();
"""
TICKS_ASLEEP = 10  # a menu that only waits for input wakes less than this in a second
# The page's line about the saves (platform/web/page/saves.js).
SAVES_LINE = "(document.getElementById('saves') || {}).textContent || ''"


def quantised(rgb):
    """Bytes R, G, B cut to the desktop's 5, 6 and 5 bits."""
    shifts = (3, 2, 3)
    return bytes(v >> shifts[i % 3] for i, v in enumerate(rgb))


def differing_pixels(a, b):
    qa, qb = quantised(a), quantised(b)
    return sum(1 for i in range(0, len(qa), 3) if qa[i:i + 3] != qb[i:i + 3])


def page_says(page, text, seconds):
    """Waits until the page's saves line holds text; returns whether it came."""
    end = time.time() + seconds
    while text not in page.evaluate(SAVES_LINE) and time.time() < end:
        page.pump(0.2)
    return text in page.evaluate(SAVES_LINE)


class Check:
    def __init__(self, site, work, driver):
        self.work = work
        self.server, self.url = chromium.serve(site)
        self.browser = driver.Browser()
        self.browser.add_start_script(FAKE_PAD)
        self.browser.add_start_script(ONLY_INPUT_WAKES)
        self.browser.add_start_script(COUNT_DURABILITY)
        self.failures = []

    def canvas(self):
        w, h, rgba = self.browser.canvas_rgba()
        return w, h, png.rgba_to_rgb(rgba)

    def expect_screen(self, name, desktop_png):
        """Waits until the canvas shows the desktop's frame; records a failure if it never does."""
        dw, dh, want = png.read_rgb(desktop_png)
        end = time.time() + SETTLE_SECONDS
        while True:
            w, h, got = self.canvas()
            if (w, h) == (dw, dh) and differing_pixels(got, want) == 0:
                return True
            if time.time() > end:
                break
            self.browser.pump(0.2)
        shot = os.path.join(self.work, "web-" + name + ".png")
        png.write_rgb(shot, w, h, got)
        count = differing_pixels(got, want) if (w, h) == (dw, dh) else w * h
        self.failures.append("%s: %d pixels differ from %s (the page's canvas: %s)"
                             % (name, count, desktop_png, shot))
        return False

    def press_pad(self, button):
        self.browser.evaluate("(window.testPad.shown = true,"
                              " window.dispatchEvent(new Event('gamepadconnected')))")
        self.browser.pump(0.5)  # the game opens the pad when it next finds its queue empty
        for pressed in ("true", "false"):
            self.browser.evaluate(
                "(() => { const p = window.testPad.pad; p.buttons[%d].pressed = %s;"
                " p.buttons[%d].value = %s ? 1 : 0; p.timestamp++; })()"
                % (button, pressed, button, pressed))
            self.browser.pump(0.3)

    def open_page(self):
        start = len(self.browser.console)
        self.browser.navigate(self.url)
        self.browser.wait_for_console("Entering Title Screen", 60, start)

    def run(self, desktop):
        self.open_page()
        self.expect_screen("title", desktop(0))
        ticks = -self.browser.evaluate("window.shortTimers")
        self.browser.pump(1)
        ticks += self.browser.evaluate("window.shortTimers")
        if ticks >= TICKS_ASLEEP:
            self.failures.append("the title woke %d times in a second, not only for input" % ticks)
        for screen, key in enumerate(FLOW_KEYS):
            if key == SPACE:
                self.browser.press(*key)
            else:  # pressed and let go in one task, so the game finds both at one look
                self.browser.evaluate(PRESS_AT_ONCE % {"key": key[0], "code": key[1],
                                                       "keyCode": key[2]})
            self.expect_screen("screen-%d" % (screen + 1), desktop(screen + 1))
        loose = [d for d in self.browser.evaluate("window.durabilities") if d != "strict"]
        if loose:
            self.failures.append("saves stored with durability %s, not strict" % loose)
        # A new page: the profile made above must come back from the browser's store.
        self.open_page()
        self.expect_screen("title-again", desktop(0))
        self.press_pad(PAD_SOUTH)
        self.expect_screen("instructions-by-gamepad", desktop(1))
        self.browser.press(*SPACE)
        self.expect_screen("profiles-after-reload", desktop(len(FLOW_KEYS)))
        self.second_page()
        self.browser.pump(0.5)
        for exception in self.browser.exceptions:
            self.failures.append("uncaught exception: " + exception)

    def second_page(self):
        """A second page on the same saves does not start; its "Play here" moves the game."""
        second = self.browser.new_page()
        second.navigate(self.url)
        refused = page_says(second, "Skarnfall is open in another tab.", 30)
        second.pump(1)
        if not refused or any("Entering Title Screen" in line for line in second.console):
            self.failures.append("a second page was not refused")
        else:
            second.evaluate("document.querySelector('#saves button').click()")
            if not page_says(self.browser, "moved to another tab", 30):
                self.failures.append("the first page did not stop for 'Play here'")
            second.wait_for_console("Entering Title Screen", 60)
        self.failures += ["uncaught exception in the second page: " + e for e in second.exceptions]
        second.close()

    def close(self):
        self.browser.close()
        self.server.shutdown()


def main(check_class=Check):
    site, runner, work = sys.argv[1:4]
    driver = {"chromium": chromium, "firefox": firefox, "webkit": webkit}[(sys.argv[4:] or ["chromium"])[0]]
    os.makedirs(work, exist_ok=True)
    prefix = os.path.join(work, "desktop")
    # The desktop frames of the same screens, from the headless runner's whole-game flow.
    subprocess.run([runner, "--flow", "--max-ticks", "60", "--shot-screens", prefix, "--quiet"],
                   check=True, stdout=subprocess.DEVNULL)
    check = check_class(site, work, driver)
    try:
        check.run(lambda n: "%s-%d.png" % (prefix, n))
    finally:
        check.close()
    for failure in check.failures:
        print("FAIL " + failure)
    print("%d failures; console: %s" % (len(check.failures), check.browser.console[-6:]))
    return 1 if check.failures else 0


if __name__ == "__main__":
    sys.exit(main())
