# A headless Firefox ESR driven over WebDriver BiDi, with the Chromium driver's calls
# (navigate, evaluate, press, canvas_rgba, the console) so the browser checks run in both.
import copy
import itertools
import json
import os
import socket
import subprocess
import tempfile
import time

import websocket

import chromium

FIREFOX = "/usr/bin/firefox-esr"
# A fresh profile's settings: nothing reaches for the network (the test machine has none,
# and a wait on it would hang the check), no first-run pages, no proxy for localhost.
PREFS = {
    "app.update.disabledForTesting": True, "app.update.auto": False,
    "browser.shell.checkDefaultBrowser": False, "browser.startup.page": 0,
    "browser.startup.homepage_override.mstone": "ignore",
    "startup.homepage_welcome_url": "about:blank", "browser.aboutwelcome.enabled": False,
    "datareporting.policy.dataSubmissionEnabled": False,
    "datareporting.healthreport.uploadEnabled": False, "toolkit.telemetry.enabled": False,
    "toolkit.telemetry.server": "", "toolkit.telemetry.reportingpolicy.firstRun": False,
    "browser.safebrowsing.malware.enabled": False, "browser.safebrowsing.phishing.enabled": False,
    "browser.safebrowsing.downloads.enabled": False,
    "extensions.update.enabled": False, "extensions.getAddons.cache.enabled": False,
    "network.captive-portal-service.enabled": False,
    "network.connectivity-service.enabled": False, "network.dns.disablePrefetch": True,
    "network.prefetch-next": False, "network.proxy.type": 0,
    "services.settings.server": "data:,#no-remote-settings",
    "browser.newtabpage.enabled": False, "media.gmp-manager.url": "",
    "browser.region.network.url": "", "browser.search.geoip.url": "",
    "media.autoplay.default": 0, "dom.disable_beforeunload": True,
}
# WebDriver's values for the named keys press() is given; other keys are their own text.
KEY_VALUES = {"ArrowLeft": "\ue012", "ArrowUp": "\ue013", "ArrowRight": "\ue014",
              "ArrowDown": "\ue015", "Escape": "\ue00c", "Enter": "\ue007"}


class Browser(chromium.Browser):
    """One headless Firefox ESR with a fresh profile, and its first tab over WebDriver BiDi.
    Reading events, waiting on the console and reading the canvas are the Chromium driver's."""

    def __init__(self, firefox=FIREFOX):
        if not os.path.exists(firefox):
            raise RuntimeError("%s is missing: install the firefox-esr package "
                               "(scripts/ensure-deps.sh --web)" % firefox)
        self.profile = tempfile.mkdtemp(prefix="skarnfall-firefox-")
        with open(os.path.join(self.profile, "user.js"), "w") as f:
            for name, value in PREFS.items():
                f.write("user_pref(%s, %s);\n" % (json.dumps(name), json.dumps(value)))
        env = dict(os.environ, MOZ_CRASHREPORTER_DISABLE="1")
        self.process = subprocess.Popen(
            [firefox, "--headless", "--no-remote", "--remote-debugging-port=0",
             "--profile", self.profile, "about:blank"],
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, env=env)
        self.socket = None
        self.ids = itertools.count(1)  # one count for the socket its pages share
        self.pages = {}  # each page's browsing context: the page, whose console it fills
        self.console = []
        self.exceptions = []
        try:
            self._connect()
        except BaseException:
            self.close()
            raise

    def _connect(self):
        marker = os.path.join(self.profile, "WebDriverBiDiServer.json")
        for _ in range(600):
            if os.path.exists(marker) and os.path.getsize(marker):
                break
            if self.process.poll() is not None:
                raise RuntimeError("firefox exited at start")
            time.sleep(0.1)
        else:
            raise RuntimeError("firefox gave no WebDriver BiDi port")
        with open(marker) as f:
            port = json.load(f)["ws_port"]
        # On a socket of our own: websocket-client 1.2 would go through http_proxy when
        # no_proxy is set without 127.0.0.1. And with no Origin, which Firefox refuses.
        direct = socket.create_connection(("127.0.0.1", port), timeout=60)
        self.socket = websocket.create_connection("ws://127.0.0.1:%d/session" % port,
                                                  timeout=60, suppress_origin=True,
                                                  socket=direct)
        self.call("session.new", capabilities={})
        self.context = self.call("browsingContext.getTree")["contexts"][0]["context"]
        self.pages[self.context] = self
        self.call("session.subscribe", events=["log.entryAdded"])

    def _note(self, message):
        if message.get("method") != "log.entryAdded":
            return
        entry = message["params"]
        page = self.pages.get(entry.get("source", {}).get("context"), self)
        if entry.get("type") == "console":
            page.console.append(entry.get("text", ""))
        elif entry.get("level") == "error":
            page.exceptions.append(entry.get("text", ""))

    def call(self, method, **params):
        wanted = next(self.ids)
        self.socket.send(json.dumps({"id": wanted, "method": method, "params": params}))
        while True:
            message = json.loads(self.socket.recv())
            if message.get("id") == wanted:
                if message.get("type") == "error":
                    raise RuntimeError("%s: %s %s" % (method, message.get("error"),
                                                      message.get("message")))
                return message.get("result", {})
            self._note(message)

    def evaluate(self, expression):
        # The page turns the value into JSON, which spares decoding BiDi's remote values.
        result = self.call("script.evaluate",
                           expression="(async () => JSON.stringify(await (%s)))()" % expression,
                           target={"context": self.context}, awaitPromise=True,
                           resultOwnership="none")
        if result["type"] == "exception":
            raise RuntimeError("evaluating %s: %s" % (expression, result["exceptionDetails"]))
        value = result["result"].get("value")
        return None if value is None else json.loads(value)

    def add_start_script(self, source):
        """Runs source in every new document before the page's own scripts."""
        self.call("script.addPreloadScript", functionDeclaration="() => {%s}" % source)

    def new_page(self):
        """Another window of this browser (so on the same stores) with its own console, on
        the same connection; a window, as a second tab would hide the first. Closing it
        closes only that window."""
        page = copy.copy(self)
        page.console, page.exceptions = [], []
        page.context = self.call("browsingContext.create", type="window")["context"]
        self.pages[page.context] = page
        page.close = lambda: self.call("browsingContext.close", context=page.context)
        return page

    def navigate(self, url):
        self.call("browsingContext.navigate", context=self.context, url=url, wait="none")

    def press(self, key, code, key_code):
        value = KEY_VALUES.get(key, key)
        self.call("input.performActions", context=self.context, actions=[{
            "type": "key", "id": "keyboard",
            "actions": [{"type": "keyDown", "value": value}, {"type": "keyUp", "value": value}]}])

    def close(self):
        try:
            if self.socket is not None:
                self.call("browser.close")
        except (RuntimeError, OSError, websocket.WebSocketException):
            pass  # the browser may already be gone; it is stopped below either way
        finally:
            self.socket = None
            super().close()
