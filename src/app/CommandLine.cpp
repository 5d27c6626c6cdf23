#include "app/CommandLine.h"

namespace {

constexpr std::string_view kInterfaceOption = "--interface";

CommandLine UsageError(std::string message) {
    CommandLine result;
    result.action = CommandLine::Action::UsageError;
    result.error = std::move(message);
    return result;
}

} // namespace

CommandLine CommandLine::Parse(const std::vector<std::string_view>& args) {
    CommandLine result;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string_view arg = args[i];
        if (arg == "--help" || arg == "-h") {
            result.action = Action::ShowHelp;
            return result;
        }
        if (arg == "--version") {
            result.action = Action::ShowVersion;
            return result;
        }
        if (arg == kInterfaceOption) {
            if (i + 1 == args.size())
                return UsageError("option '--interface' needs an interface name");
            const std::string_view name = args[++i];
            if (name.empty())
                return UsageError("option '--interface' needs an interface name");
            result.interfaces.emplace_back(name);
            continue;
        }
        if (arg.starts_with("--interface=")) {
            const std::string_view name = arg.substr(kInterfaceOption.size() + 1);
            if (name.empty())
                return UsageError("option '--interface' needs an interface name");
            result.interfaces.emplace_back(name);
            continue;
        }
        if (arg.starts_with("-"))
            return UsageError("unknown option '" + std::string(arg) + "'");
        return UsageError("unexpected argument '" + std::string(arg) + "'");
    }
    return result;
}

CommandLine CommandLine::Parse(int argc, char** argv) {
    std::vector<std::string_view> args;
    for (int i = 1; i < argc; ++i)
        args.emplace_back(argv[i]);
    return Parse(args);
}

std::string CommandLine::UsageText() {
    return "Usage: quellmark [--interface NAME]...\n"
           "Finds the wireless powerline adapters on the local network, lists them in a window\n"
           "and opens a device's web page. Only one copy runs: starting it again brings the\n"
           "running copy's window forward.\n"
           "\n"
           "  --interface NAME  probe only this network interface (repeatable, probed in the order\n"
           "                    given; virtual interfaces such as lo are allowed). Without it every\n"
           "                    physical adapter is probed.\n"
           "  -h, --help        show this help and exit\n"
           "      --version     show the version and exit\n"
           "\n"
           "One line per discovery probe sent goes to the standard error.\n"
           "Exit status: 0 when the window was closed or another copy was asked to show itself,\n"
           "1 when the program's resources are damaged, 2 on a usage error.\n";
}

std::string CommandLine::VersionText() {
#ifdef QUELLMARK_VERSION
    return std::string("quellmark ") + QUELLMARK_VERSION + "\n";
#else
    return "quellmark\n";
#endif
}
