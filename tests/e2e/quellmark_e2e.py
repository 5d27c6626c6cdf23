"""Shared pieces of the discovery end-to-end tests: starting quellmark-emulator, running
quellmark-scan, reading their outputs.

Nothing here picks an interface on its own: every scan names its interfaces, and the callers run
inside network namespaces of their own (or on loopback), never on the machine's real networks.
"""

import json
import os
import pathlib
import shutil
import signal
import subprocess
import tempfile
import time

REPO = pathlib.Path(__file__).resolve().parents[2]
BIN_DIR = pathlib.Path(os.environ.get("QUELLMARK_BIN_DIR", REPO / "build" / "bin"))
SCAN = BIN_DIR / "quellmark-scan"
EMULATOR = BIN_DIR / "quellmark-emulator"
SAMPLE_CONFIG = REPO / "tools" / "quellmark-emulator" / "sample-devices.conf"

# Exit status ctest reads as "skipped" (SKIP_RETURN_CODE in CMakeLists.txt).
SKIP_EXIT = 77

# The devices of the sample config, as the scan shows them.
SAMPLE_DEVICES = [
    {"description": "Living room", "model": "QM-500W", "ip": "192.0.2.20", "mac": "02-51-4D-00-00-20"},
    {"description": "Study, upstairs", "model": "QM-500W", "ip": "192.0.2.21", "mac": "02-51-4D-00-00-21"},
    {"description": "Garage workshop", "model": "QM-1200 AV", "ip": "192.0.2.22", "mac": "02-51-4D-00-00-22"},
]


def netns_prefix(netns):
    return ["ip", "netns", "exec", netns] if netns else []


class Emulator:
    """A running quellmark-emulator; use as a context manager so it always stops."""

    def __init__(self, *args, netns=None, config_text=None):
        self._dir = pathlib.Path(tempfile.mkdtemp(prefix="qm-emulator-"))
        self.ready_file = self._dir / "ready"
        self.probe_log = self._dir / "probes.log"
        self.config = self._dir / "devices.conf"
        self.output = self._dir / "output.log"
        argv = [str(EMULATOR), "--ready-file", str(self.ready_file), "--probe-log", str(self.probe_log)]
        if config_text is not None:
            self.config.write_text(config_text)
            argv += ["--config", str(self.config)]
        argv += [str(a) for a in args]
        with open(self.output, "wb") as out:
            self.process = subprocess.Popen(netns_prefix(netns) + argv, stdout=out, stderr=subprocess.STDOUT)
        self._wait_ready(reloads=0)

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        self.stop()
        return False

    def _ready_line(self):
        try:
            return self.ready_file.read_text()
        except FileNotFoundError:
            return ""

    def _wait_ready(self, reloads):
        deadline = time.monotonic() + 10
        while time.monotonic() < deadline:
            if f"reloads={reloads}" in self._ready_line():
                return
            if self.process.poll() is not None:
                raise RuntimeError(f"quellmark-emulator ended with {self.process.returncode}: {self.log()}")
            time.sleep(0.02)
        raise RuntimeError(f"quellmark-emulator not ready after 10 s: {self.log()}")

    def log(self):
        return self.output.read_text(errors="replace")

    def set_devices(self, config_text):
        """Rewrites the config file and has the running emulator re-read it (SIGHUP)."""
        before = int(self._ready_line().split("reloads=")[1])
        self.config.write_text(config_text)
        self.process.send_signal(signal.SIGHUP)
        self._wait_ready(reloads=before + 1)

    def probes(self):
        """Every datagram received so far: a list of (source address, source port, bytes)."""
        if not self.probe_log.exists():
            return []
        result = []
        for line in self.probe_log.read_text().splitlines():
            endpoint, hexbytes = line.split(" ")
            address, port = endpoint.rsplit(":", 1)
            result.append((address, int(port), bytes.fromhex(hexbytes)))
        return result

    def stop(self):
        if self.process.poll() is None:
            self.process.send_signal(signal.SIGTERM)
            try:
                self.process.wait(timeout=5)
            except subprocess.TimeoutExpired:
                self.process.kill()
                self.process.wait()
        shutil.rmtree(self._dir, ignore_errors=True)


def run_scan(*args, netns=None, timeout=60):
    """Runs quellmark-scan; stdout and stderr are kept as bytes (device texts may be anything)."""
    return subprocess.run(netns_prefix(netns) + [str(SCAN)] + [str(a) for a in args],
                          capture_output=True, timeout=timeout)


def scan_json(test, *args, netns=None):
    """Runs a scan with --json, checks exit 0 and returns the parsed list."""
    result = run_scan("--json", *args, netns=netns)
    test.assertEqual(result.returncode, 0, result.stderr.decode(errors="replace"))
    return json.loads(result.stdout.decode("utf-8"))


def parse_table(text):
    """Splits quellmark-scan's table into rows of four cells, using the header's column starts."""
    lines = text.splitlines()
    header = lines[0]
    starts = [0, header.index("Model"), header.index("IP Address"), header.index("MAC Address")]
    rows = []
    for line in lines:
        cells = [line[starts[i]:starts[i + 1]].rstrip() if i < 3 else line[starts[i]:] for i in range(4)]
        rows.append(cells)
    return rows


def parse_probe(datagram):
    """The fields of a 164-byte probe: (type, pair count, [(address, mask), ...] of the used slots, rest)."""
    kind = int.from_bytes(datagram[0:2], "little")
    count = int.from_bytes(datagram[2:4], "little")
    pairs = []
    for k in range(min(count, 20)):
        slot = datagram[4 + 8 * k:12 + 8 * k]
        pairs.append((".".join(str(b) for b in slot[0:4]), ".".join(str(b) for b in slot[4:8])))
    return kind, count, pairs, datagram[4 + 8 * min(count, 20):]


def config_line(ip, mac, model, description=""):
    return f'{ip} {mac} "{model}" "{description}"\n'
