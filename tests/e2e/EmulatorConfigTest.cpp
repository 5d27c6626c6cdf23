// The emulator's own logic: device lines, the datagrams it plans for a probe, its command line.
// The socket side is covered by the end-to-end scripts next to this file.

#include "DeviceConfig.h"
#include "EmulatorOptions.h"
#include "ReplyPlan.h"

#include <gtest/gtest.h>
#include <set>

namespace {

EmulatedDevice Device(std::array<std::uint8_t, 4> ip, std::array<std::uint8_t, 6> mac, std::string model,
                      std::string description) {
    return {ip, mac, std::move(model), std::move(description)};
}

struct GoodLine {
    const char* line;
    EmulatedDevice expected;
};

TEST(DeviceConfigTest, ParsesDeviceLines) {
    const GoodLine cases[] = {
        {"192.0.2.20 02-51-4D-00-00-20 QM-500W Living room",
         Device({192, 0, 2, 20}, {0x02, 0x51, 0x4D, 0, 0, 0x20}, "QM-500W", "Living room")},
        {"  10.0.0.1\t02:aa:bb:cc:dd:ee  M   spaced   words  \r",
         Device({10, 0, 0, 1}, {0x02, 0xAA, 0xBB, 0xCC, 0xDD, 0xEE}, "M", "spaced   words")},
        {"10.0.0.1 02-00-00-00-00-01 \"QM 1200 AV\" \"quoted \\\"desc\\\"\"",
         Device({10, 0, 0, 1}, {2, 0, 0, 0, 0, 1}, "QM 1200 AV", "quoted \"desc\"")},
        {"10.0.0.1 02-00-00-00-00-01 Caf\\xE9 bytes\\x00\\xff\\\\",
         Device({10, 0, 0, 1}, {2, 0, 0, 0, 0, 1}, "Caf\xE9", std::string("bytes\0\xff\\", 8))},
        {"0.0.0.0 00-00-00-00-00-00 \"\"", Device({0, 0, 0, 0}, {0, 0, 0, 0, 0, 0}, "", "")},
    };
    for (const GoodLine& c : cases) {
        std::string error;
        auto device = DeviceConfig::ParseLine(c.line, &error);
        ASSERT_TRUE(device) << c.line << ": " << error;
        EXPECT_EQ(*device, c.expected) << c.line;
    }
}

TEST(DeviceConfigTest, RejectsMalformedLinesWithAReason) {
    const char* cases[] = {
        "192.0.2.256 02-00-00-00-00-01 M",   // address out of range
        "host 02-00-00-00-00-01 M",          // not an address
        "10.0.0.1 02-00-00-00-00 M",         // five MAC bytes
        "10.0.0.1 02-00-00-00-00-0G M",      // not hex
        "10.0.0.1 02-00-00-00-00-01",        // no model
        "10.0.0.1 02-00-00-00-00-01 \"open", // unterminated quote
        "10.0.0.1 02-00-00-00-00-01 M \\x4", // half an escape
        "10.0.0.1 02-00-00-00-00-01 M \\q",  // unknown escape
        "10.0.0.1 02-00-00-00-00-01 M \"d\" tail",
    };
    for (const char* line : cases) {
        std::string error;
        EXPECT_FALSE(DeviceConfig::ParseLine(line, &error)) << line;
        EXPECT_FALSE(error.empty()) << line;
    }
}

TEST(DeviceConfigTest, SkipsCommentsAndNamesTheBadLine) {
    auto good = DeviceConfig::ParseText("# devices\n\n   # indented comment\r\n"
                                        "10.0.0.1 02-00-00-00-00-01 A first # not a comment\r\n"
                                        "10.0.0.2 02-00-00-00-00-02 B",
                                        "devices.conf");
    ASSERT_TRUE(good.error.empty()) << good.error;
    ASSERT_EQ(good.devices.size(), 2u);
    EXPECT_EQ(good.devices[0].description, "first # not a comment");
    EXPECT_EQ(good.devices[1].model, "B");

    auto bad = DeviceConfig::ParseText("10.0.0.1 02-00-00-00-00-01 A\nnonsense\n", "devices.conf");
    EXPECT_TRUE(bad.devices.empty());
    EXPECT_EQ(bad.error.rfind("devices.conf:2: ", 0), 0u) << bad.error;
}

TEST(DeviceConfigTest, FormattedLineReadsBackToTheSameDevice) {
    std::string allBytes;
    for (int b = 0; b < 256; ++b)
        allBytes.push_back(static_cast<char>(b));
    EmulatedDevice device =
        Device({1, 2, 3, 4}, {0xFE, 0xDC, 0xBA, 0x98, 0x76, 0x54}, "a \"b\" \\", allBytes);
    std::string error;
    auto back = DeviceConfig::ParseLine(DeviceConfig::FormatLine(device), &error);
    ASSERT_TRUE(back) << error;
    EXPECT_EQ(*back, device);
}

TEST(ReplyPlanTest, EncodesTheReplyLayout) {
    Datagram reply = ReplyPlan::EncodeReply(
        Device({192, 168, 0, 254}, {0x02, 0x11, 0x22, 0x33, 0x44, 0x55}, "QM-500W", "Living room"));
    ASSERT_EQ(reply.size(), 160u);
    EXPECT_EQ(reply[0], 0x00); // big-endian type 2
    EXPECT_EQ(reply[1], 0x02);
    EXPECT_EQ(Datagram(reply.begin() + 2, reply.begin() + 6), (Datagram{192, 168, 0, 254}));
    EXPECT_EQ(Datagram(reply.begin() + 6, reply.begin() + 12),
              (Datagram{0x02, 0x11, 0x22, 0x33, 0x44, 0x55}));
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(&reply[12])), "QM-500W");
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(&reply[32])), "Living room");
    EXPECT_EQ(reply[159], 0);
}

TEST(ReplyPlanTest, OverlongAndFilledTextsLeaveNoNulInTheirFields) {
    EmulatedDevice longTexts =
        Device({1, 1, 1, 1}, {2, 0, 0, 0, 0, 1}, std::string(25, 'M'), std::string(200, 'D'));
    EmulatedDevice shortTexts = ReplyPlan::FilledDevice(Device({1, 1, 1, 1}, {2, 0, 0, 0, 0, 1}, "QM", ""));
    for (const EmulatedDevice& device : {longTexts, shortTexts}) {
        Datagram reply = ReplyPlan::EncodeReply(device);
        ASSERT_EQ(reply.size(), 160u);
        for (std::size_t i = 12; i < 160; ++i)
            ASSERT_NE(reply[i], 0) << "NUL at offset " << i;
    }
}

TEST(ReplyPlanTest, PutsJunkFirstThenEachReplyWithItsDuplicateAndConflict) {
    FaultSet faults;
    faults.shortDatagram = faults.longDatagram = faults.wrongType = true;
    faults.duplicate = faults.conflictingModel = true;
    EmulatedDevice a = Device({10, 0, 0, 1}, {2, 0, 0, 0, 0, 1}, "A", "first");
    EmulatedDevice b = Device({10, 0, 0, 2}, {2, 0, 0, 0, 0, 2}, "B", "second");

    std::vector<Datagram> plan = ReplyPlan::Build({a, b}, faults);
    ASSERT_EQ(plan.size(), 4u + 2 * 3);
    EXPECT_EQ(plan[0].size(), 159u);
    EXPECT_EQ(plan[1].size(), 161u);
    EXPECT_EQ(plan[2].size(), 160u);
    EXPECT_EQ((Datagram{plan[2][0], plan[2][1]}), (Datagram{0x00, 0x01}));
    EXPECT_EQ((Datagram{plan[3][0], plan[3][1]}), (Datagram{0x02, 0x00}));
    EXPECT_EQ(plan[4], ReplyPlan::EncodeReply(a));
    EXPECT_EQ(plan[5], ReplyPlan::EncodeReply(a));
    Datagram conflict = plan[6];
    EXPECT_EQ(Datagram(conflict.begin() + 6, conflict.begin() + 12), Datagram(a.mac.begin(), a.mac.end()));
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(&conflict[12])), "CONFLICT");
    EXPECT_EQ(plan[7], ReplyPlan::EncodeReply(b));
}

TEST(ReplyPlanTest, FloodDevicesHaveDistinctMacs) {
    FaultSet faults;
    faults.flood = 300;
    faults.nonAscii = true;
    std::vector<Datagram> plan = ReplyPlan::Build({}, faults);
    ASSERT_EQ(plan.size(), 302u);
    std::set<Datagram> macs;
    for (const Datagram& reply : plan)
        macs.insert(Datagram(reply.begin() + 6, reply.begin() + 12));
    EXPECT_EQ(macs.size(), 302u);
}

struct Argv {
    std::vector<std::string> args;
    std::vector<char*> pointers;
    explicit Argv(const std::vector<const char*>& list) : args(list.begin(), list.end()) {
        args.insert(args.begin(), "quellmark-emulator");
        for (std::string& arg : args)
            pointers.push_back(arg.data());
    }
    int argc() const { return static_cast<int>(pointers.size()); }
    char** argv() { return pointers.data(); }
};

TEST(EmulatorOptionsTest, ParsesDevicesFaultsAndFiles) {
    Argv args({"--config", "a.conf", "-d", "10.0.0.1 02-00-00-00-00-01 A desc", "--duplicate", "--wrong-type",
               "--flood=25", "--delay", "300", "--allow-any-source", "--listen", "127.0.0.1", "--probe-log",
               "p.log"});
    auto parsed = EmulatorOptions::Parse(args.argc(), args.argv());
    ASSERT_EQ(parsed.action, EmulatorOptions::Action::Run) << parsed.error;
    const EmulatorOptions& o = parsed.options;
    EXPECT_EQ(o.configFiles, std::vector<std::string>{"a.conf"});
    ASSERT_EQ(o.commandLineDevices.size(), 1u);
    EXPECT_EQ(o.commandLineDevices[0].description, "desc");
    EXPECT_TRUE(o.faults.duplicate);
    EXPECT_TRUE(o.faults.wrongType);
    EXPECT_FALSE(o.faults.shortDatagram);
    EXPECT_EQ(o.faults.flood, 25u);
    EXPECT_EQ(o.faults.delay.count(), 300);
    EXPECT_TRUE(o.allowAnySource);
    EXPECT_EQ(o.listenAddress, "127.0.0.1");
    EXPECT_EQ(o.probeLog, "p.log");
}

TEST(EmulatorOptionsTest, LoopbackOnlyUnlessAskedAndRejectsBadArguments) {
    Argv none({});
    EXPECT_FALSE(EmulatorOptions::Parse(none.argc(), none.argv()).options.allowAnySource);

    // Plain vectors: an initializer_list inside a container would not outlive its statement.
    const std::vector<std::vector<const char*>> bad = {
        {"--flood", "-1"}, {"--flood", "many"}, {"--delay"},      {"--listen", "localhost"},
        {"--device", "x"}, {"--duplicate=yes"}, {"--frobnicate"},
    };
    for (const auto& list : bad) {
        Argv args(list);
        auto parsed = EmulatorOptions::Parse(args.argc(), args.argv());
        EXPECT_EQ(parsed.action, EmulatorOptions::Action::UsageError) << args.args[1];
        EXPECT_FALSE(parsed.error.empty());
    }
}

} // namespace
