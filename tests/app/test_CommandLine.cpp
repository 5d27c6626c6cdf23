// The command line: interfaces in order, help and version, and every other word a usage error.
#include "app/CommandLine.h"

#include <gtest/gtest.h>

using Action = CommandLine::Action;

TEST(CommandLine, InterfacesAreKeptInTheOrderGiven) {
    const CommandLine none = CommandLine::Parse(std::vector<std::string_view>{});
    EXPECT_EQ(none.action, Action::Run);
    EXPECT_TRUE(none.interfaces.empty());

    const CommandLine line =
        CommandLine::Parse({"--interface", "lo", "--interface=eth1", "--interface", "lo"});
    EXPECT_EQ(line.action, Action::Run);
    EXPECT_EQ(line.interfaces, (std::vector<std::string>{"lo", "eth1", "lo"}));
}

TEST(CommandLine, HelpAndVersionWinOverTheRest) {
    EXPECT_EQ(CommandLine::Parse({"--help"}).action, Action::ShowHelp);
    EXPECT_EQ(CommandLine::Parse({"-h"}).action, Action::ShowHelp);
    EXPECT_EQ(CommandLine::Parse({"--interface", "lo", "--version"}).action, Action::ShowVersion);
    EXPECT_NE(CommandLine::UsageText().find("--interface NAME"), std::string::npos);
    EXPECT_EQ(CommandLine::VersionText().rfind("quellmark", 0), 0u);
}

TEST(CommandLine, AnythingElseIsAUsageError) {
    const std::vector<std::vector<std::string_view>> cases = {
        {"--interface"},
        {"--interface="},
        {"--interface", ""},
        {"--iface", "lo"},
        {"-i", "lo"},
        {"lo"},
        {"--interface", "lo", "extra"},
        {"--"},
        {"-"},
    };
    for (const auto& args : cases) {
        const CommandLine line = CommandLine::Parse(args);
        EXPECT_EQ(line.action, Action::UsageError) << args.front();
        EXPECT_FALSE(line.error.empty());
    }
}
