#!/usr/bin/env bash
# Runs every benchmark program of a build and prints its figures.
set -euo pipefail
build=${1:-build}
shopt -s nullglob
found=0
for b in "$build"/bin/*_bench; do
  found=1
  echo "== $(basename "$b")"
  "$b" --benchmark_min_time=0.2
done
[ $found -eq 1 ] || echo "no benchmark programs in $build/bin"
