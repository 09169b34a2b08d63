#!/usr/bin/env bash
# Installs every Debian package the project needs to build, test and run.
# Runs apt-get only for packages that are missing, so a second call is quick.
set -euo pipefail
PACKAGES=(
  cmake ninja-build pkg-config g++ make git
  libssl-dev libjsoncpp-dev libpugixml-dev libzip-dev zip
  libcairo2-dev libpango1.0-dev libfontconfig-dev libsdl2-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  libgdk-pixbuf-2.0-dev librsvg2-bin imagemagick fonts-inter fonts-noto-cjk
  xvfb xauth xdotool hyperfine
)
missing=()
for p in "${PACKAGES[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO="sudo"
echo "installing: ${missing[*]}"
$SUDO apt-get update -qq
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
