#include "platform/gui/Shell.h"

#include <QProcess>
#include <QString>
#include <QStringList>

namespace {

constexpr std::intptr_t kStarted = 42;
constexpr std::intptr_t kFileNotFound = 2;
constexpr std::intptr_t kNoAssociation = 31;

QString ToQString(std::u16string_view text) {
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

std::intptr_t ShellExecuteW(HWND /*owner*/, std::u16string_view /*verb*/, std::u16string_view file,
                            std::u16string_view /*parameters*/, std::u16string_view /*directory*/,
                            int /*showCommand*/) {
    if (file.empty()) {
        return kFileNotFound;
    }
    // startDetached runs the program directly with an argument vector: no shell ever parses the
    // address, so quotes, semicolons or "$(...)" in a device's text stay plain characters.
    if (!QProcess::startDetached(QStringLiteral("xdg-open"), QStringList{ToQString(file)})) {
        return kNoAssociation;
    }
    return kStarted;
}
