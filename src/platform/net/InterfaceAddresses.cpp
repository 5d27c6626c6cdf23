#include "platform/net/InterfaceAddresses.h"

#include "platform/net/Ipv4Text.h"

#include <ifaddrs.h>
#include <netinet/in.h>
#include <sys/socket.h>

std::vector<InterfaceAddressRecord> ListInterfaceAddresses() {
    std::vector<InterfaceAddressRecord> records;
    ifaddrs* list = nullptr;
    if (getifaddrs(&list) != 0)
        return records;
    for (const ifaddrs* item = list; item; item = item->ifa_next) {
        if (!item->ifa_addr || item->ifa_addr->sa_family != AF_INET || !item->ifa_name)
            continue;
        InterfaceAddressRecord record;
        // An IPv4 address with a label comes named "eth0:1"; it belongs to eth0.
        record.InterfaceName = item->ifa_name;
        const auto colon = record.InterfaceName.find(':');
        if (colon != std::string::npos)
            record.InterfaceName.resize(colon);
        record.Address = FormatIpv4(reinterpret_cast<const sockaddr_in*>(item->ifa_addr)->sin_addr.s_addr);
        const std::uint32_t mask =
            item->ifa_netmask ? reinterpret_cast<const sockaddr_in*>(item->ifa_netmask)->sin_addr.s_addr : 0;
        record.Mask = FormatIpv4(mask);
        records.push_back(std::move(record));
    }
    freeifaddrs(list);
    return records;
}
