#!/usr/bin/env bash
# Demo on loopback: quellmark-emulator answers as the three sample devices, quellmark-scan lists
# them. Builds nothing: run ./scripts/build.sh first. Nothing leaves this machine: the emulator
# listens on lo's broadcast address only (and answers loopback sources only), and the scan probes
# lo only.
#
#   ./scripts/demo.sh            the scan as a table
#   ./scripts/demo.sh --json     the scan as JSON
#   ./scripts/demo.sh --gui      the desktop program, quellmark --interface lo, on your display;
#                                the demo ends when you close its window
set -euo pipefail
cd "$(dirname "$0")/.."

BIN=${QUELLMARK_BIN_DIR:-build/bin}
DEVICES=tools/quellmark-emulator/sample-devices.conf
GUI=0
SCAN_ARGS=()
for arg in "$@"; do
    if [ "$arg" = "--gui" ]; then
        GUI=1
    else
        SCAN_ARGS+=("$arg")
    fi
done

workdir=$(mktemp -d)
emulator_pid=""

cleanup() {
    if [ -n "$emulator_pid" ]; then
        kill "$emulator_pid" 2>/dev/null || true
        wait "$emulator_pid" 2>/dev/null || true
    fi
    rm -rf "$workdir"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

require() {
    for program in "$@"; do
        if [ ! -x "$BIN/$program" ]; then
            echo "demo: $BIN/$program is missing; build first: ./scripts/build.sh" >&2
            exit 1
        fi
    done
}

# Starts the emulator in the background and waits until it listens.
start_emulator() {
    "$BIN/quellmark-emulator" --config "$DEVICES" --listen 127.255.255.255 --quiet \
        --ready-file "$workdir/emulator.ready" >"$workdir/emulator.log" 2>&1 &
    emulator_pid=$!
    for _ in $(seq 100); do
        [ -s "$workdir/emulator.ready" ] && return 0
        if ! kill -0 "$emulator_pid" 2>/dev/null; then
            echo "demo: the emulator did not start:" >&2
            cat "$workdir/emulator.log" >&2
            emulator_pid=""
            exit 1
        fi
        sleep 0.05
    done
    echo "demo: the emulator is not ready after 5 s" >&2
    exit 1
}

run_scan() {
    echo "\$ quellmark-scan --interface lo${SCAN_ARGS[*]:+ ${SCAN_ARGS[*]}}"
    "$BIN/quellmark-scan" --interface lo "${SCAN_ARGS[@]}"
}

# The desktop program on loopback: its window appears after the first scan (about a second) and
# lists the sample devices; rescan, hover a row, press Connect (your browser opens the device's
# address, which leads nowhere: the devices are emulated).
run_gui() {
    if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
        echo "demo: --gui needs a desktop session (DISPLAY or WAYLAND_DISPLAY)" >&2
        exit 1
    fi
    echo "\$ quellmark --interface lo"
    "$BIN/quellmark" --interface lo
}

if [ "$GUI" = 1 ]; then
    require quellmark-emulator quellmark
else
    require quellmark-emulator quellmark-scan
fi
start_emulator
echo "demo: emulator answering as $(grep -cv '^\s*\(#\|$\)' "$DEVICES") devices on loopback"
if [ "$GUI" = 1 ]; then
    run_gui
else
    run_scan
fi
