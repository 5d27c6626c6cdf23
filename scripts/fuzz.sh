#!/usr/bin/env bash
# Builds the libFuzzer targets with Clang (sanitizers on) and runs each for the given seconds.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz
shopt -s nullglob
targets=(build-fuzz/bin/fuzz-*)
if [ ${#targets[@]} -eq 0 ]; then
  echo "fuzz: no fuzz targets built yet"
  exit 0
fi
for t in "${targets[@]}"; do
  corpus=$(mktemp -d)
  echo "fuzz: $t for ${seconds}s"
  "$t" -max_total_time="$seconds" -print_final_stats=1 "$corpus"
  rm -rf "$corpus"
done
