# WebKitGTK's MiniBrowser driven over W3C WebDriver (WebKitWebDriver) on an Xvfb display of
# its own, with the Chromium driver's calls, so the browser checks run in Safari's engine.
import copy
import http.server
import json
import os
import socket
import socketserver
import subprocess
import threading
import time
import urllib.error
import urllib.parse
import urllib.request

import chromium
import firefox

DRIVER = "/usr/bin/WebKitWebDriver"
MINIBROWSER = "/usr/lib/x86_64-linux-gnu/webkit2gtk-4.1/MiniBrowser"
# WebDriver has no log endpoint: each page keeps its console lines and uncaught errors,
# which pump() takes.
CONSOLE_HOOK = """(() => {
  const kept = window.keptForDriver = {console: [], errors: []};
  for (const name of ['log', 'info', 'warn', 'error', 'debug']) {
    const plain = console[name];
    console[name] = function (...args) {
      kept.console.push(args.map(String).join(' '));
      return plain.apply(this, args);
    };
  }
  window.addEventListener('error', e => kept.errors.push(String(e.message)));
  window.addEventListener('unhandledrejection', e => kept.errors.push(String(e.reason)));
})();"""
TAKE_KEPT = ("(() => { const k = window.keptForDriver;"
             " return k ? [k.console.splice(0), k.errors.splice(0)] : [[], []]; })()")
# The expression run by indirect eval (statements too, as DevTools takes them), its value
# handed back as JSON.
EVALUATE = """const done = arguments[1];
Promise.resolve().then(() => (0, eval)(arguments[0]))
  .then(v => done({value: JSON.stringify(v)}), e => done({error: String(e && e.stack || e)}));"""
DIRECT = urllib.request.build_opener(urllib.request.ProxyHandler({}))


class Injector(http.server.BaseHTTPRequestHandler):
    """Passes GETs on to the site, with the start scripts put first into its HTML pages:
    WebDriver has no call that runs a script before a page's own."""

    def do_GET(self):
        try:
            reply = DIRECT.open(self.server.site + self.path, timeout=60)
        except urllib.error.HTTPError as e:
            reply = e
        body = reply.read()
        kind = reply.headers.get("Content-Type", "application/octet-stream")
        if kind.startswith("text/html"):
            scripts = "".join("<script>%s</script>" % s for s in self.server.scripts).encode()
            at = body.find(b">") + 1 if body[:9].lower() == b"<!doctype" else 0
            body = body[:at] + scripts + body[at:]
        self.send_response(reply.status if hasattr(reply, "status") else reply.code)
        self.send_header("Content-Type", kind)
        self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        self.wfile.write(body)

    def log_message(self, *args):
        pass


def free_port():
    with socket.socket() as s:
        s.bind(("127.0.0.1", 0))
        return s.getsockname()[1]


class Browser(chromium.Browser):
    """One MiniBrowser with an ephemeral profile, and its first window. Waiting on the
    console and reading the canvas are the Chromium driver's."""

    def __init__(self):
        for path, package in ((DRIVER, "webkit2gtk-driver"), (MINIBROWSER, "webkit2gtk-driver"),
                              ("/usr/bin/Xvfb", "xvfb")):
            if not os.path.exists(path):
                raise RuntimeError("%s is missing: install the %s package "
                                   "(scripts/ensure-deps.sh --web)" % (path, package))
        self.xvfb = self.process = self.proxy = None
        self.session = None
        self.console, self.exceptions = [], []
        try:
            self._start()
        except BaseException:
            self.close()
            raise

    def _start(self):
        # The display's number, as Xvfb writes it once it listens.
        into, out = os.pipe()
        self.xvfb = subprocess.Popen(["Xvfb", "-displayfd", str(out), "-screen", "0",
                                      "1280x1024x24", "-nolisten", "tcp"], pass_fds=[out],
                                     stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(out)
        with os.fdopen(into) as f:
            display = f.readline().strip()
        if not display:
            raise RuntimeError("Xvfb gave no display")
        self.port = free_port()
        env = dict(os.environ, DISPLAY=":" + display)
        self.process = subprocess.Popen([DRIVER, "--port=%d" % self.port], env=env,
                                        stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        for _ in range(300):
            try:
                self._http("GET", "/status")
                break
            except OSError:
                if self.process.poll() is not None:
                    raise RuntimeError("WebKitWebDriver exited at start")
                time.sleep(0.1)
        options = {"binary": MINIBROWSER, "args": ["--automation"]}
        self.session = self._http("POST", "/session", {"capabilities": {"alwaysMatch": {
            "browserName": "MiniBrowser", "pageLoadStrategy": "none",
            "webkitgtk:browserOptions": options}}})["sessionId"]
        self.handle = self._http("GET", "/session/%s/window" % self.session)
        self.current = {"handle": self.handle}  # the window commands go to, for every page
        self.call("POST", "timeouts", {"script": 120000})
        self.proxy = socketserver.ThreadingTCPServer(("127.0.0.1", 0), Injector)
        self.proxy.daemon_threads = True
        self.proxy.site, self.proxy.scripts = None, [CONSOLE_HOOK]
        threading.Thread(target=self.proxy.serve_forever, daemon=True).start()

    def _http(self, method, path, body=None):
        data = None if body is None else json.dumps(body).encode()
        request = urllib.request.Request("http://127.0.0.1:%d%s" % (self.port, path), data=data,
                                         method=method,
                                         headers={"Content-Type": "application/json"})
        try:
            reply = json.load(DIRECT.open(request, timeout=180))
        except urllib.error.HTTPError as e:
            reply = json.load(e)
            raise RuntimeError("%s %s: %s" % (method, path, reply.get("value")))
        return reply.get("value")

    def call(self, method, command, body=None):
        """A WebDriver command of the session, in this page's window."""
        if self.current["handle"] != self.handle:
            self._http("POST", "/session/%s/window" % self.session, {"handle": self.handle})
            self.current["handle"] = self.handle
        path = "/session/%s/%s" % (self.session, command) if command else "/session/" + self.session
        return self._http(method, path, {} if body is None and method == "POST" else body)

    def evaluate(self, expression):
        result = self.call("POST", "execute/async", {"script": EVALUATE, "args": [expression]})
        if "error" in result:
            raise RuntimeError("evaluating %s: %s" % (expression, result["error"]))
        return json.loads(result["value"]) if result.get("value") is not None else None

    def pump(self, seconds):
        """Takes the page's console lines and errors for a while."""
        end = time.time() + seconds
        while True:
            try:
                lines, errors = self.evaluate(TAKE_KEPT)
            except RuntimeError:
                lines, errors = [], []  # between two documents
            self.console += lines
            self.exceptions += errors
            if time.time() >= end:
                return
            time.sleep(min(0.1, max(0, end - time.time())))

    def add_start_script(self, source):
        """Runs source in every new document of every page before the page's own scripts."""
        self.proxy.scripts.append(source)

    def navigate(self, url):
        """Opens url through the injecting proxy, whose origin stands for the site's."""
        self.pump(0)  # what the old document said
        parts = urllib.parse.urlsplit(url)
        if parts.scheme != "http":
            return self.call("POST", "url", {"url": url})
        self.proxy.site = "%s://%s" % (parts.scheme, parts.netloc)
        here = "http://127.0.0.1:%d" % self.proxy.server_address[1]
        self.call("POST", "url", {"url": here + urllib.parse.urlunsplit(
            ("", "", parts.path, parts.query, parts.fragment))})

    def new_page(self):
        """Another window of this browser (so on the same stores) with its own console."""
        page = copy.copy(self)
        page.console, page.exceptions = [], []
        page.handle = self.call("POST", "window/new", {"type": "window"})["handle"]
        page.close = page._close_window
        return page

    def _close_window(self):
        self.call("DELETE", "window")
        self.current["handle"] = None

    def press(self, key, code, key_code):
        value = firefox.KEY_VALUES.get(key, key)
        self.call("POST", "actions", {"actions": [{
            "type": "key", "id": "keyboard",
            "actions": [{"type": "keyDown", "value": value}, {"type": "keyUp", "value": value}]}]})

    def close(self):
        try:
            if self.session is not None:
                self._http("DELETE", "/session/" + self.session)
        except (RuntimeError, OSError):
            pass  # the browser may already be gone; its processes are stopped below
        finally:
            self.session = None
            if self.proxy is not None:
                self.proxy.shutdown()
            for process in (self.process, self.xvfb):
                if process is not None:
                    process.terminate()
                    try:
                        process.wait(10)
                    except subprocess.TimeoutExpired:
                        process.kill()
                        process.wait()
