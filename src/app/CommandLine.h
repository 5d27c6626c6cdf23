#pragma once

// The program's command line: quellmark [--interface NAME]... | --help | --version.
//
// Nothing else is read at start: no configuration file and no stored state. --interface names
// the interfaces to probe, exactly those and in that order (also virtual ones such as lo); without
// it every physical adapter is probed.

#include <string>
#include <string_view>
#include <vector>

struct CommandLine {
    enum class Action { Run, ShowHelp, ShowVersion, UsageError };

    Action action = Action::Run;
    std::vector<std::string> interfaces;
    std::string error; // with UsageError: what was wrong, one line without the program's name

    static CommandLine Parse(const std::vector<std::string_view>& args);
    static CommandLine Parse(int argc, char** argv);

    static std::string UsageText();
    static std::string VersionText();
};
