#!/bin/sh
# Holds the game's own code to the handheld's ARMv4T: disassembles each object and fails on
# any instruction of a later architecture (ARMv5 and on: clz, blx, ldrd, the DSP multiplies,
# ARMv6 media and exclusives, barriers, VFP) or on Thumb code. With --linked PROGRAM it also
# names what the linked program holds beyond ARMv4T outside the game's objects (libgcc's
# helpers, start files) and the architecture of each shared library it loads: those are
# reported, not failed.
# Usage: tools/cross/armv4t-scan.sh [--linked PROGRAM SYSROOT] OBJECT...
set -eu
PROGRAM=""
if [ "${1:-}" = "--linked" ]; then
  PROGRAM=$2
  SYSROOT=$3
  shift 3
fi
[ $# -gt 0 ] || { echo "armv4t-scan: no objects given" >&2; exit 2; }

# Instructions beyond ARMv4T, as binutils names them (condition codes follow the name).
LATER='^(clz|blx|bkpt|(ldc|stc|mcr|mrc|cdp)2|ldrd|strd|pld|pli|mcrr|mrrc|smla[bt][bt]|smlaw[bt]|smul[bt][bt]|smulw[bt]|smlal[bt][bt]|q|ldrex|strex|clrex|rev|rbit|[su]xt|sel|[su]sat|pkh|cps|srs|rfe|setend|s?(h|uh|uq)?(add|sub)(16|8)|[su]asx|[su]sax|[su]add(16|8)|[su]sub(16|8)|smm|smuad|smusd|smlad|smlsd|smlald|smlsld|umaal|usad|yield|wfe|wfi|sev|dmb|dsb|isb|movw|movt|bf[ci]|[su]bfx|mls|[su]div|smc|dbg|v)'

# FILE...: "file: function: instruction" for each instruction beyond ARMv4T.
later_instructions() {
  arm-linux-gnueabi-objdump -d --no-show-raw-insn "$@" 2> /dev/null | awk -v later="$LATER" '
    /^[^ ].*:[ \t]+file format/ { file = $1; sub(/:$/, "", file) }
    /^[0-9a-f]+ <.*>:$/ { fn = $2; gsub(/[<>:]/, "", fn) }
    /^ +[0-9a-f]+:\t/ {
      split($0, part, "\t"); op = part[2]
      if (op ~ later) print file ": " fn ": " op " " part[3]
    }'
}

status=0
found=$(later_instructions "$@")
if [ -n "$found" ]; then
  echo "$found" | sed 's/^/beyond ARMv4T: /'
  status=1
fi
# Thumb code carries $t mapping symbols; the game is compiled for ARM instructions only.
for object in "$@"; do
  if arm-linux-gnueabi-readelf -sW "$object" | awk '$NF ~ /^\$t(\.|$)/ { found = 1 } END { exit !found }'; then
    echo "Thumb code in $object"
    status=1
  fi
done
if [ $status -eq 0 ]; then
  echo "ARMv4T: the game's own code, $# objects, holds no instruction beyond ARMv4T and no Thumb code"
else
  echo "** the game's own code is not all ARMv4T"
fi

if [ -n "$PROGRAM" ]; then
  # Functions of the program that no game object defines.
  own=$(mktemp)
  arm-linux-gnueabi-nm --defined-only "$@" 2> /dev/null | awk 'NF == 3 { print $3 }' > "$own"
  beyond=$(later_instructions "$PROGRAM" | awk -F': ' '{ split($3, w, " "); print $2, w[1] }' |
    sort -u | awk 'NR == FNR { own[$1] = 1; next } !($1 in own) { ops[$1] = ops[$1] " " $2 }
      END { for (f in ops) print f ":" ops[f] }' "$own" - | sort | paste -sd ';' | sed 's/;/; /g')
  rm -f "$own"
  echo "Beyond ARMv4T in $(basename "$PROGRAM") outside the game's objects: ${beyond:-none}"
  for lib in $(arm-linux-gnueabi-readelf -dW "$PROGRAM" | sed -n 's/.*(NEEDED).*\[\(.*\)\]/\1/p'); do
    path=$(find "$SYSROOT/lib" "$SYSROOT/usr/lib" -name "$lib" 2> /dev/null | head -1)
    arch=$(arm-linux-gnueabi-readelf -A "$path" 2> /dev/null | awk '/Tag_CPU_arch:/ { print $2 }')
    echo "shared library $lib: built for ${arch:-unknown}"
  done
fi
exit $status
