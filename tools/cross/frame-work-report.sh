#!/bin/sh
# Prints frame-work-arm.sh's tables from the plugin's counts: per level where the main
# thread's instructions went, SDL's part by what the game was drawing, the flip's parts,
# the game's calls that cost SDL most, and the summary lines over all levels.
# Usage: tools/cross/frame-work-report.sh WORK_DIR PROGRAM   (WORK_DIR holds level*.counts)
set -eu
WORK=$1
PROGRAM=$2
COUNTS=$(ls "$WORK"/level*.counts)

# shellcheck disable=SC2086
awk '
function m(x) { return sprintf("%.2f", x / 1e6) }
function add(key, value) { sum[key] += value; if (value > worst[key]) worst[key] = value }
function pair(key, n) { return m(sum[key] / n) " / " m(worst[key]) }
FNR == 1 {
  if (file != "") finish()
  file = FILENAME; level = FILENAME; sub(/.*level/, "", level); sub(/\.counts$/, "", level)
  split("", sum); split("", worst); frames = 0
}
$1 == "regions" { regions = NF - 1 }
$1 == "categories" {
  cats = NF - 1
  for (c = 0; c < cats; c++) { name[c] = $(c + 2); if (name[c] == "flip") flip = c }
}
$1 == "frame" {
  frames++; allFrames++
  game = helpers = sdl = other = 0
  for (c = 0; c < cats; c++) {
    o = 3 + c * regions
    game += $o; helpers += $(o + 1); other += $(o + 5)
    s = $(o + 2) + $(o + 3) + $(o + 4); sdl += s
    add("cat" c, s); add("own" c, $o + $(o + 1)); add("libc" c, $(o + 5))
  }
  o = 3 + flip * regions
  flipWork = $(o + 2) + $(o + 3) + $(o + 4) + $(o + 5)
  total = game + helpers + sdl + other
  add("game", game); add("helpers", helpers); add("sdl", sdl); add("other", other)
  add("total", total); add("flip12", $(o + 2)); add("flip2", $(o + 3)); add("flipc", $(o + 5))
  add("noflip", total - flipWork)
  allGame += game + helpers; if (game + helpers > allGameWorst) allGameWorst = game + helpers
  allTotal += total; if (total > allWorst) allWorst = total
  allNoFlip += total - flipWork; if (total - flipWork > allNoFlipWorst) allNoFlipWorst = total - flipWork
}
$1 == "site" { for (r = 2; r <= 5; r++) site[$2] += $(r + 3) }
function finish() {
  if (frames == 0) { print "level " level ": no frames counted"; return }
  row[level] = sprintf("| %s | %s | %s | %s | %s | %s | %d |", level, pair("game", frames),
    pair("helpers", frames), pair("sdl", frames), pair("other", frames), m(worst["total"]), frames)
  line = "| " level; whole = "| " level
  for (c = 0; c < cats; c++) {
    line = line " | " pair("cat" c, frames)
    whole = whole sprintf(" | %s + %s + %s", m(sum["own" c] / frames), m(sum["cat" c] / frames),
      m(sum["libc" c] / frames))
  }
  split_[level] = line " |"; whole_[level] = whole " |"
  flips[level] = sprintf("| %s | %s | %s | %s | %s |", level, pair("flip12", frames),
    pair("flip2", frames), pair("flipc", frames), pair("noflip", frames))
  levels[++levelCount] = level
}
END {
  finish()
  print ""
  print "Main thread, M instructions a frame, average / worst (libgcc helpers charged to their caller):"
  print "| level | game program | libgcc helpers the game calls | SDL (sdl12-compat, SDL2, SDL_*) | libc and others | whole frame, worst | frames |"
  print "|---|---|---|---|---|---|---|"
  for (i = 1; i <= levelCount; i++) print row[levels[i]]
  print ""
  print "SDL by what the game was drawing when it called, average / worst:"
  header = "| level"; rule = "|---"
  for (c = 0; c < cats; c++) { header = header " | " name[c]; rule = rule "|---" }
  print header " |"; print rule "|"
  for (i = 1; i <= levelCount; i++) print split_[levels[i]]
  print ""
  print "The whole frame by what the game was drawing, average: game with helpers + SDL + libc and others:"
  print header " |"; print rule "|"
  for (i = 1; i <= levelCount; i++) print whole_[levels[i]]
  print ""
  print "The flip (SDL_Flip): work the handheld'"'"'s own SDL 1.2 does not do on a 16-bit display, average / worst:"
  print "| level | sdl12-compat | SDL2 | libc under the flip | whole frame without that work |"
  print "|---|---|---|---|---|"
  for (i = 1; i <= levelCount; i++) print flips[levels[i]]
  print ""
  print "The game'"'"'s calls that cost the libraries most (SDL and libc), M a frame over all levels:"
  n = 0
  for (s in site) if (s != "0") { n++; key[n] = s }
  for (i = 1; i <= n; i++) for (j = i + 1; j <= n; j++)
    if (site[key[j]] > site[key[i]]) { t = key[i]; key[i] = key[j]; key[j] = t }
  for (i = 1; i <= n && i <= 10; i++) printf "site %s %s\n", key[i], m(site[key[i]] / allFrames) > "/dev/stderr"
  print ""
  printf "ARM whole frame without the flip'"'"'s SDL work: average %s M, worst %s M instructions\n",
    m(allNoFlip / allFrames), m(allNoFlipWorst)
  printf "ARM game code per frame: average %s M, worst %s M instructions\n",
    m(allGame / allFrames), m(allGameWorst)
  printf "ARM whole frame: average %s M, worst %s M instructions\n", m(allTotal / allFrames), m(allWorst)
}' $COUNTS 2> "$WORK/sites" > "$WORK/report"

# The report up to the call sites, each site named by its function and line, then the rest.
sed -n '1,/^The game.s calls/p' "$WORK/report"
while read -r _ address share; do
  # the innermost function (arguments dropped) and its file and line
  where=$(arm-linux-gnueabi-addr2line -f -C -i -e "$PROGRAM" "$address" | head -2 |
    sed -E 's/ \(discriminator [0-9]+\)//; s/\([^()]*\)( const)?$//; s|^/.*/||' | paste -sd ' ')
  echo "  $share  $where"
done < "$WORK/sites"
sed '1,/^The game.s calls/d' "$WORK/report"
