#!/usr/bin/env python3
"""Plants known faults in the game's code one at a time and tells which the fast tests catch.

Each mutant names a file, a snippet that must occur in it exactly once, and its faulty twin.
For every mutant the file is changed, the game and its tests are rebuilt incrementally in
their own build tree (build/mutate), the fast tests run (every test but the whole-level pilot
runs), and the file is put back whatever happens (a failed build, a timeout, Ctrl-C).
A mutant is caught when a test fails or times out; a mutant that does not build is reported
apart and left out of the total.

Usage: tools/check/mutate.py [--only ID[,ID...]] [--list] [--build DIR] [--timeout SECONDS]
                             [--exclude REGEX] [--jobs N] [--test-jobs N]
"""
import argparse
import os
import signal
import subprocess
import sys
import time

ROOT = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", ".."))

# (id, file, snippet, faulty twin, what the fault is)
MUTANTS = [
    # platform
    ("hat-diagonal", "platform/input.cpp",
     "{3, 4, 5}}", "{3, 4, 6}}", "pad down-right reads as right"),
    ("pad-face-buttons", "platform/input.cpp",
     "padButtons::B,  padButtons::X", "padButtons::X,  padButtons::B",
     "south and east face buttons swapped"),
    ("atomic-dir-sync", "platform/atomic_file.cpp",
     "  syncDirectory(directoryOf(path));\n  return true;", "  return true;",
     "save skips the directory sync after the rename"),
    ("atomic-file-sync", "platform/atomic_file.cpp",
     " &&\n                 atomicFileSystem.syncCall(fd) == 0;", ";",
     "save skips the sync of the temporary file"),
    ("atomic-eintr", "platform/atomic_file.cpp",
     "if (written < 0 && errno == EINTR) continue;",
     "if (written < 0 && errno == EINTR) return false;", "an interrupted write ends the save"),
    ("atomic-temp-left", "platform/atomic_file.cpp",
     "    unlink(tempName.c_str());\n    return false;", "    return false;",
     "a failed save leaves its temporary file"),
    # engine
    ("fire-direction-lost", "engine/enemy_list.cpp",
     "if (b < NORTH || b > NORTH_WEST) return;", "if (b < NORTH || b >= NORTH_WEST) return;",
     "ship cannot fire north-west"),
    ("gun-bearing", "engine/enemy_list.cpp",
     "{ARC_PIT075, {{1, 0, 1, 0}", "{ARC_PIT050, {{1, 0, 1, 0}",
     "south-east shots fly east"),
    ("fire-table-row", "engine/avatar.cpp",
     "    {&avatar::yButton, &avatar::bButton, NORTH_EAST},\n", "",
     "north and east together no longer fire north-east"),
    ("volley-interval", "engine/avatar.cpp",
     "if (bulletTimer >= bulletInterval) {", "if (bulletTimer > bulletInterval) {",
     "volleys one tick late"),
    ("hit-keeps-power", "engine/avatar.cpp",
     "  if (firePower > 1) firePower -= 1;\n}", "}", "a hit no longer costs fire power"),
    ("aim-straight-down", "engine/enemy.cpp",
     "if (ax == ex) return ay >= ey ? ARC_PI : 0.0f;",
     "if (ax == ex) return ay > ey ? ARC_PI : 0.0f;", "aim at a ship on the same spot"),
    ("invincible-powerup", "engine/enemy_list_combat.cpp",
     "if (av->isInvincible() > 0 && !powerUp) return;",
     "if (av->isInvincible() > 0) return;", "no power-ups while invincible"),
    ("bomb-damage", "engine/sprite.cpp", "    return -10;", "    return -1;",
     "smart bomb does a tenth of its damage"),
    ("score-flags-offset", "engine/high_scores.cpp",
     "decodeFlags(record + SCORE_DIGITS + NAME_BYTES,",
     "decodeFlags(record + SCORE_DIGITS + NAME_BYTES - 1,", "high-score flags read one byte early"),
    ("score-position", "engine/high_scores.cpp",
     "if (highScores[k] <= score && highScores[k - 1] > score) return k;",
     "if (highScores[k] < score && highScores[k - 1] > score) return k;",
     "a tie goes below instead of above"),
    ("grade-bonus", "engine/level_outcome.cpp",
     "{7500, \"Difficulty Bonus - 7,500.\"", "{7000, \"Difficulty Bonus - 7,500.\"",
     "grade B pays the wrong bonus"),
    ("grade-bound", "engine/level_outcome.cpp",
     "if (levelHealth >= 1 && levelHealth < GRADE_COUNT)",
     "if (levelHealth > 1 && levelHealth < GRADE_COUNT)", "one health left is graded U"),
    ("fade-direction", "engine/fade.cpp",
     "inOrOut == FADE_IN ? a : 255 - a", "inOrOut == FADE_IN ? 255 - a : a",
     "fades run backwards"),
    ("runs-clip", "engine/pixel_runs.cpp", "    if (to > end) to = end;\n", "",
     "sheet runs drawn past the cell"),
    # content
    ("pattern-stop", "content/level_design.cpp",
     "addMove(pen, 175, y);", "addMove(pen, 165, y);", "the line's second stop 10 px off"),
    ("regular-health", "content/level_design.cpp",
     "return difficulty + 3;", "return difficulty + 2;", "enemies one health short"),
    ("boss-health", "content/level_design.cpp",
     "700, 800, 900", "700, 850, 900", "boss health at difficulty 3"),
    ("wave-cell", "content/level_content.cpp",
     "plain(5, 0)}},\n    {{plain(4, 0), plain(4, 40), plain(4, 80), plain(4, 120), plain(4, 160)}}",
     "plain(5, 0)}},\n    {{plain(4, 0), plain(4, 40), plain(4, 80), plain(4, 120), plain(4, 170)}}",
     "one cell of a theme's wave table"),
    ("sheet-cell", "content/level_content.cpp",
     "\"sprites/bubblesheet.bmp\", BMP, 45, 20, 6, 0}", "\"sprites/bubblesheet.bmp\", BMP, 45, 20, 5, 0}",
     "one cell of the sheet table"),
    ("score-file-bound", "content/level_content.cpp",
     "levelNumber > LAST_SCORED_LEVEL", "levelNumber >= LAST_SCORED_LEVEL",
     "level 10 keeps no table"),
    # frontend
    ("profile-name-offset", "frontend/profiles.cpp",
     "memcpy(bytes + 1, profileName, PROFILE_NAME_LENGTH);",
     "memcpy(bytes + 2, profileName, PROFILE_NAME_LENGTH);", "profile name saved one byte late"),
    ("profile-setting-read", "frontend/profiles.cpp",
     "healthSettings[i] = readProfileByte(file) - 48;",
     "healthSettings[i] = readProfileByte(file) - 49;", "profile settings read one low"),
    ("profile-empty-marker", "frontend/profiles.cpp",
     "if (readProfileByte(file) != PROFILE_EMPTY_MARKER) {",
     "if (readProfileByte(file) == PROFILE_EMPTY_MARKER) {", "empty slots read as used"),
    ("health-down", "frontend/game_flow.cpp",
     "  if (health > LEAST_HEALTH) health--;\n", "", "clearing a level keeps its health"),
    ("record-keeps-best", "frontend/game_flow.cpp",
     "if (record == 0 || record > health) record = health;",
     "if (record == 0 || record < health) record = health;", "record keeps the worst clear"),
    ("menu-wrap", "frontend/menu.cpp",
     "if (moved < 1) return count;", "if (moved < 1) return 1;", "up from the top stays put"),
    ("sheet-frames-dropped", "frontend/level_setup.cpp",
     "    if (row.frames != 0) target.setMaxFrame(row.slot, row.frames);\n", "",
     "sheet frame counts not set"),
    ("scores-not-saved", "frontend/level_setup.cpp",
     "  if (keepsScores) current.saveHighScores(scoreFile);\n", "",
     "high scores not saved after a level"),
    # tools
    ("replay-order", "tools/runner/replay.cpp",
     "if (value < lastTick) {", "if (value <= lastTick) {", "same-tick replay events refused"),
    ("summary-key", "tools/runner/run_summary.cpp",
     "\",\\\"waves\\\":\"", "\",\\\"wave\\\":\"", "summary key misspelt"),
]

SLOW_TESTS = r"^pilot_levels_test\."


class Interrupted(Exception):
    pass


def on_signal(signum, frame):
    raise Interrupted()


def run(cmd, cwd, timeout=None, log=None):
    """Runs cmd; returns (exit code or None on timeout, seconds)."""
    start = time.monotonic()
    proc = subprocess.Popen(cmd, cwd=cwd, stdout=log or subprocess.DEVNULL,
                            stderr=subprocess.STDOUT, start_new_session=True)
    try:
        code = proc.wait(timeout=timeout)
    except subprocess.TimeoutExpired:
        os.killpg(proc.pid, signal.SIGKILL)
        proc.wait()
        code = None
    except BaseException:
        os.killpg(proc.pid, signal.SIGKILL)
        proc.wait()
        raise
    return code, time.monotonic() - start


def check_snippets(mutants):
    bad = []
    for ident, path, old, new, _ in mutants:
        with open(os.path.join(ROOT, path)) as f:
            found = f.read().count(old)
        if found != 1:
            bad.append(f"{ident}: snippet found {found} times in {path}")
        if old == new:
            bad.append(f"{ident}: the faulty twin equals the snippet")
    return bad


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--only", help="comma-separated mutant ids")
    parser.add_argument("--list", action="store_true", help="list the mutants and stop")
    parser.add_argument("--build", default=os.path.join(ROOT, "build", "mutate"))
    parser.add_argument("--timeout", type=int, default=300, help="seconds per mutant's tests")
    parser.add_argument("--exclude", default=SLOW_TESTS, help="ctest -E regex of slow tests")
    parser.add_argument("--jobs", type=int, default=2, help="build jobs")
    parser.add_argument("--test-jobs", type=int, default=4,
                        help="tests at once (most of their time is spent waiting)")
    args = parser.parse_args()

    mutants = MUTANTS
    if args.only:
        wanted = set(args.only.split(","))
        mutants = [m for m in MUTANTS if m[0] in wanted]
        unknown = wanted - {m[0] for m in mutants}
        if unknown:
            sys.exit(f"mutate: unknown mutants: {', '.join(sorted(unknown))}")
    if args.list:
        for ident, path, _, _, what in mutants:
            print(f"{ident:24} {path:32} {what}")
        return 0
    bad = check_snippets(mutants)
    if bad:
        sys.exit("mutate: snippets must match exactly once:\n  " + "\n  ".join(bad))

    signal.signal(signal.SIGINT, on_signal)
    signal.signal(signal.SIGTERM, on_signal)
    os.makedirs(args.build, exist_ok=True)
    log_path = os.path.join(args.build, "mutate.log")
    log = open(log_path, "w")
    build = ["cmake", "--build", args.build, "-j", str(args.jobs)]
    tests = ["ctest", "-j", str(args.test_jobs), "-E", args.exclude, "--stop-on-failure",
             "--timeout", str(args.timeout)]

    print(f"== Building the unchanged game and tests in {args.build} (log: {log_path})",
          flush=True)
    code, _ = run(["cmake", "-S", ROOT, "-B", args.build, "-DCMAKE_BUILD_TYPE=RelWithDebInfo"],
                  ROOT, log=log)
    if code == 0:
        code, _ = run(build, ROOT, log=log)
    if code != 0:
        sys.exit("mutate: the unchanged tree does not build")
    code, seconds = run(tests, args.build, timeout=args.timeout * 3, log=log)
    if code != 0:
        sys.exit("mutate: the fast tests fail on the unchanged tree; nothing to measure")
    print(f"== Fast tests pass unchanged in {seconds:.0f} s; {len(mutants)} mutants", flush=True)

    caught, missed, unbuilt = [], [], []
    try:
        for ident, path, old, new, what in mutants:
            full = os.path.join(ROOT, path)
            with open(full) as f:
                original = f.read()
            try:
                with open(full, "w") as f:
                    f.write(original.replace(old, new, 1))
                log.write(f"\n==== mutant {ident}\n")
                log.flush()
                code, build_s = run(build, ROOT, log=log)
                if code != 0:
                    unbuilt.append(ident)
                    verdict = "NOT BUILT"
                else:
                    code, test_s = run(tests, args.build, timeout=args.timeout * 3, log=log)
                    if code == 0:
                        missed.append(ident)
                        verdict = "missed"
                    else:
                        caught.append(ident)
                        verdict = "caught" if code is not None else "caught (timeout)"
            finally:
                with open(full, "w") as f:
                    f.write(original)
            print(f"{ident:24} {verdict:16} {path}: {what}", flush=True)
    except Interrupted:
        print("\nmutate: interrupted; the last mutated file is restored", flush=True)
        return 130
    finally:
        log.close()
    total = len(caught) + len(missed)
    print(f"== Caught {len(caught)} of {total}" +
          (f" ({len(unbuilt)} did not build: {', '.join(unbuilt)})" if unbuilt else ""))
    if missed:
        print("== Missed: " + ", ".join(missed))
    return 0


if __name__ == "__main__":
    sys.exit(main())
