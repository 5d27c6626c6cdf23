#include "platform/gui/Resources.h"

#include <QFile>
#include <QString>
#include <unordered_map>

namespace {

QString ResourcePath(int id, std::u16string_view type) {
    return QStringLiteral(":/res/") + QString::fromUtf16(type.data(), static_cast<qsizetype>(type.size())) +
           QLatin1Char('/') + QString::number(id);
}

// Undoes the three escapes the table allows, so a caption may hold a tab, a line break or a
// backslash. An unknown escape keeps its backslash: a typo then shows up on screen.
std::u16string Unescape(const QString& text) {
    std::u16string out;
    out.reserve(static_cast<std::size_t>(text.size()));
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c != QLatin1Char('\\') || i + 1 == text.size()) {
            out.push_back(c.unicode());
            continue;
        }
        const QChar next = text.at(i + 1);
        if (next == QLatin1Char('t')) {
            out.push_back(u'\t');
        } else if (next == QLatin1Char('n')) {
            out.push_back(u'\n');
        } else if (next == QLatin1Char('\\')) {
            out.push_back(u'\\');
        } else {
            out.push_back(u'\\');
            continue;
        }
        ++i;
    }
    return out;
}

using StringTable = std::unordered_map<UINT, std::u16string>;

// Lines that do not start with a number in the 16-bit id range are ignored, like comments: the
// table is edited by hand, and one bad line must not hide the others.
StringTable ParseStringTable() {
    StringTable table;
    QFile file(QStringLiteral(":/res/STRINGTABLE"));
    if (!file.open(QIODevice::ReadOnly)) {
        return table;
    }
    const QString content = QString::fromUtf8(file.readAll());
    for (QString line : content.split(QLatin1Char('\n'))) {
        if (line.endsWith(QLatin1Char('\r'))) {
            line.chop(1);
        }
        if (line.isEmpty() || line.startsWith(QLatin1Char('#'))) {
            continue;
        }
        const qsizetype tab = line.indexOf(QLatin1Char('\t'));
        if (tab <= 0) {
            continue;
        }
        bool ok = false;
        const uint id = line.left(tab).toUInt(&ok);
        if (!ok || id > 0xFFFF) {
            continue;
        }
        std::u16string text = Unescape(line.mid(tab + 1));
        if (text.empty()) {
            continue;
        }
        table.insert_or_assign(id, std::move(text));
    }
    return table;
}

// The table is compiled in and never changes while the program runs, so it is parsed once.
const StringTable& Strings() {
    static const StringTable table = ParseStringTable();
    return table;
}

} // namespace

std::optional<std::vector<std::uint8_t>> LoadResourceData(int id, std::u16string_view type) {
    QFile file(ResourcePath(id, type));
    if (!file.open(QIODevice::ReadOnly)) {
        return std::nullopt;
    }
    const QByteArray bytes = file.readAll();
    return std::vector<std::uint8_t>(bytes.begin(), bytes.end());
}

std::u16string LoadStringResource(UINT id) {
    const StringTable& table = Strings();
    const auto it = table.find(id);
    return it == table.end() ? std::u16string() : it->second;
}
