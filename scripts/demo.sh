#!/usr/bin/env bash
# Starts the drive emulator with one locked demo drive and shows it, then
# renders the client's pages to PNG files.
# usage: scripts/demo.sh BUILD_DIR
set -euo pipefail

BUILD_DIR=${1:?usage: scripts/demo.sh BUILD_DIR}
DRIVESIM="$BUILD_DIR/bin/drivesim"
[ -x "$DRIVESIM" ] || { echo "no $DRIVESIM: build the tree first" >&2; exit 1; }

"$DRIVESIM" start
# A second run of the demo plugs in a second drive; start from a clean emulator.
"$DRIVESIM" detach
"$DRIVESIM" attach --password demo1234 >/dev/null
"$DRIVESIM" status
echo "The demo drive is locked; its password is demo1234."
echo "Unlock it with: $BUILD_DIR/bin/orlussd-cli unlock"

GALLERY_DIR="$BUILD_DIR/demo-pages"
if "$BUILD_DIR/bin/skin-gallery" --lang English.ini --out "$GALLERY_DIR" >/dev/null; then
  echo "The client's pages are drawn in $GALLERY_DIR (the unlock page: page-05-normal.png)."
fi
