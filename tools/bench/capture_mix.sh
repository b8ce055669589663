#!/bin/sh
# Captures the real game's audio mix while one level is played to its end in a 320x240
# X server, and prints its loudness. SDL's disk audio driver writes the mixed output to a
# file as a sound card would play it: signed 16-bit stereo at 44100 Hz (the game's 22050 Hz
# mix resampled by SDL 2; the bytes per second of wall clock printed confirm it).
# The ship has 99 health, holds no fire for the first 10 s, then holds fire east (`d`),
# moves up and down every few seconds and, from 2 minutes in, drops a smart bomb every
# 20 s, until the post-level screen shows; the capture goes on until the longest tune
# would have ended.
# Prints: bytes per second against the wall clock; the level's length; which tune played
# (the capture's 1-5 s matched sample by sample against each tune), its length and where it
# ends against the level's end; RMS/peak of the mix in 10 s windows beside the tune alone
# at the game's volume (60/128) over the same seconds; the first 10 s, the firing part,
# the last 30 s before the post-level screen, after it; samples at full scale.
# Usage: tools/bench/capture_mix.sh GAME_DIR [LEVEL]      (LEVEL 1-4, default 1)
# Environment: NO_MUSIC=1 plays with the tunes removed (effects alone); PLAY_SECONDS=n
#   leaves the level with Escape after n s; SWEEP_SECONDS (default 0.6) is how long each
#   move up or down is held; OUT=dir keeps mix.raw and end.png (the screen
#   when the capture ended).
# Needs: Xvfb, xdotool, sox, python3 with numpy, ImageMagick's import, a C compiler (the
#   flip probe).
set -e
here=$(cd "$(dirname "$0")" && pwd)
GAME_DIR=$(cd "${1:?usage: capture_mix.sh GAME_DIR [LEVEL]}" && pwd)
level=${2:-1}
sweep=${SWEEP_SECONDS:-0.6}
. "$here/session.sh"
trap bench_cleanup EXIT INT TERM
bench_build_probe
bench_start_x
bench_copy_game
# Slot 1 starts every level with 99 health (byte 99 + 48), so the ship lives to the end.
python3 -c 'import sys; s=[99 if 1<=i<=10 else 0 for i in range(100)]
open(sys.argv[1],"wb").write(b"1"+b"Bench".ljust(30)+bytes(v+48 for v in s))' \
  "$work_dir/profiles/profile01.txt"
out=${OUT:-$work_dir/out}
mkdir -p "$out"
raw=$out/mix.raw
tunes=$GAME_DIR/music
[ -n "$NO_MUSIC" ] && rm -f "$work_dir"/music/*.ogg
cd "$work_dir"
size() { stat -c %s "$raw"; }
now() { date +%s.%N; }

# Unbuffered stdout: the post-level screen's fade-in prints "Fading In".
SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE=$raw LD_PRELOAD="$probe_dir/flip_probe.so" \
  stdbuf -o0 ./skarnfall > "$probe_dir/stdout.log" 2> "$probe_dir/probe.log" &
game_pid=$!
wait_for_line "after launch" "$probe_dir/probe.log" 30
sleep 2
bench_key space          # title
bench_key space          # instructions
bench_key space          # the profile in slot 1
n=1
while [ "$n" -lt "$level" ]; do bench_key Down 0.5; n=$((n + 1)); done
bench_key space          # the level
bench_key space 0        # its high-score table; the level loads
wait_for_line "after \"Loading" "$probe_dir/probe.log" 20
start=$(size); t_start=$(now); log_mark=$(stat -c %s "$probe_dir/stdout.log")
sleep 10
xdotool keydown d
ended() { tail -c +$((log_mark + 1)) "$probe_dir/stdout.log" | grep -q "Fading In"; }
step=0
while ! ended; do
  step=$((step + 1))
  [ "$step" -gt 600 ] && { echo "no post-level screen after 10 minutes" >&2; exit 1; }
  if [ -n "$PLAY_SECONDS" ] && [ "$step" -eq "$PLAY_SECONDS" ]; then xdotool key Escape; fi
  # A smart bomb every 20 s from 2 minutes on, to get through the boss.
  if [ "$step" -ge 120 ] && [ $((step % 20)) -eq 0 ]; then xdotool key q; fi
  case $((step % 12)) in  # sweeps a band around the starting height
    2 | 11) xdotool keydown Up; sleep "$sweep"; xdotool keyup Up ;;
    5 | 8) xdotool keydown Down; sleep "$sweep"; xdotool keyup Down ;;
    *) sleep 1 ;;
  esac
done
end=$(size); t_end=$(now)
xdotool keyup d
# The tune plays once from the level's start: wait out the longest (under 280 s) or 15 s.
while [ $(( ($(size) - start) / 176400 )) -lt 280 ] && [ -z "$NO_MUSIC" ]; do sleep 1; done
sleep 15
import -window root "$out/end.png"
final=$(size); t_final=$(now)
kill "$game_pid"; wait "$game_pid" 2> /dev/null || true
game_pid=

echo "marks: $start $end $final $t_start $t_end $t_final"
python3 - "$raw" "$start" "$end" "$final" "$t_start" "$t_end" "$t_final" "$tunes" \
  "${NO_MUSIC:-}" << 'PY'
import math, os, subprocess, sys, tempfile
import numpy as np
raw, start, end, final = sys.argv[1], *map(int, sys.argv[2:5])
t_start, t_end, t_final = map(float, sys.argv[5:8])
tunes, no_music = sys.argv[8], sys.argv[9]
RATE = 44100  # frames per second of the device, each two 16-bit samples
BPS = RATE * 4
VOLUME = 60 / 128  # the game's music and effect volume

def decode(path, seconds=None):  # a tune as the device's frames, float, full scale 1
    with tempfile.NamedTemporaryFile(suffix=".raw") as f:
        trim = ["trim", "0", str(seconds)] if seconds else []
        subprocess.run(["sox", "-V1", path, "-t", "raw", "-r", str(RATE), "-e", "signed",
                        "-b", "16", "-c", "2", f.name] + trim, check=True)
        return np.fromfile(f.name, "<i2").reshape(-1, 2) / 32768

def level(a, t0, t1):  # RMS and peak (dBFS) of seconds t0..t1, both channels
    s = a[max(0, int(t0 * RATE)):int(t1 * RATE)]
    if s.size == 0 or not s.any():
        return -math.inf, -math.inf
    return 10 * math.log10(np.mean(s * s)), 20 * math.log10(np.max(np.abs(s)))

mix = np.fromfile(raw, "<i2")[start // 2:].reshape(-1, 2) / 32768  # from the level's start
play = (end - start) / BPS
print(f"disk audio: {(final - start) / (t_final - t_start):.0f} bytes/s against the wall "
      f"clock (44100 Hz stereo S16 is {BPS})")
print(f"level: {play:.1f} s from its first frame to the post-level screen "
      f"({t_end - t_start:.1f} s by the wall clock)")
# Where the sound stops for good: the last 0.1 s block above -60 dBFS.
peaks = np.abs(mix[:len(mix) // 4410 * 4410]).reshape(-1, 4410 * 2).max(axis=1)
heard = (np.nonzero(peaks > 0.001)[0].max() + 1) / 10 if peaks.any() else 0

tune = None
if not no_music:
    # Which tune played, and from which second: 4 s of the capture (1 to 5 s, no fire yet)
    # matched sample by sample against each tune's first 12 s (normalised correlation).
    chunk = mix[RATE:5 * RATE, 0]
    scores = []
    for name in sorted(os.listdir(tunes)):
        ref = decode(os.path.join(tunes, name), 12)[:, 0]
        n = len(ref) + len(chunk)
        c = np.fft.irfft(np.fft.rfft(ref, n) * np.conj(np.fft.rfft(chunk, n)), n)
        c = c[:len(ref) - len(chunk)]
        sums = np.concatenate(([0], np.cumsum(ref * ref)))
        energy = np.sqrt(np.maximum(sums[len(chunk):] - sums[:-len(chunk)], 0))[:len(c)]
        score = c / (energy * np.linalg.norm(chunk) + 1e-12)
        k = int(np.argmax(score))
        scores.append((float(score[k]), name, k))
    (r, tune, k), runner_up = sorted(scores)[-1], sorted(scores)[-2]
    lag = k / RATE - 1.0  # the tune's second at the level's first frame
    length = float(subprocess.run(["soxi", "-D", os.path.join(tunes, tune)],
                                  capture_output=True, text=True).stdout)
    ends = length - lag
    print(f"tune: {tune} (correlation {r:.2f}, next {runner_up[0]:.2f}), {length:.1f} s long, "
          f"at {lag:.2f} s when the level's first frame showed: it ends at {ends:.1f} s of the "
          f"capture, {ends - play:+.1f} s after the level's end ({ends - (t_end - t_start):+.1f} s "
          f"by the wall clock)")
    ref = decode(os.path.join(tunes, tune)) * VOLUME
    skip = int(round(lag * RATE))  # negative: the tune began after the first frame
    ref = ref[skip:] if skip >= 0 else np.vstack((np.zeros((-skip, 2)), ref))
print(f"sound heard until {heard:.1f} s")

def row(label, t0, t1):
    r, p = level(mix, t0, t1)
    line = f"{label:<28} mix {r:6.1f} / {p:6.1f} dB"
    if tune:
        line += "   tune alone {:6.1f} / {:6.1f} dB".format(*level(ref, t0, t1))
    print(line)

print("RMS / peak, dBFS:")
for t in range(0, int(math.ceil(play)), 10):
    row(f"  {t:5d}-{min(t + 10, play):5.1f} s", t, min(t + 10, play))
row("first 10 s (no fire)", 0, 10)
row("10 s to the end (fire held)", 10, play)
row("last 30 s of the level", play - 30, play)
row("whole level", 0, play)
if tune:
    row("after the level", play, heard)
clipped = int(np.count_nonzero(np.abs(mix[:int(heard * RATE)]) >= 32767 / 32768))
print(f"samples at full scale: {clipped} of {mix[:int(heard * RATE)].size}")
PY
