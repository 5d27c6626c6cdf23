#!/usr/bin/env python3
"""The tray icon and its popup on a real X display: Xvfb, openbox and trayer (an XEmbed tray).

usage: tray_e2e.py PROGRAM [OUTDIR]   (TRAY_E2E_DISPLAY=:N to use a given display number)

PROGRAM is a window with the tray icon that prints its events as tray_demo does ("ready",
"notify M", "command ID", "shown X Y W H", "exit CODE"); it is started with --hidden, as if
minimised to the tray. The script clicks the icon and the popup with xdotool and keeps a
screenshot of each step in OUTDIR. Steps checked:
  2. a right click opens the popup at the pointer ("Open" bold, "Exit"), Escape dismisses it and
     no command arrives;
  1. the icon is in the tray, its tip shows when the pointer rests on it (see 1-tip.png);
  3. a left click shows the hidden window centred and active;
  4. the window closed (hidden to the tray), right click, Open (Down, Return): the command 32771
     arrives and the window is shown and active;
  5. right click, Exit (pointer over it, left click): the command 32772 arrives, the program ends with status 0
     and the icon leaves the tray.
Exit status 0 when every step held; the failed step is printed otherwise.
"""

import os
import subprocess
import sys
import time

import shutil

# Set once Xvfb has chosen a free display (or from TRAY_E2E_DISPLAY).
DISPLAY = os.environ.get("TRAY_E2E_DISPLAY", "")
SCREEN_W, SCREEN_H = 1024, 768
TOOLS = ("Xvfb", "openbox", "trayer", "xdotool", "xwininfo", "xdpyinfo", "import")
SKIP = 77  # CTest's SKIP_RETURN_CODE for this test


def run(*args, check=True):
    return subprocess.run(args, check=check, capture_output=True, text=True,
                          env=dict(os.environ, DISPLAY=DISPLAY)).stdout.strip()


def wait_for(predicate, timeout=10.0, what="condition"):
    deadline = time.time() + timeout
    while time.time() < deadline:
        value = predicate()
        if value:
            return value
        time.sleep(0.1)
    raise AssertionError("timed out waiting for " + what)


class Program:
    def __init__(self, path, log_path):
        self.log_path = log_path
        self.log = open(log_path, "w")
        self.process = subprocess.Popen([path, "--hidden"], stdout=self.log, stderr=subprocess.STDOUT,
                                        env=dict(os.environ, DISPLAY=DISPLAY, QT_QPA_PLATFORM="xcb"))

    def lines(self):
        with open(self.log_path) as f:
            return [line.strip() for line in f]

    def wait_line(self, prefix, after=0, timeout=10.0):
        return wait_for(lambda: next((l for l in self.lines()[after:] if l.startswith(prefix)), None),
                        timeout, "a line starting with '%s'" % prefix)


def screenshot(outdir, name):
    path = os.path.join(outdir, name + ".png")
    run("import", "-window", "root", path)
    return path


def tray_icon_centre():
    """The centre of the one icon in the tray: trayer sizes itself to what it holds."""
    windows = run("xdotool", "search", "--onlyvisible", "--class", "trayer", check=False).split()
    for window in windows:
        info = run("xwininfo", "-id", window, check=False)
        values = {}
        for line in info.splitlines():
            key, _, value = line.strip().partition(":")
            values[key] = value.strip()
        try:
            x, y = int(values["Absolute upper-left X"]), int(values["Absolute upper-left Y"])
            w, h = int(values["Width"]), int(values["Height"])
        except (KeyError, ValueError):
            continue
        # An empty tray shrinks to a sliver; an icon makes it at least as wide as it is high.
        if w >= h > 4:
            return x + w // 2, y + h // 2
    return None


def assert_active():
    name = run("xdotool", "getactivewindow", "getwindowname", check=False)
    assert name == "Quellmark tray demo", "the active window is '%s'" % name


def click(x, y, button):
    run("xdotool", "mousemove", str(x), str(y))
    time.sleep(0.2)
    run("xdotool", "click", str(button))


def start_xvfb(helpers):
    """Xvfb on a display number it finds free itself, so parallel runs do not meet."""
    global DISPLAY
    command = ["Xvfb", "-screen", "0", "%dx%dx24" % (SCREEN_W, SCREEN_H), "-nolisten", "tcp"]
    if DISPLAY:
        helpers.append(subprocess.Popen([command[0], DISPLAY] + command[1:], stderr=subprocess.DEVNULL))
        return
    read_end, write_end = os.pipe()
    helpers.append(subprocess.Popen(command + ["-displayfd", str(write_end)], pass_fds=(write_end,),
                                    stderr=subprocess.DEVNULL))
    os.close(write_end)
    with os.fdopen(read_end) as pipe:
        number = pipe.readline().strip()
    if not number:
        raise AssertionError("Xvfb did not start")
    DISPLAY = ":" + number


def main():
    program = os.path.abspath(sys.argv[1])
    outdir = os.path.abspath(sys.argv[2] if len(sys.argv) > 2 else "tray-e2e-out")
    os.makedirs(outdir, exist_ok=True)
    missing = [tool for tool in TOOLS if shutil.which(tool) is None]
    if missing:
        print("skipped: missing " + ", ".join(missing))
        return SKIP
    helpers = []
    try:
        start_xvfb(helpers)
        wait_for(lambda: subprocess.run(["xdpyinfo", "-display", DISPLAY], capture_output=True).returncode == 0,
                 what="Xvfb")
        env = dict(os.environ, DISPLAY=DISPLAY)
        helpers.append(subprocess.Popen(["openbox"], env=env, stderr=subprocess.DEVNULL))
        helpers.append(subprocess.Popen(["trayer", "--edge", "bottom", "--align", "right", "--widthtype", "request",
                                         "--height", "24", "--SetDockType", "true", "--transparent", "false",
                                         "--tint", "0x303030"], env=env, stderr=subprocess.DEVNULL))
        time.sleep(1.5)

        app = Program(program, os.path.join(outdir, "program.log"))
        app.wait_line("ready")
        icon = wait_for(tray_icon_centre, what="the icon in the tray")
        time.sleep(0.5)
        screenshot(outdir, "1-icon")
        run("xdotool", "mousemove", str(icon[0]), str(icon[1]))
        time.sleep(2.0)
        screenshot(outdir, "1-tip")
        run("xdotool", "mousemove", str(SCREEN_W // 2), str(SCREEN_H // 4))
        print("step 1: icon at %d,%d" % icon)

        mark = len(app.lines())
        click(icon[0], icon[1], 3)
        app.wait_line("notify 517", mark)
        time.sleep(0.7)
        screenshot(outdir, "2-popup")
        run("xdotool", "key", "Escape")
        time.sleep(0.7)
        screenshot(outdir, "2-dismissed")
        assert not any(l.startswith("command") for l in app.lines()[mark:]), "dismissing chose a command"
        print("step 2: popup opened and dismissed without a command")

        mark = len(app.lines())
        click(icon[0], icon[1], 1)
        shown = app.wait_line("shown", mark).split()
        x, y, w, h = (int(v) for v in shown[1:])
        time.sleep(0.7)
        screenshot(outdir, "3-left-click")
        assert_active()
        print("step 3: left click showed the window at %d,%d size %dx%d" % (x, y, w, h))

        # Closing the window hides it to the tray (the program's minimise button does the same).
        mark = len(app.lines())
        run("xdotool", "key", "alt+F4")
        app.wait_line("hidden", mark)
        time.sleep(0.7)
        screenshot(outdir, "4-hidden")
        click(icon[0], icon[1], 3)
        app.wait_line("notify 517", mark)
        time.sleep(0.7)
        run("xdotool", "key", "Down")
        time.sleep(0.3)
        screenshot(outdir, "4-open-selected")
        run("xdotool", "key", "Return")
        app.wait_line("command 32771", mark)
        app.wait_line("shown", mark)
        time.sleep(0.7)
        screenshot(outdir, "4-opened")
        assert_active()
        print("step 4: Open chosen, window shown")

        mark = len(app.lines())
        click(icon[0], icon[1], 3)
        app.wait_line("notify 517", mark)
        time.sleep(0.7)
        # With the pointer this time: the popup opened up and to the left of the pointer (the tray
        # sits in the bottom-right corner), so "Exit", its last item, is just above the pointer.
        run("xdotool", "mousemove", str(icon[0] - 20), str(icon[1] - 13))
        time.sleep(0.4)
        screenshot(outdir, "5-exit-selected")
        run("xdotool", "click", "1")
        app.wait_line("command 32772", mark)
        status = app.process.wait(timeout=10)
        assert status == 0, "exit status %d" % status
        time.sleep(1.0)
        screenshot(outdir, "5-after-exit")
        assert tray_icon_centre() is None, "the icon is still in the tray"
        print("step 5: Exit ended the program with status 0; the tray is empty")
        print("screenshots in " + outdir)
        return 0
    except AssertionError as error:
        print("FAILED: %s" % error)
        return 1
    finally:
        for helper in reversed(helpers):
            helper.terminate()
        for helper in helpers:
            try:
                helper.wait(timeout=5)
            except subprocess.TimeoutExpired:
                helper.kill()


if __name__ == "__main__":
    sys.exit(main())
