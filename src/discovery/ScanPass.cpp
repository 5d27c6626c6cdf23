#include "discovery/ScanPass.h"

#include "discovery/AdapterTable.h"
#include "discovery/AddressText.h"
#include "discovery/DeviceTable.h"
#include "discovery/DiscoveryProbe.h"
#include "discovery/DiscoveryReply.h"
#include "discovery/ScanObserver.h"
#include "platform/net/AnsiText.h"
#include "platform/net/CancelSignal.h"
#include "platform/net/DatagramSocket.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

ScanOutcome ScanPass::Run() {
    AdapterTable& adapters = m_context.Adapters;
    DeviceTable& devices = m_context.Devices;

    BuildAdapterTable(adapters, m_context.Source);
    if (adapters.Found > kMaxScannedAdapters) {
        if (m_context.Observer)
            m_context.Observer->OnInventoryTooLarge(adapters.Found);
        return ScanOutcome::TooManyAdapters;
    }
    ClearDeviceRecords(devices);

    for (std::size_t i = 0; i < adapters.Count; ++i) {
        if (IsCancelled())
            return ScanOutcome::Cancelled;
        const AdapterEntry& entry = adapters.Entries[i];
        m_index = i;
        m_interface = FixedText(entry.Name);
        m_address = FixedText(entry.FirstAddress.Address);
        const std::uint32_t addressNet = ParseAddressText(entry.FirstAddress.Address);
        const std::uint32_t maskNet = ParseAddressText(entry.FirstAddress.Mask);

        if (addressNet == 0) {
            // No usable address (yet): the adapter may have gained one meanwhile, so look again.
            BuildAdapterTable(adapters, m_context.Source);
            Skip(SkipReason::NoAddress);
            continue;
        }
        auto socket = OpenProbeSocket(addressNet);
        if (!socket)
            continue;
        SendProbe(*socket, addressNet, maskNet);
        const bool cancelled = !CollectReplies(*socket);
        if (const int error = socket->Close(); error != 0)
            ReportSocketError("close", error);
        if (cancelled)
            return ScanOutcome::Cancelled;
    }

    PublishDeviceRecords(devices);
    return ScanOutcome::Completed;
}

std::string ScanPass::DiagnosticLine(std::uint32_t destinationNet) {
    char line[64];
    std::snprintf(line, sizeof line, "server_to.sin_addr.s_addr = %x", static_cast<unsigned>(destinationNet));
    return line;
}

std::unique_ptr<DatagramSocket> ScanPass::OpenProbeSocket(std::uint32_t addressNet) {
    int error = 0;
    auto socket = m_context.Sockets.Open(error);
    if (!socket) {
        ReportSocketError("socket", error);
        Skip(SkipReason::SocketUnavailable);
        return nullptr;
    }
    error = socket->Bind(addressNet, m_context.LocalPort);
    if (error == 0)
        return socket;
    ReportSocketError("bind", error);
    // The address is no longer on this machine: the inventory is out of date.
    if (error == EADDRNOTAVAIL)
        BuildAdapterTable(m_context.Adapters, m_context.Source);
    socket->Close();
    Skip(SkipReason::BindFailed);
    return nullptr;
}

void ScanPass::SendProbe(DatagramSocket& socket, std::uint32_t addressNet, std::uint32_t maskNet) {
    const DiscoveryProbe::Bytes probe = DiscoveryProbe::Build(m_context.Adapters);
    const std::uint32_t destinationNet = DiscoveryProbe::Destination(addressNet, maskNet);
    if (m_context.Diagnostic)
        m_context.Diagnostic(DiagnosticLine(destinationNet));
    // A failed send is only reported: replies are still awaited, as for a probe that went out.
    if (const int error = socket.SendTo(probe, destinationNet, m_context.DestinationPort); error != 0)
        ReportSocketError("sendto", error);
}

bool ScanPass::CollectReplies(DatagramSocket& socket) {
    for (std::size_t iteration = 0; iteration < kMaxRepliesPerAdapter; ++iteration) {
        const WaitResult wait = socket.WaitReadable(m_context.ReplyWait, m_context.Cancel);
        if (wait.status == WaitResult::Status::Cancelled)
            return false;
        if (wait.status == WaitResult::Status::Failed) {
            ReportSocketError("poll", wait.error);
            return true;
        }
        if (wait.status == WaitResult::Status::TimedOut)
            return true;

        // A datagram counts against the 20 whether it is accepted or not.
        std::uint8_t buffer[kReplySize] = {};
        const ReceiveResult received = socket.Receive(buffer);
        if (received.length < 0) {
            ReportSocketError("recv", received.error);
            continue;
        }
        if (received.length != static_cast<std::ptrdiff_t>(kReplySize)) {
            if (m_context.Observer)
                m_context.Observer->OnDatagramIgnored(received.length, IgnoreReason::WrongSize);
            continue;
        }
        if (!DiscoveryReply::Accepts(buffer)) {
            if (m_context.Observer)
                m_context.Observer->OnDatagramIgnored(received.length, IgnoreReason::WrongType);
            continue;
        }
        StoreReply(buffer);
    }
    return true;
}

void ScanPass::StoreReply(std::span<const std::uint8_t, kReplySize> reply) {
    DeviceTable& devices = m_context.Devices;
    DeviceEntry entry;
    DiscoveryReply::Decode(reply, entry);
    if (devices.Count >= kMaxDevices) {
        if (m_context.Observer)
            m_context.Observer->OnTableFull(FixedText(entry.MacText));
        return;
    }
    // A device keeps the data of its first reply in the pass, whichever adapter it came through.
    if (FindDeviceByMac(devices, entry.MacText) >= 0) {
        if (m_context.Observer)
            m_context.Observer->OnDuplicateDropped(FixedText(entry.MacText));
        return;
    }
    devices.Devices[devices.Count] = entry;
    ++devices.Count;
    if (m_context.Observer)
        m_context.Observer->OnDeviceStored(devices.Count - 1);
}

void ScanPass::Skip(SkipReason reason) {
    if (m_context.Observer)
        m_context.Observer->OnAdapterSkipped(m_index, m_interface, m_address, reason);
}

void ScanPass::ReportSocketError(const char* operation, int error) {
    if (!m_context.Observer)
        return;
    char text[256] = {};
    // The GNU strerror_r may return a static text instead of filling the buffer.
    const char* message = strerror_r(error, text, sizeof text);
    SocketErrorReport report;
    report.Operation = operation;
    report.Interface = m_interface;
    report.Address = m_address;
    report.Error = error;
    report.ErrorText = message;
    m_context.Observer->OnSocketError(report);
}

bool ScanPass::IsCancelled() const {
    return m_context.Cancel && m_context.Cancel->IsRaised();
}
