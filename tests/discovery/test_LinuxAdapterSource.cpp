#include "platform/net/LinuxAdapterSource.h"

#include <bit>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// A sysfs class/net tree, a route file and an address list, all made up by the test.
class FakeSysfs : public testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/quellmark-sysfs-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        m_root = pattern;
        fs::create_directories(m_root / "net");
        fs::create_directories(m_root / "drivers");
        WriteFile(m_root / "route",
                  "Iface\tDestination\tGateway \tFlags\tRefCnt\tUse\tMetric\tMask\t\tMTU\tWindow\tIRTT\n");
    }
    void TearDown() override { fs::remove_all(m_root); }

    static void WriteFile(const fs::path& path, const std::string& text) {
        std::ofstream file(path);
        file << text;
    }

    // An interface; physical ones get a device directory whose driver link names the driver.
    void AddInterface(const std::string& name, int index, const std::string& driver = {},
                      const std::string& devtype = {}) {
        const fs::path dir = m_root / "net" / name;
        fs::create_directories(dir);
        WriteFile(dir / "ifindex", std::to_string(index) + "\n");
        WriteFile(dir / "address", "02:00:00:00:00:" + std::to_string(10 + index) + "\n");
        WriteFile(dir / "uevent", "INTERFACE=" + name + "\nIFINDEX=" + std::to_string(index) + "\n" +
                                      (devtype.empty() ? "" : "DEVTYPE=" + devtype + "\n"));
        if (!driver.empty()) {
            fs::create_directories(dir / "device");
            fs::create_directories(m_root / "drivers" / driver);
            fs::create_directory_symlink(m_root / "drivers" / driver, dir / "device" / "driver");
        }
    }
    void AddBridgePort(const std::string& bridge, const std::string& port) {
        fs::create_directories(m_root / "net" / bridge / "brif");
        fs::create_directory_symlink(m_root / "net" / port, m_root / "net" / bridge / "brif" / port);
    }
    void AddLower(const std::string& upper, const std::string& lower) {
        fs::create_directory_symlink(m_root / "net" / lower, m_root / "net" / upper / ("lower_" + lower));
    }
    void AddRoute(const std::string& line) {
        std::ofstream file(m_root / "route", std::ios::app);
        file << line << "\n";
    }

    LinuxAdapterSource Source(std::vector<std::string> interfaces = {}) {
        LinuxAdapterSource::Options options;
        options.SysfsNetRoot = (m_root / "net").string();
        options.RouteTablePath = (m_root / "route").string();
        options.Interfaces = std::move(interfaces);
        options.ListAddresses = [this] { return m_addresses; };
        return LinuxAdapterSource(options);
    }
    static std::vector<std::string> Names(const std::vector<NetAdapter>& adapters) {
        std::vector<std::string> names;
        for (const auto& a : adapters)
            names.push_back(a.Name);
        return names;
    }

    fs::path m_root;
    std::vector<InterfaceAddressRecord> m_addresses;
};

TEST_F(FakeSysfs, TakesPhysicalInterfacesInIndexOrder) {
    AddInterface("lo", 1);
    AddInterface("wlp3s0", 4, "iwlwifi");
    AddInterface("enp2s0", 2, "e1000e");
    AddInterface("veth1a2b", 7);
    AddInterface("tun0", 9, {}, "tun");
    AddInterface("brvirt0", 5, {}, "bridge"); // a bridge without a physical port
    AddBridgePort("brvirt0", "veth1a2b");

    EXPECT_EQ(Names(Source().ListAdapters()), (std::vector<std::string>{"enp2s0", "wlp3s0"}));
}

TEST_F(FakeSysfs, BridgeBondAndVlanOverPhysicalCount) {
    AddInterface("enp2s0", 2, "e1000e");
    AddInterface("enp3s0", 3, "r8169");
    AddInterface("br0", 10, {}, "bridge");
    AddInterface("veth0", 11);
    AddBridgePort("br0", "veth0");
    AddBridgePort("br0", "enp2s0");
    AddInterface("bond0", 12, {}, "bond");
    AddLower("bond0", "enp3s0");
    AddInterface("bond0.7", 13, {}, "vlan");
    AddLower("bond0.7", "bond0");
    AddInterface("vlan9", 14, {}, "vlan");
    AddLower("vlan9", "veth0");

    auto source = Source();
    EXPECT_TRUE(source.IsPhysical("br0"));
    EXPECT_TRUE(source.IsPhysical("bond0.7"));
    EXPECT_FALSE(source.IsPhysical("vlan9"));
    EXPECT_EQ(Names(source.ListAdapters()),
              (std::vector<std::string>{"enp2s0", "enp3s0", "br0", "bond0", "bond0.7"}));
}

TEST_F(FakeSysfs, LinkLoopsDoNotHang) {
    AddInterface("a", 1);
    AddInterface("b", 2);
    AddLower("a", "b");
    AddLower("b", "a");
    EXPECT_FALSE(Source().IsPhysical("a"));
}

TEST_F(FakeSysfs, FillsTheEntryFieldsAndEveryAddressInKernelOrder) {
    AddInterface("enp2s0", 2, "e1000e");
    AddInterface("br0", 3, {}, "bridge");
    AddBridgePort("br0", "enp2s0");
    AddInterface("wlp3s0", 4, "iwlwifi");
    m_addresses = {{"enp2s0", "192.168.1.10", "255.255.255.0"},
                   {"wlp3s0", "10.0.0.5", "255.0.0.0"},
                   {"enp2s0", "192.168.7.1", "255.255.255.0"},
                   {"enp2s0", "172.16.5.9", "255.255.240.0"}};
    // Gateway values are s_addr printed as host-order hex, as the kernel writes them.
    AddRoute("enp2s0\t0001A8C0\t00000000\t0001\t0\t0\t100\t00FFFFFF\t0\t0\t0");
    AddRoute("enp2s0\t00000000\t0101A8C0\t0003\t0\t0\t100\t00000000\t0\t0\t0");
    AddRoute("wlp3s0\t00000000\t0100000A\t0001\t0\t0\t600\t00000000\t0\t0\t0"); // no gateway flag

    const auto adapters = Source().ListAdapters();
    ASSERT_EQ(adapters.size(), 3u);
    const NetAdapter& wired = adapters[0];
    EXPECT_EQ(wired.Name, "enp2s0");
    EXPECT_EQ(wired.Description, "e1000e");
    if (std::endian::native == std::endian::little) {
        EXPECT_EQ(wired.Gateway, "192.168.1.1");
    }
    EXPECT_EQ(wired.PhysicalAddress[0], 0x02);
    EXPECT_EQ(wired.PhysicalAddress[5], 0x12);
    ASSERT_EQ(wired.Addresses.size(), 3u);
    EXPECT_EQ(wired.Addresses[0].Address, "192.168.1.10");
    EXPECT_EQ(wired.Addresses[1].Address, "192.168.7.1");
    EXPECT_EQ(wired.Addresses[2].Mask, "255.255.240.0");

    const NetAdapter& bridge = adapters[1];
    EXPECT_EQ(bridge.Description, "bridge");
    EXPECT_EQ(bridge.Gateway, "");
    ASSERT_EQ(bridge.Addresses.size(), 1u); // no IPv4 address
    EXPECT_EQ(bridge.Addresses[0].Address, "0.0.0.0");
    EXPECT_EQ(bridge.Addresses[0].Mask, "0.0.0.0");

    EXPECT_EQ(adapters[2].Gateway, "");
}

TEST_F(FakeSysfs, DescriptionFallsBackToTheName) {
    AddInterface("lo", 1);
    const auto adapters = Source({"lo"}).ListAdapters();
    ASSERT_EQ(adapters.size(), 1u);
    EXPECT_EQ(adapters[0].Description, "lo");
}

TEST_F(FakeSysfs, ExplicitListTakesExactlyThoseInItsOrderAndReportsUnknownNames) {
    AddInterface("lo", 1);
    AddInterface("enp2s0", 2, "e1000e");
    AddInterface("veth0", 7);
    m_addresses = {{"lo", "127.0.0.1", "255.0.0.0"}};

    auto source = Source({"veth0", "nosuch0", "lo", "../net", ""});
    EXPECT_EQ(Names(source.ListAdapters()), (std::vector<std::string>{"veth0", "lo"}));
    EXPECT_EQ(source.MissingInterfaces(), (std::vector<std::string>{"nosuch0", "../net", ""}));
    EXPECT_TRUE(Source({"lo"}).MissingInterfaces().empty());
}

TEST_F(FakeSysfs, MissingTreeGivesNoAdapters) {
    LinuxAdapterSource::Options options;
    options.SysfsNetRoot = (m_root / "absent").string();
    options.RouteTablePath = (m_root / "absent-route").string();
    options.ListAddresses = [] { return std::vector<InterfaceAddressRecord>{}; };
    EXPECT_TRUE(LinuxAdapterSource(options).ListAdapters().empty());
}

// The real machine, read only: whatever it has, loopback is never taken as physical.
TEST(LinuxAdapterSource, LoopbackIsNeverPhysicalOnThisMachine) {
    LinuxAdapterSource source;
    EXPECT_FALSE(source.IsPhysical("lo"));
    for (const auto& adapter : source.ListAdapters())
        EXPECT_NE(adapter.Name, "lo");
}

TEST(InterfaceAddresses, LoopbackHasItsAddress) {
    bool found = false;
    for (const auto& record : ListInterfaceAddresses()) {
        if (record.InterfaceName == "lo" && record.Address == "127.0.0.1") {
            found = true;
            EXPECT_EQ(record.Mask, "255.0.0.0");
        }
    }
    EXPECT_TRUE(found);
}

} // namespace
