#include "platform/gui/DialogTemplate.h"

#include <QByteArray>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <map>
#include <mutex>

namespace {

std::optional<std::int64_t> ReadNumber(const QJsonValue& value) {
    if (value.isDouble()) {
        return static_cast<std::int64_t>(value.toDouble());
    }
    if (!value.isString()) {
        return std::nullopt;
    }
    QString text = value.toString().trimmed();
    bool ok = false;
    qlonglong number = text.startsWith(QLatin1String("0x"), Qt::CaseInsensitive)
                           ? text.mid(2).toLongLong(&ok, 16)
                           : text.toLongLong(&ok, 10);
    return ok ? std::optional<std::int64_t>(number) : std::nullopt;
}

DWORD ReadBits(const QJsonObject& object, const char* key) {
    return static_cast<DWORD>(ReadNumber(object.value(QLatin1String(key))).value_or(0));
}

std::optional<RECT> ReadRect(const QJsonValue& value) {
    QJsonArray array = value.toArray();
    if (array.size() != 4) {
        return std::nullopt;
    }
    std::int64_t v[4];
    for (int i = 0; i < 4; ++i) {
        auto number = ReadNumber(array.at(i));
        if (!number) {
            return std::nullopt;
        }
        v[i] = *number;
    }
    return RECT{static_cast<LONG>(v[0]), static_cast<LONG>(v[1]), static_cast<LONG>(v[0] + v[2]),
                static_cast<LONG>(v[1] + v[3])};
}

std::u16string ReadText(const QJsonObject& object, const char* key) {
    return object.value(QLatin1String(key)).toString().toStdU16String();
}

} // namespace

std::optional<DialogTemplate> DialogTemplate::Parse(std::span<const std::uint8_t> json) {
    QJsonParseError error;
    QJsonDocument document = QJsonDocument::fromJson(
        QByteArray(reinterpret_cast<const char*>(json.data()), static_cast<qsizetype>(json.size())), &error);
    if (error.error != QJsonParseError::NoError || !document.isObject()) {
        return std::nullopt;
    }
    QJsonObject root = document.object();
    auto rect = ReadRect(root.value(QLatin1String("rect")));
    if (!rect) {
        return std::nullopt;
    }
    DialogTemplate result;
    result.id = static_cast<int>(ReadNumber(root.value(QLatin1String("id"))).value_or(0));
    result.style = ReadBits(root, "style");
    result.exStyle = ReadBits(root, "exStyle");
    result.rect = *rect;
    result.caption = ReadText(root, "caption");
    QJsonObject font = root.value(QLatin1String("font")).toObject();
    result.fontFace = ReadText(font, "face");
    result.fontPoints = static_cast<int>(ReadNumber(font.value(QLatin1String("points"))).value_or(0));
    for (const QJsonValue& item : root.value(QLatin1String("controls")).toArray()) {
        QJsonObject control = item.toObject();
        auto id = ReadNumber(control.value(QLatin1String("id")));
        auto controlRect = ReadRect(control.value(QLatin1String("rect")));
        std::u16string className = ReadText(control, "class");
        if (!id || !controlRect || className.empty()) {
            return std::nullopt;
        }
        DialogControlTemplate entry;
        entry.id = static_cast<int>(*id);
        entry.className = className;
        entry.style = ReadBits(control, "style");
        entry.exStyle = ReadBits(control, "exStyle");
        entry.rect = *controlRect;
        entry.text = ReadText(control, "text");
        result.controls.push_back(entry);
    }
    return result;
}

std::optional<DialogTemplate> DialogTemplate::Load(UINT id) {
    // Templates are built into the program and never change, while the main window makes one
    // panel per row from the same template: parse each once. A missing one is looked for again.
    static std::mutex mutex;
    static std::map<UINT, DialogTemplate> parsed;
    std::lock_guard lock(mutex);
    if (auto found = parsed.find(id); found != parsed.end()) {
        return found->second;
    }
    std::optional<DialogTemplate> loaded = LoadUncached(id);
    if (loaded) {
        parsed.emplace(id, *loaded);
    }
    return loaded;
}

std::optional<DialogTemplate> DialogTemplate::LoadUncached(UINT id) {
    QFile file(QStringLiteral(":/res/DIALOG/%1").arg(id));
    if (!file.open(QIODevice::ReadOnly)) {
        return std::nullopt;
    }
    QByteArray bytes = file.readAll();
    return Parse(std::span<const std::uint8_t>(reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                                               static_cast<std::size_t>(bytes.size())));
}
