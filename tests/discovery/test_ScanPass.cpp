#include "FakeNetwork.h"
#include "discovery/AdapterTable.h"
#include "discovery/DeviceTable.h"
#include "discovery/DiscoveryProbe.h"
#include "discovery/DiscoveryReply.h"
#include "discovery/ScanObserver.h"
#include "discovery/ScanPass.h"
#include "platform/net/AnsiText.h"
#include "platform/net/Ipv4Text.h"

#include <bit>
#include <gtest/gtest.h>

namespace {

std::vector<std::uint8_t> Reply(int device, std::string model = "Model A",
                                std::string description = "Office") {
    const auto bytes = DiscoveryReply::Encode(
        Ipv4FromBytes(192, 168, 1, static_cast<std::uint8_t>(100 + device)),
        {0x02, 0x00, 0x00, 0x00, 0x00, static_cast<std::uint8_t>(device)}, model, description);
    return {bytes.begin(), bytes.end()};
}

std::u16string MacOf(int device) {
    char text[20];
    std::snprintf(text, sizeof text, "02-00-00-00-00-%02X", device);
    return AnsiToUtf16(text);
}

struct RecordingObserver : ScanObserver {
    void OnInventoryTooLarge(std::size_t adapters) override { tooLarge = adapters; }
    void OnSocketError(const SocketErrorReport& report) override {
        errors.push_back(std::string(report.Operation) + ":" + std::to_string(report.Error));
        errorTexts.emplace_back(report.ErrorText);
        errorInterfaces.emplace_back(report.Interface);
    }
    void OnAdapterSkipped(std::size_t index, std::u16string_view, std::u16string_view,
                          SkipReason reason) override {
        skipped.emplace_back(index, reason);
    }
    void OnDatagramIgnored(std::ptrdiff_t length, IgnoreReason reason) override {
        ignored.emplace_back(length, reason);
    }
    void OnDuplicateDropped(std::u16string_view mac) override { duplicates.emplace_back(mac); }
    void OnTableFull(std::u16string_view) override { ++tableFull; }

    std::size_t tooLarge = 0;
    std::vector<std::string> errors;
    std::vector<std::string> errorTexts;
    std::vector<std::u16string> errorInterfaces;
    std::vector<std::pair<std::size_t, SkipReason>> skipped;
    std::vector<std::pair<std::ptrdiff_t, IgnoreReason>> ignored;
    std::vector<std::u16string> duplicates;
    int tableFull = 0;
};

class ScanPassTest : public testing::Test {
protected:
    ScanOutcome RunPass() {
        ScanContext context(m_adapters, m_devices, m_source, m_sockets);
        context.Observer = &m_observer;
        context.Diagnostic = [this](std::string_view line) { m_diagnostics.emplace_back(line); };
        return ScanPass(context).Run();
    }
    void OneAdapter() { m_source.Adapters = {MakeNetAdapter("eth0", {{"192.168.1.10", "255.255.255.0"}})}; }
    void Script(std::vector<SocketEvent> events) {
        m_sockets.Scripts.push_back({.events = std::move(events)});
    }
    std::u16string DisplayText(std::size_t entry, DisplayTextIndex index) const {
        return m_devices.DisplayEntries[entry].Texts[index];
    }

    AdapterTable m_adapters;
    DeviceTable m_devices;
    FakeAdapterSource m_source;
    ScriptedSocketFactory m_sockets;
    RecordingObserver m_observer;
    std::vector<std::string> m_diagnostics;
};

TEST_F(ScanPassTest, ProbesEachAdapterAndPublishesItsDevices) {
    m_source.Adapters = {MakeNetAdapter("eth0", {{"192.168.1.10", "255.255.255.0"}}),
                         MakeNetAdapter("eth1", {{"10.0.0.5", "255.0.0.0"}})};
    Script({SocketEvent::Datagram(Reply(1, "Model A", "Office"))});
    Script({SocketEvent::Datagram(Reply(2, "Model B", "Cellar"))});

    EXPECT_EQ(RunPass(), ScanOutcome::Completed);

    ASSERT_EQ(m_sockets.Records.size(), 2u);
    const SocketRecord& first = *m_sockets.Records[0];
    EXPECT_EQ(first.boundAddress, Ipv4FromBytes(192, 168, 1, 10));
    EXPECT_EQ(first.boundPort, 28011);
    EXPECT_EQ(first.sentTo, Ipv4FromBytes(192, 168, 1, 255));
    EXPECT_EQ(first.sentPort, 28010);
    ASSERT_EQ(first.sent.size(), 1u);
    EXPECT_EQ(first.sent[0].size(), kProbeSize);
    EXPECT_TRUE(first.closed);
    // Both probes carry the whole inventory.
    EXPECT_EQ(m_sockets.Records[1]->sent[0], first.sent[0]);
    EXPECT_EQ(m_sockets.Records[1]->sentTo, Ipv4FromBytes(10, 255, 255, 255));

    ASSERT_EQ(m_devices.DisplayCount, 2);
    EXPECT_EQ(DisplayText(0, kDisplayDescription), u"Office");
    EXPECT_EQ(DisplayText(0, kDisplayModel), u"Model A");
    EXPECT_EQ(DisplayText(0, kDisplayIpText), u"192.168.1.101");
    EXPECT_EQ(DisplayText(0, kDisplayMacText), MacOf(1));
    EXPECT_EQ(DisplayText(1, kDisplayDescription), u"Cellar");
    EXPECT_EQ(m_diagnostics.size(), 2u);
}

TEST_F(ScanPassTest, DiagnosticLinePrintsTheAddressAsTheHostReadsIt) {
    const std::uint32_t destination = Ipv4FromBytes(127, 255, 255, 255);
    if constexpr (std::endian::native == std::endian::little)
        EXPECT_EQ(ScanPass::DiagnosticLine(destination), "server_to.sin_addr.s_addr = ffffff7f");
    else
        EXPECT_EQ(ScanPass::DiagnosticLine(destination), "server_to.sin_addr.s_addr = 7fffffff");

    OneAdapter();
    RunPass();
    ASSERT_EQ(m_diagnostics.size(), 1u);
    EXPECT_EQ(m_diagnostics[0], ScanPass::DiagnosticLine(Ipv4FromBytes(192, 168, 1, 255)));
}

TEST_F(ScanPassTest, EmptyInventoryClearsThePreviousResult) {
    OneAdapter();
    Script({SocketEvent::Datagram(Reply(1))});
    RunPass();
    ASSERT_EQ(m_devices.DisplayCount, 1);

    m_source.Adapters = {};
    EXPECT_EQ(RunPass(), ScanOutcome::Completed);
    EXPECT_EQ(m_devices.Count, 0u);
    EXPECT_EQ(m_devices.DisplayCount, 0);
    EXPECT_TRUE(m_sockets.Records.size() == 1u);
}

TEST_F(ScanPassTest, MoreThanTenAdaptersLeaveThePreviousResult) {
    OneAdapter();
    Script({SocketEvent::Datagram(Reply(1)), SocketEvent::Datagram(Reply(2))});
    RunPass();
    ASSERT_EQ(m_devices.DisplayCount, 2);

    std::vector<NetAdapter> eleven;
    for (int i = 0; i < 11; ++i)
        eleven.push_back(
            MakeNetAdapter("eth" + std::to_string(i), {{"10.0.0." + std::to_string(i + 1), "255.0.0.0"}}));
    m_source.Adapters = eleven;
    EXPECT_EQ(RunPass(), ScanOutcome::TooManyAdapters);
    EXPECT_EQ(m_observer.tooLarge, 11u);
    EXPECT_EQ(m_sockets.Records.size(), 1u); // nothing opened
    EXPECT_EQ(m_devices.Count, 2u);
    EXPECT_EQ(m_devices.DisplayCount, 2);
    EXPECT_EQ(DisplayText(1, kDisplayMacText), MacOf(2));

    eleven.pop_back(); // ten are scanned
    m_source.Adapters = eleven;
    EXPECT_EQ(RunPass(), ScanOutcome::Completed);
    EXPECT_EQ(m_sockets.Records.size(), 11u);
    EXPECT_EQ(m_devices.DisplayCount, 0);
}

TEST_F(ScanPassTest, ZeroFirstAddressSkipsTheAdapterButItsOtherAddressesAreProbed) {
    m_source.Adapters = {MakeNetAdapter("eth0", {{"0.0.0.0", "0.0.0.0"}, {"10.0.0.5", "255.0.0.0"}}),
                         MakeNetAdapter("eth1", {{"192.168.1.10", "255.255.255.0"}})};
    RunPass();

    EXPECT_EQ(m_source.Calls, 2); // built at the start, rebuilt for the zero address
    ASSERT_EQ(m_observer.skipped.size(), 1u);
    EXPECT_EQ(m_observer.skipped[0], std::make_pair(std::size_t{0}, SkipReason::NoAddress));
    ASSERT_EQ(m_sockets.Records.size(), 1u);
    EXPECT_EQ(m_sockets.Records[0]->boundAddress, Ipv4FromBytes(192, 168, 1, 10));
    const auto probe = DiscoveryProbe::Parse(m_sockets.Records[0]->sent[0]);
    ASSERT_TRUE(probe);
    ASSERT_EQ(probe->Pairs.size(), 3u);
    EXPECT_EQ(probe->Pairs[0], (ProbePair{0, 0}));
    EXPECT_EQ(probe->Pairs[1], (ProbePair{Ipv4FromBytes(10, 0, 0, 5), Ipv4FromBytes(255, 0, 0, 0)}));
}

TEST_F(ScanPassTest, ReadsTheAdapterCountAgainAfterARebuild) {
    // The rebuild for eth0's zero address finds only eth0 left: the pass must not go on to an
    // entry that no longer exists.
    m_source.Adapters = {MakeNetAdapter("eth0", {{"0.0.0.0", "0.0.0.0"}}),
                         MakeNetAdapter("eth1", {{"192.168.1.10", "255.255.255.0"}})};
    m_source.Next = {m_source.Adapters, {MakeNetAdapter("eth0", {{"0.0.0.0", "0.0.0.0"}})}};
    RunPass();
    EXPECT_TRUE(m_sockets.Records.empty());
}

TEST_F(ScanPassTest, SocketFailuresSkipTheAdapterAndRebuildOnlyWhenTheAddressIsGone) {
    m_source.Adapters = {MakeNetAdapter("eth0", {{"192.168.1.10", "255.255.255.0"}}),
                         MakeNetAdapter("eth1", {{"10.0.0.5", "255.0.0.0"}}),
                         MakeNetAdapter("eth2", {{"172.16.5.9", "255.255.240.0"}}),
                         MakeNetAdapter("eth3", {{"172.17.0.1", "255.255.0.0"}})};
    m_sockets.Scripts.push_back({.openError = EMFILE, .events = {}});
    m_sockets.Scripts.push_back({.bindError = EACCES, .events = {}});
    m_sockets.Scripts.push_back({.bindError = EADDRNOTAVAIL, .events = {}});
    m_sockets.Scripts.push_back({.events = {SocketEvent::Datagram(Reply(4))}});

    RunPass();

    EXPECT_EQ(m_source.Calls, 2); // the start, and once after "address not available"
    EXPECT_EQ(m_observer.errors,
              (std::vector<std::string>{"socket:" + std::to_string(EMFILE), "bind:" + std::to_string(EACCES),
                                        "bind:" + std::to_string(EADDRNOTAVAIL)}));
    EXPECT_EQ(m_observer.errorInterfaces[1], u"eth1");
    EXPECT_FALSE(m_observer.errorTexts[0].empty());
    ASSERT_EQ(m_observer.skipped.size(), 3u);
    EXPECT_EQ(m_observer.skipped[0].second, SkipReason::SocketUnavailable);
    EXPECT_EQ(m_observer.skipped[2].second, SkipReason::BindFailed);
    EXPECT_TRUE(m_sockets.Records[1]->closed); // a socket that failed to bind is closed
    EXPECT_TRUE(m_sockets.Records[1]->sent.empty());
    EXPECT_EQ(m_devices.DisplayCount, 1);
}

TEST_F(ScanPassTest, FailedSendStillWaitsForReplies) {
    OneAdapter();
    m_sockets.Scripts.push_back({.sendError = ENETUNREACH, .events = {SocketEvent::Datagram(Reply(1))}});
    RunPass();
    EXPECT_EQ(m_observer.errors, (std::vector<std::string>{"sendto:" + std::to_string(ENETUNREACH)}));
    EXPECT_EQ(m_devices.DisplayCount, 1);
}

TEST_F(ScanPassTest, StepEndsAtATimeoutOrAFailedWait) {
    m_source.Adapters = {MakeNetAdapter("eth0", {{"192.168.1.10", "255.255.255.0"}}),
                         MakeNetAdapter("eth1", {{"10.0.0.5", "255.0.0.0"}})};
    Script({SocketEvent::Datagram(Reply(1)), SocketEvent::Timeout(), SocketEvent::Datagram(Reply(2))});
    Script({SocketEvent::WaitError(EINVAL), SocketEvent::Datagram(Reply(3))});
    RunPass();
    EXPECT_EQ(m_sockets.Records[0]->waits, 2);
    EXPECT_EQ(m_sockets.Records[1]->waits, 1);
    EXPECT_EQ(m_observer.errors, (std::vector<std::string>{"poll:" + std::to_string(EINVAL)}));
    ASSERT_EQ(m_devices.DisplayCount, 1);
    EXPECT_EQ(DisplayText(0, kDisplayMacText), MacOf(1));
}

TEST_F(ScanPassTest, DatagramsThatAreNoReplyAreIgnoredButCount) {
    OneAdapter();
    auto longer = Reply(1);
    longer.push_back(0);
    auto shorter = Reply(2);
    shorter.pop_back();
    auto wrongType = Reply(3);
    wrongType[1] = 0x01;
    auto littleEndianType = Reply(4);
    littleEndianType[0] = 0x02;
    littleEndianType[1] = 0x00;
    std::vector<SocketEvent> events = {
        SocketEvent::Datagram(longer), SocketEvent::Datagram(shorter), SocketEvent::Datagram(wrongType),
        SocketEvent::Datagram(littleEndianType), SocketEvent::ReceiveError(ECONNREFUSED)};
    // 15 more wrong datagrams use up the 20 reads: the good reply after them is never read.
    for (int i = 0; i < 15; ++i)
        events.push_back(SocketEvent::Datagram(shorter));
    events.push_back(SocketEvent::Datagram(Reply(5)));
    Script(events);

    RunPass();
    EXPECT_EQ(m_sockets.Records[0]->receives, 20);
    EXPECT_EQ(m_devices.DisplayCount, 0);
    ASSERT_GE(m_observer.ignored.size(), 4u);
    EXPECT_EQ(m_observer.ignored[0], std::make_pair(std::ptrdiff_t{161}, IgnoreReason::WrongSize));
    EXPECT_EQ(m_observer.ignored[1], std::make_pair(std::ptrdiff_t{159}, IgnoreReason::WrongSize));
    EXPECT_EQ(m_observer.ignored[2], std::make_pair(std::ptrdiff_t{160}, IgnoreReason::WrongType));
    EXPECT_EQ(m_observer.ignored[3], std::make_pair(std::ptrdiff_t{160}, IgnoreReason::WrongType));
    EXPECT_EQ(m_observer.errors, (std::vector<std::string>{"recv:" + std::to_string(ECONNREFUSED)}));
}

TEST_F(ScanPassTest, TwentyFiveDevicesOnOneAdapterGiveTwentyReads) {
    OneAdapter();
    std::vector<SocketEvent> events;
    for (int d = 0; d < 25; ++d)
        events.push_back(SocketEvent::Datagram(Reply(d)));
    Script(events);
    RunPass();
    EXPECT_EQ(m_sockets.Records[0]->receives, 20);
    EXPECT_EQ(m_devices.Count, 20u);
    EXPECT_EQ(m_devices.DisplayCount, 20);
    EXPECT_EQ(DisplayText(19, kDisplayMacText), MacOf(19));
}

TEST_F(ScanPassTest, FullTableDropsNewDevicesForTheRestOfThePass) {
    m_source.Adapters = {MakeNetAdapter("eth0", {{"192.168.1.10", "255.255.255.0"}}),
                         MakeNetAdapter("eth1", {{"10.0.0.5", "255.0.0.0"}})};
    std::vector<SocketEvent> first, second;
    for (int d = 0; d < 15; ++d)
        first.push_back(SocketEvent::Datagram(Reply(d)));
    for (int d = 15; d < 25; ++d)
        second.push_back(SocketEvent::Datagram(Reply(d)));
    Script(first);
    Script(second);
    RunPass();
    EXPECT_EQ(m_devices.DisplayCount, 20);
    EXPECT_EQ(m_observer.tableFull, 5);
    EXPECT_EQ(DisplayText(19, kDisplayMacText), MacOf(19));
}

TEST_F(ScanPassTest, DuplicatesAcrossAdaptersKeepTheFirstReply) {
    m_source.Adapters = {MakeNetAdapter("eth0", {{"192.168.1.10", "255.255.255.0"}}),
                         MakeNetAdapter("eth1", {{"10.0.0.5", "255.0.0.0"}})};
    Script({SocketEvent::Datagram(Reply(1, "First", "Seen first")),
            SocketEvent::Datagram(Reply(1, "Again", "Same adapter again"))});
    auto viaSecond =
        DiscoveryReply::Encode(Ipv4FromBytes(10, 0, 0, 77), {0x02, 0, 0, 0, 0, 1}, "Other", "Via eth1");
    Script({SocketEvent::Datagram(viaSecond), SocketEvent::Datagram(Reply(2))});
    RunPass();
    ASSERT_EQ(m_devices.DisplayCount, 2);
    EXPECT_EQ(DisplayText(0, kDisplayModel), u"First");
    EXPECT_EQ(DisplayText(0, kDisplayDescription), u"Seen first");
    EXPECT_EQ(DisplayText(0, kDisplayIpText), u"192.168.1.101");
    EXPECT_EQ(DisplayText(1, kDisplayMacText), MacOf(2));
    EXPECT_EQ(m_observer.duplicates, (std::vector<std::u16string>{MacOf(1), MacOf(1)}));
}

TEST_F(ScanPassTest, SmallerPassAfterALargerOneShowsOnlyItsDevices) {
    OneAdapter();
    std::vector<SocketEvent> five;
    for (int d = 0; d < 5; ++d)
        five.push_back(SocketEvent::Datagram(Reply(d)));
    Script(five);
    RunPass();
    ASSERT_EQ(m_devices.DisplayCount, 5);

    Script({SocketEvent::Datagram(Reply(10)), SocketEvent::Datagram(Reply(11)),
            SocketEvent::Datagram(Reply(12))});
    RunPass();
    EXPECT_EQ(m_devices.Count, 3u);
    EXPECT_EQ(m_devices.DisplayCount, 3);
    EXPECT_EQ(DisplayText(0, kDisplayMacText), MacOf(10));
    EXPECT_EQ(DisplayText(2, kDisplayMacText), MacOf(12));
    EXPECT_EQ(FixedText(m_devices.Devices[3].MacText), u""); // raw records beyond Count are zero
}

TEST_F(ScanPassTest, FailedCloseIsReportedAndThePassGoesOn) {
    m_source.Adapters = {MakeNetAdapter("eth0", {{"192.168.1.10", "255.255.255.0"}}),
                         MakeNetAdapter("eth1", {{"10.0.0.5", "255.0.0.0"}})};
    m_sockets.Scripts.push_back({.closeError = EIO, .events = {}});
    Script({SocketEvent::Datagram(Reply(1))});
    RunPass();
    EXPECT_EQ(m_observer.errors, (std::vector<std::string>{"close:" + std::to_string(EIO)}));
    EXPECT_EQ(m_devices.DisplayCount, 1);
}

TEST_F(ScanPassTest, RaisedCancelEndsThePassAndKeepsTheDisplayCopy) {
    OneAdapter();
    Script({SocketEvent::Datagram(Reply(1))});
    RunPass();
    ASSERT_EQ(m_devices.DisplayCount, 1);

    CancelSignal cancel;
    cancel.Raise();
    ScanContext context(m_adapters, m_devices, m_source, m_sockets);
    context.Cancel = &cancel;
    EXPECT_EQ(ScanPass(context).Run(), ScanOutcome::Cancelled);
    EXPECT_EQ(m_devices.DisplayCount, 1);
    EXPECT_EQ(DisplayText(0, kDisplayMacText), MacOf(1));
}

} // namespace
