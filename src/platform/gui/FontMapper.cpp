#include "platform/gui/FontMapper.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QFontMetricsF>
#include <algorithm>
#include <cmath>
#include <map>
#include <mutex>
#include <tuple>

namespace {

constexpr LONG kSystemFontHeight = -11;
// Large enough that rounding inside Qt's metrics does not disturb the cell-to-em ratio.
constexpr int kRatioProbePixels = 512;

QString FaceOf(const LOGFONT& logFont) {
    const char16_t* face = logFont.lfFaceName;
    std::size_t length = 0;
    while (length < static_cast<std::size_t>(LF_FACESIZE) && face[length] != u'\0') {
        ++length;
    }
    return QString(reinterpret_cast<const QChar*>(face), static_cast<qsizetype>(length));
}

// Dialog templates name a logical face that only means "the dialog's sans-serif".
bool IsLogicalSansFace(const QString& face) {
    return face.compare(u"MS Shell Dlg", Qt::CaseInsensitive) == 0 ||
           face.compare(u"MS Shell Dlg 2", Qt::CaseInsensitive) == 0;
}

// The preferred face when installed, else whatever the desktop's font configuration gives for the
// generic family.
QString PreferredFamily(const QString& preferred, const QString& generic, QFont::StyleHint hint) {
    if (QFontDatabase::hasFamily(preferred)) {
        return preferred;
    }
    QFont probe(generic);
    probe.setStyleHint(hint);
    return QFontInfo(probe).family();
}

QFont::Weight ToQtWeight(LONG weight) {
    if (weight <= 0) {
        return QFont::Normal;
    }
    return static_cast<QFont::Weight>(std::clamp<LONG>(weight, 1, 1000));
}

} // namespace

QString FontMapper::FamilyFor(const LOGFONT& logFont) {
    const QString face = FaceOf(logFont);
    if (!face.isEmpty() && !IsLogicalSansFace(face) && QFontDatabase::hasFamily(face)) {
        return face;
    }
    switch (logFont.lfPitchAndFamily & 0xF0) {
    case FF_ROMAN:
        return PreferredFamily(QStringLiteral("Liberation Serif"), QStringLiteral("serif"), QFont::Serif);
    case FF_MODERN:
        return PreferredFamily(QStringLiteral("Liberation Mono"), QStringLiteral("monospace"),
                               QFont::Monospace);
    default:
        return PreferredFamily(QStringLiteral("Liberation Sans"), QStringLiteral("sans-serif"),
                               QFont::SansSerif);
    }
}

int FontMapper::EmPixelsForCellHeight(const QFont& font, int cellHeight) {
    // The cell-to-em ratio of a face does not depend on the size; measure it once per face.
    using Key = std::tuple<QString, int, bool>;
    static std::mutex mutex;
    static std::map<Key, double> ratios;
    const Key key{font.family(), font.weight(), font.italic()};
    double ratio = 0.0;
    {
        std::lock_guard lock(mutex);
        auto found = ratios.find(key);
        if (found == ratios.end()) {
            QFont probe(font);
            probe.setPixelSize(kRatioProbePixels);
            const QFontMetricsF metrics(probe);
            const double measured = (metrics.ascent() + metrics.descent()) / kRatioProbePixels;
            found = ratios.emplace(key, measured > 0.0 ? measured : 1.0).first;
        }
        ratio = found->second;
    }
    int em = std::max(1, static_cast<int>(std::lround(cellHeight / ratio)));
    // Qt rounds ascent and descent separately; never give a cell taller than asked for.
    QFont sized(font);
    sized.setPixelSize(em);
    const QFontMetrics metrics(sized);
    if (em > 1 && metrics.ascent() + metrics.descent() > cellHeight) {
        --em;
    }
    return em;
}

QFont FontMapper::ToQFont(const LOGFONT& logFont) {
    // Every label of every dialog asks for the same few descriptions; resolving the family and the
    // size goes through the font configuration each time, so keep what each description gave.
    using Key = std::tuple<LONG, LONG, BYTE, BYTE, BYTE, bool, BYTE, QString>;
    static std::mutex mutex;
    static std::map<Key, QFont> resolved;
    const Key key{logFont.lfHeight,
                  logFont.lfWeight,
                  logFont.lfItalic,
                  logFont.lfUnderline,
                  logFont.lfStrikeOut,
                  logFont.lfQuality == NONANTIALIASED_QUALITY,
                  static_cast<BYTE>(logFont.lfPitchAndFamily & 0xF0),
                  FaceOf(logFont)};
    {
        std::lock_guard lock(mutex);
        if (auto found = resolved.find(key); found != resolved.end()) {
            return found->second;
        }
    }
    QFont font = Resolve(logFont);
    std::lock_guard lock(mutex);
    resolved.emplace(key, font);
    return font;
}

QFont FontMapper::Resolve(const LOGFONT& logFont) {
    QFont font(FamilyFor(logFont));
    font.setWeight(ToQtWeight(logFont.lfWeight));
    font.setItalic(logFont.lfItalic != 0);
    font.setUnderline(logFont.lfUnderline != 0);
    font.setStrikeOut(logFont.lfStrikeOut != 0);
    if (logFont.lfQuality == NONANTIALIASED_QUALITY) {
        font.setStyleStrategy(QFont::NoAntialias);
    }
    LONG height = logFont.lfHeight;
    if (height == 0) {
        height = kSystemFontHeight;
    }
    if (height < 0) {
        font.setPixelSize(static_cast<int>(std::min<LONG>(-static_cast<std::int64_t>(height), 4096)));
    } else {
        font.setPixelSize(EmPixelsForCellHeight(font, static_cast<int>(std::min<LONG>(height, 4096))));
    }
    return font;
}

LOGFONT FontMapper::SystemLogFont() {
    LOGFONT logFont;
    logFont.lfHeight = kSystemFontHeight;
    logFont.lfWeight = FW_NORMAL;
    logFont.lfPitchAndFamily = FF_SWISS;
    const QString family = FamilyFor(logFont);
    const qsizetype length = std::min<qsizetype>(family.size(), LF_FACESIZE - 1);
    for (qsizetype i = 0; i < length; ++i) {
        logFont.lfFaceName[i] = family.at(i).unicode();
    }
    return logFont;
}
