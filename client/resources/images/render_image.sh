#!/bin/sh
# Renders one skin image from a template under src/.
#   render_image.sh SRC_DIR OUT TEMPLATE WIDTH HEIGHT MODE [TOKEN=VALUE ...]
# MODE is "light" or "dark" and picks the column of palettes.txt. TOKEN=VALUE pairs fill
# template tokens first, so a value may itself name a palette token ("FILL=@PRIMARY@").
# Size tokens: @W@ @H@, @W1@ @H1@ (size less one, for half-pixel strokes), @HALFW@ @HALFH@.
# Tools: $RSVG_CONVERT and $CONVERT when set, else rsvg-convert and convert from the PATH.
# An OUT ending in .gif is a 12-frame spinner: @ANGLE@ turns 30 degrees per frame, each frame
# is drawn on @MATTE@, which becomes the GIF's transparent colour.
set -eu
if [ $# -lt 6 ]; then
  echo "usage: $0 SRC_DIR OUT TEMPLATE WIDTH HEIGHT MODE [TOKEN=VALUE ...]" >&2
  exit 2
fi
src=$1 out=$2 template=$3 w=$4 h=$5 mode=$6
shift 6
case $mode in
  light) column=2 ;;
  dark) column=3 ;;
  *) echo "$0: unknown mode '$mode'" >&2; exit 2 ;;
esac

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT INT TERM

{
  for pair in "$@"; do
    printf 's|@%s@|%s|g\n' "${pair%%=*}" "${pair#*=}"
  done
  printf 's|@W@|%s|g\ns|@H@|%s|g\n' "$w" "$h"
  printf 's|@W1@|%s|g\ns|@H1@|%s|g\n' "$((w - 1))" "$((h - 1))"
  printf 's|@HALFW@|%s|g\ns|@HALFH@|%s|g\n' "$(awk "BEGIN{print $w/2}")" "$(awk "BEGIN{print $h/2}")"
  awk -v c="$column" '!/^[[:space:]]*#/ && NF >= 3 { printf "s|@%s@|%s|g\n", $1, $c }' \
    "$src/palettes.txt"
} >"$work/fill.sed"

fill() {  # fill ANGLE OUTPUT_SVG
  sed -e "s|@ANGLE@|$1|g" -f "$work/fill.sed" "$src/src/$template" >"$2"
  left=$(grep -o '@[A-Za-z0-9_]*@' "$2" | sort -u | tr '\n' ' ' || true)
  if [ -n "$left" ]; then
    echo "$0: $template for $(basename "$out"): no value for $left" >&2
    exit 1
  fi
}

mkdir -p "$(dirname "$out")"
case $out in
  *.gif)
    matte=$(awk -v c="$column" '$1 == "MATTE" { print $c }' "$src/palettes.txt")
    i=0
    while [ $i -lt 12 ]; do
      fill $((i * 30)) "$work/frame.svg"
      ${RSVG_CONVERT:-rsvg-convert} -w "$w" -h "$h" -b "$matte" -f png -o "$work/frame$(printf %02d $i).png" \
        "$work/frame.svg"
      i=$((i + 1))
    done
    ${CONVERT:-convert} -delay 8 -loop 0 -dispose background "$work"/frame*.png \
      -transparent "$matte" "gif:$work/result"
    ;;
  *)
    fill 0 "$work/image.svg"
    ${RSVG_CONVERT:-rsvg-convert} -w "$w" -h "$h" -f png -o "$work/result" "$work/image.svg"
    ;;
esac
# moved into place last, so a failed render leaves no half-written image behind
mv "$work/result" "$out"
