# The same rules in WebAssembly: runs of the four themed levels recorded by the desktop
# runner, replayed by the runner built for the browser, must end with the same summary; and
# the runs the desktop game kept for its tables, watched in the browser, likewise.
# Usage: replay_test.py RUNNER_SITE DESKTOP_RUNNER WORK_DIR [MAX_TICKS]
# (MAX_TICKS caps each recorded run; 0, the default, plays whole levels)
import json
import os
import shutil
import subprocess
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "../../../tools/browser"))
import chromium

LEVELS = (1, 2, 3, 4)


def desktop_summary(runner, args):
    out = subprocess.run([runner] + args + ["--quiet"], check=True, capture_output=True,
                         text=True).stdout
    return json.loads(out.strip().splitlines()[-1])


def browser_summary(browser, url, replay):
    start = len(browser.console)
    browser.navigate(url + "index.html?replay=" + replay)
    end = browser.wait_for_console("runner exit", 1800, start)
    lines = [line for line in browser.console[start:end] if line.startswith("{")]
    if not lines:
        raise AssertionError("no summary from the browser's run of " + replay)
    return json.loads(lines[-1])


def main():
    site, runner, work = sys.argv[1:4]
    max_ticks = sys.argv[4] if len(sys.argv) > 4 else "0"
    served = os.path.join(work, "site")
    shutil.rmtree(served, ignore_errors=True)
    shutil.copytree(site, served)
    os.makedirs(os.path.join(served, "replays"))
    expected = {}
    for level in LEVELS:
        replay = os.path.join(served, "replays", "level%d.replay" % level)
        kept = os.path.join(served, "replays", "level%d.run" % level)
        recorded = desktop_summary(runner, ["--level", str(level), "--max-ticks", max_ticks,
                                            "--record", replay, "--keep-run", kept])
        expected[level] = desktop_summary(runner, ["--replay", replay])
        expected["watch %d" % level] = desktop_summary(runner, ["--watch", kept])
        if expected[level] != recorded or expected["watch %d" % level]["score"] != recorded["score"]:
            print("FAIL level %d: the desktop's replay or watch differs from its recording" % level)
            return 1
    server, url = chromium.serve(served)
    browser = chromium.Browser()
    failures = 0
    try:
        for level in LEVELS:
            for name, key in (("level%d.replay" % level, level),
                              ("level%d.run" % level, "watch %d" % level)):
                got = browser_summary(browser, url, name)
                same = got == expected[key]
                failures += 0 if same else 1
                print("%s %s\n  desktop %s\n  browser %s" % ("ok  " if same else "FAIL", name,
                      json.dumps(expected[key]), json.dumps(got)))
        for exception in browser.exceptions:
            failures += 1
            print("FAIL uncaught exception: " + exception)
    finally:
        browser.close()
        server.shutdown()
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
