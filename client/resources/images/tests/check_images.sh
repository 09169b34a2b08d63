#!/bin/sh
# Checks the rendered skin images against images.list and REQUESTS.md:
#   - every listed image exists, decodes, has the listed size and is not blank;
#   - the animated GIFs have 12 distinct frames, loop forever and are transparent around
#     the spinner;
#   - every name REQUESTS.md asks for is listed.
#   check_images.sh SRC_DIR IMAGES_DIR
set -u
src=$1 dir=$2
convert=${CONVERT:-convert}
failures=0
fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}

entries=$(grep -v -e '^[[:space:]]*#' -e '^[[:space:]]*$' "$src/images.list")
echo "$entries" | {
  while read -r name template w h rest; do
    file=$dir/$name
    if [ ! -s "$file" ]; then
      fail "$name: not rendered (build the target orlu_skin_images)"
      continue
    fi
    case $name in
      *.gif) want_format=GIF ;;
      *) want_format=PNG ;;
    esac
    got=$(identify -format '%m %w %h\n' "$file" 2>/dev/null | head -n 1)
    if [ "$got" != "$want_format $w $h" ]; then
      fail "$name: expected '$want_format $w $h', got '$got'"
      continue
    fi
    # The most opaque pixel: 0 means the image draws nothing at all.
    peak=$($convert "$file[0]" -alpha on -alpha extract -format '%[fx:maxima]' info:)
    if [ "$peak" = 0 ]; then
      fail "$name: fully transparent"
    fi
    case $name in
      *.gif)
        frames=$(identify "$file" | wc -l)
        [ "$frames" -eq 12 ] || fail "$name: $frames frames instead of 12"
        identify -verbose "$file[0]" | grep -q 'Iterations: 0' || fail "$name: does not loop"
        corners=$($convert "$file" -format '%[fx:p{0,0}.a]' info:)
        [ "$corners" = "$(printf '0%.0s' $(seq 12))" ] ||
          fail "$name: corners not transparent in every frame ($corners)"
        moved=$(compare -metric AE "$file[0]" "$file[1]" null: 2>&1)
        [ "$moved" != 0 ] || fail "$name: the first two frames are the same"
        ;;
    esac
  done
  exit $failures
}
failures=$?

listed=$(echo "$entries" | awk '{ print $1 }')
requested=$(grep '^- ' "$src/REQUESTS.md" | cut -d: -f1 | grep -o '[A-Za-z0-9_.-]*\.\(png\|gif\)')
for name in $requested; do
  echo "$listed" | grep -qx "$name" || fail "REQUESTS.md asks for $name, not listed"
done

if [ $failures -ne 0 ]; then
  echo "$failures problem(s)" >&2
  exit 1
fi
echo "$(echo "$entries" | wc -l) images checked"
