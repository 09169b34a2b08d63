#!/bin/sh
# Renders every image of images.list into OUTDIR (the build does the same through CMake).
#   render.sh OUTDIR
set -eu
if [ $# -ne 1 ]; then
  echo "usage: $0 OUTDIR" >&2
  exit 2
fi
here=$(cd "$(dirname "$0")" && pwd)
out=$1
mkdir -p "$out"
grep -v -e '^[[:space:]]*#' -e '^[[:space:]]*$' "$here/images.list" |
  while read -r name template w h mode fills; do
    # shellcheck disable=SC2086  # the fillings are separate words on purpose
    "$here/render_image.sh" "$here" "$out/$name" "$template" "$w" "$h" "$mode" $fills
  done
echo "rendered $(grep -c -v -e '^[[:space:]]*#' -e '^[[:space:]]*$' "$here/images.list") images into $out"
