# The web build in headless Chromium, Firefox or WebKitGTK: the title appears, keys lead
# through the screens, those screens show what the desktop build shows (but for its 16-bit
# colour), a profile made in the page is still there after a reload, a gamepad connected
# late works, the keys panel pauses a level, two more pages are refused until "Play here"
# moves the game (the last press wins), saves are stored strictly and only once renamed,
# and nothing throws; meanwhile a waiting menu sleeps until input wakes it. In Chromium, a
# title nobody has pressed, left alone, plays a run unheard.
# Usage: browser_test.py SITE_DIR DESKTOP_RUNNER WORK_DIR [chromium|firefox|webkit]
import os
import subprocess
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "../../../tools/browser"))
import chromium
import firefox
import webkit
import png
from png import differing_pixels
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
  if (location.hash == '#attract') return;  // a page left alone to start attract mode
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
# Once window.renamesFail is set, every rename in the game's file system fails.
FAIL_RENAMES = """
Object.defineProperty(window, 'Module', {configurable: true, set(m) {
  delete window.Module;
  window.Module = m;
  m.preRun = [].concat(m.preRun || [], () => {
    const plain = m.FS.rename;
    m.FS.rename = (...args) => {
      if (window.renamesFail) throw new m.FS.ErrnoError(10);
      return plain(...args);
    };
  });
}});
"""
# The names of the files in the browser's store.
STORED_FILES = """new Promise(done => { const r = indexedDB.open('/saves');
  r.onsuccess = () => { const db = r.result;
    if (!db.objectStoreNames.contains('FILE_DATA')) { db.close(); return done([]); }
    const keys = db.transaction('FILE_DATA').objectStore('FILE_DATA').getAllKeys();
    keys.onsuccess = () => { db.close(); done(keys.result.filter(k => k.endsWith('.txt'))); };
  }; })"""
# A hidden tab's timers, as Chromium runs them after five minutes hidden: once a minute.
THROTTLE = """(() => { const plain = window.setTimeout;
  window.setTimeout = (f, ms, ...rest) => plain(f, Math.max(ms || 0, 60000), ...rest); })()"""
ESCAPE = ("Escape", "Escape", 27)
MOVE_SECONDS = 20  # within which a press of "Play here" must win, even over a throttled tab
STILL_PIXELS = 2500  # a paused level: only the ship's animation and the label may change
TICKS_ASLEEP = 10  # a menu that only waits for input wakes less than this in a second
# The sound effects playing and the loudest of them or the tune, as the page's SDL keeps them.
SOUNDING = """(() => { let effects = 0, loudest = 0;
  for (const c of SDL.channels || []) if (c && c.audio && !c.audio.paused)
    effects++, loudest = Math.max(loudest, c.gainNode ? c.gainNode.gain.value : c.volume);
  const tune = SDL.music && SDL.music.audio;
  if (tune && !tune.paused) loudest = Math.max(loudest, tune.volume);
  return [effects, loudest]; })()"""
# The page's line about the saves (platform/web/page/saves.js).
SAVES_LINE = "(document.getElementById('saves') || {}).textContent || ''"


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
        self.browser.add_start_script(FAIL_RENAMES)
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

    def attract_unheard(self, desktop):
        """A page nobody has pressed: its title left alone plays a run without a sound
        (its effects at no volume); a key brings the title back and starts nothing."""
        start = len(self.browser.console)
        self.browser.navigate(self.url + "#attract")
        self.browser.wait_for_console("Entering Attract Mode", 90, start)
        self.changed_within(30, lambda n: n > 2 * STILL_PIXELS)  # the instructions, then the run
        heard = self.browser.sample(SOUNDING, 5)
        if sum(effects for effects, _ in heard) == 0 or max(l for _, l in heard) > 0:
            self.failures.append("attract mode before a press played %s (effects, loudest)" % heard)
        self.browser.press(*SPACE)
        self.expect_screen("title-after-attract", desktop(0))
        if any("Leaving Title Screen" in line for line in self.browser.console[start:]):
            self.failures.append("a key in attract mode started the game")

    def run(self, desktop):
        if type(self.browser) is chromium.Browser:  # about a minute: one browser is enough
            self.attract_unheard(desktop)
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
        self.keys_panel_in_level()
        self.other_pages()
        self.browser.pump(0.5)
        for exception in self.browser.exceptions:
            self.failures.append("uncaught exception: " + exception)

    def level_under_panel(self, keys):
        """Keys that start a level, then the keys panel opened over it: the level pauses."""
        for key in keys:  # each when its screen waits, still (a key in a fade is lost)
            self.changed_within(20, lambda n: n == 0)
            self.browser.press(*key)
        if not self.changed_within(20, lambda n: n > 2 * STILL_PIXELS):
            return self.failures.append("the level never ran")
        self.browser.pump(3)  # its fade-in over: the level scrolls
        self.browser.evaluate("document.getElementById('keys').click()")
        self.browser.pump(0.5)
        before = self.canvas()[2]
        self.browser.pump(1)
        changed = differing_pixels(before, self.canvas()[2])
        if changed >= STILL_PIXELS:
            self.failures.append("under the keys panel the level ran on (%d pixels changed)"
                                 % changed)

    def changed_within(self, seconds, wanted):
        """Waits until the pixels that change in 0.3 s are as wanted; returns whether."""
        end, before = time.time() + seconds, self.canvas()[2]
        while time.time() < end:
            self.browser.pump(0.3)
            now = self.canvas()[2]
            if wanted(differing_pixels(before, now)):
                return True
            before = now
        return False

    def keys_panel_in_level(self):
        """The keys panel over a level; then the level is left, and its high score (the
        first) not saved: the store must not keep it. The next level stays paused."""
        # The profile, the level (Forest), its table of high scores.
        self.level_under_panel([SPACE] * 3)
        self.browser.evaluate("(document.querySelectorAll('#keys-panel > button').forEach(b =>"
                              " b.textContent == 'Done' && b.click()), window.renamesFail = true)")
        for key in (ESCAPE, SPACE, SPACE):  # the level, what it says of it, the table
            self.browser.press(*key)
            self.changed_within(20, lambda n: n == 0)
        kept = [f for f in self.browser.evaluate(STORED_FILES) if "records" in f]
        if kept:
            self.failures.append("a save whose rename failed was kept: %s" % kept)
        self.browser.evaluate("window.renamesFail = false")
        self.level_under_panel([SPACE] * 4)  # the profiles again, then as above

    def other_pages(self):
        """Two more pages on the same saves are refused. Both press "Play here" while the
        first page's level is paused on a hidden tab's slow timers: the last press wins,
        and the other two pages say that the game moved."""
        pages = [self.browser.new_page(), self.browser.new_page()]
        for page in pages:
            page.navigate(self.url)
        refused = all([page_says(p, "Skarnfall is open in another tab.", 30) for p in pages])
        for page in pages:
            page.pump(1)
        if not refused or any("Entering Title Screen" in l for p in pages for l in p.console):
            self.failures.append("a second page was not refused")
        else:
            self.browser.evaluate(THROTTLE)
            self.browser.pump(0.5)  # the level's next tick now waits on the slow timers
            for page in pages:
                page.evaluate("document.querySelector('#saves button').click()")
            pressed = time.time()
            try:
                pages[1].wait_for_console("Entering Title Screen", MOVE_SECONDS)
                print("the last 'Play here' played after %.1f s" % (time.time() - pressed))
            except AssertionError:
                self.failures.append("the last 'Play here' did not win in %d s" % MOVE_SECONDS)
            for name, page in (("first", self.browser), ("second", pages[0])):
                if not page_says(page, "moved to another tab", 5):
                    self.failures.append("the %s page did not say the game moved" % name)
        for page in pages:
            self.failures += ["uncaught exception in another page: " + e for e in page.exceptions]
            page.close()

    def close(self):
        self.browser.close()
        self.server.shutdown()


def main(check_class=Check):
    site, runner, work = sys.argv[1:4]
    drivers = {"chromium": chromium, "firefox": firefox, "webkit": webkit}
    driver = drivers[(sys.argv[4:] or ["chromium"])[0]]
    os.makedirs(work, exist_ok=True)
    prefix = os.path.join(work, "desktop")
    # The desktop frames of the same screens, from the headless runner's whole-game flow.
    subprocess.run([runner, "--flow", "--max-ticks", "60", "--shot-screens", prefix, "--quiet"],
                   check=True, stdout=subprocess.DEVNULL)
    check = check_class(site, work, driver)
    return chromium.run_check(check, [lambda: check.run(lambda n: "%s-%d.png" % (prefix, n))], 6)

if __name__ == "__main__":
    sys.exit(main())
