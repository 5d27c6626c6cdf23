#include "FakeNetwork.h"
#include "discovery/AdapterTable.h"
#include "discovery/DiscoveryProbe.h"
#include "discovery/DiscoveryReply.h"
#include "platform/net/AnsiText.h"
#include "platform/net/Ipv4Text.h"

#include <gtest/gtest.h>
#include <vector>

namespace {

std::vector<std::uint8_t> Bytes(std::initializer_list<int> values) {
    std::vector<std::uint8_t> bytes;
    for (int v : values)
        bytes.push_back(static_cast<std::uint8_t>(v));
    return bytes;
}

class ProbeFromInventory : public testing::Test {
protected:
    DiscoveryProbe::Bytes BuildFrom(std::vector<NetAdapter> adapters) {
        m_source.Adapters = std::move(adapters);
        BuildAdapterTable(m_table, m_source);
        return DiscoveryProbe::Build(m_table);
    }
    FakeAdapterSource m_source;
    AdapterTable m_table;
};

TEST_F(ProbeFromInventory, OnePairIsTheDocumentedBytes) {
    const auto probe = BuildFrom({MakeNetAdapter("eth0", {{"192.168.1.10", "255.255.255.0"}})});
    const auto head = Bytes({0x01, 0x00, 0x01, 0x00, 0xC0, 0xA8, 0x01, 0x0A, 0xFF, 0xFF, 0xFF, 0x00});
    EXPECT_TRUE(std::equal(head.begin(), head.end(), probe.begin()));
    EXPECT_TRUE(std::all_of(probe.begin() + 12, probe.end(), [](std::uint8_t b) { return b == 0; }));
}

TEST_F(ProbeFromInventory, TakesTwentyPairsInTableAndChainOrder) {
    std::vector<NetAdapter> adapters;
    for (int a = 0; a < 3; ++a) {
        std::vector<NetAdapterAddress> addresses;
        for (int k = 0; k < 8; ++k)
            addresses.push_back({"10." + std::to_string(a) + ".0." + std::to_string(k + 1), "255.255.0.0"});
        adapters.push_back(MakeNetAdapter("eth" + std::to_string(a), addresses));
    }
    const auto probe = BuildFrom(adapters);
    ASSERT_EQ(probe[2] | (probe[3] << 8), 20);
    const auto parsed = DiscoveryProbe::Parse(probe);
    ASSERT_TRUE(parsed);
    ASSERT_EQ(parsed->Pairs.size(), 20u);
    for (int k = 0; k < 20; ++k) {
        const int adapter = k / 8, index = k % 8;
        EXPECT_EQ(parsed->Pairs[k].AddressNet, Ipv4FromBytes(10, adapter, 0, index + 1)) << "pair " << k;
        EXPECT_EQ(parsed->Pairs[k].MaskNet, Ipv4FromBytes(255, 255, 0, 0));
    }
}

TEST_F(ProbeFromInventory, AdapterWithoutAddressContributesAZeroPair) {
    const auto probe = BuildFrom({MakeNetAdapter("eth0", {{"0.0.0.0", "0.0.0.0"}}),
                                  MakeNetAdapter("eth1", {{"10.0.0.5", "255.0.0.0"}})});
    const auto parsed = DiscoveryProbe::Parse(probe);
    ASSERT_TRUE(parsed);
    EXPECT_EQ(parsed->Type, 1);
    EXPECT_EQ(parsed->PairCount, 2);
    EXPECT_EQ(parsed->Pairs[0], (ProbePair{0, 0}));
    EXPECT_EQ(parsed->Pairs[1], (ProbePair{Ipv4FromBytes(10, 0, 0, 5), Ipv4FromBytes(255, 0, 0, 0)}));
}

TEST_F(ProbeFromInventory, TextsThatAreNoAddressParseToAllOnes) {
    const auto probe = BuildFrom({MakeNetAdapter("eth0", {{"fe80::1", "garbage"}})});
    const auto parsed = DiscoveryProbe::Parse(probe);
    ASSERT_TRUE(parsed);
    EXPECT_EQ(parsed->Pairs[0], (ProbePair{0xFFFFFFFFu, 0xFFFFFFFFu}));
}

TEST(DiscoveryProbe, ParseReadsAReceivedProbe) {
    auto bytes = Bytes({0x01, 0x00, 0x19, 0x00}); // claims 25 pairs, carries none
    auto parsed = DiscoveryProbe::Parse(bytes);
    ASSERT_TRUE(parsed);
    EXPECT_EQ(parsed->PairCount, 25);
    EXPECT_TRUE(parsed->Pairs.empty());
    EXPECT_FALSE(DiscoveryProbe::Parse(Bytes({0x01, 0x00, 0x01})));
}

struct BroadcastCase {
    const char* address;
    const char* mask;
    const char* destination;
};

class DirectedBroadcast : public testing::TestWithParam<BroadcastCase> {};

TEST_P(DirectedBroadcast, IsAddressOrNotMask) {
    const auto& c = GetParam();
    EXPECT_EQ(FormatIpv4(DiscoveryProbe::Destination(InetAddr(c.address), InetAddr(c.mask))), c.destination);
}

INSTANTIATE_TEST_SUITE_P(Table, DirectedBroadcast,
                         testing::Values(BroadcastCase{"192.168.1.10", "255.255.255.0", "192.168.1.255"},
                                         BroadcastCase{"10.0.0.5", "255.0.0.0", "10.255.255.255"},
                                         BroadcastCase{"172.16.5.9", "255.255.240.0", "172.16.15.255"},
                                         BroadcastCase{"172.16.5.9", "0.0.0.0", "255.255.255.255"},
                                         BroadcastCase{"172.16.5.9", "no mask", "172.16.5.9"},
                                         BroadcastCase{"127.0.0.1", "255.0.0.0", "127.255.255.255"}));

TEST(InetAddr, HasTheParserSemantics) {
    EXPECT_EQ(InetAddr("192.168.0.254"), Ipv4FromBytes(192, 168, 0, 254));
    EXPECT_EQ(InetAddr("0.0.0.0"), 0u);
    EXPECT_EQ(InetAddr("10.1"), Ipv4FromBytes(10, 0, 0, 1));
    EXPECT_EQ(InetAddr("not an address"), 0xFFFFFFFFu);
    EXPECT_EQ(InetAddr(""), 0xFFFFFFFFu);
}

DiscoveryReply::Bytes SampleReply() {
    return DiscoveryReply::Encode(Ipv4FromBytes(0xC0, 0xA8, 0x00, 0xFE), {0x02, 0x11, 0x22, 0x33, 0x44, 0x55},
                                  "Model A", "Living room");
}

TEST(DiscoveryReply, AcceptsExactly160BytesOfType2) {
    const auto reply = SampleReply();
    EXPECT_TRUE(DiscoveryReply::Accepts(reply));

    std::vector<std::uint8_t> longer(reply.begin(), reply.end());
    longer.push_back(0);
    EXPECT_FALSE(DiscoveryReply::Accepts(longer));
    EXPECT_FALSE(DiscoveryReply::Accepts(std::span(reply).first(159)));
    EXPECT_FALSE(DiscoveryReply::Accepts({}));

    auto wrongType = reply;
    wrongType[1] = 0x01;
    EXPECT_FALSE(DiscoveryReply::Accepts(wrongType));
    auto littleEndianType = reply;
    littleEndianType[0] = 0x02;
    littleEndianType[1] = 0x00;
    EXPECT_FALSE(DiscoveryReply::Accepts(littleEndianType));
}

TEST(DiscoveryReply, DecodesTheFourTexts) {
    const auto reply = SampleReply();
    DeviceEntry entry;
    DiscoveryReply::Decode(reply, entry);
    EXPECT_EQ(FixedText(entry.IpText), u"192.168.0.254");
    EXPECT_EQ(FixedText(entry.MacText), u"02-11-22-33-44-55");
    EXPECT_EQ(FixedText(entry.Model), u"Model A");
    EXPECT_EQ(FixedText(entry.Description), u"Living room");
}

TEST(DiscoveryReply, DecodesExtremeAddressesAndEmptyTexts) {
    const auto reply = DiscoveryReply::Encode(Ipv4FromBytes(255, 255, 255, 255),
                                              {0xAB, 0xCD, 0xEF, 0x00, 0x0A, 0xFF}, "", "");
    DeviceEntry entry;
    DiscoveryReply::Decode(reply, entry);
    EXPECT_EQ(FixedText(entry.IpText), u"255.255.255.255");
    EXPECT_EQ(FixedText(entry.MacText), u"AB-CD-EF-00-0A-FF");
    EXPECT_EQ(FixedText(entry.Model), u"");
    EXPECT_EQ(FixedText(entry.Description), u"");
}

TEST(DiscoveryReply, FieldsWithoutNulAreCutToTheStoredSize) {
    const std::string model19(19, 'M');
    DeviceEntry entry;
    DiscoveryReply::Decode(DiscoveryReply::Encode(0, {}, model19, "d"), entry);
    EXPECT_EQ(FixedText(entry.Model), std::u16string(19, u'M'));

    // 20 and 128 bytes fill their fields: no NUL inside, so the texts are cut to 19 and 127.
    DiscoveryReply::Decode(DiscoveryReply::Encode(0, {}, std::string(20, 'M'), std::string(128, 'D')), entry);
    EXPECT_EQ(FixedText(entry.Model), std::u16string(19, u'M'));
    EXPECT_EQ(FixedText(entry.Description), std::u16string(127, u'D'));
    EXPECT_EQ(entry.Model[19], 0);
    EXPECT_EQ(entry.Description[127], 0);
}

TEST(DiscoveryReply, TextEndsAtTheFirstNulAndDecodesEightBitBytes) {
    auto reply = DiscoveryReply::Encode(0, {}, std::string("AB\0CD", 5), "Caf\xE9 \xE2\x82\xAC");
    DeviceEntry entry;
    DiscoveryReply::Decode(reply, entry);
    EXPECT_EQ(FixedText(entry.Model), u"AB");
    EXPECT_EQ(FixedText(entry.Description), u"Caf\u00E9 \u20AC");
}

TEST(DiscoveryReply, EncodeLaysOutTheFields) {
    const auto reply = SampleReply();
    const auto head = Bytes({0x00, 0x02, 0xC0, 0xA8, 0x00, 0xFE, 0x02, 0x11, 0x22, 0x33, 0x44, 0x55, 'M'});
    EXPECT_TRUE(std::equal(head.begin(), head.end(), reply.begin()));
    EXPECT_EQ(reply[32], 'L');
}

} // namespace
