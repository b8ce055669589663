# A headless Chromium driven over its DevTools protocol, and a local web server for the
# pages it opens. Used by the browser checks of the web build and by its benchmark.
import base64
import copy
import functools
import http.server
import json
import os
import shutil
import socket
import socketserver
import subprocess
import tempfile
import threading
import time
import urllib.request

import websocket

# Keys as press() takes them: the DOM key, its code and its key code.
SPACE, UP, DOWN = (" ", "Space", 32), ("ArrowUp", "ArrowUp", 38), ("ArrowDown", "ArrowDown", 40)
# The desktop runner's flow, screen by screen: the key that answers each waiting screen.
# Screens 0 to 7: title, instructions, profiles, "Create New" chosen, the slot, the name,
# the new profile's screen, slot 1 chosen again.
FLOW_KEYS = [SPACE, SPACE, UP, SPACE, SPACE, SPACE, DOWN]

# A promise of the game's canvas as {w, h, data: bytes R, G, B, A}: asked of the page's
# painter where it has one (the canvas may belong to a worker), else read off the canvas.
CANVAS_PIXELS = (
    "(window.Module && Module.skarnfallCanvasPixels ? Module.skarnfallCanvasPixels() :"
    " Promise.resolve((() => { const c = document.getElementById('canvas');"
    " return {w: c.width, h: c.height,"
    " data: c.getContext('2d').getImageData(0, 0, c.width, c.height).data}; })()))")

# The same as a promise of [w, h, the bytes in base64], to pass over the protocol.
CANVAS_BASE64 = (
    "%s.then(p => { let s = ''; for (let i = 0; i < p.data.length; i += 8192)"
    " s += String.fromCharCode.apply(null, p.data.subarray(i, i + 8192));"
    " return [p.w, p.h, btoa(s)]; })" % CANVAS_PIXELS)

CHROMIUM_FLAGS = [
    "--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
    "--disable-background-networking", "--disable-component-update", "--disable-sync",
    "--autoplay-policy=no-user-gesture-required", "--remote-debugging-port=0",
    "--window-size=1024,768",
]


class QuietHandler(http.server.SimpleHTTPRequestHandler):
    extensions_map = dict(http.server.SimpleHTTPRequestHandler.extensions_map,
                          **{".wasm": "application/wasm", ".js": "text/javascript"})

    def log_message(self, *args):
        pass


def serve(folder):
    """Serves folder on a free localhost port; returns (server, base url)."""
    handler = functools.partial(QuietHandler, directory=folder)
    server = socketserver.ThreadingTCPServer(("127.0.0.1", 0), handler)
    server.daemon_threads = True
    threading.Thread(target=server.serve_forever, daemon=True).start()
    return server, "http://127.0.0.1:%d/" % server.server_address[1]


class Browser:
    """One headless Chromium with a fresh profile, and its first page over DevTools."""

    def __init__(self, chromium="/usr/bin/chromium"):
        self.profile = tempfile.mkdtemp(prefix="skarnfall-chromium-")
        self.process = subprocess.Popen(
            [chromium] + CHROMIUM_FLAGS + ["--user-data-dir=" + self.profile, "about:blank"],
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.socket = None
        self.next_id = 0
        self.console = []     # console lines, in order
        self.exceptions = []  # uncaught exceptions' descriptions
        try:
            self._connect()
        except BaseException:
            self.close()  # a browser that failed to start must not outlive the check
            raise

    def _connect(self):
        self.port = self._debugging_port()
        # Straight to the browser: urllib would send it through http_proxy.
        direct = urllib.request.build_opener(urllib.request.ProxyHandler({}))
        pages = json.load(direct.open("http://127.0.0.1:%d/json" % self.port))
        self._attach([p for p in pages if p["type"] == "page"][0]["id"])

    def _attach(self, target):
        # No Origin header: Chromium refuses DevTools connections from origins it was not
        # told to allow (403), and builds differ in what they allow by default.
        # On a socket of our own, as websocket-client would follow http_proxy.
        direct = socket.create_connection(("127.0.0.1", self.port), timeout=60)
        self.socket = websocket.create_connection(
            "ws://127.0.0.1:%d/devtools/page/%s" % (self.port, target), timeout=60,
            suppress_origin=True, socket=direct)
        self.call("Runtime.enable")
        self.call("Page.enable")

    def new_page(self):
        """Another page of this browser (so on the same stores), with its own connection and
        console; closing it closes only the connection."""
        page = copy.copy(self)
        page.next_id, page.console, page.exceptions = 0, [], []
        # A window of its own: a second tab would hide the first, and slow its timers.
        target = self.call("Target.createTarget", url="about:blank", newWindow=True)
        page._attach(target["targetId"])
        page.close = page.socket.close
        return page

    def _debugging_port(self):
        marker = os.path.join(self.profile, "DevToolsActivePort")
        for _ in range(600):
            if os.path.exists(marker):
                with open(marker) as f:
                    text = f.read().split()
                if text:
                    return int(text[0])
            if self.process.poll() is not None:
                raise RuntimeError("chromium exited at start")
            time.sleep(0.1)
        raise RuntimeError("chromium gave no DevTools port")

    def _note(self, message):
        method = message.get("method")
        params = message.get("params", {})
        if method == "Runtime.consoleAPICalled":
            self.console.append(" ".join(str(a.get("value", a.get("description", "")))
                                         for a in params.get("args", [])))
        elif method == "Runtime.exceptionThrown":
            details = params["exceptionDetails"]
            thrown = details.get("exception", {})
            self.exceptions.append("%s %s" % (details.get("text"), thrown.get(
                "description", thrown.get("value", ""))))

    def call(self, method, **params):
        self.next_id += 1
        wanted = self.next_id
        self.socket.send(json.dumps({"id": wanted, "method": method, "params": params}))
        while True:
            message = json.loads(self.socket.recv())
            if message.get("id") == wanted:
                if "error" in message:
                    raise RuntimeError("%s: %s" % (method, message["error"]))
                return message.get("result", {})
            self._note(message)

    def pump(self, seconds):
        """Reads events for a while (the console and exceptions are kept)."""
        end = time.time() + seconds
        while time.time() < end:
            self.socket.settimeout(max(0.01, end - time.time()))
            try:
                self._note(json.loads(self.socket.recv()))
            except websocket.WebSocketTimeoutException:
                pass
        self.socket.settimeout(60)

    def wait_for_console(self, text, seconds, start=0):
        """Waits until a console line from index start on contains text; returns its index."""
        end = time.time() + seconds
        while True:
            for i in range(start, len(self.console)):
                if text in self.console[i]:
                    return i
            if time.time() > end:
                raise AssertionError("no console line with %r in %d s; last lines: %s"
                                     % (text, seconds, self.console[-8:]))
            self.pump(0.1)

    def sample(self, expression, seconds, every=0.2):
        """The expression's values, read every so often for a while."""
        values = []
        for _ in range(int(seconds / every)):
            self.pump(every)
            values.append(self.evaluate(expression))
        return values

    def evaluate(self, expression):
        result = self.call("Runtime.evaluate", expression=expression, returnByValue=True,
                           awaitPromise=True)
        if "exceptionDetails" in result:
            raise RuntimeError("evaluating %s: %s" % (expression, result["exceptionDetails"]))
        return result["result"].get("value")

    def add_start_script(self, source):
        """Runs source in every new document of the page before the page's own scripts."""
        self.call("Page.addScriptToEvaluateOnNewDocument", source=source)

    def navigate(self, url):
        self.call("Page.navigate", url=url)

    def press(self, key, code, key_code):
        for kind in ("rawKeyDown", "keyUp"):
            self.call("Input.dispatchKeyEvent", type=kind, key=key, code=code,
                      windowsVirtualKeyCode=key_code, nativeVirtualKeyCode=key_code)

    def canvas_rgba(self):
        """The game's canvas as bytes R, G, B, A, row by row."""
        data = self.evaluate(CANVAS_BASE64)
        return data[0], data[1], base64.b64decode(data[2])

    def close(self):
        try:
            if self.socket is not None:
                self.socket.close()
        finally:
            self.process.terminate()
            try:
                self.process.wait(10)
            except subprocess.TimeoutExpired:
                self.process.kill()
                self.process.wait()
            shutil.rmtree(self.profile, ignore_errors=True)


class Checks:
    """The failures a browser check finds, noted as it goes on."""

    def __init__(self):
        self.failures = []

    def expect(self, ok, what):
        """Notes what as a failure unless ok; returns ok."""
        if not ok:
            self.failures.append(what)
        return ok


def run_check(check, steps, console_lines=0):
    """Runs a check's steps, closes its browser however they end and prints its failures,
    with the page's last console lines; returns the exit status."""
    try:
        for step in steps:
            step()
    finally:
        check.close()
    for failure in check.failures:
        print("FAIL " + failure)
    tail = "; console: %s" % check.browser.console[-console_lines:] if console_lines else ""
    print("%d failures%s" % (len(check.failures), tail))
    return 1 if check.failures else 0
