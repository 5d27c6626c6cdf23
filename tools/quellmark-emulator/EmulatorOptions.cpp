#include "EmulatorOptions.h"

#include "DeviceConfig.h"

#include <arpa/inet.h>
#include <charconv>
#include <string_view>

namespace {

bool ParseCount(std::string_view text, unsigned long max, unsigned long* value) {
    if (text.empty())
        return false;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), *value);
    return ec == std::errc() && end == text.data() + text.size() && *value <= max;
}

struct Fault {
    const char* name;
    bool FaultSet::*flag;
    const char* help;
};

constexpr Fault kFaults[] = {
    {"--duplicate", &FaultSet::duplicate, "send every device's reply twice"},
    {"--conflicting-model", &FaultSet::conflictingModel,
     "after each reply, a second one with the same MAC and another model"},
    {"--short-datagram", &FaultSet::shortDatagram, "also send a 159-byte datagram"},
    {"--long-datagram", &FaultSet::longDatagram, "also send a 161-byte datagram"},
    {"--wrong-type", &FaultSet::wrongType, "also send 160-byte datagrams whose type is 00 01 and 02 00"},
    {"--fill-fields", &FaultSet::fillFields, "model and description fill their fields, with no NUL byte"},
    {"--non-ascii", &FaultSet::nonAscii,
     "two more devices: texts in UTF-8, and texts with bytes that are not UTF-8"},
};

} // namespace

std::string EmulatorOptions::UsageText() {
    std::string text =
        "Usage: quellmark-emulator [OPTION]...\n"
        "Answers Quellmark discovery probes (UDP port 28010) the way powerline devices do: one\n"
        "reply per configured device, sent back to the probe's source address and port.\n"
        "\n"
        "Safety: by default only probes from loopback sources (127.0.0.0/8) are answered, so the\n"
        "emulator never talks to a real network by accident. Use --allow-any-source only inside\n"
        "a network namespace or a lab network of your own.\n"
        "\n"
        "Devices:\n"
        "  -c, --config FILE            read devices from FILE (repeatable; re-read on SIGHUP)\n"
        "  -d, --device LINE            one more device, written like a config line (repeatable)\n"
        "\n"
        "  Config lines: IP MAC MODEL [DESCRIPTION], one device a line, '#' starts a comment\n"
        "  line. MODEL is a word or a \"quoted text\"; DESCRIPTION is the rest of the line or a\n"
        "  \"quoted text\". \\xNN, \\t, \\n, \\\" and \\\\ give any byte. Example:\n"
        "    192.168.1.20  02-11-22-33-44-55  QM-500W  Living room\n"
        "\n"
        "Listening:\n"
        "  -l, --listen ADDR            listen on this IPv4 address only (default: all addresses)\n"
        "      --allow-any-source       also answer probes whose source is not a loopback address\n"
        "\n"
        "Faults:\n";
    for (const Fault& fault : kFaults) {
        std::string name = fault.name;
        name.resize(25, ' ');
        text += "      " + name + fault.help + "\n";
    }
    text += "      --flood N                N more devices with distinct MACs (198.18.x.y, 02-F1-...)\n"
            "      --delay MS               wait MS milliseconds before answering a probe\n"
            "\n"
            "For tests:\n"
            "      --probe-log FILE         append every datagram received: ADDR:PORT HEXBYTES, one a line\n"
            "      --ready-file FILE        written once listening (and again after each SIGHUP):\n"
            "                               \"listening ADDR:PORT devices=N reloads=K\"\n"
            "  -q, --quiet                  print only the listening line and errors\n"
            "  -h, --help                   show this help and exit\n"
            "  -V, --version                show the version and exit\n"
            "\n"
            "Signals: SIGHUP re-reads the config files; SIGINT and SIGTERM end the emulator.\n"
            "Exit status: 0 after a signal ended it, 1 when it could not start (a config file that\n"
            "cannot be read or parsed, an address that cannot be bound), 2 on a usage error.\n";
    return text;
}

EmulatorOptions::ParseResult EmulatorOptions::Parse(int argc, char** argv) {
    ParseResult result;
    auto fail = [&](std::string error) {
        result.action = Action::UsageError;
        result.error = std::move(error);
        return result;
    };

    for (int i = 1; i < argc; ++i) {
        std::string_view arg = argv[i];
        std::string_view value;
        bool hasInlineValue = false;
        if (arg.starts_with("--")) {
            if (auto eq = arg.find('='); eq != std::string_view::npos) {
                value = arg.substr(eq + 1);
                arg = arg.substr(0, eq);
                hasInlineValue = true;
            }
        }
        auto takeValue = [&](std::string_view* out) {
            if (hasInlineValue) {
                *out = value;
                return true;
            }
            if (i + 1 >= argc)
                return false;
            *out = argv[++i];
            return true;
        };
        auto needsValue = [&](std::string_view name) {
            return "option " + std::string(name) + " needs a value";
        };

        if (arg == "-h" || arg == "--help") {
            result.action = Action::Help;
            return result;
        }
        if (arg == "-V" || arg == "--version") {
            result.action = Action::Version;
            return result;
        }

        bool isFault = false;
        for (const Fault& fault : kFaults) {
            if (arg == fault.name) {
                result.options.faults.*fault.flag = true;
                isFault = true;
            }
        }
        if (isFault) {
            if (hasInlineValue)
                return fail("option " + std::string(arg) + " takes no value");
            continue;
        }

        if (arg == "--allow-any-source" || arg == "-q" || arg == "--quiet") {
            if (hasInlineValue)
                return fail("option " + std::string(arg) + " takes no value");
            if (arg == "--allow-any-source")
                result.options.allowAnySource = true;
            else
                result.options.quiet = true;
            continue;
        }

        std::string_view v;
        if (arg == "-c" || arg == "--config") {
            if (!takeValue(&v))
                return fail(needsValue(arg));
            result.options.configFiles.emplace_back(v);
        } else if (arg == "-d" || arg == "--device") {
            if (!takeValue(&v))
                return fail(needsValue(arg));
            std::string why;
            auto device = DeviceConfig::ParseLine(v, &why);
            if (!device)
                return fail("--device \"" + std::string(v) + "\": " + why);
            result.options.commandLineDevices.push_back(*device);
        } else if (arg == "-l" || arg == "--listen") {
            if (!takeValue(&v))
                return fail(needsValue(arg));
            in_addr addr{};
            std::string text(v);
            if (inet_pton(AF_INET, text.c_str(), &addr) != 1)
                return fail("--listen: not an IPv4 address: \"" + text + "\"");
            result.options.listenAddress = text;
        } else if (arg == "--flood") {
            unsigned long n = 0;
            if (!takeValue(&v))
                return fail(needsValue(arg));
            // The flood MACs count in three bytes.
            if (!ParseCount(v, 0xFFFFFF, &n))
                return fail("--flood: not a count from 0 to 16777215: \"" + std::string(v) + "\"");
            result.options.faults.flood = static_cast<unsigned>(n);
        } else if (arg == "--delay") {
            unsigned long ms = 0;
            if (!takeValue(&v))
                return fail(needsValue(arg));
            if (!ParseCount(v, 3600000, &ms))
                return fail("--delay: not a number of milliseconds from 0 to 3600000: \"" + std::string(v) +
                            "\"");
            result.options.faults.delay = std::chrono::milliseconds(ms);
        } else if (arg == "--probe-log") {
            if (!takeValue(&v) || v.empty())
                return fail(needsValue(arg));
            result.options.probeLog = v;
        } else if (arg == "--ready-file") {
            if (!takeValue(&v) || v.empty())
                return fail(needsValue(arg));
            result.options.readyFile = v;
        } else {
            return fail("unknown argument \"" + std::string(argv[i]) + "\" (see --help)");
        }
    }
    return result;
}
