#include "discovery/DeviceTable.h"

#include "platform/net/AnsiText.h"

#include <algorithm>

void ClearDeviceRecords(DeviceTable& table) {
    table.Count = 0;
    for (auto& device : table.Devices)
        device = DeviceEntry{};
}

void PublishDeviceRecords(DeviceTable& table) {
    const std::uint32_t count = std::min<std::uint32_t>(table.Count, kMaxDevices);
    table.DisplayCount = static_cast<std::uint8_t>(count);
    for (std::uint32_t j = 0; j < count; ++j) {
        const DeviceEntry& device = table.Devices[j];
        auto& texts = table.DisplayEntries[j].Texts;
        texts[kDisplayDescription] = FixedText(device.Description);
        texts[kDisplayModel] = FixedText(device.Model);
        texts[kDisplayIpText] = FixedText(device.IpText);
        texts[kDisplayMacText] = FixedText(device.MacText);
    }
}

int FindDeviceByMac(const DeviceTable& table, const char16_t (&macText)[kMacTextCapacity]) {
    const std::u16string_view mac = FixedText(macText);
    const std::uint32_t count = std::min<std::uint32_t>(table.Count, kMaxDevices);
    for (std::uint32_t i = 0; i < count; ++i) {
        if (FixedText(table.Devices[i].MacText) == mac)
            return static_cast<int>(i);
    }
    return -1;
}
