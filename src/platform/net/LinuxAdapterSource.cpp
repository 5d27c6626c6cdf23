#include "platform/net/LinuxAdapterSource.h"

#include "platform/net/Ipv4Text.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <system_error>

namespace fs = std::filesystem;

namespace {

// Stacks deeper than this (a VLAN on a bond on a bridge ...) are not followed: it also ends a
// loop of links in a broken tree.
constexpr int kMaxStackDepth = 4;

bool IsPlainName(const std::string& name) {
    return !name.empty() && name != "." && name != ".." && name.find('/') == std::string::npos;
}

std::string Trim(std::string text) {
    const auto end = text.find_last_not_of(" \t\r\n");
    text.erase(end == std::string::npos ? 0 : end + 1);
    return text;
}

std::array<std::uint8_t, 8> ParseHardwareAddress(const std::string& text) {
    std::array<std::uint8_t, 8> bytes{};
    std::size_t count = 0;
    std::size_t pos = 0;
    while (count < bytes.size() && pos < text.size()) {
        char* end = nullptr;
        const unsigned long value = std::strtoul(text.c_str() + pos, &end, 16);
        if (end == text.c_str() + pos || value > 0xFF)
            break;
        bytes[count++] = static_cast<std::uint8_t>(value);
        pos = static_cast<std::size_t>(end - text.c_str());
        if (pos >= text.size() || text[pos] != ':')
            break;
        ++pos;
    }
    return bytes;
}

} // namespace

LinuxAdapterSource::LinuxAdapterSource() : LinuxAdapterSource(Options{}) {}

LinuxAdapterSource::LinuxAdapterSource(Options options) : m_options(std::move(options)) {
    if (!m_options.ListAddresses)
        m_options.ListAddresses = ListInterfaceAddresses;
}

std::vector<NetAdapter> LinuxAdapterSource::ListAdapters() {
    std::vector<std::string> names;
    if (m_options.Interfaces.empty()) {
        names = PhysicalInterfacesByIndex();
    } else {
        for (const auto& name : m_options.Interfaces) {
            if (InterfaceExists(name))
                names.push_back(name);
        }
    }
    const auto addresses = m_options.ListAddresses();
    std::vector<NetAdapter> adapters;
    adapters.reserve(names.size());
    for (const auto& name : names)
        adapters.push_back(MakeAdapter(name, addresses));
    return adapters;
}

std::vector<std::string> LinuxAdapterSource::MissingInterfaces() const {
    std::vector<std::string> missing;
    for (const auto& name : m_options.Interfaces) {
        if (!InterfaceExists(name))
            missing.push_back(name);
    }
    return missing;
}

bool LinuxAdapterSource::InterfaceExists(const std::string& name) const {
    std::error_code error;
    return IsPlainName(name) && fs::is_directory(fs::path(m_options.SysfsNetRoot) / name, error);
}

bool LinuxAdapterSource::IsPhysical(const std::string& name) const {
    return IsPhysicalBelow(name, 0);
}

bool LinuxAdapterSource::IsPhysicalBelow(const std::string& name, int depth) const {
    if (!IsPlainName(name) || depth > kMaxStackDepth)
        return false;
    const fs::path dir = fs::path(m_options.SysfsNetRoot) / name;
    std::error_code error;
    if (fs::exists(dir / "device", error))
        return true;
    // A bridge lists its ports under brif/; bonds, VLANs and bridges link what lies beneath them
    // as lower_NAME.
    for (const auto& port : fs::directory_iterator(dir / "brif", error)) {
        if (IsPhysicalBelow(port.path().filename().string(), depth + 1))
            return true;
    }
    error.clear();
    for (const auto& entry : fs::directory_iterator(dir, error)) {
        const std::string file = entry.path().filename().string();
        if (file.rfind("lower_", 0) == 0 && IsPhysicalBelow(file.substr(6), depth + 1))
            return true;
    }
    return false;
}

std::vector<std::string> LinuxAdapterSource::PhysicalInterfacesByIndex() const {
    std::vector<std::pair<long, std::string>> found;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(m_options.SysfsNetRoot, error)) {
        const std::string name = entry.path().filename().string();
        if (!IsPhysical(name))
            continue;
        const std::string index = ReadAttribute(name, "ifindex");
        found.emplace_back(index.empty() ? 0x7FFFFFFF : std::strtol(index.c_str(), nullptr, 10), name);
    }
    std::sort(found.begin(), found.end());
    std::vector<std::string> names;
    for (auto& item : found)
        names.push_back(std::move(item.second));
    return names;
}

NetAdapter LinuxAdapterSource::MakeAdapter(const std::string& name,
                                           const std::vector<InterfaceAddressRecord>& addresses) const {
    NetAdapter adapter;
    adapter.Name = name;
    adapter.Description = DescriptionOf(name);
    adapter.Gateway = GatewayOf(name);
    adapter.PhysicalAddress = ParseHardwareAddress(ReadAttribute(name, "address"));
    for (const auto& record : addresses) {
        if (record.InterfaceName == name)
            adapter.Addresses.push_back({record.Address, record.Mask});
    }
    if (adapter.Addresses.empty())
        adapter.Addresses.push_back({"0.0.0.0", "0.0.0.0"});
    return adapter;
}

std::string LinuxAdapterSource::DescriptionOf(const std::string& name) const {
    // The driver's name says most (e1000e, iwlwifi, r8169); a bridge or VLAN tells its kind.
    std::error_code error;
    const fs::path driver =
        fs::read_symlink(fs::path(m_options.SysfsNetRoot) / name / "device" / "driver", error);
    if (!error && !driver.filename().empty())
        return driver.filename().string();
    std::istringstream uevent(ReadAttribute(name, "uevent"));
    for (std::string line; std::getline(uevent, line);) {
        if (line.rfind("DEVTYPE=", 0) == 0 && line.size() > 8)
            return Trim(line.substr(8));
    }
    return name;
}

std::string LinuxAdapterSource::GatewayOf(const std::string& name) const {
    // Columns: Iface Destination Gateway Flags RefCnt Use Metric Mask ...; the addresses are the
    // in_addr values printed as host-order hex, so parsing them back gives s_addr unchanged.
    std::ifstream routes(m_options.RouteTablePath);
    std::string line;
    std::getline(routes, line); // header
    while (std::getline(routes, line)) {
        std::istringstream fields(line);
        std::string iface, destination, gateway, flags, refCount, use, metric, mask;
        if (!(fields >> iface >> destination >> gateway >> flags >> refCount >> use >> metric >> mask))
            continue;
        const unsigned long flagBits = std::strtoul(flags.c_str(), nullptr, 16);
        constexpr unsigned long kRouteUp = 0x1, kRouteGateway = 0x2;
        if (iface != name || std::strtoul(destination.c_str(), nullptr, 16) != 0 ||
            std::strtoul(mask.c_str(), nullptr, 16) != 0 ||
            (flagBits & (kRouteUp | kRouteGateway)) != (kRouteUp | kRouteGateway))
            continue;
        return FormatIpv4(static_cast<std::uint32_t>(std::strtoul(gateway.c_str(), nullptr, 16)));
    }
    return {};
}

std::string LinuxAdapterSource::ReadAttribute(const std::string& name, const std::string& attribute) const {
    std::ifstream file(fs::path(m_options.SysfsNetRoot) / name / attribute);
    std::ostringstream text;
    text << file.rdbuf();
    return Trim(text.str());
}
