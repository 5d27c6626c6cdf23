#include "discovery/AdapterTable.h"

#include "platform/net/AdapterSource.h"
#include "platform/net/AnsiText.h"

#include <atomic>

namespace {

std::atomic<std::size_t> g_liveAddressRecords{0};

AdapterAddress* NewAddressRecord() {
    ++g_liveAddressRecords;
    return new AdapterAddress{};
}

void FreeAddressRecord(AdapterAddress* record) {
    --g_liveAddressRecords;
    delete record;
}

void FillAddress(AdapterAddress& record, const NetAdapterAddress& address) {
    AnsiToUtf16(address.Address, record.Address);
    AnsiToUtf16(address.Mask, record.Mask);
}

void FillEntry(AdapterEntry& entry, const NetAdapter& adapter) {
    AnsiToUtf16(adapter.Name, entry.Name);
    AnsiToUtf16(adapter.Description, entry.Description);
    AnsiToUtf16(adapter.Gateway, entry.Gateway);
    for (std::size_t i = 0; i < kPhysicalAddressSize; ++i)
        entry.PhysicalAddress[i] = adapter.PhysicalAddress[i];
    // An entry always has a first address: an adapter without one gets 0.0.0.0 / 0.0.0.0.
    if (adapter.Addresses.empty()) {
        FillAddress(entry.FirstAddress, {"0.0.0.0", "0.0.0.0"});
        return;
    }
    FillAddress(entry.FirstAddress, adapter.Addresses.front());
    AdapterAddress* last = &entry.FirstAddress;
    for (std::size_t i = 1; i < adapter.Addresses.size(); ++i) {
        AdapterAddress* record = NewAddressRecord();
        FillAddress(*record, adapter.Addresses[i]);
        last->Next = record;
        last = record;
    }
}

} // namespace

AdapterTable::~AdapterTable() {
    ReleaseAdapterTable(*this);
}

void BuildAdapterTable(AdapterTable& table, AdapterSource& source) {
    ReleaseAdapterTable(table);
    const auto adapters = source.ListAdapters();
    table.Found = static_cast<std::uint32_t>(adapters.size());
    for (const auto& adapter : adapters) {
        if (table.Count >= kAdapterTableCapacity)
            break;
        FillEntry(table.Entries[table.Count], adapter);
        ++table.Count;
    }
}

void ReleaseAdapterTable(AdapterTable& table) {
    const std::uint32_t count = table.Count < kAdapterTableCapacity ? table.Count : kAdapterTableCapacity;
    for (std::uint32_t i = 0; i < count; ++i) {
        AdapterAddress* record = table.Entries[i].FirstAddress.Next;
        while (record) {
            AdapterAddress* next = record->Next;
            FreeAddressRecord(record);
            record = next;
        }
    }
    table.Count = 0;
    table.Found = 0;
    for (auto& entry : table.Entries)
        entry = AdapterEntry{};
}

std::size_t LiveAdapterAddressRecords() {
    return g_liveAddressRecords.load();
}
