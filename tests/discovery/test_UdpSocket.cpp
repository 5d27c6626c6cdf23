// Real sockets, on 127.0.0.1 only, with ports the kernel picks.

#include "FakeNetwork.h"
#include "discovery/AdapterTable.h"
#include "discovery/DeviceTable.h"
#include "discovery/DiscoveryProbe.h"
#include "discovery/DiscoveryReply.h"
#include "discovery/ScanPass.h"
#include "platform/net/CancelSignal.h"
#include "platform/net/Ipv4Text.h"
#include "platform/net/UdpSocket.h"
#include "platform/net/UdpSocketFactory.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <thread>

namespace {

using namespace std::chrono_literals;

const std::uint32_t kLoopback = Ipv4FromBytes(127, 0, 0, 1);

std::unique_ptr<UdpSocket> BoundSocket() {
    int error = 0;
    auto socket = UdpSocket::Open(error);
    EXPECT_TRUE(socket) << error;
    if (socket) {
        EXPECT_EQ(socket->Bind(kLoopback, 0), 0);
    }
    return socket;
}

TEST(UdpSocket, IsCloseOnExecAndMayBroadcast) {
    auto socket = BoundSocket();
    ASSERT_TRUE(socket);
    EXPECT_TRUE(fcntl(socket->Descriptor(), F_GETFD) & FD_CLOEXEC);
    int broadcast = 0;
    socklen_t length = sizeof broadcast;
    ASSERT_EQ(getsockopt(socket->Descriptor(), SOL_SOCKET, SO_BROADCAST, &broadcast, &length), 0);
    EXPECT_EQ(broadcast, 1);
    EXPECT_NE(socket->LocalPort(), 0);
}

TEST(UdpSocket, ReceiveTellsTheRealLengthAndTheSender) {
    auto receiver = BoundSocket();
    auto sender = BoundSocket();
    ASSERT_TRUE(receiver && sender);
    for (std::size_t size : {160u, 161u, 159u, 1000u}) {
        std::vector<std::uint8_t> datagram(size, 0xAB);
        ASSERT_EQ(sender->SendTo(datagram, kLoopback, receiver->LocalPort()), 0);
        ASSERT_EQ(receiver->WaitReadable(2s, nullptr).status, WaitResult::Status::Readable);
        std::uint8_t buffer[kReplySize] = {};
        std::uint32_t from = 0;
        std::uint16_t fromPort = 0;
        const ReceiveResult result = receiver->ReceiveFrom(buffer, &from, &fromPort);
        EXPECT_EQ(result.length, static_cast<std::ptrdiff_t>(size)); // a longer datagram is never cut to fit
        EXPECT_EQ(from, kLoopback);
        EXPECT_EQ(fromPort, sender->LocalPort());
    }
    const ReceiveResult nothing = receiver->Receive(std::span<std::uint8_t>());
    EXPECT_EQ(nothing.length, -1); // never blocks
    EXPECT_EQ(nothing.error, EAGAIN);
}

TEST(UdpSocket, WaitTimesOutAndCancelWakesItAtOnce) {
    auto socket = BoundSocket();
    ASSERT_TRUE(socket);
    auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(socket->WaitReadable(50ms, nullptr).status, WaitResult::Status::TimedOut);
    EXPECT_GE(std::chrono::steady_clock::now() - start, 45ms);

    CancelSignal cancel;
    std::thread raiser([&] {
        std::this_thread::sleep_for(50ms);
        cancel.Raise();
    });
    start = std::chrono::steady_clock::now();
    EXPECT_EQ(socket->WaitReadable(30s, &cancel).status, WaitResult::Status::Cancelled);
    EXPECT_LT(std::chrono::steady_clock::now() - start, 5s);
    raiser.join();
    EXPECT_TRUE(cancel.IsRaised());
    cancel.Reset();
    EXPECT_FALSE(cancel.IsRaised());
}

TEST(UdpSocket, ClosedSocketFailsCleanly) {
    auto socket = BoundSocket();
    ASSERT_TRUE(socket);
    EXPECT_EQ(socket->Close(), 0);
    EXPECT_EQ(socket->Close(), EBADF);
    EXPECT_EQ(socket->WaitReadable(10ms, nullptr).status, WaitResult::Status::Failed);
    EXPECT_NE(socket->SendTo(std::vector<std::uint8_t>(4), kLoopback, 9), 0);
}

TEST(UdpSocket, BindToAnAddressNotHereIsAddressNotAvailable) {
    int error = 0;
    auto socket = UdpSocket::Open(error);
    ASSERT_TRUE(socket);
    // 192.0.2.1 (a documentation address) is not on this machine; bind fails before any traffic.
    EXPECT_EQ(socket->Bind(Ipv4FromBytes(192, 0, 2, 1), 0), EADDRNOTAVAIL);
}

// A whole pass over real sockets: the "device" answers on 127.0.0.1 with one oversized
// datagram, two replies of one device and one of another.
TEST(UdpSocket, ScanPassOverLoopback) {
    auto device = BoundSocket();
    ASSERT_TRUE(device);

    std::vector<std::uint8_t> probeSeen;
    std::thread answer([&] {
        if (device->WaitReadable(5s, nullptr).status != WaitResult::Status::Readable)
            return;
        std::vector<std::uint8_t> probe(kProbeSize + 1);
        std::uint32_t from = 0;
        std::uint16_t port = 0;
        const ReceiveResult got = device->ReceiveFrom(probe, &from, &port);
        probe.resize(static_cast<std::size_t>(std::max<std::ptrdiff_t>(got.length, 0)));
        probeSeen = probe;
        auto first = DiscoveryReply::Encode(Ipv4FromBytes(192, 168, 0, 254),
                                            {2, 0x11, 0x22, 0x33, 0x44, 0x55}, "Model A", "Hall");
        std::vector<std::uint8_t> oversized(first.begin(), first.end());
        oversized.push_back(0);
        device->SendTo(oversized, from, port);
        device->SendTo(first, from, port);
        device->SendTo(DiscoveryReply::Encode(Ipv4FromBytes(192, 168, 0, 254),
                                              {2, 0x11, 0x22, 0x33, 0x44, 0x55}, "Changed", "Hall"),
                       from, port);
        device->SendTo(
            DiscoveryReply::Encode(Ipv4FromBytes(192, 168, 0, 9), {2, 0, 0, 0, 0, 9}, "Model B", "Attic"),
            from, port);
    });

    FakeAdapterSource source;
    // A host mask makes the probe's destination 127.0.0.1 itself.
    source.Adapters = {MakeNetAdapter("lo", {{"127.0.0.1", "255.255.255.255"}})};
    AdapterTable adapters;
    DeviceTable devices;
    UdpSocketFactory sockets;
    ScanContext context(adapters, devices, source, sockets);
    context.ReplyWait = 500ms;
    context.DestinationPort = device->LocalPort();
    context.LocalPort = 0;
    EXPECT_EQ(ScanPass(context).Run(), ScanOutcome::Completed);
    answer.join();

    ASSERT_EQ(probeSeen.size(), kProbeSize);
    const auto probe = DiscoveryProbe::Parse(probeSeen);
    ASSERT_TRUE(probe);
    EXPECT_EQ(probe->Pairs, (std::vector<ProbePair>{{kLoopback, 0xFFFFFFFFu}}));
    ASSERT_EQ(devices.DisplayCount, 2);
    EXPECT_EQ(devices.DisplayEntries[0].Texts[kDisplayModel], u"Model A");
    EXPECT_EQ(devices.DisplayEntries[0].Texts[kDisplayIpText], u"192.168.0.254");
    EXPECT_EQ(devices.DisplayEntries[1].Texts[kDisplayDescription], u"Attic");
}

} // namespace
