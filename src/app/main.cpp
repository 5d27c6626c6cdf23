// quellmark: the desktop program. Reads its command line, then runs the application object.

#include "app/CVornixApp.h"
#include "app/CommandLine.h"
#include "app/ProcessObjects.h"

#include <cstdio>
#include <string>

namespace {

CVornixApp theApp;

} // namespace

int main(int argc, char** argv) {
    const CommandLine commandLine = CommandLine::Parse(argc, argv);
    switch (commandLine.action) {
    case CommandLine::Action::ShowHelp:
        std::fputs(CommandLine::UsageText().c_str(), stdout);
        return 0;
    case CommandLine::Action::ShowVersion:
        std::fputs(CommandLine::VersionText().c_str(), stdout);
        return 0;
    case CommandLine::Action::UsageError:
        std::fprintf(stderr, "quellmark: %s\n%s", commandLine.error.c_str(),
                     CommandLine::UsageText().c_str());
        return 2;
    case CommandLine::Action::Run:
        break;
    }

    ProcessObjects objects(commandLine.interfaces);
    // A name that is no interface here is a mistake on the command line; probing the remaining
    // ones silently would hide it.
    const std::vector<std::string> missing = objects.Source.MissingInterfaces();
    if (!missing.empty()) {
        for (const std::string& name : missing)
            std::fprintf(stderr, "quellmark: no network interface named '%s'\n", name.c_str());
        return 2;
    }
    SetProcessObjects(&objects);
    const int status = AfxWinMain(argc, argv);
    SetProcessObjects(nullptr);
    return status;
}
