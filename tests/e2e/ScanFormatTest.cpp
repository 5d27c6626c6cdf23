// quellmark-scan's command line and its two outputs, without a network.

#include "DeviceListFormat.h"
#include "ScanOptions.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

namespace {

std::vector<ScannedDevice> TwoDevices() {
    return {{u"Living room", u"QM-500W", u"192.0.2.20", u"02-51-4D-00-00-20"},
            {u"Garage workshop, far end", u"QM-1200 AV", u"192.0.2.122", u"02-51-4D-00-00-22"}};
}

TEST(DeviceListFormatTest, TableAlignsColumnsUnderTheHeader) {
    EXPECT_EQ(DeviceListFormat::Table(TwoDevices()),
              "Description               Model       IP Address   MAC Address\n"
              "Living room               QM-500W     192.0.2.20   02-51-4D-00-00-20\n"
              "Garage workshop, far end  QM-1200 AV  192.0.2.122  02-51-4D-00-00-22\n");
    EXPECT_EQ(DeviceListFormat::Table({}), "Description  Model  IP Address  MAC Address\n");
}

TEST(DeviceListFormatTest, TableShowsControlCharactersAsQuestionMarksAndAlignsByTerminalColumns) {
    std::vector<ScannedDevice> devices = {
        {u"K\u00fcche \U0001F50C", u"a\x1b[2Jb\tc\u0085", u"1.2.3.4", u"02-00-00-00-00-01"},
        {u"\u6771\u4eac", u"e\u0301", u"1.2.3.5", u"02-00-00-00-00-02"}};
    EXPECT_EQ(DeviceListFormat::Table(devices),
              "Description  Model      IP Address  MAC Address\n"
              "K\xC3\xBC"
              "che \xF0\x9F\x94\x8C     a?[2Jb?c?  1.2.3.4     02-00-00-00-00-01\n"
              "\xE6\x9D\xB1\xE4\xBA\xAC         e\xCC\x81          1.2.3.5     02-00-00-00-00-02\n");
}

TEST(DeviceListFormatTest, JsonHasTheFourKeysInOrderAndSurvivesAnyText) {
    std::vector<ScannedDevice> devices = TwoDevices();
    // A quote, a backslash, control characters, a character outside the BMP and a lone surrogate.
    devices.push_back({u"q\"b\\\n\x01\U0001F50C", std::u16string(1, char16_t(0xD800)) + u"x", u"", u""});

    std::string text = DeviceListFormat::Json(devices);
    nlohmann::ordered_json parsed = nlohmann::ordered_json::parse(text); // throws on invalid JSON or UTF-8
    ASSERT_EQ(parsed.size(), 3u);
    for (const auto& entry : parsed) {
        std::vector<std::string> keys;
        for (const auto& item : entry.items())
            keys.push_back(item.key());
        EXPECT_EQ(keys, (std::vector<std::string>{"description", "model", "ip", "mac"}));
    }
    EXPECT_EQ(parsed[0]["mac"], "02-51-4D-00-00-20");
    EXPECT_EQ(parsed[2]["description"], "q\"b\\\n\x01\xF0\x9F\x94\x8C");
    EXPECT_EQ(parsed[2]["model"], "\xEF\xBF\xBDx");
    EXPECT_EQ(nlohmann::json::parse(DeviceListFormat::Json({})), nlohmann::json::array());
}

struct Argv {
    std::vector<std::string> args;
    std::vector<char*> pointers;
    explicit Argv(const std::vector<const char*>& list) : args(list.begin(), list.end()) {
        args.insert(args.begin(), "quellmark-scan");
        for (std::string& arg : args)
            pointers.push_back(arg.data());
    }
    ScanOptions::ParseResult Parse() {
        return ScanOptions::Parse(static_cast<int>(pointers.size()), pointers.data());
    }
};

TEST(ScanOptionsTest, KeepsInterfacesInTheOrderGiven) {
    Argv args({"--interface", "lo", "-j", "--interface=veth1", "-i", "eth0", "--verbose"});
    auto parsed = args.Parse();
    ASSERT_EQ(parsed.action, ScanOptions::Action::Run) << parsed.error;
    EXPECT_EQ(parsed.options.interfaces, (std::vector<std::string>{"lo", "veth1", "eth0"}));
    EXPECT_TRUE(parsed.options.json);
    EXPECT_TRUE(parsed.options.verbose);
}

TEST(ScanOptionsTest, UsageErrorsHaveOneLine) {
    // Plain vectors: an initializer_list inside a container would not outlive its statement.
    const std::vector<std::vector<const char*>> bad = {
        {"--interface"}, {"--interface="}, {"--json=yes"}, {"--frobnicate"}, {"lo"}, {"-x"},
    };
    for (const auto& list : bad) {
        Argv args(list);
        auto parsed = args.Parse();
        EXPECT_EQ(parsed.action, ScanOptions::Action::UsageError) << args.args[1];
        EXPECT_FALSE(parsed.error.empty());
        EXPECT_EQ(parsed.error.find('\n'), std::string::npos);
    }
    Argv help({"--json", "--help"});
    EXPECT_EQ(help.Parse().action, ScanOptions::Action::Help);
}

} // namespace
