"""A private desktop for the end-to-end GUI tests: its own network namespace holding only
loopback (so discovery traffic can reach nothing but lo), an Xvfb display, openbox, a tray host,
a fake xdg-open that records the addresses the program opens, and a private XDG_RUNTIME_DIR (so
the single-instance channel of a test never meets a quellmark the user runs).
"""

import os
import pathlib
import shutil
import subprocess
import sys
import tempfile
import time

HERE = pathlib.Path(__file__).resolve().parent
REPO = HERE.parents[1]
sys.path.insert(0, str(REPO / "tests" / "e2e"))

import quellmark_e2e  # noqa: E402  (the emulator helper of the discovery end-to-end tests)

BIN_DIR = quellmark_e2e.BIN_DIR
QUELLMARK = BIN_DIR / "quellmark"
SKIP_EXIT = 77
SCREEN_WIDTH = 1280
SCREEN_HEIGHT = 800


def enter_private_network(argv):
    """Re-runs this script inside `unshare -rn` (a namespace with loopback only), once."""
    if os.environ.get("QUELLMARK_E2E_NETNS") == "1":
        subprocess.run(["ip", "link", "set", "lo", "up"], check=True)
        return
    if shutil.which("unshare") is None:
        print("unshare is missing: no private network namespace", file=sys.stderr)
        sys.exit(SKIP_EXIT)
    probe = subprocess.run(["unshare", "-rn", "true"], capture_output=True)
    if probe.returncode != 0:
        print("user namespaces are not available: " + probe.stderr.decode(errors="replace"), file=sys.stderr)
        sys.exit(SKIP_EXIT)
    env = dict(os.environ, QUELLMARK_E2E_NETNS="1")
    result = subprocess.run(["unshare", "-rn", sys.executable] + argv, env=env)
    sys.exit(result.returncode)


def require_tools():
    missing = [t for t in ("Xvfb", "openbox", "xdotool", "import") if shutil.which(t) is None]
    if missing or not QUELLMARK.exists():
        print("missing: " + " ".join(missing + ([str(QUELLMARK)] if not QUELLMARK.exists() else [])),
              file=sys.stderr)
        sys.exit(SKIP_EXIT)


class Desktop:
    def __init__(self, tray=True):
        self.dir = pathlib.Path(tempfile.mkdtemp(prefix="qm-desktop-"))
        self.runtime = self.dir / "runtime"
        self.runtime.mkdir(mode=0o700)
        self.fake_bin = self.dir / "bin"
        self.fake_bin.mkdir()
        self.opened = self.dir / "opened.log"
        opener = self.fake_bin / "xdg-open"
        # One line per call: the argument count, then each argument between brackets.
        opener.write_text('#!/bin/sh\n{ printf "%s" "$#"; for a in "$@"; do printf " [%s]" "$a"; done; echo; }'
                          f' >> "{self.opened}"\n')
        opener.chmod(0o755)
        self.processes = []
        self.display = self._start_xvfb()
        self.env = dict(os.environ, DISPLAY=self.display, XDG_RUNTIME_DIR=str(self.runtime),
                        PATH=f"{self.fake_bin}:{os.environ.get('PATH', '/usr/bin:/bin')}",
                        QT_QPA_PLATFORM="xcb", HOME=str(self.dir))
        self.env.pop("QUELLMARK_MESSAGE_BOX_LOG", None)
        self._start(["openbox", "--sm-disable"])
        self._wait_for(lambda: self._xprop_root("_NET_SUPPORTING_WM_CHECK"), "openbox")
        if tray and shutil.which("trayer"):
            self._start(["trayer", "--edge", "top", "--align", "right", "--widthtype", "pixel", "--width", "64",
                         "--heighttype", "pixel", "--height", "24", "--SetDockType", "true"])
            time.sleep(0.5)

    def _start_xvfb(self):
        read_end, write_end = os.pipe()
        process = subprocess.Popen(["Xvfb", "-displayfd", str(write_end), "-screen", "0",
                                    f"{SCREEN_WIDTH}x{SCREEN_HEIGHT}x24", "-nolisten", "tcp"],
                                   pass_fds=(write_end,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(write_end)
        self.processes.append(process)
        number = b""
        with os.fdopen(read_end, "rb") as pipe:
            while not number.endswith(b"\n"):
                chunk = pipe.read(1)
                if not chunk:
                    raise RuntimeError("Xvfb did not start")
                number += chunk
        return ":" + number.decode().strip()

    def _start(self, argv, **kwargs):
        process = subprocess.Popen(argv, env=self.env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                                   **kwargs)
        self.processes.append(process)
        return process

    def _xprop_root(self, atom):
        result = subprocess.run(["xprop", "-root", atom], env=self.env, capture_output=True, text=True)
        return result.returncode == 0 and "not found" not in result.stdout and "no such" not in result.stdout

    @staticmethod
    def _wait_for(check, what, timeout=10):
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            if check():
                return True
            time.sleep(0.05)
        raise RuntimeError(f"{what} not ready after {timeout} s")

    def xdotool(self, *args):
        return subprocess.run(["xdotool"] + [str(a) for a in args], env=self.env, capture_output=True,
                              text=True, timeout=30)

    def find_windows(self, name, visible=True):
        args = ["search"] + (["--onlyvisible"] if visible else []) + ["--name", f"^{name}$"]
        result = self.xdotool(*args)
        return [w for w in result.stdout.split()] if result.returncode == 0 else []

    def wait_window(self, name, visible=True, timeout=20):
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            windows = self.find_windows(name, visible)
            if windows:
                return windows[0]
            time.sleep(0.02)
        return None

    def wait_no_window(self, name, timeout=10):
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            if not self.find_windows(name, True):
                return True
            time.sleep(0.05)
        return False

    def geometry(self, window):
        """(x, y, width, height) of a window on the screen."""
        out = self.xdotool("getwindowgeometry", "--shell", window).stdout
        values = dict(line.split("=", 1) for line in out.split() if "=" in line)
        return int(values["X"]), int(values["Y"]), int(values["WIDTH"]), int(values["HEIGHT"])

    def work_area_size(self):
        """Width and height of the window manager's work area (the screen less docks)."""
        out = subprocess.run(["xprop", "-root", "_NET_WORKAREA"], env=self.env, capture_output=True,
                             text=True).stdout
        if "=" not in out:
            return SCREEN_WIDTH, SCREEN_HEIGHT
        values = [int(v) for v in out.split("=", 1)[1].replace(",", " ").split()]
        return values[2], values[3]

    def move_pointer(self, x, y):
        self.xdotool("mousemove", "--sync", x, y)

    def click(self, x, y, button=1):
        self.move_pointer(x, y)
        time.sleep(0.05)
        self.xdotool("click", button)

    def screenshot(self, path):
        path = pathlib.Path(path)
        path.parent.mkdir(parents=True, exist_ok=True)
        subprocess.run(["import", "-display", self.display, "-window", "root", str(path)], env=self.env,
                       check=True, timeout=30)
        return path

    def pixel(self, image, x, y):
        """The colour at (x, y) of a screenshot as (r, g, b)."""
        out = subprocess.run(["convert", str(image), "-format", f"%[pixel:p{{{x},{y}}}]", "info:"],
                             capture_output=True, text=True, check=True).stdout.strip()
        inner = out[out.index("(") + 1:out.index(")")]
        parts = [p.strip().rstrip("%") for p in inner.split(",")[:3]]
        values = [float(p) for p in parts]
        if "%" in inner:
            values = [v * 2.55 for v in values]
        return tuple(int(round(v)) for v in values)

    def region_mean(self, image, x, y, width, height):
        """The mean brightness (0 to 1) of a rectangle of a screenshot."""
        out = subprocess.run(["convert", str(image), "-crop", f"{width}x{height}+{x}+{y}", "+repage",
                              "-colorspace", "Gray", "-format", "%[fx:mean]", "info:"],
                             capture_output=True, text=True, check=True).stdout.strip()
        return float(out)

    def opened_urls(self):
        if not self.opened.exists():
            return []
        return self.opened.read_text().splitlines()

    def start_quellmark(self, *args, stderr_path=None):
        stderr = open(stderr_path or (self.dir / "quellmark.err"), "ab")
        return subprocess.Popen([str(QUELLMARK), "--interface", "lo"] + [str(a) for a in args], env=self.env,
                                stdout=subprocess.DEVNULL, stderr=stderr)

    def close(self):
        for process in reversed(self.processes):
            if process.poll() is None:
                process.terminate()
                try:
                    process.wait(timeout=5)
                except subprocess.TimeoutExpired:
                    process.kill()
                    process.wait()
        shutil.rmtree(self.dir, ignore_errors=True)
