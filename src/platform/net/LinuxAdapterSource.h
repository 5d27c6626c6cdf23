#pragma once

// The adapter inventory on Linux, from sysfs, the kernel's address list and its route table.
//
// Without an explicit list, the adapters are the physical interfaces in interface-index order.
// An interface counts as physical when <sysfs>/NAME/device exists (PCI, USB, SDIO, ...), and so
// does a bridge, bond or VLAN with such an interface beneath it (brif/ members, lower_* links):
// a desktop whose LAN sits on a bridge must still find its devices. Loopback, veth, tun/tap and
// bridges without a physical member are virtual. Nothing here needs root.
//
// With an explicit list (--interface NAME, repeatable) exactly those interfaces are taken, in
// that order, with the physical test skipped; names that are no interface of this machine are
// left out and reported by MissingInterfaces, so the caller can refuse to go on.
//
// Every field comes from an injectable place, so tests run over a fake sysfs tree, a fake route
// file and a fake address list.

#include "platform/net/AdapterSource.h"
#include "platform/net/InterfaceAddresses.h"

#include <functional>
#include <string>
#include <vector>

class LinuxAdapterSource : public AdapterSource {
public:
    struct Options {
        std::string SysfsNetRoot = "/sys/class/net";
        std::string RouteTablePath = "/proc/net/route";
        // Explicit interfaces in the order to probe; empty: every physical interface.
        std::vector<std::string> Interfaces;
        // The IPv4 addresses in the kernel's order; empty: ListInterfaceAddresses (getifaddrs).
        std::function<std::vector<InterfaceAddressRecord>()> ListAddresses;
    };

    LinuxAdapterSource();
    explicit LinuxAdapterSource(Options options);

    std::vector<NetAdapter> ListAdapters() override;

    // The names of the explicit list that are no interface here, in list order.
    std::vector<std::string> MissingInterfaces() const;
    bool InterfaceExists(const std::string& name) const;
    bool IsPhysical(const std::string& name) const;

private:
    bool IsPhysicalBelow(const std::string& name, int depth) const;
    std::vector<std::string> PhysicalInterfacesByIndex() const;
    NetAdapter MakeAdapter(const std::string& name,
                           const std::vector<InterfaceAddressRecord>& addresses) const;
    std::string DescriptionOf(const std::string& name) const;
    std::string GatewayOf(const std::string& name) const;
    std::string ReadAttribute(const std::string& name, const std::string& attribute) const;

    Options m_options;
};
