#include "ScanOptions.h"

#include <string_view>

std::string ScanOptions::UsageText() {
    return "Usage: quellmark-scan [--interface NAME]... [--json] [--verbose]\n"
           "Runs one discovery pass for powerline adapters and lists the devices that answered\n"
           "(description, model, IPv4 address, MAC address), in the order their first replies came.\n"
           "\n"
           "From each adapter's first IPv4 address a probe goes to that address's directed\n"
           "broadcast, UDP port 28010; replies are read until 1 second passes without one or 20\n"
           "datagrams came. At most 20 devices are listed; a device that answers more than once\n"
           "is listed once, as its first reply described it.\n"
           "\n"
           "  -i, --interface NAME   probe exactly this interface (repeatable; in the order given,\n"
           "                         virtual interfaces such as lo included). Without it, every\n"
           "                         physical adapter is probed.\n"
           "  -j, --json             print a JSON array of objects with the keys \"description\",\n"
           "                         \"model\", \"ip\" and \"mac\" instead of a table\n"
           "  -v, --verbose          report each probe sent, socket errors, skipped adapters and\n"
           "                         ignored datagrams on stderr\n"
           "  -h, --help             show this help and exit\n"
           "  -V, --version          show the version and exit\n"
           "\n"
           "Exit status: 0 when the pass ran (with or without devices); 2 on a usage error;\n"
           "3 when nothing could be scanned (no adapter, an unknown interface, or no adapter got\n"
           "a socket), with the reason on stderr. stdout always holds a table or JSON, empty\n"
           "when there is nothing to list.\n"
           "\n"
           "Example, safe on any machine: quellmark-scan --interface lo\n";
}

bool ScanOptions::AsksForJson(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        std::string_view arg = argv[i];
        if (arg == "-j" || arg == "--json")
            return true;
    }
    return false;
}

ScanOptions::ParseResult ScanOptions::Parse(int argc, char** argv) {
    ParseResult result;
    auto fail = [&](std::string error) {
        result.action = Action::UsageError;
        result.error = std::move(error);
        return result;
    };

    for (int i = 1; i < argc; ++i) {
        std::string_view arg = argv[i];
        std::string_view inlineValue;
        bool hasInlineValue = false;
        if (arg.starts_with("--")) {
            if (auto eq = arg.find('='); eq != std::string_view::npos) {
                inlineValue = arg.substr(eq + 1);
                arg = arg.substr(0, eq);
                hasInlineValue = true;
            }
        }

        if (arg == "-i" || arg == "--interface") {
            std::string_view name;
            if (hasInlineValue) {
                name = inlineValue;
            } else if (i + 1 < argc) {
                name = argv[++i];
            } else {
                return fail("option " + std::string(arg) + " needs an interface name");
            }
            if (name.empty())
                return fail("option " + std::string(arg) + " needs an interface name");
            result.options.interfaces.emplace_back(name);
            continue;
        }

        if (hasInlineValue)
            return fail("option " + std::string(arg) + " takes no value");
        if (arg == "-h" || arg == "--help") {
            result.action = Action::Help;
            return result;
        }
        if (arg == "-V" || arg == "--version") {
            result.action = Action::Version;
            return result;
        }
        if (arg == "-j" || arg == "--json") {
            result.options.json = true;
        } else if (arg == "-v" || arg == "--verbose") {
            result.options.verbose = true;
        } else {
            return fail("unknown argument \"" + std::string(argv[i]) + "\" (see --help)");
        }
    }
    return result;
}
