#!/bin/sh
# Lays the rendered images out on two sheets for a look: the normal-mode images on the light
# page colour, the dark-mode ones (names with "_black") on the dark page colour.
#   contact_sheet.sh IMAGES_DIR OUT_PREFIX  ->  OUT_PREFIX-light.png, OUT_PREFIX-dark.png
set -eu
if [ $# -ne 2 ]; then
  echo "usage: $0 IMAGES_DIR OUT_PREFIX" >&2
  exit 2
fi
dir=$1 prefix=$2
sheet() {  # sheet BACKGROUND LABEL_COLOUR OUTPUT FILE...
  bg=$1 fg=$2 output=$3
  shift 3
  frames=""
  for f in "$@"; do
    case $f in *.gif) frames="$frames $f[0]" ;; *) frames="$frames $f" ;; esac
  done
  # shellcheck disable=SC2086
  montage -font DejaVu-Sans -background "$bg" -fill "$fg" -pointsize 10 -label '%f' $frames \
    -geometry '120x120>+8+8' -tile 8x "$output"
}
light=$(ls "$dir"/* | grep -v '_black')
dark=$(ls "$dir"/* | grep '_black')
# shellcheck disable=SC2086
sheet '#FAFAFA' '#002F2F' "$prefix-light.png" $light
# shellcheck disable=SC2086
sheet '#121212' '#BABABA' "$prefix-dark.png" $dark
echo "$prefix-light.png $prefix-dark.png"
