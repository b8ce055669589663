#!/usr/bin/env python3
"""Plants known faults in the game's code one at a time and tells which the fast tests catch.

Each mutant names a file, a snippet that must occur in it exactly once, and its faulty twin.
The faults are planted in a git worktree of their own, checked out from HEAD under
build/mutate/tree, never in the tree this script sits in. The game and its tests are built
there (in build/mutate/build, where files whose content the build has already compiled get
back their old times, so that only what changed is compiled again; the objects of a file a
mutant changes are kept aside and put back with it, so that it is not compiled again), and
for every mutant the tests labelled `fast` run (ctest -L fast; the whole-run checks, which
catch any change at all, carry no such label). After each mutant its file is put back by an
atomic rename; the worktree is removed at the end, also after Ctrl-C, and one left by a
killed run is removed by the next.

A mutant is caught when a test fails. A test that runs out of time decides nothing: the
mutant is "undecided", unless it is one of HANGS, whose fault is a hang. The tree must have
no uncommitted changes to tracked files, since HEAD is what is measured. Exit status: 0 when
every mutant is caught, 1 when one survives, 4 when none survives but one is undecided, 3
when every other is caught but one does not build (a fault that does not compile measures
nothing: mend its snippet), 2 when nothing could be measured.

Usage: tools/check/mutate.py [--only ID[,ID...]] [--list] [--work DIR] [--timeout SECONDS]
                             [--jobs N] [--test-jobs N]
"""
import argparse
import json
import os
import shutil
import signal
import subprocess
import sys
import tempfile
import time

ROOT = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", ".."))

# (id, file, snippet, faulty twin, what the fault is)
MUTANTS = [
    # platform
    ("hat-diagonal", "platform/input.cpp",
     "{3, 4, 5}}", "{3, 4, 6}}", "pad down-right reads as right"),
    ("pad-face-buttons", "platform/controls.cpp",
     "SDLK_SPACE, 0},\n    {\"back\", SDLK_ESCAPE, 15, IN_MENUS, IN_MENUS, SDLK_ESCAPE, 1},",
     "SDLK_SPACE, 1},\n    {\"back\", SDLK_ESCAPE, 15, IN_MENUS, IN_MENUS, SDLK_ESCAPE, 0},",
     "south and east face buttons swapped in the menus"),
    ("atomic-dir-sync", "platform/posix/atomic_file.cpp",
     "  syncDirectory(directoryOf(path));\n  return true;", "  return true;",
     "save skips the directory sync after the rename"),
    ("atomic-file-sync", "platform/posix/atomic_file.cpp",
     " &&\n                 atomicFileSystem.syncCall(fd) == 0;", ";",
     "save skips the sync of the temporary file"),
    ("atomic-eintr", "platform/posix/atomic_file.cpp",
     "if (written < 0 && errno == EINTR) continue;",
     "if (written < 0 && errno == EINTR) return false;", "an interrupted write ends the save"),
    ("atomic-temp-left", "platform/posix/atomic_file.cpp",
     "    unlink(tempName.c_str());\n    return false;", "    return false;",
     "a failed save leaves its temporary file"),
    ("controls-over-limit", "platform/controls.cpp",
     "while (static_cast<long>(text.size()) <= MAX_CONTROLS_FILE_BYTES &&",
     "while (static_cast<long>(text.size()) < MAX_CONTROLS_FILE_BYTES &&",
     "a controls file over the size limit is read in part"),
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
    ("north-arrival", "engine/game_action.cpp",
     "case NORTH: return finishY >= curY;", "case NORTH: return finishY > curY;",
     "a northward move arriving exactly on its row goes a tick on"),
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
    # start-up: the command line, the save folder and its lock, signals
    ("cli-window", "frontend/command_line.cpp",
     "\"--window\") == 0) {\n      options.windowed = true;",
     "\"--window\") == 0) {\n      options.windowed = false;", "--window plays full screen"),
    ("cli-scale-max", "frontend/command_line.cpp",
     "value > MAX_WINDOW_SCALE", "value >= MAX_WINDOW_SCALE", "--scale 16 refused"),
    ("cli-refusal-status", "frontend/command_line.cpp",
     "      return 2;\n", "      return 0;\n", "a refused command line exits 0"),
    ("lock-folder", "platform/posix/save_folder_system.cpp",
     "std::string path = (folder.empty() ? std::string(\".\") : folder) + \"/skarnfall.lock\";",
     "std::string path = std::string(\".\") + \"/skarnfall.lock\";",
     "the lock is taken in the current folder, not the save folder"),
    ("save-prefix-slash", "platform/save_folder.cpp",
     "  if (!prefix.empty() && prefix.back() != '/') prefix += '/';\n", "",
     "save files named without the folder's slash"),
    ("unfinished-clear-profiles", "platform/posix/save_folder_system.cpp",
     "folder) + \"/\" + UNFINISHED_SAVES;", "folder) + \"/profiles\";",
     "start-up clears profiles/ instead of its hidden folder"),
    ("temp-beside-save", "platform/posix/atomic_file.cpp",
     "std::string folder = unfinishedSavesFolder();", "std::string folder = directoryOf(path);",
     "a save's temporary is written beside it again"),
    ("no-lock-refused", "frontend/save_setup.cpp",
     "if (lock == saveLock::HELD_ELSEWHERE) {", "if (lock != saveLock::TAKEN) {",
     "a folder with no lock file refuses to play"),
    ("empty-slots-short", "frontend/save_setup.cpp",
     "for (int slot = 1; slot <= PROFILE_SLOTS; slot++) {",
     "for (int slot = 1; slot < PROFILE_SLOTS; slot++) {", "the last empty profile slot is missing"),
    ("wayland-refused", "platform/lifetime.cpp",
     "std::getenv(\"DISPLAY\") == nullptr &&\n         std::getenv(\"WAYLAND_DISPLAY\") == nullptr;",
     "std::getenv(\"DISPLAY\") == nullptr;", "a desktop with only Wayland is refused"),
    ("sigint-unhandled", "platform/posix/quit_signals.cpp",
     "for (int signalNumber : {SIGTERM, SIGINT}) {", "for (int signalNumber : {SIGTERM}) {",
     "Ctrl-C ends the game without its shut-down"),
    ("ignored-signal-taken", "platform/posix/quit_signals.cpp",
     "if (before.sa_handler != SIG_IGN) sigaction(signalNumber, &action, nullptr);",
     "sigaction(signalNumber, &action, nullptr);", "a signal ignored at start (nohup) ends the game"),
    ("signal-not-redelivered", "platform/posix/quit_signals.cpp",
     "  signal(signalNumber, SIG_DFL);\n", "",
     "the game exits with a status instead of by the signal"),
    ("quit-grace-alarm", "platform/posix/quit_signals.cpp",
     "  alarm(QUIT_GRACE_SECONDS);\n", "",
     "a game stuck after a quitting signal is never ended by it"),
    # the pause label
    ("pause-label-branch", "engine/level_loop.cpp",
     "if (globalPaused) {\n    presentSurfaceLabelled", "if (!globalPaused) {\n    presentSurfaceLabelled",
     "the label shows in play and not in the pause"),
    ("label-centre", "platform/present.cpp",
     "(globalScreen->h - (bottom - top)) / 2 - top;", "(globalScreen->h - (bottom - top)) / 2 + top;",
     "the label sits below the centre"),
    # the level's fades and end-of-level screens
    ("level-fade-in", "engine/level_loop.cpp",
     "lv.startFade(FADE_IN, LEVEL_FADE_IN_TICKS);", "lv.startFade(FADE_OUT, LEVEL_FADE_IN_TICKS);",
     "the level starts with a fade-out"),
    ("run-out-fade", "engine/level_loop.cpp",
     "lv.startFade(FADE_OUT, LEVEL_RUN_OUT_TICKS);", "lv.startFade(FADE_IN, LEVEL_RUN_OUT_TICKS);",
     "a completed level fades in over its run-out"),
    ("fade-end-alpha", "engine/level_loop.cpp",
     "lv.fadeDirection == FADE_OUT ? 0 : 255", "lv.fadeDirection == FADE_IN ? 0 : 255",
     "a finished fade leaves the level screen the wrong way"),
    ("shot-down-fade", "engine/level_outcome.cpp",
     "if (run.howItEnded != LEVEL_COMPLETE) fadeScreen(",
     "if (run.howItEnded == LEVEL_COMPLETE) fadeScreen(",
     "a level shot down cuts to its screen, a completed one fades twice"),
    ("end-screen-fade", "engine/level_outcome.cpp",
     "fadeScreen(levelScreen, FADE_IN, SCREEN_FADE_TICKS);",
     "fadeScreen(levelScreen, FADE_OUT, SCREEN_FADE_TICKS);", "the outcome screen fades out unseen"),
    ("quit-screen", "engine/level_outcome.cpp",
     "count = appendLines(lines, count, QUIT);", "count = appendLines(lines, count, SHOT_DOWN);",
     "a quit level says the ship was shot down"),
    ("music-left-playing", "engine/level_outcome.cpp",
     "  Mix_HaltMusic();\n  return run.howItEnded;", "  return run.howItEnded;",
     "the level's music plays on after it"),
    # what a destroyed enemy or boss leaves behind
    ("boss-white-drops", "engine/enemy.cpp",
     "const bool boss = refTypeId == BOSS_1 || refTypeId == BOSS_2;",
     "const bool boss = typeId == BOSS_1 || typeId == BOSS_2;",
     "a boss shot down while white drops a power-up"),
    ("boss-drops", "engine/enemy.cpp",
     "kind == EXTRA_BOMB || boss) return;", "kind == EXTRA_BOMB) return;",
     "a destroyed boss drops a power-up"),
    ("blast-life", "engine/enemy.cpp",
     "  blast->setMaxFrame(EXPLOSION_LIFE_TICKS);\n", "", "an enemy's explosion never ends"),
    # content
    ("pattern-stop", "content/level_design.cpp",
     "addMove(pen, 175, y);", "addMove(pen, 165, y);", "the line's second stop 10 px off"),
    ("regular-health", "content/level_design.cpp",
     "return difficulty + 3;", "return difficulty + 2;", "enemies one health short"),
    ("boss-health", "content/level_design.cpp",
     "700, 800, 900", "700, 850, 900", "boss health at difficulty 3"),
    ("boss-health-cell", "content/level_design.cpp",
     "1000, 1200, 1300", "1000, 1100, 1300", "boss health at difficulty 6"),
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
     "memcpy(bytes + 1, name, PROFILE_NAME_LENGTH);",
     "memcpy(bytes + 2, name, PROFILE_NAME_LENGTH);", "profile name saved one byte late"),
    ("profile-past-end", "frontend/profiles.cpp",
     "return byte == EOF ? 255 :", "return byte == EOF ? 0 :",
     "a profile read past its end gives 0 instead of 255"),
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
    ("mixer-sample-bytes", "tools/runner/virtual_mixer.cpp",
     "((format & 0xFF) / 8)", "((format & 0xFF) / 4)", "the runner frees effects at half length"),
    ("mixer-start-time", "tools/runner/virtual_mixer.cpp",
     "state = {chunk, nowMs + lengthMs(chunk)};", "state = {chunk, lengthMs(chunk)};",
     "effects timed from the run's start"),
    ("mixer-last-channel", "tools/runner/virtual_mixer.cpp",
     "for (int i = 0; i < count; i++) {", "for (int i = 0; i < count - 1; i++) {",
     "the last channel is never freed"),
    # the tunes' generator
    ("tune-loudness", "media/music.cpp",
     "float rms = 0.5f * (rmsOf(mix.l) + rmsOf(mix.r));", "float rms = rmsOf(mix.l) + rmsOf(mix.r);",
     "tunes levelled to half their loudness"),
    ("tune-length", "media/music.cpp",
     "size_t total = (size_t)((bars + 2) * bar) + 3 * RATE;",
     "size_t total = (size_t)(bars * bar) + 3 * RATE;", "a tune ends before its last chord has rung out"),
    ("tune-note-side", "media/voices.cpp",
     "    out.r[k] += s * gr;\n", "    out.l[k] += s * gr;\n", "every note's right half goes left"),
    ("tune-offset", "media/music.cpp",
     "  dcBlock(mix.r);\n", "", "a tune's right channel keeps its offset"),
]


# The mutants whose fault is a hang: for them, and only for them, a test that runs out of
# time is a catch.
HANGS = set()


# What the build in the work folder was last made from: file, content hash and time.
SEEN_RECORD = "sources-seen.json"


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


def git(*args, cwd=ROOT):
    return subprocess.run(["git", *args], cwd=cwd, capture_output=True, text=True)


def write_atomically(path, text):
    """Replaces the file by a rename, so that it is never seen empty or half written."""
    temp = path + ".mutate-tmp"
    with open(temp, "w") as f:
        f.write(text)
    if os.path.exists(path):
        shutil.copymode(path, temp)
    os.replace(temp, path)


def check_snippets(mutants, tree):
    bad = []
    for ident, path, old, new, _ in mutants:
        with open(os.path.join(tree, path)) as f:
            found = f.read().count(old)
        if found != 1:
            bad.append(f"{ident}: snippet found {found} times in {path}")
        if old == new:
            bad.append(f"{ident}: the faulty twin equals the snippet")
    return bad


def tracked_blobs(tree):
    """The tracked files of the tree and the hash of each one's content."""
    blobs = {}
    for entry in git("ls-files", "-s", "-z", cwd=tree).stdout.split("\0"):
        if entry:
            meta, path = entry.split("\t", 1)
            blobs[path] = meta.split()[1]
    return blobs


def reuse_times(tree, build_dir):
    """Gives every file the build has already compiled with the same content the time it
    had then, so that a fresh worktree does not rebuild everything. The record is removed
    until a run ends with every planted fault out again; after a run that was cut short
    (Ctrl-C, SIGKILL) the next one builds everything."""
    record = os.path.join(build_dir, SEEN_RECORD)
    try:
        with open(record) as f:
            seen = json.load(f)
        os.remove(record)
    except (OSError, ValueError):
        seen = {}
    for path, blob in tracked_blobs(tree).items():
        full = os.path.join(tree, path)
        if seen.get(path, [None])[0] == blob and os.path.isfile(full) and not os.path.islink(full):
            os.utime(full, ns=(seen[path][1], seen[path][1]))


def remember_times(tree, build_dir):
    """Records each file's content and time, only when the tree is HEAD again."""
    clean = git("status", "--porcelain", "--untracked-files=no", cwd=tree)
    if clean.returncode != 0 or clean.stdout.strip():
        return
    seen = {}
    for path, blob in tracked_blobs(tree).items():
        full = os.path.join(tree, path)
        if os.path.isfile(full) and not os.path.islink(full):
            seen[path] = [blob, os.stat(full).st_mtime_ns]
    write_atomically(os.path.join(build_dir, SEEN_RECORD), json.dumps(seen))


def objects_of(build_dir, path):
    """The object files the build compiles from the source at path, one per target: in
    <target>.dir/<path>.o, or <folder>/CMakeFiles/<target>.dir/<name>.o for a target of
    the source's own folder."""
    name = os.path.basename(path) + ".o"
    own = os.path.join(os.path.dirname(path), "CMakeFiles")
    found = []
    for folder, _, files in os.walk(build_dir):
        if name in files:
            rel = os.path.relpath(os.path.join(folder, name), build_dir)
            above, target = os.path.split(folder)
            if rel.endswith(".dir/" + path + ".o") or (
                    target.endswith(".dir") and os.path.relpath(above, build_dir) == own):
                found.append(os.path.join(folder, name))
    return found


def keep_objects(build_dir, path, keep):
    """Copies the unchanged source's objects aside into keep; returns {object: copy}."""
    kept = {}
    for number, obj in enumerate(objects_of(build_dir, path)):
        kept[obj] = os.path.join(keep, str(number))
        shutil.copyfile(obj, kept[obj])
    return kept


def newer_than_objects(kept, source):
    """Gives the planted source a time after its objects', which a restore may have given a
    time within the same clock tick, so that the build compiles it."""
    newest = max((os.stat(obj).st_mtime_ns for obj in kept), default=0)
    after = max(os.stat(source).st_mtime_ns, newest + 10_000_000)
    os.utime(source, ns=(after, after))


def put_objects_back(kept, source):
    """Puts the kept objects back with the restored source's time, which make takes as up
    to date, and newer than the library they were linked into, which is linked again."""
    restored = os.stat(source).st_mtime_ns
    for obj, copy in kept.items():
        shutil.copyfile(copy, obj + ".mutate-tmp")
        os.utime(obj + ".mutate-tmp", ns=(restored, restored))
        os.replace(obj + ".mutate-tmp", obj)


def remove_worktree(tree):
    git("worktree", "remove", "--force", tree)
    shutil.rmtree(tree, ignore_errors=True)
    git("worktree", "prune")


def make_worktree(tree):
    """A fresh checkout of HEAD at tree; one left by a killed run goes first."""
    remove_worktree(tree)
    os.makedirs(os.path.dirname(tree), exist_ok=True)
    made = git("worktree", "add", "--detach", tree, "HEAD")
    if made.returncode != 0:
        raise RuntimeError("cannot make the worktree: " + made.stderr.strip())


def measure(mutants, tree, build_dir, args, log):
    """Builds and tests the unchanged tree, then each mutant; returns the verdict lists."""
    build = ["cmake", "--build", build_dir, "-j", str(args.jobs)]
    tests = ["ctest", "-j", str(args.test_jobs), "-L", "fast", "--stop-on-failure",
             "--timeout", str(args.timeout)]
    print(f"== Building HEAD in {tree} (build: {build_dir}, log: {log.name})", flush=True)
    # The game's optimisation without debugging data, the fastest linker there is, and the
    # game library shared, which the programs are not relinked against when it changes.
    flags = "-O2 -DNDEBUG"
    linker = next((f"-fuse-ld={name}" for name in ("lld", "gold") if shutil.which("ld." + name)),
                  "")
    code, _ = run(["cmake", "-S", tree, "-B", build_dir, "-DCMAKE_BUILD_TYPE=RelWithDebInfo",
                   f"-DCMAKE_C_FLAGS_RELWITHDEBINFO={flags}",
                   f"-DCMAKE_CXX_FLAGS_RELWITHDEBINFO={flags}",
                   f"-DCMAKE_EXE_LINKER_FLAGS={linker}", f"-DCMAKE_SHARED_LINKER_FLAGS={linker}",
                   "-DSKARNFALL_CORE_KIND=SHARED", "-DCMAKE_LINK_DEPENDS_NO_SHARED=ON"],
                  tree, log=log)
    if code == 0:
        code, _ = run(build, tree, log=log)
    if code != 0:
        print("mutate: the unchanged tree does not build", file=sys.stderr)
        return None
    code, seconds = run_tests(tests, build_dir, args.timeout * 3, log)
    if code != 0:
        print("mutate: the fast tests fail on the unchanged tree; nothing to measure",
              file=sys.stderr)
        return None
    print(f"== Fast tests pass unchanged in {seconds:.0f} s; {len(mutants)} mutants", flush=True)
    caught, missed, unbuilt, undecided = [], [], [], []
    keep = os.path.join(build_dir, "kept-objects")
    shutil.rmtree(keep, ignore_errors=True)
    os.makedirs(keep)
    for ident, path, old, new, what in mutants:
        full = os.path.join(tree, path)
        with open(full) as f:
            original = f.read()
        started = time.monotonic()
        kept = keep_objects(build_dir, path, keep)
        try:
            write_atomically(full, original.replace(old, new, 1))
            newer_than_objects(kept, full)
            planted = os.stat(full).st_mtime_ns
            log.write(f"\n==== mutant {ident}\n")
            log.flush()
            code, _ = run(build, tree, log=log)
            if code == 0 and any(os.stat(obj).st_mtime_ns < planted for obj in kept):
                raise RuntimeError(f"{ident}: the build did not compile the planted {path}")
            if code != 0:
                unbuilt.append(ident)
                verdict = "NOT BUILT"
            else:
                code, _ = run_tests(tests, build_dir, args.timeout * 3, log)
                if code == 0:
                    missed.append(ident)
                    verdict = "missed"
                elif code != "timeout":
                    caught.append(ident)
                    verdict = "caught"
                elif ident in HANGS:
                    caught.append(ident)
                    verdict = "caught (hang)"
                else:
                    undecided.append(ident)
                    verdict = "undecided"
        finally:
            write_atomically(full, original)
            put_objects_back(kept, full)
        seconds = time.monotonic() - started
        print(f"{ident:24} {verdict:16} {seconds:4.0f} s  {path}: {what}", flush=True)
    shutil.rmtree(keep, ignore_errors=True)
    return caught, missed, unbuilt, undecided


def run_tests(tests, build_dir, limit, log):
    """Runs ctest; returns its exit code, or "timeout" when a test or the whole run ran out
    of time, and the seconds taken."""
    with tempfile.TemporaryFile("w+") as out:
        code, seconds = run(tests, build_dir, timeout=limit, log=out)
        out.seek(0)
        text = out.read()
    log.write(text)
    log.flush()
    if code is None or (code != 0 and "***Timeout" in text):
        return "timeout", seconds
    return code, seconds


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--only", help="comma-separated mutant ids")
    parser.add_argument("--list", action="store_true", help="list the mutants and stop")
    parser.add_argument("--work", default=os.path.join(ROOT, "build", "mutate"),
                        help="folder for the worktree (tree/) and its build (build/)")
    parser.add_argument("--timeout", type=int, default=300, help="seconds per mutant's tests")
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
            print(f"mutate: unknown mutants: {', '.join(sorted(unknown))}", file=sys.stderr)
            return 2
    if args.list:
        for ident, path, _, _, what in mutants:
            print(f"{ident:24} {path:32} {what}")
        return 0
    dirty = git("status", "--porcelain", "--untracked-files=no")
    if dirty.returncode != 0 or dirty.stdout.strip():
        print("mutate: the tree has uncommitted changes to tracked files; commit or stash them "
              "first (the faults are planted in a checkout of HEAD)\n" + dirty.stdout +
              dirty.stderr, file=sys.stderr)
        return 2

    work = os.path.abspath(args.work)
    tree, build_dir = os.path.join(work, "tree"), os.path.join(work, "build")
    signal.signal(signal.SIGINT, on_signal)
    signal.signal(signal.SIGTERM, on_signal)
    os.makedirs(build_dir, exist_ok=True)
    log = open(os.path.join(work, "mutate.log"), "w")
    result = None
    try:
        make_worktree(tree)
        bad = check_snippets(mutants, tree)
        if bad:
            print("mutate: snippets must match exactly once:\n  " + "\n  ".join(bad),
                  file=sys.stderr)
            return 2
        reuse_times(tree, build_dir)
        result = measure(mutants, tree, build_dir, args, log)
    except Interrupted:
        print("\nmutate: interrupted", flush=True)
        return 130
    except RuntimeError as error:
        print(f"mutate: {error}", file=sys.stderr)
        return 2
    finally:
        # A second Ctrl-C must not cut the clean-up short; one that comes before the signals
        # are ignored starts it again (each step may run twice).
        while True:
            try:
                signal.signal(signal.SIGINT, signal.SIG_IGN)
                signal.signal(signal.SIGTERM, signal.SIG_IGN)
                log.close()
                # Only a run that went to its end: one cut short may leave half-written objects.
                if result is not None:
                    remember_times(tree, build_dir)
                remove_worktree(tree)
                break
            except Interrupted:
                continue
    if result is None:
        return 2
    caught, missed, unbuilt, undecided = result
    total = len(caught) + len(missed) + len(undecided)
    share = f" ({100.0 * len(caught) / total:.1f} %)" if total else ""
    print(f"== Caught {len(caught)} of {total}{share}" +
          (f"; {len(unbuilt)} did not build: {', '.join(unbuilt)}" if unbuilt else ""))
    if missed:
        print("== Missed: " + ", ".join(missed))
    if undecided:
        print("== Undecided (a test ran out of time): " + ", ".join(undecided))
    if missed:
        return 1
    if undecided:
        return 4
    return 3 if unbuilt else 0


if __name__ == "__main__":
    sys.exit(main())
