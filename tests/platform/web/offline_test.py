# The browser version kept for playing offline, in headless Chromium: after one visit of
# build A every file of its version is kept; the browser finds the page installable; a
# second visit fetches at most 50 KB; with the server gone and the network off a reload
# reaches the title, the saves as they were, and a second page is still refused until "Play
# here" moves the game. Then build B is served on the same address: the next visit runs only
# B's files, A's cache is dropped and the saves are kept. First of all, a theme's pictures
# held back by the server make the game wait at its level, the page showing how far they
# have come.
# Usage: offline_test.py SITE_A SITE_B
import os
import socketserver
import sys
import threading
import time

here = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(here, "../../../tools/browser"))
import chromium  # noqa: E402
from browser_test import page_says  # noqa: E402
from chromium import DOWN, FLOW_KEYS, SPACE  # noqa: E402
from saves_test import SNAPSHOT  # noqa: E402

sys.path.insert(0, os.path.join(here, "../../../tools/bench"))
from web_first_picture import MUSIC_STARTS  # noqa: E402

SECOND_VISIT_BYTES = 50_000
KEPT_SECONDS = 90  # for the worker to keep every file of a version, music included
HELD_PACK = "mountains.pack"  # level 4's pictures, fetched last
KEPT = "caches.keys().then(n => Promise.all(n.map(c => caches.open(c).then(o => o.keys())" \
       ".then(r => [c, r.length]))))"
RESOURCES = "performance.getEntriesByType('resource').map(e => e.name)"
SHOWN_NOTE = ("(n => n && n.style.display != 'none' ? n.textContent : '')"
              "(document.getElementById('media'))")


class Server:
    """A plain static server on one address whose folder can change, counting the bytes it
    sends, and which can hold back one file until released."""

    def __init__(self, folder):
        self.folder, self.sent, self.port = folder, 0, 0
        self.held = None
        self.release = threading.Event()
        self.start()

    def start(self):
        outer = self

        class Handler(chromium.QuietHandler):
            def setup(self):
                super().setup()
                write = self.wfile.write

                def counted(data):  # headers and bodies alike
                    outer.sent += len(data)
                    return write(data)
                self.wfile.write = counted

            def copyfile(self, source, out):
                if outer.held and self.path.endswith(outer.held):
                    outer.release.wait(60)
                super().copyfile(source, out)

        socketserver.ThreadingTCPServer.allow_reuse_address = True
        handler = lambda *a, **k: Handler(*a, directory=self.folder, **k)  # noqa: E731
        self.server = socketserver.ThreadingTCPServer(("127.0.0.1", self.port), handler)
        self.server.daemon_threads = True
        self.port = self.server.server_address[1]
        self.url = "http://127.0.0.1:%d/" % self.port
        threading.Thread(target=self.server.serve_forever, daemon=True).start()

    def stop(self):
        self.server.shutdown()
        self.server.server_close()


def files_of(site):
    """How many entries the worker keeps for a site: each file but the page and the
    worker, and the page by its folder's address."""
    return 1 + sum(len(names) for _, _, names in os.walk(site)) - 2


class Check(chromium.Checks):
    def __init__(self, site_a, site_b):
        self.site_a, self.site_b = site_a, site_b
        self.server = Server(site_a)
        self.browser = chromium.Browser()
        self.browser.add_start_script(MUSIC_STARTS)
        super().__init__()

    def title(self, page=None):
        page = page or self.browser
        start = len(page.console)
        page.navigate(self.server.url)
        page.wait_for_console("Entering Title Screen", 60, start)

    def kept_all(self, site):
        end, kept = time.time() + KEPT_SECONDS, []
        while time.time() < end:
            kept = self.browser.evaluate(KEPT)
            if kept == [["skarnfall-" + self.version(), files_of(site)]]:
                return True
            self.browser.pump(1)
        return self.expect(False, "kept %s, not the %d files of %s" % (kept, files_of(site), site))

    def version(self):
        return self.browser.evaluate("window.skarnfallSite.version")

    def run(self):
        b = self.browser
        self.held_pack()
        self.title()  # the level left unfinished, as a closed tab leaves it: it saves no more
        saves = b.evaluate(SNAPSHOT)
        self.expect("/saves/profiles/profile01.txt" in saves, "no profile saved: %s" % saves)
        self.kept_all(self.site_a)
        errors = b.call("Page.getInstallabilityErrors")["installabilityErrors"]
        self.expect(errors == [], "not installable: %s" % errors)

        self.server.sent = 0
        self.title()
        print("a second visit fetched %d bytes" % self.server.sent)
        self.expect(self.server.sent <= SECOND_VISIT_BYTES,
                    "a second visit fetched %d bytes" % self.server.sent)

        self.server.stop()
        b.call("Network.enable")
        b.call("Network.emulateNetworkConditions", offline=True, latency=0,
               downloadThroughput=-1, uploadThroughput=-1)
        self.title()
        self.expect(b.evaluate(SNAPSHOT) == saves, "the saves changed offline")
        self.second_page()
        b.call("Network.emulateNetworkConditions", offline=False, latency=0,
               downloadThroughput=-1, uploadThroughput=-1)

        old = self.version()
        self.server.folder = self.site_b
        self.server.start()
        self.title()
        new = self.version()
        foreign = [r for r in b.evaluate(RESOURCES) if "/v/" in r and "/v/%s/" % new not in r]
        self.expect(new != old and not foreign,
                    "after the update, version %s ran, with %s" % (new, foreign))
        self.kept_all(self.site_b)
        self.expect(b.evaluate(SNAPSHOT) == saves, "the update lost the saves")
        self.failures += ["uncaught exception: " + e for e in b.exceptions]

    def held_pack(self):
        """The first visit makes a profile and chooses level 4 while the server holds its
        pictures back: the page tells how far they have come, and the level goes on once
        they are in."""
        b = self.browser
        self.server.held = HELD_PACK
        self.title()
        b.pump(2)
        for key in FLOW_KEYS + [SPACE] + [DOWN] * 3 + [SPACE]:
            b.press(*key)
            b.pump(2)
        b.press(*SPACE)  # past the high-score table, to the level's pictures
        note = ""
        for _ in range(40):
            note = b.evaluate(SHOWN_NOTE)
            if "Loading" in note:
                break
            b.pump(0.5)
        self.expect("Loading" in note, "waiting for %s, the page said %r" % (HELD_PACK, note))
        self.server.release.set()
        for _ in range(40):
            if b.evaluate("window.musicAt || 0") and not b.evaluate(SHOWN_NOTE):
                return
            b.pump(0.5)
        self.expect(False, "the level did not go on once its pictures came")

    def second_page(self):
        second = self.browser.new_page()
        second.navigate(self.server.url)
        if self.expect(page_says(second, "Skarnfall is open in another tab.", 30),
                       "offline, a second page was not refused"):
            second.evaluate("document.querySelector('#saves button').click()")
            self.expect(page_says(self.browser, "moved to another tab", 30),
                        "offline, 'Play here' did not move the game")
            second.wait_for_console("Entering Title Screen", 60)
        second.navigate("about:blank")  # lets the lock go
        second.pump(1)
        second.close()

    def close(self):
        self.server.release.set()
        self.browser.close()
        self.server.stop()


def main():
    check = Check(*sys.argv[1:3])
    return chromium.run_check(check, [check.run], 4)

if __name__ == "__main__":
    sys.exit(main())
