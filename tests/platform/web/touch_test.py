# The touch controls in headless Chromium: absent without touch; on an emulated phone they
# stand clear of the canvas in portrait and landscape, lead by touch alone from the title
# through a new profile into level 1 (the screens as the desktop shows them), fire while
# the ship moves, and pause; the shots' sound effects keep playing, more of them than there
# are channels. The phone's browser cannot give a worker the canvas (as Safari
# before 16.4), so the page paints it itself.
# Usage: touch_test.py SITE_DIR DESKTOP_RUNNER WORK_DIR
import base64
import os
import sys

import browser_test
from chromium import FLOW_KEYS, SPACE
from png import differing_pixels

PHONE = (390, 844)
# The player's shots have a ring of this colour (media), cut to 5-6-5 bits.
SHOT_RING = (120 >> 3, 255 >> 2, 230 >> 3)
STILL_PIXELS = 500  # more than the ship's flame, far less than the scrolling scenery

# Every control's rectangle, the canvas's and the page's scrolling size, in CSS pixels.
GEOMETRY = """(() => {
  const box = e => { const r = e.getBoundingClientRect();
                     return [r.left, r.top, r.right, r.bottom]; };
  const s = document.scrollingElement;
  return {canvas: box(document.getElementById('canvas')),
          panels: [...document.querySelectorAll('.touch-panel')].map(box),
          controls: [...document.querySelectorAll('.touch-button, .touch-pad')].map(box),
          scroll: [s.scrollWidth, s.scrollHeight, innerWidth, innerHeight]};
})()"""
# The centre of the control that presses the key with this DOM code.
NO_OFFSCREEN = "delete HTMLCanvasElement.prototype.transferControlToOffscreen;"
# Sound effects started, counted.
COUNT_EFFECTS = """window.effects = 0;
const start = AudioBufferSourceNode.prototype.start;
AudioBufferSourceNode.prototype.start = function (...a) {
  window.effects++; return start.apply(this, a); };"""
MIXER_CHANNELS = 16  # frontend/game.cpp
CENTRE = """(() => { const r = document.querySelector('[data-code=%s]').getBoundingClientRect();
                    return [r.left + r.width / 2, r.top + r.height / 2]; })()"""


def overlap(a, b):
    return a[0] < b[2] and b[0] < a[2] and a[1] < b[3] and b[1] < a[3]


class TouchCheck(browser_test.Check):
    def __init__(self, *args):
        super().__init__(*args)
        self.browser.add_start_script(NO_OFFSCREEN)
        self.browser.add_start_script(COUNT_EFFECTS)

    def fail(self, text):
        self.failures.append(text)

    def phone(self, width, height):
        self.browser.call("Emulation.setDeviceMetricsOverride", width=width, height=height,
                          deviceScaleFactor=1, mobile=True)
        self.browser.pump(0.5)

    def check_layout(self, name):
        """Canvas and controls whole on screen, none over another, no scrolling; a shot."""
        g = self.browser.evaluate(GEOMETRY)
        width, height = g["scroll"][2], g["scroll"][3]
        boxes = [g["canvas"]] + g["panels"]
        if len(g["controls"]) != 7:
            self.fail("%s: %d controls shown, not 7" % (name, len(g["controls"])))
        for box in boxes + g["controls"]:
            if box[0] < 0 or box[1] < 0 or box[2] > width or box[3] > height:
                self.fail("%s: %s reaches past the %dx%d view" % (name, box, width, height))
        for i, a in enumerate(boxes):
            for b in boxes[i + 1:] + [c for c in g["controls"] if i == 0]:
                if overlap(a, b):
                    self.fail("%s: %s overlaps %s" % (name, a, b))
        if g["scroll"][0] > width or g["scroll"][1] > height:
            self.fail("%s: the page scrolls (%s)" % (name, g["scroll"]))
        shot = self.browser.call("Page.captureScreenshot", format="png")
        with open(os.path.join(self.work, "touch-%s.png" % name), "wb") as f:
            f.write(base64.b64decode(shot["data"]))

    def touch(self, kind, points):
        self.browser.call("Input.dispatchTouchEvent", type=kind, touchPoints=[
            {"x": x, "y": y, "id": i} for i, (x, y) in points])

    def centre(self, control):
        return self.browser.evaluate(CENTRE % control)

    def tap(self, control):
        self.touch("touchStart", [(0, self.centre(control))])
        self.browser.pump(0.15)
        self.touch("touchEnd", [])
        self.browser.pump(0.3)

    def shot_rows(self):
        """The canvas rows that hold pixels of the player's shots."""
        w, _, rgba = self.browser.canvas_rgba()
        rows = set()
        for i in range(0, len(rgba), 4):
            if (rgba[i] >> 3, rgba[i + 1] >> 2, rgba[i + 2] >> 3) == SHOT_RING:
                rows.add(i // 4 // w)
        return rows

    def run(self, desktop):
        self.open_page()
        if self.browser.evaluate("document.querySelector('.touch-panel') !== null"):
            self.fail("touch controls shown with no touch screen")
        self.browser.call("Emulation.setTouchEmulationEnabled", enabled=True, maxTouchPoints=5)
        self.phone(PHONE[1], PHONE[0])
        self.open_page()
        self.expect_screen("touch-title", desktop(0))
        self.check_layout("landscape")
        self.phone(*PHONE)
        self.check_layout("portrait")
        # By touch alone, as the desktop flow goes by keys: the title, a new profile, the
        # profile chosen, the level and its high scores; then OK starts level 1.
        for screen, key in enumerate(FLOW_KEYS + [SPACE, SPACE]):
            self.tap(key[1])  # the control that presses the key with that DOM code
            self.expect_screen("touch-%d" % (screen + 1), desktop(screen + 1))
        if self.failures:
            return
        self.tap("Space")
        self.browser.pump(3)  # the level fades in
        before = self.shot_rows()
        # Two thumbs: the ship moves down while it fires right; then a third taps pause.
        thumbs = [(0, self.centre("ArrowDown")), (1, self.centre("KeyD"))]
        self.touch("touchStart", thumbs[:1])
        self.touch("touchStart", thumbs)
        self.browser.pump(0.8)  # about 100 pixels down at 2 pixels a tick
        self.touch("touchStart", thumbs + [(2, self.centre("KeyP"))])
        self.browser.pump(0.2)
        self.touch("touchEnd", [])
        self.browser.pump(0.5)
        paused = self.canvas()[2]
        rows = self.shot_rows()
        # A shot's ring is 9 rows high: shots over more rows left the ship at two heights.
        if before or not rows or max(rows) - min(rows) < 20:
            self.fail("no shots fired while moving: shot rows %s before, %s after"
                      % (sorted(before), sorted(rows)))
        # Paused, only the ship's flame moves; running, the scenery scrolls.
        self.browser.pump(1)
        if differing_pixels(paused, self.canvas()[2]) > STILL_PIXELS:
            self.fail("the level did not pause")
        self.tap("Space")  # OK goes on
        self.browser.pump(1)
        if differing_pixels(paused, self.canvas()[2]) <= STILL_PIXELS:
            self.fail("the level did not go on after the pause")
        # Firing on: each shot's effect plays as earlier ones end and free their channels.
        effects = self.browser.evaluate("window.effects")
        self.touch("touchStart", thumbs[1:])
        self.browser.pump(3)
        self.touch("touchEnd", [])
        effects = self.browser.evaluate("window.effects") - effects
        unplayed = [line for line in self.browser.console if "Unable to play" in line]
        if effects <= MIXER_CHANNELS or unplayed:
            self.fail("firing for 3 s started %d effects; %s" % (effects, unplayed[:2]))
        for exception in self.browser.exceptions:
            self.fail("uncaught exception: " + exception)


if __name__ == "__main__":
    sys.exit(browser_test.main(TouchCheck))
