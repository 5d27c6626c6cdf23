#include "DeviceConfig.h"

#include <arpa/inet.h>
#include <cstdio>
#include <fstream>
#include <sstream>

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r';
}

void SkipBlanks(std::string_view& rest) {
    while (!rest.empty() && IsBlank(rest.front()))
        rest.remove_prefix(1);
}

int HexValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// Resolves the escapes of one text; false on a malformed escape.
bool Unescape(std::string_view text, std::string* out, std::string* error) {
    out->clear();
    for (std::size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c != '\\') {
            out->push_back(c);
            continue;
        }
        if (i + 1 >= text.size()) {
            *error = "a backslash ends the text";
            return false;
        }
        char e = text[++i];
        switch (e) {
        case '\\':
        case '"':
            out->push_back(e);
            break;
        case 't':
            out->push_back('\t');
            break;
        case 'n':
            out->push_back('\n');
            break;
        case 'x': {
            int high = i + 1 < text.size() ? HexValue(text[i + 1]) : -1;
            int low = i + 2 < text.size() ? HexValue(text[i + 2]) : -1;
            if (high < 0 || low < 0) {
                *error = "\\x needs two hexadecimal digits";
                return false;
            }
            out->push_back(static_cast<char>(high * 16 + low));
            i += 2;
            break;
        }
        default:
            *error = std::string("unknown escape \\") + e;
            return false;
        }
    }
    return true;
}

// Takes a "quoted text" off the front of rest (rest starts with the quote).
bool TakeQuoted(std::string_view& rest, std::string* out, std::string* error) {
    std::size_t i = 1;
    while (i < rest.size() && rest[i] != '"') {
        if (rest[i] == '\\')
            ++i;
        ++i;
    }
    if (i >= rest.size()) {
        *error = "a quoted text has no closing quote";
        return false;
    }
    if (!Unescape(rest.substr(1, i - 1), out, error))
        return false;
    rest.remove_prefix(i + 1);
    return true;
}

std::string_view TakeWord(std::string_view& rest) {
    std::size_t end = 0;
    while (end < rest.size() && !IsBlank(rest[end]))
        ++end;
    std::string_view word = rest.substr(0, end);
    rest.remove_prefix(end);
    return word;
}

bool ParseIp(std::string_view text, std::array<std::uint8_t, 4>* ip) {
    std::string copy(text);
    in_addr addr{};
    if (inet_pton(AF_INET, copy.c_str(), &addr) != 1)
        return false;
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(&addr.s_addr);
    std::copy(bytes, bytes + 4, ip->begin());
    return true;
}

bool ParseMac(std::string_view text, std::array<std::uint8_t, 6>* mac) {
    if (text.size() != 17)
        return false;
    for (std::size_t k = 0; k < 6; ++k) {
        int high = HexValue(text[3 * k]);
        int low = HexValue(text[3 * k + 1]);
        if (high < 0 || low < 0)
            return false;
        if (k < 5 && text[3 * k + 2] != '-' && text[3 * k + 2] != ':')
            return false;
        (*mac)[k] = static_cast<std::uint8_t>(high * 16 + low);
    }
    return true;
}

std::string_view TrimEnd(std::string_view text) {
    while (!text.empty() && (IsBlank(text.back()) || text.back() == '\n'))
        text.remove_suffix(1);
    return text;
}

std::string EscapeText(const std::string& text) {
    std::string out;
    for (unsigned char c : text) {
        if (c == '"' || c == '\\') {
            out.push_back('\\');
            out.push_back(static_cast<char>(c));
        } else if (c < 0x20 || c >= 0x7f) {
            char buffer[5];
            std::snprintf(buffer, sizeof buffer, "\\x%02X", c);
            out += buffer;
        } else {
            out.push_back(static_cast<char>(c));
        }
    }
    return out;
}

} // namespace

std::optional<EmulatedDevice> DeviceConfig::ParseLine(std::string_view line, std::string* error) {
    std::string_view rest = TrimEnd(line);
    EmulatedDevice device;

    SkipBlanks(rest);
    std::string_view ipText = TakeWord(rest);
    if (!ParseIp(ipText, &device.ip)) {
        *error = "not an IPv4 address: \"" + std::string(ipText) + "\"";
        return std::nullopt;
    }

    SkipBlanks(rest);
    std::string_view macText = TakeWord(rest);
    if (!ParseMac(macText, &device.mac)) {
        *error = "not a MAC address (six hex pairs joined by '-'): \"" + std::string(macText) + "\"";
        return std::nullopt;
    }

    SkipBlanks(rest);
    if (rest.empty()) {
        *error = "the model is missing";
        return std::nullopt;
    }
    if (rest.front() == '"') {
        if (!TakeQuoted(rest, &device.model, error))
            return std::nullopt;
        if (!rest.empty() && !IsBlank(rest.front())) {
            *error = "text after the model's closing quote";
            return std::nullopt;
        }
    } else if (!Unescape(TakeWord(rest), &device.model, error)) {
        return std::nullopt;
    }

    SkipBlanks(rest);
    if (!rest.empty() && rest.front() == '"') {
        if (!TakeQuoted(rest, &device.description, error))
            return std::nullopt;
        SkipBlanks(rest);
        if (!rest.empty()) {
            *error = "text after the description's closing quote";
            return std::nullopt;
        }
    } else if (!Unescape(rest, &device.description, error)) {
        return std::nullopt;
    }
    return device;
}

DeviceConfig::Result DeviceConfig::ParseText(std::string_view text, std::string_view origin) {
    Result result;
    std::size_t lineNumber = 0;
    while (!text.empty()) {
        ++lineNumber;
        std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);

        std::string_view content = line;
        SkipBlanks(content);
        if (content.empty() || content.front() == '#')
            continue;

        std::string why;
        auto device = ParseLine(line, &why);
        if (!device) {
            result.devices.clear();
            result.error = std::string(origin) + ":" + std::to_string(lineNumber) + ": " + why;
            return result;
        }
        result.devices.push_back(*device);
    }
    return result;
}

DeviceConfig::Result DeviceConfig::ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        Result result;
        result.error = path + ": cannot be read";
        return result;
    }
    std::ostringstream text;
    text << in.rdbuf();
    return ParseText(text.str(), path);
}

std::string DeviceConfig::FormatLine(const EmulatedDevice& device) {
    char address[64];
    std::snprintf(address, sizeof address, "%u.%u.%u.%u %02X-%02X-%02X-%02X-%02X-%02X", device.ip[0],
                  device.ip[1], device.ip[2], device.ip[3], device.mac[0], device.mac[1], device.mac[2],
                  device.mac[3], device.mac[4], device.mac[5]);
    return std::string(address) + " \"" + EscapeText(device.model) + "\" \"" +
           EscapeText(device.description) + "\"";
}
