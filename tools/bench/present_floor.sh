#!/bin/sh
# The floor under the game's processor figure: a bare SDL 1.2 program that only fills and
# flips a 320x240 16-bit display 60 times a second, in the same 320x240 X server as
# cpu.sh and shown the way the game shows an unscaled display (SDL2's software renderer on
# the window's framebuffer), or through the library's default renderer.
# Usage: tools/bench/present_floor.sh [SECONDS]   (default 10)
set -e
here=$(cd "$(dirname "$0")" && pwd)
. "$here/session.sh"
trap bench_cleanup EXIT INT TERM
probe_dir=$(mktemp -d)
cc -O2 -o "$probe_dir/present_floor" "$here/present_floor.c" $(sdl-config --cflags --libs)
bench_start_x
printf 'software renderer (as the game): '
SDL_RENDER_DRIVER=software SDL_FRAMEBUFFER_ACCELERATION=0 "$probe_dir/present_floor" "${1:-10}"
printf 'library default (OpenGL):        '
"$probe_dir/present_floor" "${1:-10}"
