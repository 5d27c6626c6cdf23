#!/usr/bin/env bash
# Runs the scan-pass benchmark: ./bench/scan_pass/run.sh [RUNS] [BUILD_DIR]
# Inside a private network namespace (unshare -rn, loopback only) when the kernel allows it, else
# on this machine's loopback. Only lo is probed in either case.
set -euo pipefail
cd "$(dirname "$0")/../.."
runs=${1:-5}
bench=${2:-build}/bin/bench_scan_pass
if [ ! -x "$bench" ]; then
    echo "bench: $bench is missing; build it: cmake --build ${2:-build} --target bench_scan_pass" >&2
    exit 1
fi
if unshare -rn true 2>/dev/null; then
    exec unshare -rn sh -c 'ip link set lo up && exec "$0" "$1"' "$bench" "$runs"
fi
echo "bench: no private namespace (unshare -rn unavailable); running on this machine's loopback" >&2
exec "$bench" "$runs"
