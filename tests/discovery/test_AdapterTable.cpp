#include "FakeNetwork.h"
#include "discovery/AdapterTable.h"
#include "platform/net/AnsiText.h"

#include <gtest/gtest.h>

namespace {

bool IsZero(const AdapterTable& table) {
    if (table.Count != 0 || table.Found != 0)
        return false;
    auto zero = [](const auto& field) {
        return std::all_of(std::begin(field), std::end(field), [](auto v) { return v == 0; });
    };
    return std::all_of(std::begin(table.Entries), std::end(table.Entries), [&](const AdapterEntry& e) {
        return zero(e.Name) && zero(e.Description) && zero(e.Gateway) && zero(e.PhysicalAddress) &&
               zero(e.FirstAddress.Address) && zero(e.FirstAddress.Mask) && e.FirstAddress.Next == nullptr;
    });
}

std::vector<NetAdapter> Adapters(int count) {
    std::vector<NetAdapter> adapters;
    for (int i = 0; i < count; ++i)
        adapters.push_back(MakeNetAdapter("eth" + std::to_string(i),
                                          {{"10.0." + std::to_string(i) + ".1", "255.255.255.0"}}));
    return adapters;
}

TEST(AdapterTable, StoresEntriesInSourceOrderWithChainedAddresses) {
    FakeAdapterSource source;
    NetAdapter wired = MakeNetAdapter(
        "eth0",
        {{"192.168.1.10", "255.255.255.0"}, {"10.0.0.5", "255.0.0.0"}, {"172.16.5.9", "255.255.240.0"}});
    wired.Gateway = "192.168.1.1";
    wired.PhysicalAddress = {0x02, 0x11, 0x22, 0x33, 0x44, 0x55, 0, 0};
    source.Adapters = {wired, MakeNetAdapter("wlan0", {{"0.0.0.0", "0.0.0.0"}})};
    const std::size_t liveBefore = LiveAdapterAddressRecords();

    AdapterTable table;
    BuildAdapterTable(table, source);
    ASSERT_EQ(table.Count, 2u);
    const AdapterEntry& first = table.Entries[0];
    EXPECT_EQ(FixedText(first.Name), u"eth0");
    EXPECT_EQ(FixedText(first.Description), u"eth0 driver");
    EXPECT_EQ(FixedText(first.Gateway), u"192.168.1.1");
    EXPECT_EQ(first.PhysicalAddress[0], 0x02);
    EXPECT_EQ(first.PhysicalAddress[5], 0x55);
    EXPECT_EQ(FixedText(first.FirstAddress.Address), u"192.168.1.10");
    ASSERT_NE(first.FirstAddress.Next, nullptr);
    EXPECT_EQ(FixedText(first.FirstAddress.Next->Address), u"10.0.0.5");
    ASSERT_NE(first.FirstAddress.Next->Next, nullptr);
    EXPECT_EQ(FixedText(first.FirstAddress.Next->Next->Mask), u"255.255.240.0");
    EXPECT_EQ(first.FirstAddress.Next->Next->Next, nullptr);
    EXPECT_EQ(LiveAdapterAddressRecords(), liveBefore + 2);

    EXPECT_EQ(FixedText(table.Entries[1].FirstAddress.Address), u"0.0.0.0");
    EXPECT_EQ(table.Entries[1].FirstAddress.Next, nullptr);

    ReleaseAdapterTable(table);
    EXPECT_TRUE(IsZero(table));
    EXPECT_EQ(LiveAdapterAddressRecords(), liveBefore);
    ReleaseAdapterTable(table); // safe on an empty table
    EXPECT_TRUE(IsZero(table));
}

TEST(AdapterTable, AdapterWithoutAnyAddressGetsZeroFirstAddress) {
    FakeAdapterSource source;
    source.Adapters = {MakeNetAdapter("eth0", {})};
    AdapterTable table;
    BuildAdapterTable(table, source);
    ASSERT_EQ(table.Count, 1u);
    EXPECT_EQ(FixedText(table.Entries[0].FirstAddress.Address), u"0.0.0.0");
    EXPECT_EQ(FixedText(table.Entries[0].FirstAddress.Mask), u"0.0.0.0");
}

TEST(AdapterTable, RebuildingManyTimesDoesNotGrowMemory) {
    FakeAdapterSource source;
    std::vector<NetAdapterAddress> many;
    for (int k = 0; k < 6; ++k)
        many.push_back({"10.0.0." + std::to_string(k + 1), "255.255.255.0"});
    source.Adapters = {MakeNetAdapter("eth0", many), MakeNetAdapter("eth1", many)};
    const std::size_t liveBefore = LiveAdapterAddressRecords();
    {
        AdapterTable table;
        for (int round = 0; round < 1000; ++round)
            BuildAdapterTable(table, source);
        EXPECT_EQ(LiveAdapterAddressRecords(), liveBefore + 10);
    } // the table's destructor frees what the last build made
    EXPECT_EQ(LiveAdapterAddressRecords(), liveBefore);
}

TEST(AdapterTable, HoldsTenAdaptersAndCountsTheOnesBeyondItsRoom) {
    FakeAdapterSource source;
    AdapterTable table;

    source.Adapters = Adapters(6);
    BuildAdapterTable(table, source);
    EXPECT_EQ(table.Count, 6u); // a sixth adapter is kept like the others
    EXPECT_EQ(FixedText(table.Entries[5].Name), u"eth5");

    source.Adapters = Adapters(12);
    BuildAdapterTable(table, source);
    EXPECT_EQ(table.Count, 10u);
    EXPECT_EQ(table.Found, 12u);
    EXPECT_EQ(FixedText(table.Entries[9].Name), u"eth9");

    source.Adapters = {};
    BuildAdapterTable(table, source);
    EXPECT_TRUE(IsZero(table));
}

TEST(AdapterTable, LongTextsAreCutToTheirFields) {
    FakeAdapterSource source;
    NetAdapter adapter =
        MakeNetAdapter(std::string(300, 'n'), {{"192.168.100.100 trailing", "255.255.255.0"}});
    source.Adapters = {adapter};
    AdapterTable table;
    BuildAdapterTable(table, source);
    EXPECT_EQ(FixedText(table.Entries[0].Name).size(), kAdapterTextCapacity - 1);
    EXPECT_EQ(FixedText(table.Entries[0].FirstAddress.Address), u"192.168.100.100");
}

} // namespace
