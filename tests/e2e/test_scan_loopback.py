#!/usr/bin/env python3
"""quellmark-scan against quellmark-emulator over loopback, without root.

The script re-runs itself inside `unshare -rn` (a private network namespace that holds only a
loopback interface) when the kernel allows it, so it cannot collide with anything else on the
machine. Otherwise it runs on the machine's own loopback; ctest's RESOURCE_LOCK keeps it apart
from other users of UDP 28010/28011 then. Probes go to 127.255.255.255, lo's /8 broadcast.

Needs: python3, and iproute2 and util-linux (unshare) for the private namespace.
"""

import json
import os
import shutil
import signal
import socket
import subprocess
import sys
import time
import unittest

from quellmark_e2e import (SAMPLE_CONFIG, SAMPLE_DEVICES, SCAN, Emulator, config_line, parse_probe, parse_table,
                           run_scan, scan_json)

IN_PRIVATE_NAMESPACE = os.environ.get("QM_E2E_PRIVATE_NETNS") == "1"


def enter_private_namespace():
    if IN_PRIVATE_NAMESPACE:
        subprocess.run(["ip", "link", "set", "lo", "up"], check=True)
        return
    if shutil.which("unshare") and shutil.which("ip"):
        if subprocess.run(["unshare", "-rn", "true"], capture_output=True).returncode == 0:
            env = dict(os.environ, QM_E2E_PRIVATE_NETNS="1")
            sys.stdout.flush()
            os.execvpe("unshare", ["unshare", "-rn", sys.executable, os.path.abspath(__file__)] + sys.argv[1:], env)
    print("note: no private network namespace (unshare -rn is not available); using this machine's loopback",
          file=sys.stderr)


def needs_private_namespace(test):
    return unittest.skipUnless(IN_PRIVATE_NAMESPACE, "changes lo's addresses: only inside a private namespace")(test)


def ip(*args):
    subprocess.run(["ip"] + list(args), check=True)


class LoopbackScanTest(unittest.TestCase):
    def sample_emulator(self, *faults):
        return Emulator("--config", SAMPLE_CONFIG, *faults)

    def test_table_lists_the_devices_in_reply_order(self):
        with self.sample_emulator():
            result = run_scan("--interface", "lo")
        self.assertEqual(result.returncode, 0, result.stderr)
        self.assertEqual(result.stderr, b"")
        rows = parse_table(result.stdout.decode("utf-8"))
        self.assertEqual(rows[0], ["Description", "Model", "IP Address", "MAC Address"])
        self.assertEqual(rows[1:], [[d["description"], d["model"], d["ip"], d["mac"]] for d in SAMPLE_DEVICES])

    def test_json_is_an_array_of_four_keys_in_order(self):
        with self.sample_emulator():
            result = run_scan("--interface", "lo", "--json")
        self.assertEqual(result.returncode, 0, result.stderr)
        devices = json.loads(result.stdout, object_pairs_hook=lambda pairs: pairs)
        self.assertEqual([[key for key, _ in d] for d in devices], [["description", "model", "ip", "mac"]] * 3)
        self.assertEqual([dict(d) for d in devices], SAMPLE_DEVICES)

    def test_no_device_gives_an_empty_list_after_one_wait(self):
        started = time.monotonic()
        result = run_scan("--interface", "lo", "--json")
        elapsed = time.monotonic() - started
        self.assertEqual(result.returncode, 0, result.stderr)
        self.assertEqual(json.loads(result.stdout), [])
        self.assertGreater(elapsed, 0.95)
        self.assertLess(elapsed, 2.0)
        table = run_scan("--interface", "lo")
        self.assertEqual(table.returncode, 0)
        self.assertEqual(parse_table(table.stdout.decode()), [["Description", "Model", "IP Address", "MAC Address"]])

    def test_malformed_datagrams_are_ignored(self):
        # 159 and 161 bytes, and 160 bytes of type 00 01 and 02 00, all sent before the replies.
        with self.sample_emulator("--short-datagram", "--long-datagram", "--wrong-type"):
            self.assertEqual(scan_json(self, "--interface", "lo"), SAMPLE_DEVICES)

    def test_repeated_mac_keeps_the_first_reply(self):
        # Each device answers twice, then once more with its MAC, another model and another address.
        with self.sample_emulator("--duplicate", "--conflicting-model"):
            self.assertEqual(scan_json(self, "--interface", "lo"), SAMPLE_DEVICES)

    def test_twenty_devices_at_most(self):
        with Emulator("--flood", 25):
            devices = scan_json(self, "--interface", "lo")
        self.assertEqual([d["mac"] for d in devices], [f"02-F1-00-00-00-{n:02X}" for n in range(1, 21)])
        self.assertEqual(devices[19], {"description": "Flood device 20", "model": "FLOOD", "ip": "198.18.0.20",
                                       "mac": "02-F1-00-00-00-14"})

    def test_texts_of_any_bytes_give_valid_output(self):
        with Emulator("--non-ascii"):
            devices = scan_json(self, "--interface", "lo")
            table = run_scan("--interface", "lo")
        self.assertEqual(len(devices), 2)
        self.assertEqual(devices[0]["model"], "Gerät-ß")
        self.assertEqual(devices[0]["description"], "Küche – 東 🔌")
        # Bytes that are not UTF-8 still arrive as text, with JSON's special characters intact.
        self.assertTrue(devices[1]["model"].startswith("Caf"))
        self.assertIn('quote" backslash\\ tab\t bell\x07', devices[1]["description"])
        text = table.stdout.decode("utf-8")  # valid UTF-8 as well
        self.assertIn("Küche – 東 🔌", text)
        for control in "\t\x07\x1b":
            self.assertNotIn(control, text)

    def test_texts_that_fill_their_fields_are_cut_to_what_a_text_holds(self):
        with self.sample_emulator("--fill-fields"):
            devices = scan_json(self, "--interface", "lo")
        self.assertEqual(len(devices), 3)
        for device, sample in zip(devices, SAMPLE_DEVICES):
            self.assertEqual(len(device["model"]), 19)
            self.assertEqual(len(device["description"]), 127)
            self.assertTrue(device["model"].startswith(sample["model"][:19]))
            self.assertTrue(device["description"].startswith(sample["description"]))

    def test_probe_carries_lo_address_pair(self):
        with self.sample_emulator() as emulator:
            scan_json(self, "--interface", "lo")
            probes = emulator.probes()
        self.assertEqual(len(probes), 1)
        address, port, datagram = probes[0]
        self.assertEqual((address, port, len(datagram)), ("127.0.0.1", 28011, 164))
        kind, count, pairs, rest = parse_probe(datagram)
        self.assertEqual((kind, count, pairs), (1, 1, [("127.0.0.1", "255.0.0.0")]))
        self.assertEqual(rest, bytes(152))

    @needs_private_namespace
    def test_probe_carries_every_address_of_the_interface(self):
        ip("addr", "add", "10.77.0.1/24", "dev", "lo")
        try:
            with self.sample_emulator() as emulator:
                scan_json(self, "--interface", "lo")
                probes = emulator.probes()
        finally:
            ip("addr", "del", "10.77.0.1/24", "dev", "lo")
        # One probe, from the first address only; it describes both.
        self.assertEqual(len(probes), 1)
        self.assertEqual(probes[0][0], "127.0.0.1")
        kind, count, pairs, rest = parse_probe(probes[0][2])
        self.assertEqual(pairs, [("127.0.0.1", "255.0.0.0"), ("10.77.0.1", "255.255.255.0")])
        self.assertEqual(rest, bytes(144))

    @needs_private_namespace
    def test_emulator_answers_other_sources_only_when_allowed(self):
        # lo's first address becomes 10.77.0.1/24: the probe goes to 10.77.0.255 from a source
        # that is not loopback.
        ip("addr", "del", "127.0.0.1/8", "dev", "lo")
        ip("addr", "add", "10.77.0.1/24", "dev", "lo")
        try:
            with self.sample_emulator() as emulator:
                self.assertEqual(scan_json(self, "--interface", "lo"), [])
                self.assertEqual([p[:2] for p in emulator.probes()], [("10.77.0.1", 28011)])
            with self.sample_emulator("--allow-any-source"):
                self.assertEqual(scan_json(self, "--interface", "lo"), SAMPLE_DEVICES)
        finally:
            ip("addr", "del", "10.77.0.1/24", "dev", "lo")
            ip("addr", "add", "127.0.0.1/8", "dev", "lo")

    def test_a_reply_within_the_wait_is_taken(self):
        with self.sample_emulator("--delay", 400):
            self.assertEqual(scan_json(self, "--interface", "lo"), SAMPLE_DEVICES)

    def test_emulator_rereads_its_config_between_passes(self):
        first, second, third = (config_line(d["ip"], d["mac"], d["model"], d["description"]) for d in SAMPLE_DEVICES)
        with Emulator(config_text=first + second) as emulator:
            self.assertEqual(scan_json(self, "--interface", "lo"), SAMPLE_DEVICES[0:2])
            emulator.set_devices(second + third)
            self.assertEqual(scan_json(self, "--interface", "lo"), SAMPLE_DEVICES[1:3])
            # A config that does not parse leaves the devices as they were.
            emulator.config.write_text("not a device line\n")
            emulator.process.send_signal(signal.SIGHUP)
            deadline = time.monotonic() + 10
            while "reload failed" not in emulator.log() and time.monotonic() < deadline:
                time.sleep(0.02)
            self.assertIn("reload failed", emulator.log())
            self.assertEqual(scan_json(self, "--interface", "lo"), SAMPLE_DEVICES[1:3])

    def test_verbose_reports_the_probe_and_what_was_ignored(self):
        with self.sample_emulator("--short-datagram", "--wrong-type", "--duplicate"):
            quiet = run_scan("--interface", "lo")
            verbose = run_scan("--interface", "lo", "--verbose")
        self.assertEqual(quiet.stderr, b"")
        self.assertEqual(verbose.returncode, 0)
        self.assertEqual(verbose.stdout, quiet.stdout)
        lines = verbose.stderr.decode().splitlines()
        # The destination 127.255.255.255 in network order, printed as the host reads the value.
        expected = 0x7FFFFFFF if sys.byteorder == "big" else 0xFFFFFF7F
        self.assertIn(f"server_to.sin_addr.s_addr = {expected:x}", lines)
        text = "\n".join(lines)
        self.assertIn("159 bytes", text)
        self.assertIn("not a reply", text)
        self.assertIn("02-51-4D-00-00-20", text)  # its duplicate was dropped

    def test_usage_errors_exit_2_with_one_line(self):
        # Each case names lo too, so even a scan that wrongly went ahead would probe lo only.
        for args in (["--interface", "lo", "--frobnicate"], ["--interface", "lo", "--interface"],
                     ["--interface", "lo", "--json=yes"], ["--interface", "lo", "lo"]):
            with self.subTest(args=args):
                result = run_scan(*args)
                self.assertEqual(result.returncode, 2)
                self.assertEqual(len(result.stderr.decode().strip().splitlines()), 1, result.stderr)
                self.assertEqual(parse_table(result.stdout.decode()), [["Description", "Model", "IP Address", "MAC Address"]])
        as_json = run_scan("--interface", "lo", "--json", "--frobnicate")
        self.assertEqual((as_json.returncode, json.loads(as_json.stdout)), (2, []))

    def test_help_and_version(self):
        help_text = run_scan("--interface", "lo", "--help")
        self.assertEqual(help_text.returncode, 0)
        self.assertIn(b"--interface NAME", help_text.stdout)
        version = run_scan("--interface", "lo", "--version")
        self.assertEqual(version.returncode, 0)
        self.assertRegex(version.stdout.decode(), r"^quellmark-scan \d+\.\d+\.\d+\n$")

    def test_unknown_interface_exits_3_before_probing(self):
        with self.sample_emulator() as emulator:
            for args in (["--interface", "qm-nosuch0"], ["--interface", "lo", "--interface", "qm-nosuch0"]):
                with self.subTest(args=args):
                    result = run_scan(*args, "--json")
                    self.assertEqual(result.returncode, 3)
                    self.assertEqual(json.loads(result.stdout), [])
                    self.assertIn(b'"qm-nosuch0"', result.stderr)
            table = run_scan("--interface", "qm-nosuch0")
            self.assertEqual(table.returncode, 3)
            self.assertEqual(parse_table(table.stdout.decode()), [["Description", "Model", "IP Address", "MAC Address"]])
            self.assertEqual(emulator.probes(), [])

    def test_port_in_use_exits_3_with_the_system_reason(self):
        holder = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
        try:
            holder.bind(("127.0.0.1", 28011))
            result = run_scan("--interface", "lo", "--json")
        finally:
            holder.close()
        self.assertEqual(result.returncode, 3)
        self.assertEqual(json.loads(result.stdout), [])
        message = result.stderr.decode()
        self.assertIn("lo", message)
        self.assertIn("127.0.0.1", message)
        self.assertIn("28011", message)
        self.assertIn(os.strerror(98), message)  # EADDRINUSE

    @needs_private_namespace
    def test_interface_without_ipv4_exits_3(self):
        ip("addr", "del", "127.0.0.1/8", "dev", "lo")
        try:
            result = run_scan("--interface", "lo", "--json")
        finally:
            ip("addr", "add", "127.0.0.1/8", "dev", "lo")
        self.assertEqual(result.returncode, 3)
        self.assertEqual(json.loads(result.stdout), [])
        self.assertIn("lo: skipped, it has no IPv4 address", result.stderr.decode())


if __name__ == "__main__":
    if not SCAN.exists():
        print(f"{SCAN} is not built", file=sys.stderr)
        sys.exit(1)
    enter_private_namespace()
    unittest.main()
