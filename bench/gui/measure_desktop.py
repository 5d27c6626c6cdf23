#!/usr/bin/env python3
"""Start-up time, resident memory and idle CPU of quellmark, side by side with a bare Qt window
program (bench_gui_bare_window), in one run on a private Xvfb + openbox desktop, inside a network
namespace holding only loopback (quellmark probes lo; nobody answers, so its first pass is the
probe plus one reply wait of 1 s, which is taken off its start-up time).

  python3 bench/gui/measure_desktop.py [--runs N] [--idle-seconds S]

Prints one line per figure and the ratios the program is held to.
"""

import argparse
import os
import pathlib
import statistics
import struct
import subprocess
import sys
import time

HERE = pathlib.Path(__file__).resolve().parent
sys.path.insert(0, str(HERE.parents[1] / "tests" / "e2e_gui"))

import desktop_session as ds  # noqa: E402

ds.enter_private_network([str(pathlib.Path(__file__).resolve())] + sys.argv[1:])

BARE = ds.BIN_DIR / "bench_gui_bare_window"
REPLY_WAIT = 1.0
CLOCK_TICKS = os.sysconf("SC_CLK_TCK")


def png_decoded_bytes(folder):
    """What the decoded pictures take: width x height x 4 bytes each."""
    total = 0
    for path in sorted(pathlib.Path(folder).glob("*.png")):
        header = path.read_bytes()[:24]
        width, height = struct.unpack(">II", header[16:24])
        total += width * height * 4
    return total


def resident_kib(pid):
    for line in pathlib.Path(f"/proc/{pid}/status").read_text().splitlines():
        if line.startswith("VmRSS:"):
            return int(line.split()[1])
    return 0


def cpu_seconds(pid):
    fields = pathlib.Path(f"/proc/{pid}/stat").read_text().rsplit(")", 1)[1].split()
    return (int(fields[11]) + int(fields[12])) / CLOCK_TICKS


def wait_shown(desktop, title, timeout=20):
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        result = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", f"^{title}$"], env=desktop.env,
                                capture_output=True)
        if result.returncode == 0 and result.stdout.strip():
            return time.monotonic()
        time.sleep(0.002)
    raise RuntimeError(f"{title}: no window")


def start_once(desktop, argv, title):
    start = time.monotonic()
    process = subprocess.Popen(argv, env=desktop.env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    shown = wait_shown(desktop, title)
    return process, shown - start


def stop(process):
    process.terminate()
    try:
        process.wait(timeout=5)
    except subprocess.TimeoutExpired:
        process.kill()
        process.wait()


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--runs", type=int, default=5)
    parser.add_argument("--idle-seconds", type=float, default=60)
    args = parser.parse_args()
    ds.require_tools()
    if not BARE.exists():
        print(f"{BARE} is missing", file=sys.stderr)
        return ds.SKIP_EXIT

    desktop = ds.Desktop(tray=True)
    try:
        programs = {
            "bare window": ([str(BARE)], "Bare Window", 0.0),
            "quellmark": ([str(ds.QUELLMARK), "--interface", "lo"], "Quellmark", REPLY_WAIT),
        }
        startup = {}
        resident = {}
        for name, (argv, title, scan) in programs.items():
            times = []
            rss = []
            for _ in range(args.runs):
                process, elapsed = start_once(desktop, argv, title)
                time.sleep(2)
                rss.append(resident_kib(process.pid))
                stop(process)
                times.append(elapsed - scan)
                time.sleep(0.3)
            startup[name] = statistics.median(times)
            resident[name] = statistics.median(rss)
            print(f"{name}: start to window shown {startup[name] * 1000:.0f} ms (median of {args.runs}"
                  f"{', less the 1 s reply wait of the first pass' if scan else ''}); resident {resident[name]} KiB")

        images = png_decoded_bytes(ds.REPO / "resources" / "png") / 1024
        ratio = startup["quellmark"] / startup["bare window"]
        print(f"start-up ratio: {ratio:.2f} (at most 1.5)")
        limit = 1.3 * resident["bare window"] + images
        print(f"resident memory: {resident['quellmark']} KiB against 1.3 x {resident['bare window']} KiB + "
              f"{images:.0f} KiB of decoded pictures = {limit:.0f} KiB")

        process, _ = start_once(desktop, programs["quellmark"][0], "Quellmark")
        desktop.move_pointer(2, ds.SCREEN_HEIGHT - 2)
        time.sleep(2)
        before = cpu_seconds(process.pid)
        time.sleep(args.idle_seconds)
        used = cpu_seconds(process.pid) - before
        stop(process)
        print(f"idle CPU over {args.idle_seconds:.0f} s, window shown, pointer away: {used:.2f} s = "
              f"{100 * used / args.idle_seconds:.3f} % of one core (at most 0.1 %)")
    finally:
        desktop.close()
    return 0


if __name__ == "__main__":
    sys.exit(main())
