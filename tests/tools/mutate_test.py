#!/usr/bin/env python3
"""The fault planting's own faults: its fast set (ctest -L fast) must hold tests but none of
the slow whole-run checks, and a test that runs out of time must not read as a catch.
Usage: mutate_test.py SOURCE_DIR BUILD_DIR"""
import importlib.util
import io
import json
import subprocess
import sys

source, build = sys.argv[1], sys.argv[2]
found = importlib.util.spec_from_file_location("mutate", source + "/tools/check/mutate.py")
mutate = importlib.util.module_from_spec(found)
found.loader.exec_module(mutate)
bad = []

listing = json.loads(subprocess.run(["ctest", "--show-only=json-v1"], cwd=build, check=True,
                                    capture_output=True, text=True).stdout)
fast = {t["name"] for t in listing["tests"]
        if any(p["name"] == "LABELS" and "fast" in p["value"] for p in t.get("properties", []))}
slow = {"web_browser", "handheld_flavour_test", "frame_shortcuts_test", "media_bytes_test",
        "runner_cli_summary", "pilot_levels_test.level1", "pilot_levels_test.replay"}
if len(fast) < 10:
    bad.append(f"only {len(fast)} tests are labelled fast")
if fast & slow:
    bad.append(f"slow tests labelled fast: {sorted(fast & slow)}")

# (what the stand-in ctest prints, its status, how long it takes, the verdict)
for said, status, seconds, verdict in [
        ("100% tests passed", 0, 0, 0),
        ("1/3 Test #2: a_test ....***Failed", 8, 0, 8),
        ("1/3 Test #2: a_test ....***Timeout 600.01 sec", 8, 0, "timeout"),
        ("", 0, 5, "timeout")]:
    fake = ["sh", "-c", f"echo '{said}'; sleep {seconds}; exit {status}"]
    got, _ = mutate.run_tests(fake, build, 2, io.StringIO())
    if got != verdict:
        bad.append(f"'{said}' (status {status}, {seconds} s) read as {got}, not {verdict}")
print("\n".join(bad) or "mutate ok")
sys.exit(1 if bad else 0)
