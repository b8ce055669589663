#!/bin/sh
# Packs square PNG pictures into one Windows icon file, each kept as PNG (as Windows reads
# them since Vista).
# Usage: tools/cross/ico.sh OUT.ico SIZE:PICTURE.png...   (SIZE in pixels, at most 256)
set -eu
out=$1
shift
byte() { printf "\\$(printf %03o "$(($1 & 255))")"; }
le16() { byte "$1" && byte "$(($1 >> 8))"; }
le32() { le16 "$(($1 & 65535))" && le16 "$(($1 >> 16))"; }
{
  le16 0 && le16 1 && le16 $#  # reserved, an icon, how many pictures
  offset=$((6 + 16 * $#))
  for entry; do
    size=${entry%%:*}
    bytes=$(wc -c < "${entry#*:}")
    side=$((size % 256))  # 256 is written as 0
    byte "$side" && byte "$side" && byte 0 && byte 0 && le16 1 && le16 32
    le32 "$bytes" && le32 "$offset"
    offset=$((offset + bytes))
  done
  for entry; do cat "${entry#*:}"; done
} > "$out.new"
mv "$out.new" "$out"
