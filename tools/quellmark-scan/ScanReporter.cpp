#include "ScanReporter.h"

#include "DeviceListFormat.h"
#include "platform/net/AnsiText.h"

namespace {

std::string Utf8(std::u16string_view text) {
    return DeviceListFormat::ToUtf8(std::u16string(text));
}

std::string AdapterName(std::u16string_view interfaceName, std::u16string_view address) {
    return Utf8(interfaceName) + " (" + (address.empty() ? std::string("no address") : Utf8(address)) + ")";
}

} // namespace

void ScanReporter::Say(const std::string& line) const {
    if (!m_verbose)
        return;
    std::fprintf(m_out, "quellmark-scan: %s\n", line.c_str());
    std::fflush(m_out);
}

void ScanReporter::OnDiagnostic(std::string_view line) {
    ++m_probesSent;
    if (!m_verbose)
        return;
    std::fprintf(m_out, "%.*s\n", static_cast<int>(line.size()), line.data());
    std::fflush(m_out);
}

void ScanReporter::OnInventoryTooLarge(std::size_t adapters) {
    std::string line =
        std::to_string(adapters) + " adapters, more than the 10 a pass scans: name some with --interface";
    m_problems.push_back(line);
    Say(line);
}

void ScanReporter::OnSocketError(const SocketErrorReport& report) {
    std::string what = std::string(report.Operation);
    if (report.Operation == "bind")
        what = "cannot bind to " + Utf8(report.Address) + " port 28011";
    else if (report.Operation == "socket")
        what = "cannot open a UDP socket";
    else
        what = std::string(report.Operation) + " failed";
    std::string line = Utf8(report.Interface) + ": " + what + ": " + std::string(report.ErrorText);
    m_problems.push_back(line);
    Say(line);
}

void ScanReporter::OnAdapterSkipped(std::size_t /*index*/, std::u16string_view interfaceName,
                                    std::u16string_view address, SkipReason reason) {
    // Socket and bind failures were reported with the system's reason already.
    if (reason != SkipReason::NoAddress) {
        Say("skipped " + AdapterName(interfaceName, address));
        return;
    }
    std::string line = Utf8(interfaceName) + ": skipped, it has no IPv4 address";
    m_problems.push_back(line);
    Say(line);
}

void ScanReporter::OnDatagramIgnored(std::ptrdiff_t length, IgnoreReason reason) {
    if (reason == IgnoreReason::WrongSize)
        Say("ignored a datagram of " + std::to_string(length) + " bytes (a reply has 160)");
    else
        Say("ignored a 160-byte datagram that is not a reply (it does not begin 00 02)");
}

void ScanReporter::OnDuplicateDropped(std::u16string_view macText) {
    Say("dropped another reply from " + Utf8(macText) + ": the first reply is kept");
}

void ScanReporter::OnTableFull(std::u16string_view macText) {
    Say("dropped " + Utf8(macText) + ": the device table is full (20 devices)");
}

void ScanReporter::OnDeviceStored(std::size_t index) {
    const DeviceEntry& device = m_devices.Devices[index];
    Say("device " + std::to_string(index + 1) + ": " + Utf8(FixedText(device.MacText)) + " at " +
        Utf8(FixedText(device.IpText)));
}
