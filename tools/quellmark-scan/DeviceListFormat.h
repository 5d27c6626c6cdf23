#pragma once

#include "ScannedDevice.h"

#include <string>
#include <vector>

// The two outputs of quellmark-scan. Both are valid UTF-8 whatever bytes the devices sent.
class DeviceListFormat {
public:
    // Columns Description, Model, IP Address, MAC Address, one device a row. Control characters
    // in device texts are shown as '?', so a device cannot move the cursor or clear the
    // terminal of whoever reads the table.
    static std::string Table(const std::vector<ScannedDevice>& devices);

    // A JSON array of objects with the keys "description", "model", "ip", "mac" in that order.
    static std::string Json(const std::vector<ScannedDevice>& devices);

    // UTF-16 to UTF-8; a lone surrogate becomes U+FFFD.
    static std::string ToUtf8(const std::u16string& text);
};
