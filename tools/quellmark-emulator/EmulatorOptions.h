#pragma once

#include "EmulatedDevice.h"
#include "FaultSet.h"

#include <string>
#include <vector>

// The emulator's command line.
struct EmulatorOptions {
    std::vector<std::string> configFiles;
    std::vector<EmulatedDevice> commandLineDevices;
    std::string listenAddress = "0.0.0.0";
    bool allowAnySource = false;
    FaultSet faults;
    std::string probeLog;
    std::string readyFile;
    bool quiet = false;

    enum class Action { Run, Help, Version, UsageError };
    struct ParseResult;
    static ParseResult Parse(int argc, char** argv);
    static std::string UsageText();
};

struct EmulatorOptions::ParseResult {
    Action action = Action::Run;
    EmulatorOptions options;
    std::string error; // for UsageError: one line, without the program name
};
