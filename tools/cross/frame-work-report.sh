#!/bin/sh
# Prints frame-work-arm.sh's tables from the plugin's counts: per level where the main
# thread's instructions and ARM9 cycles went, SDL's part by what the game was drawing, the
# flip, the game's calls that cost the libraries most, and the summary lines over all levels.
# Fails, naming it, when a mark it relies on is missing from a counts file: the frame's
# function ("frame") or the flip ("flip"), whose work it reports apart.
# Usage: tools/cross/frame-work-report.sh WORK_DIR PROGRAM   (WORK_DIR holds level*.counts)
# Also writes WORK_DIR/summary: average and worst cycles of the whole frame.
set -eu
WORK=$1
PROGRAM=$2
COUNTS=$(ls "$WORK"/level*.counts)

# shellcheck disable=SC2086
awk -v summary="$WORK/summary" '
function m(x) { return sprintf("%.2f", x / 1e6) }
function add(key, value) { sum[key] += value; if (value > worst[key]) worst[key] = value }
function pair(key, n) { return m(sum[key] / n) " / " m(worst[key]) }
function missing(mark, why) {
  printf "frame-work-report: %s has no \"%s\" mark: %s\n", file, mark, why > "/dev/stderr"
  failed = 1; exit 1
}
FNR == 1 {
  if (file != "") finish()
  file = FILENAME; level = FILENAME; sub(/.*level/, "", level); sub(/\.counts$/, "", level)
  split("", sum); split("", worst); frames = 0; flip = -1; note = ""
}
$1 == "regions" { regions = NF - 1 }
$1 == "categories" {
  cats = NF - 1
  for (c = 0; c < cats; c++) { name[c] = $(c + 2); if (name[c] == "flip") flip = c }
  if (flip < 0) missing("flip", "the flip cannot be told from the rest of the frame")
}
$1 == "frames" && NF > 2 { note = $0; sub(/^frames [0-9]+ /, "", note) }
$1 == "frame" {
  frames++; allFrames++
  game = helpers = sdl = other = cycles = 0
  for (c = 0; c < cats; c++) {
    o = 3 + c * regions; y = o + cats * regions
    game += $o; helpers += $(o + 1); other += $(o + 5)
    s = $(o + 2) + $(o + 3) + $(o + 4); sdl += s
    cc = 0; for (r = 0; r < regions; r++) cc += $(y + r)
    cycles += cc; if (c == flip) flipCycles = cc
    add("cat" c, s); add("own" c, $o + $(o + 1)); add("libc" c, $(o + 5)); add("cyc" c, cc)
  }
  total = game + helpers + sdl + other
  add("game", game); add("helpers", helpers); add("sdl", sdl); add("other", other)
  add("total", total); add("cycles", cycles); add("noflip", cycles - flipCycles)
  o = 3 + flip * regions
  add("flipSdl", $(o + 2) + $(o + 3) + $(o + 4)); add("flipLibc", $(o + 5))
  allGame += game + helpers; if (game + helpers > allGameWorst) allGameWorst = game + helpers
  allTotal += total; if (total > allWorst) allWorst = total
  allCycles += cycles; if (cycles > allCyclesWorst) { allCyclesWorst = cycles; worstAt = "level " level ", frame " $2 }
  allNoFlip += cycles - flipCycles; if (cycles - flipCycles > allNoFlipWorst) allNoFlipWorst = cycles - flipCycles
}
$1 == "site" { for (r = 2; r <= 5; r++) site[$2] += $(r + 3) }
function finish() {
  if (frames == 0) missing("frame", "no frame began (runLevelFrame never ran)")
  row[level] = sprintf("| %s | %s | %s | %s | %s | %s | %s | %d%s |", level, pair("game", frames),
    pair("helpers", frames), pair("sdl", frames), pair("other", frames), pair("total", frames),
    pair("cycles", frames), frames, note == "" ? "" : " " note)
  line = "| " level; whole = "| " level
  for (c = 0; c < cats; c++) {
    line = line " | " pair("cat" c, frames)
    whole = whole sprintf(" | %s + %s + %s = %s", m(sum["own" c] / frames), m(sum["cat" c] / frames),
      m(sum["libc" c] / frames), m(sum["cyc" c] / frames))
  }
  split_[level] = line " |"; whole_[level] = whole " |"
  flips[level] = sprintf("| %s | %s | %s | %s | %s |", level, pair("flipSdl", frames),
    pair("flipLibc", frames), pair("cyc" flip, frames), pair("noflip", frames))
  levels[++levelCount] = level
}
END {
  if (failed) exit 1
  finish()
  print ""
  print "Main thread, M a frame, average / worst (libgcc helpers charged to their caller):"
  print "| level | game program | libgcc helpers the game calls | SDL (SDL 1.2, SDL_image, SDL_ttf, SDL_mixer) | libc and others | whole frame, instructions | whole frame, ARM9 cycles | frames |"
  print "|---|---|---|---|---|---|---|---|"
  for (i = 1; i <= levelCount; i++) print row[levels[i]]
  print ""
  print "SDL by what the game was drawing when it called, M instructions, average / worst:"
  header = "| level"; rule = "|---"
  for (c = 0; c < cats; c++) { header = header " | " name[c]; rule = rule "|---" }
  print header " |"; print rule "|"
  for (i = 1; i <= levelCount; i++) print split_[levels[i]]
  print ""
  print "The whole frame by what the game was drawing, average: M instructions of the game with helpers + SDL + libc and others = M cycles:"
  print header " |"; print rule "|"
  for (i = 1; i <= levelCount; i++) print whole_[levels[i]]
  print ""
  print "The flip (the display copied into the framebuffer, then SDL_Flip), average / worst:"
  print "| level | SDL 1.2, M instructions | libc under the flip, M instructions | the flip, M cycles | whole frame without the flip, M cycles |"
  print "|---|---|---|---|---|"
  for (i = 1; i <= levelCount; i++) print flips[levels[i]]
  print ""
  print "The game'"'"'s calls that cost the libraries most (SDL and libc), M instructions a frame over all levels:"
  n = 0
  for (s in site) if (s != "0") { n++; key[n] = s }
  for (i = 1; i <= n; i++) for (j = i + 1; j <= n; j++)
    if (site[key[j]] > site[key[i]]) { t = key[i]; key[i] = key[j]; key[j] = t }
  for (i = 1; i <= n && i <= 10; i++) printf "site %s %s\n", key[i], m(site[key[i]] / allFrames) > "/dev/stderr"
  print ""
  printf "ARM whole frame without the flip: average %s M, worst %s M cycles\n",
    m(allNoFlip / allFrames), m(allNoFlipWorst)
  printf "The worst frame in cycles: %s\n", worstAt
  printf "ARM game code per frame: average %s M, worst %s M instructions\n",
    m(allGame / allFrames), m(allGameWorst)
  printf "ARM whole frame: average %s M, worst %s M instructions\n", m(allTotal / allFrames), m(allWorst)
  printf "ARM whole frame in ARM9 cycles: average %s M, worst %s M cycles\n",
    m(allCycles / allFrames), m(allCyclesWorst)
  printf "%d %d\n", allCycles / allFrames, allCyclesWorst > summary
}' $COUNTS 2> "$WORK/sites" > "$WORK/report" || {
  grep -v '^site ' "$WORK/sites" >&2
  exit 1
}

# The report up to the call sites, each site named by its function and line, then the rest.
sed -n '1,/^The game.s calls/p' "$WORK/report"
grep '^site ' "$WORK/sites" | while read -r _ address share; do
  # the innermost function (arguments dropped) and its file and line
  where=$(arm-linux-gnueabi-addr2line -f -C -i -e "$PROGRAM" "$address" | head -2 |
    sed -E 's/ \(discriminator [0-9]+\)//; s/\([^()]*\)( const)?$//; s|^/.*/||' | paste -sd ' ')
  echo "  $share  $where"
done
sed '1,/^The game.s calls/d' "$WORK/report"
