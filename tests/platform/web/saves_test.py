# The browser's saves and the tab's focus, in headless Chromium: a store that cannot be
# read (or no IndexedDB at all) is left as it was while the game plays from the title
# with saving off; a level's table survives closing the page at its outcome screen; a
# second page is refused until "Play here" moves the game to it, and a high score made in
# the first survives what the second then saves; a level's tick
# wakes the page once, by its frame's return, not by a timer too; it pauses when
# the page is left and, on return, is where it was left, however late the timers ran.
# Usage: saves_test.py SITE_DIR DESKTOP_SHOTS   (the desktop runner's screens, PREFIX-N.png)
import base64
import json
import os
import sys
import time

# A proxy that answers nothing: the DevTools connection must not go through it.
os.environ["http_proxy"] = "http://127.0.0.1:9"
os.environ.pop("no_proxy", None)
os.environ.pop("NO_PROXY", None)

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "../../../tools/browser"))
import chromium  # noqa: E402
import png  # noqa: E402
from browser_test import page_says  # noqa: E402
from png import differing_pixels  # noqa: E402
from chromium import FLOW_KEYS, SPACE  # noqa: E402

ESCAPE = ("Escape", "Escape", 27)
PROFILE = "1" + "SEEDED".ljust(30) + "3" * 11 + "0" * 89
RECORDS = "7" * 490
# The store as IDBFS lays it out: a folder entry, or a file's text.
GOOD_STORE = [("/saves/profiles", None), ("/saves/profiles/profile01.txt", PROFILE),
              ("/saves/records", None), ("/saves/records/highscores1.txt", RECORDS)]
# Stores the game cannot read: (what, (version, entries, whether another page holds it
# open)), the last one a page without IndexedDB.
UNREADABLE = [
    ("a newer version", (22, GOOD_STORE, False)),
    ("an open blocked by another page", (20, GOOD_STORE, True)),
    ("a file whose folder is missing",
     (21, [e for e in GOOD_STORE if e[0] != "/saves/records"], False)),
    ("no IndexedDB", None),
]

SEED = """(async () => {
  await new Promise(done => { const r = indexedDB.deleteDatabase('/saves');
                              r.onsuccess = r.onerror = r.onblocked = done; });
  const db = await new Promise(done => { const r = indexedDB.open('/saves', %d);
    r.onupgradeneeded = () => r.result.createObjectStore('FILE_DATA')
                                      .createIndex('timestamp', 'timestamp');
    r.onsuccess = () => done(r.result); });
  const t = db.transaction('FILE_DATA', 'readwrite');
  for (const [path, text] of %s) {
    const entry = {timestamp: new Date(2026, 0, 1), mode: text === null ? 16877 : 33188};
    if (text !== null) entry.contents = new TextEncoder().encode(text);
    t.objectStore('FILE_DATA').put(entry, path);
  }
  await new Promise(done => t.oncomplete = done);
  if (%s) window.held = db; else db.close();
})()"""
# Every entry of the store, read through IndexedDB itself: {path: text, or null for a folder}.
SNAPSHOT = """new Promise(done => { const r = indexedDB.open('/saves');
  r.onsuccess = () => { const db = r.result, out = {};
    if (!db.objectStoreNames.contains('FILE_DATA')) { db.close(); return done(out); }
    const c = db.transaction('FILE_DATA').objectStore('FILE_DATA').openCursor();
    c.onsuccess = () => { const at = c.result;
      if (!at) { db.close(); return done(out); }
      out[at.key] = at.value.contents ? new TextDecoder().decode(at.value.contents) : null;
      at.continue(); }; }; })"""
# Leaving the page and coming back, as the browser reports them.
LEAVE = """Object.defineProperty(document, 'hidden', {get: () => window.away, configurable: true});
window.away = %s; document.dispatchEvent(new Event('visibilitychange'));
window.dispatchEvent(new FocusEvent(window.away ? 'blur' : 'focus'));"""
# Frames handed to the painter's worker, and the page's timers that went off.
COUNT_WAKES = """(() => {
  window.wakes = {frames: 0, timers: 0};
  const post = Worker.prototype.postMessage;
  Worker.prototype.postMessage = function (m, ...rest) {
    if (m instanceof ArrayBuffer) window.wakes.frames++;
    return post.call(this, m, ...rest);
  };
  const plain = window.setTimeout;
  window.setTimeout = (f, ...rest) => plain((...a) => (window.wakes.timers++, f(...a)), ...rest);
})();"""
# A level's ticks wake the page by their frames' return: timers that go off are a few
# against the frames shown, and frames come faster than the stand-by timer alone (66 ms).
MIN_FRAMES = 20  # a second
FRAMES_A_TIMER = 5
# The canvas read, then the page left at once: the painter answers the read before any
# later frame.
GRAB_AND_LEAVE = "(() => { const grab = %s; %s return grab.then(r => r[2]); })()" % (
    chromium.CANVAS_BASE64, LEAVE % "true")


class Check(chromium.Checks):
    def __init__(self, site, shots):
        self.server, self.url = chromium.serve(site)
        self.blank = self.url + "no-such-page"  # the site's origin, without the game
        self.browser = chromium.Browser()
        self.browser.add_start_script(COUNT_WAKES)
        self.shots = shots
        super().__init__()

    def open_game(self, page, seconds=60):
        start = len(page.console)
        page.navigate(self.url)
        try:
            page.wait_for_console("Entering Title Screen", seconds, start)
            return True
        except AssertionError:
            return False

    def store(self, seed=None, holder=None):
        """Seeds the store ((version, entries, held)) when asked; returns its entries."""
        page = holder or self.browser
        page.navigate(self.blank)
        page.pump(0.5)
        if seed:
            page.evaluate(SEED % (seed[0], json.dumps(seed[1]), "true" if seed[2]
                                  else "false"))
        return page.evaluate(SNAPSHOT)

    wait_for_text = staticmethod(page_says)  # the shared browser check's wait on the line

    def keys(self, page, keys, seconds=1.5):
        for key in keys:
            page.press(*key)
            page.pump(seconds)

    def screen(self, page, n, seconds=20):
        """Waits until the page's canvas shows the desktop's screen n."""
        dw, dh, want = png.read_rgb("%s-%d.png" % (self.shots, n))
        end = time.time() + seconds
        while time.time() < end:
            w, h, rgba = page.canvas_rgba()
            if (w, h) == (dw, dh) and differing_pixels(png.rgba_to_rgb(rgba), want) == 0:
                return True
            page.pump(0.2)
        return self.expect(False, "screen %d never shown" % n)

    def unreadable_stores(self):
        for what, seed in UNREADABLE:
            holder = self.browser.new_page() if seed and seed[2] else None
            before = self.store(seed or (21, GOOD_STORE, False), holder)
            page = self.browser if seed else self.browser.new_page()
            if not seed:
                page.call("Page.addScriptToEvaluateOnNewDocument",
                          source="delete window.indexedDB")
            self.expect(self.open_game(page), "%s: no title" % what)
            self.expect(self.wait_for_text(page, "Saves are off:", 5),
                        "%s: no 'Saves are off:' line" % what)
            self.keys(page, FLOW_KEYS[:6])  # a profile made, in memory only
            for other in (holder, None if seed else page):
                if other:  # a blocked open goes on now, after the game gave up on it
                    other.evaluate("window.held && window.held.close()")
                    other.navigate("about:blank")  # and the tab lock is let go
                    other.close()
            self.browser.pump(1)
            self.expect(self.store() == before, "%s: the stored bytes changed" % what)

    def two_pages_and_pause(self):
        self.store((21, [], False))
        first = self.browser
        self.expect(self.open_game(first), "first page: no title")
        second = self.browser.new_page()
        refused = not self.open_game(second, 5)
        refused = self.wait_for_text(second, "Skarnfall is open in another tab.", 5) and refused
        if not self.expect(refused, "the second page was not refused"):
            return
        # The first page plays level 1, leaves the page and comes back, then quits the
        # level: its high score is saved.
        for n, key in enumerate(FLOW_KEYS + [SPACE, SPACE]):
            first.press(*key)
            self.screen(first, n + 1)
        first.press(*SPACE)
        self.pause(first)
        self.keys(first, [SPACE], 0.5)  # Space resumes
        # Quits the level and leaves the page at what the game says of it: the store holds
        # the level's table, and the page opens again on it.
        self.keys(first, [ESCAPE], 4)
        stored = self.store(holder=first)
        self.expect(self.open_game(first), "the page opened again: no title")
        records = "/saves/records/highscores1.txt"
        second.navigate(self.url)  # refused again
        self.expect(self.wait_for_text(second, "Play here", 30), "no 'Play here'")
        if not self.expect(records in stored, "the page closed at the outcome kept no table"):
            return
        second.evaluate("document.querySelector('#saves button').click()")
        self.expect(self.wait_for_text(first, "moved", 30), "the first page did not stop")
        second.wait_for_console("Entering Title Screen", 60)
        # The second page makes a profile in slot 2.
        self.keys(second, [SPACE, SPACE, chromium.UP, SPACE, chromium.DOWN, SPACE, SPACE], 2.5)
        now = self.store(holder=self.browser.new_page())
        self.expect(now.get(records) == stored[records], "the high score was overwritten")
        slot2 = "/saves/profiles/profile02.txt"
        self.expect(now[slot2] != stored[slot2], "the second page saved no profile")

    def canvas(self, page):
        return png.rgba_to_rgb(page.canvas_rgba()[2])

    def pause(self, page):
        page.call("Emulation.setFocusEmulationEnabled", enabled=True)  # only LEAVE blurs
        page.pump(2)  # the level fades in, then scrolls: a frame each tick
        before = page.evaluate("window.wakes")
        page.pump(2)  # longer, and the ship may be shot down before the page is left
        after = page.evaluate("window.wakes")
        frames, timers = [(after[k] - before[k]) / 2 for k in ("frames", "timers")]
        self.expect(frames >= MIN_FRAMES and timers * FRAMES_A_TIMER < frames,
                    "a level showed %.1f frames and woke for %.1f timers a second"
                    % (frames, timers))
        moving = self.canvas(page)
        page.pump(0.5)
        self.expect(differing_pixels(moving, self.canvas(page)) > 5000, "the level is still")
        # The picture as the page is left, taken before the game can draw again.
        left = png.rgba_to_rgb(base64.b64decode(page.evaluate(GRAB_AND_LEAVE)))
        # Timers stop while the page is frozen, as a hidden tab's are throttled.
        page.call("Page.setWebLifecycleState", state="frozen")
        time.sleep(11)
        page.call("Page.setWebLifecycleState", state="active")
        page.evaluate(LEAVE % "false")
        page.pump(1)
        back = self.canvas(page)
        # Only the ship's animation and the label may differ: nothing scrolled or moved.
        changed = differing_pixels(left, back)
        self.expect(0 < changed < 2500, "after leaving the page %d pixels changed" % changed)

    def close(self):
        self.browser.close()
        self.server.shutdown()


def main():
    check = Check(sys.argv[1], sys.argv[2])
    return chromium.run_check(check, [check.unreadable_stores, check.two_pages_and_pause])

if __name__ == "__main__":
    sys.exit(main())
