#!/usr/bin/env python3
"""quellmark end to end on a real display (Xvfb + openbox + a tray host), against
quellmark-emulator on loopback, inside a network namespace of its own: the window appears centred
after the first pass, one row per device, a row lights up under the pointer, the connect button
opens exactly "http://" + the device's IP, a rescan picks up a device added to the emulator,
minimise hides the window, a second start brings it back and ends with 0, close ends with 0.

Screenshots go to $QUELLMARK_SCREENSHOT_DIR (default build/screenshots).
"""

import os
import pathlib
import sys
import time
import unittest

import desktop_session as ds

ds.enter_private_network([str(pathlib.Path(__file__).resolve())] + sys.argv[1:])
ds.require_tools()

from quellmark_e2e import Emulator, config_line  # noqa: E402

SHOTS = pathlib.Path(os.environ.get("QUELLMARK_SCREENSHOT_DIR", ds.REPO / "build" / "screenshots"))
TITLE = "Quellmark"
WINDOW_WIDTH, WINDOW_HEIGHT = 665, 520
ROW_LEFT, ROWS_TOP, ROW_HEIGHT = 43, 130, 34
CONNECT_X, CONNECT_Y = 502 + 25, 7 + 10  # centre of a row's connect button, row coordinates

DEVICES = [
    ("192.0.2.20", "02-51-4D-00-00-20", "QM-500W", "Living room"),
    ("192.0.2.21", "02-51-4D-00-00-21", "QM-500W", "Study, upstairs"),
    ("192.0.2.22", "02-51-4D-00-00-22", "QM-1200 AV", "Garage workshop"),
]
ADDED = ("192.0.2.23", "02-51-4D-00-00-23", "QM-500W", "Attic")


def config(devices):
    return "".join(config_line(*d) for d in devices)


class GuiLoopback(unittest.TestCase):
    def setUp(self):
        self.desktop = ds.Desktop()
        self.addCleanup(self.desktop.close)
        self.emulator = Emulator("--listen", "127.255.255.255", "--quiet", config_text=config(DEVICES))
        self.addCleanup(self.emulator.stop)

    def row_point(self, origin, row, x, y):
        return origin[0] + ROW_LEFT + x, origin[1] + ROWS_TOP + ROW_HEIGHT * row + y

    def test_the_program_on_a_desktop(self):
        d = self.desktop
        started = time.monotonic()
        program = d.start_quellmark()
        self.addCleanup(lambda: program.poll() is None and program.kill())

        window = d.wait_window(TITLE)
        self.assertIsNotNone(window, "no window")
        shown_after = time.monotonic() - started
        # The first pass waits a full second for more replies before it ends; the window comes after it.
        self.assertTrue(self.emulator.probes(), "the window came before any probe")
        self.assertGreaterEqual(shown_after, 1.0)
        time.sleep(0.5)
        x, y, w, h = d.geometry(window)
        self.assertEqual((w, h), (WINDOW_WIDTH, WINDOW_HEIGHT))
        # Centred in the available area's width and height (the window manager's work area).
        area_width, area_height = d.work_area_size()
        self.assertEqual((x, y), (max((area_width - w) // 2, 0), max((area_height - h) // 2, 0)))
        origin = (x, y)
        shot = d.screenshot(SHOTS / "gui-1-started.png")

        # Rows: text in the label area of rows 0..2, none in row 3 and below.
        d.move_pointer(5, ds.SCREEN_HEIGHT - 5)
        time.sleep(0.2)
        shot = d.screenshot(SHOTS / "gui-2-rows.png")

        def text_area(row):
            x, y = self.row_point(origin, row, 5, 10)
            return d.region_mean(shot, x, y, 470, 20)

        empty = text_area(3)
        for row in range(3):
            self.assertLess(text_area(row), empty - 0.02, f"row {row} shows no text")
        self.assertAlmostEqual(text_area(9), empty, delta=0.005)

        # Hover: the row under the pointer changes its picture, the others do not.
        before = d.pixel(shot, *self.row_point(origin, 1, 470, 3))
        d.move_pointer(*self.row_point(origin, 1, 470, 17))
        time.sleep(0.3)
        d.move_pointer(*self.row_point(origin, 1, 471, 18))
        time.sleep(0.3)
        shot = d.screenshot(SHOTS / "gui-3-hover.png")
        self.assertNotEqual(d.pixel(shot, *self.row_point(origin, 1, 470, 3)), before, "row 1 not lit")
        self.assertEqual(d.pixel(shot, *self.row_point(origin, 0, 470, 3)), before, "row 0 lit")

        # Connect: exactly "http://" + the IP, as one argument.
        d.click(*self.row_point(origin, 2, CONNECT_X, CONNECT_Y))
        self.wait_for(lambda: d.opened_urls(), "xdg-open")
        self.assertEqual(d.opened_urls(), ["1 [http://192.0.2.22]"])

        # Rescan: the emulator learns a fourth device; the rescan button scans again.
        self.emulator.set_devices(config(DEVICES + [ADDED]))
        d.click(origin[0] + 40 + 49, origin[1] + 480 + 12)
        time.sleep(0.3)
        d.screenshot(SHOTS / "gui-4-scanning.png")
        time.sleep(1.5)
        d.move_pointer(5, ds.SCREEN_HEIGHT - 5)
        time.sleep(0.2)
        d.screenshot(SHOTS / "gui-5-rescanned.png")
        d.click(*self.row_point(origin, 3, CONNECT_X, CONNECT_Y))
        self.wait_for(lambda: len(d.opened_urls()) == 2, "xdg-open after the rescan")
        self.assertEqual(d.opened_urls()[1], "1 [http://192.0.2.23]")

        # Minimise hides the window; a second start brings it back and ends with 0.
        d.click(origin[0] + 600 + 14, origin[1] + 3 + 9)
        self.assertTrue(d.wait_no_window(TITLE), "minimise did not hide the window")
        d.screenshot(SHOTS / "gui-6-hidden.png")
        second = d.start_quellmark()
        self.assertEqual(second.wait(timeout=20), 0)
        self.assertIsNotNone(d.wait_window(TITLE, timeout=10), "the second start did not show the window")
        self.assertEqual(len(d.find_windows(TITLE, visible=True)), 1, "the second start made a window")
        time.sleep(0.3)
        d.screenshot(SHOTS / "gui-7-raised.png")

        # Close ends the program with 0.
        x, y, _, _ = d.geometry(d.wait_window(TITLE))
        d.click(x + 630 + 14, y + 3 + 9)
        self.assertEqual(program.wait(timeout=20), 0)

    def test_dragging_the_face_moves_the_window(self):
        d = self.desktop
        program = d.start_quellmark()
        self.addCleanup(lambda: program.poll() is None and program.kill())
        self.assertIsNotNone(d.wait_window(TITLE), "no window")
        time.sleep(0.5)
        x, y, _, _ = d.geometry(d.wait_window(TITLE))
        d.move_pointer(x + 300, y + 30)
        d.xdotool("mousedown", 1)
        for step in range(1, 11):
            d.move_pointer(x + 300 + 6 * step, y + 30 + 4 * step)
            time.sleep(0.03)
        d.xdotool("mouseup", 1)
        time.sleep(0.3)
        moved_x, moved_y, _, _ = d.geometry(d.wait_window(TITLE))
        # The move starts at the first movement with the button held, so that first step is not
        # part of it: the window follows the rest of the way.
        self.assertTrue(54 <= moved_x - x <= 60 and 36 <= moved_y - y <= 40,
                        f"the drag moved the window by {(moved_x - x, moved_y - y)}, not about (60, 40)")
        d.screenshot(SHOTS / "gui-8-dragged.png")

        d.move_pointer(5, ds.SCREEN_HEIGHT - 5)
        time.sleep(0.3)
        self.assertEqual(d.geometry(d.wait_window(TITLE))[:2], (moved_x, moved_y), "the window follows the pointer")

    def wait_for(self, check, what, timeout=10):
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            if check():
                return
            time.sleep(0.05)
        self.fail(f"{what}: nothing after {timeout} s")


if __name__ == "__main__":
    unittest.main()
