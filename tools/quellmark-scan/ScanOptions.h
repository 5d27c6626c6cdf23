#pragma once

#include <string>
#include <vector>

// The command line of quellmark-scan.
struct ScanOptions {
    std::vector<std::string> interfaces; // explicit interfaces in order; empty: the physical adapters
    bool json = false;
    bool verbose = false;

    enum class Action { Run, Help, Version, UsageError };
    struct ParseResult;
    static ParseResult Parse(int argc, char** argv);
    static std::string UsageText();
    // Whether the arguments ask for JSON, also when they do not parse (-j or --json anywhere).
    static bool AsksForJson(int argc, char** argv);
};

struct ScanOptions::ParseResult {
    Action action = Action::Run;
    ScanOptions options;
    std::string error; // for UsageError: one line, without the program name
};
