#!/usr/bin/env python3
"""quellmark-scan over two adapters, with device hosts behind them, in network namespaces.

Topology, all in namespaces this script creates (names carry the script's pid) and deletes again:

    host namespace                          device namespaces
    qma0 10.201.1.1/24  <--- veth --->  eth0 10.201.1.2/24   (net A)
    qmb0 10.201.2.1/24  <--- veth --->  eth0 10.201.2.2/24   (net B)

quellmark-scan runs in the host namespace with --interface qma0 --interface qmb0; each device
namespace runs a quellmark-emulator with --allow-any-source. Nothing is created in, or routed
through, the namespace this script starts in.

Needs root (network namespaces and veth links). Without root: skipped, unless the environment
variable CI is set, where it fails, because CI runs as root and these tests must run there.
Needs: python3, iproute2.
"""

import atexit
import os
import re
import signal
import subprocess
import sys
import unittest

from quellmark_e2e import SCAN, SKIP_EXIT, Emulator, config_line, parse_probe, parse_table, run_scan, scan_json

PREFIX = "qme2e-"
RUN = f"{PREFIX}{os.getpid()}-"
HOST, NET_A, NET_B = RUN + "h", RUN + "a", RUN + "b"
ADAPTERS = {"qma0": (NET_A, "10.201.1.1", "10.201.1.2"), "qmb0": (NET_B, "10.201.2.1", "10.201.2.2")}
MASK = "255.255.255.0"

A1 = {"description": "Net A first", "model": "QM-500W", "ip": "10.201.1.20", "mac": "02-51-4D-0A-00-01"}
A2 = {"description": "Net A second", "model": "QM-500W", "ip": "10.201.1.21", "mac": "02-51-4D-0A-00-02"}
B1 = {"description": "Net B first", "model": "QM-1200 AV", "ip": "10.201.2.20", "mac": "02-51-4D-0B-00-01"}
# One device that both adapters reach: the same MAC answers on both nets, each time with other texts.
SHARED_VIA_A = {"description": "Shared, seen via A", "model": "QM-SHARED-A", "ip": "10.201.1.99",
                "mac": "02-51-4D-AB-00-01"}
SHARED_VIA_B = {"description": "Shared, seen via B", "model": "QM-SHARED-B", "ip": "10.201.2.99",
                "mac": "02-51-4D-AB-00-01"}


def config(*devices):
    return "".join(config_line(d["ip"], d["mac"], d["model"], d["description"]) for d in devices)


def ip(*args, check=True):
    return subprocess.run(["ip"] + list(args), check=check, capture_output=True, text=True)


def namespaces():
    return [line.split()[0] for line in ip("netns", "list").stdout.splitlines() if line.strip()]


def delete_namespace(name):
    # Processes still inside (an emulator of a failed test) go first: they are ours.
    for pid in ip("netns", "pids", name, check=False).stdout.split():
        try:
            os.kill(int(pid), signal.SIGKILL)
        except (ProcessLookupError, ValueError):
            pass
    ip("netns", "del", name, check=False)


def delete_stale_namespaces():
    """Namespaces of earlier runs whose process is gone (a run killed by a time-out)."""
    for name in namespaces():
        match = re.fullmatch(PREFIX + r"(\d+)-[hab]", name)
        if match and not os.path.exists(f"/proc/{match.group(1)}"):
            delete_namespace(name)


def delete_our_namespaces():
    for name in (HOST, NET_A, NET_B):
        if name in namespaces():
            delete_namespace(name)


def build_topology():
    for name in (HOST, NET_A, NET_B):
        ip("netns", "add", name)
        ip("-n", name, "link", "set", "lo", "up")
    for link, (net, host_address, device_address) in ADAPTERS.items():
        # Made inside the host namespace, the peer moved straight into the device namespace.
        ip("-n", HOST, "link", "add", link, "type", "veth", "peer", "name", "eth0", "netns", net)
        ip("-n", HOST, "addr", "add", f"{host_address}/24", "dev", link)
        ip("-n", net, "addr", "add", f"{device_address}/24", "dev", "eth0")
        ip("-n", HOST, "link", "set", link, "up")
        ip("-n", net, "link", "set", "eth0", "up")


def scan(test, *interfaces):
    args = []
    for name in interfaces:
        args += ["--interface", name]
    return scan_json(test, *args, netns=HOST)


class NamespaceScanTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        delete_stale_namespaces()
        atexit.register(delete_our_namespaces)
        build_topology()

    @classmethod
    def tearDownClass(cls):
        delete_our_namespaces()

    def emulator(self, net, *devices, extra=()):
        return Emulator("--allow-any-source", *extra, netns=net, config_text=config(*devices))

    def test_device_on_both_adapters_is_listed_once_with_its_first_reply(self):
        with self.emulator(NET_A, A1, SHARED_VIA_A) as a, self.emulator(NET_B, SHARED_VIA_B, B1) as b:
            self.assertEqual(scan(self, "qma0", "qmb0"), [A1, SHARED_VIA_A, B1])
            probes_a, probes_b = a.probes(), b.probes()
            # The other order of interfaces: net B answers first now.
            self.assertEqual(scan(self, "qmb0", "qma0"), [SHARED_VIA_B, B1, A1])
            table = run_scan("--interface", "qma0", "--interface", "qmb0", netns=HOST)
        self.assertEqual(table.returncode, 0, table.stderr)
        rows = parse_table(table.stdout.decode())
        self.assertEqual(rows[1:], [[d["description"], d["model"], d["ip"], d["mac"]] for d in (A1, SHARED_VIA_A, B1)])

        # Each net saw one probe, from the host's address on that net, and both probes describe
        # the whole inventory: both adapters' pairs, in the order the interfaces were named.
        self.assertEqual([(p[0], p[1]) for p in probes_a], [("10.201.1.1", 28011)])
        self.assertEqual([(p[0], p[1]) for p in probes_b], [("10.201.2.1", 28011)])
        for datagram in (probes_a[0][2], probes_b[0][2]):
            kind, count, pairs, rest = parse_probe(datagram)
            self.assertEqual(len(datagram), 164)
            self.assertEqual((kind, count), (1, 2))
            self.assertEqual(pairs, [("10.201.1.1", MASK), ("10.201.2.1", MASK)])
            self.assertEqual(rest, bytes(144))

    def test_probe_goes_to_the_directed_broadcast_of_each_subnet(self):
        # These emulators listen on the subnet broadcast address only: they hear a probe sent to
        # 10.201.x.255 and nothing sent to 255.255.255.255 or to a unicast address.
        with self.emulator(NET_A, A1, extra=("--listen", "10.201.1.255")), \
                self.emulator(NET_B, B1, extra=("--listen", "10.201.2.255")):
            self.assertEqual(scan(self, "qma0", "qmb0"), [A1, B1])

    def test_twenty_devices_at_most(self):
        # 25 devices answer on net A: 20 datagrams are read there; net B's device finds the table full.
        with self.emulator(NET_A, extra=("--flood", "25")), self.emulator(NET_B, B1):
            devices = scan(self, "qma0", "qmb0")
        self.assertEqual([d["mac"] for d in devices], [f"02-F1-00-00-00-{n:02X}" for n in range(1, 21)])

    def test_malformed_and_repeated_replies_are_ignored(self):
        faults = ("--short-datagram", "--long-datagram", "--wrong-type", "--duplicate", "--conflicting-model")
        with self.emulator(NET_A, A1, A2, extra=faults), self.emulator(NET_B, B1, extra=("--conflicting-model",)):
            self.assertEqual(scan(self, "qma0", "qmb0"), [A1, A2, B1])

    def test_emulator_without_allow_any_source_stays_silent(self):
        with Emulator(netns=NET_A, config_text=config(A1)) as a:
            self.assertEqual(scan(self, "qma0"), [])
            self.assertEqual([(p[0], p[1]) for p in a.probes()], [("10.201.1.1", 28011)])

    def test_device_added_and_removed_between_passes(self):
        with self.emulator(NET_A, A1) as a:
            self.assertEqual(scan(self, "qma0"), [A1])
            a.set_devices(config(A1, A2))
            self.assertEqual(scan(self, "qma0"), [A1, A2])
            a.set_devices(config(A2))
            self.assertEqual(scan(self, "qma0"), [A2])


def main():
    if os.geteuid() != 0:
        if os.environ.get("CI"):
            print("FAIL: CI is set but this is not root: the namespace tests must run in CI", file=sys.stderr)
            return 1
        print("SKIPPED: the network-namespace tests need root (they create namespaces and veth links)",
              file=sys.stderr)
        return SKIP_EXIT
    if not SCAN.exists():
        print(f"{SCAN} is not built", file=sys.stderr)
        return 1
    # A time-out's SIGTERM still removes the namespaces (atexit runs on SystemExit).
    signal.signal(signal.SIGTERM, lambda *_: sys.exit(1))
    program = unittest.main(exit=False)
    return 0 if program.result.wasSuccessful() else 1


if __name__ == "__main__":
    sys.exit(main())
