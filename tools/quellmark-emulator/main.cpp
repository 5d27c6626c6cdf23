// quellmark-emulator: answers discovery probes like powerline devices do, for tests and demos.

#include "Emulator.h"
#include "EmulatorOptions.h"

#include <cstdio>

int main(int argc, char** argv) {
    EmulatorOptions::ParseResult parsed = EmulatorOptions::Parse(argc, argv);
    switch (parsed.action) {
    case EmulatorOptions::Action::Help:
        std::fputs(EmulatorOptions::UsageText().c_str(), stdout);
        return 0;
    case EmulatorOptions::Action::Version:
        std::printf("quellmark-emulator %s\n", QUELLMARK_VERSION);
        return 0;
    case EmulatorOptions::Action::UsageError:
        std::fprintf(stderr, "quellmark-emulator: %s\n", parsed.error.c_str());
        return 2;
    case EmulatorOptions::Action::Run:
        break;
    }
    Emulator emulator(std::move(parsed.options));
    return emulator.Run();
}
