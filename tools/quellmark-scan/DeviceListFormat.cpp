#include "DeviceListFormat.h"

#include <algorithm>
#include <array>
#include <clocale>
#include <cwchar>
#include <locale.h>
#include <nlohmann/json.hpp>

namespace {

void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (c >> 6)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (c >> 12)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (c >> 18)));
        out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
}

bool IsControl(char32_t c) {
    return c < 0x20 || (c >= 0x7F && c < 0xA0);
}

// Decodes UTF-16 into code points; a lone surrogate becomes U+FFFD.
std::u32string CodePoints(const std::u16string& text) {
    std::u32string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        char16_t unit = text[i];
        if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] <= 0xDFFF) {
            out.push_back(0x10000 + ((static_cast<char32_t>(unit) - 0xD800) << 10) + (text[i + 1] - 0xDC00));
            ++i;
        } else if (unit >= 0xD800 && unit <= 0xDFFF) {
            out.push_back(0xFFFD);
        } else {
            out.push_back(unit);
        }
    }
    return out;
}

// Terminal columns of a printable character: 2 for East Asian wide characters and emoji, 0 for
// combining marks. Asked of the C library under a UTF-8 locale set for this thread only, so the
// process's own locale does not matter.
std::size_t ColumnsOf(char32_t c) {
    static const locale_t utf8 = newlocale(LC_CTYPE_MASK, "C.UTF-8", locale_t(0));
    if (!utf8 || c < 0x80)
        return 1;
    locale_t previous = uselocale(utf8);
    int columns = wcwidth(static_cast<wchar_t>(c));
    uselocale(previous);
    return columns < 0 ? 1 : static_cast<std::size_t>(columns);
}

struct Cell {
    std::string text;
    std::size_t width = 0; // terminal columns
};

Cell TableCell(const std::u16string& text) {
    Cell cell;
    for (char32_t c : CodePoints(text)) {
        char32_t shown = IsControl(c) ? U'?' : c;
        AppendUtf8(cell.text, shown);
        cell.width += ColumnsOf(shown);
    }
    return cell;
}

Cell PlainCell(const char* text) {
    Cell cell{text, std::char_traits<char>::length(text)};
    return cell;
}

} // namespace

std::string DeviceListFormat::ToUtf8(const std::u16string& text) {
    std::string out;
    for (char32_t c : CodePoints(text))
        AppendUtf8(out, c);
    return out;
}

std::string DeviceListFormat::Table(const std::vector<ScannedDevice>& devices) {
    using Row = std::array<Cell, 4>;
    std::vector<Row> rows;
    rows.push_back(
        {PlainCell("Description"), PlainCell("Model"), PlainCell("IP Address"), PlainCell("MAC Address")});
    for (const ScannedDevice& device : devices)
        rows.push_back({TableCell(device.description), TableCell(device.model), TableCell(device.ip),
                        TableCell(device.mac)});

    std::array<std::size_t, 4> widths{};
    for (const Row& row : rows) {
        for (std::size_t column = 0; column < 4; ++column)
            widths[column] = std::max(widths[column], row[column].width);
    }

    std::string out;
    for (const Row& row : rows) {
        std::string line;
        for (std::size_t column = 0; column < 4; ++column) {
            line += row[column].text;
            if (column + 1 < 4)
                line.append(widths[column] - row[column].width + 2, ' ');
        }
        out += line + "\n";
    }
    return out;
}

std::string DeviceListFormat::Json(const std::vector<ScannedDevice>& devices) {
    nlohmann::ordered_json list = nlohmann::ordered_json::array();
    for (const ScannedDevice& device : devices) {
        nlohmann::ordered_json entry;
        entry["description"] = ToUtf8(device.description);
        entry["model"] = ToUtf8(device.model);
        entry["ip"] = ToUtf8(device.ip);
        entry["mac"] = ToUtf8(device.mac);
        list.push_back(std::move(entry));
    }
    // ToUtf8 never yields invalid UTF-8; the replace handler is a second line of defence so that
    // dump() cannot throw on a device's bytes.
    return list.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace) + "\n";
}
