#include "SkinPainter.h"

#include <QDir>
#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRectF>
#include <cmath>
#include <utility>
#include <vector>

namespace {

// The whole skin in one palette. The accent is the list title's colour of the string table
// (93,143,202); everything else is a calm blue-grey around it.
const QColor kAccent(93, 143, 202);
const QColor kAccentLight(110, 158, 214);
const QColor kAccentDark(70, 118, 176);
const QColor kBannerLeft(44, 86, 138);
const QColor kBannerRight(84, 131, 190);
const QColor kBodyBack(243, 246, 250);
const QColor kWindowEdge(170, 184, 202);
const QColor kCardFrame(210, 219, 230);
const QColor kHeaderFill(229, 237, 247);
const QColor kHeaderDivider(196, 209, 226);
const QColor kRowLine(236, 240, 245);
const QColor kHoverFill(234, 242, 252);
const QColor kHoverLine(210, 225, 244);
const QColor kScrollTrack(241, 244, 248);
const QColor kCloseRed(224, 72, 76);
const QColor kCloseRedDark(184, 52, 58);
const QColor kDisabledFill(221, 227, 235);
const QColor kDisabledText(150, 163, 180);

// Window geometry the artwork is drawn for (the string table's shipped rectangles).
constexpr int kWindowWidth = 665;
constexpr int kBannerHeight = 56;
constexpr int kBodyHeight = 464;
constexpr int kRowLeft = 43;
constexpr int kRowsTop = 130;
constexpr int kRowWidth = 562;
constexpr int kRowHeight = 34;
constexpr int kVisibleRows = 10;
constexpr int kScrollX = 606;
constexpr int kScrollY = 129;
constexpr int kScrollWidth = 20;
constexpr int kScrollHeight = 343;
constexpr int kHeaderTop = 100;
constexpr int kHeaderLabelsTop = 105;
const int kHeaderColumns[] = {48, 198, 295, 400, 545};

QImage WithoutAlpha(const QImage& image) {
    return image.convertToFormat(QImage::Format_RGB888);
}

QPainterPath RoundedRect(const QRectF& r, qreal radius) {
    QPainterPath path;
    path.addRoundedRect(r, radius, radius);
    return path;
}

// A circular arrow, the usual sign for "look again".
void DrawRefreshGlyph(QPainter& p, const QPointF& centre, qreal radius, const QColor& colour) {
    p.save();
    QPen pen(colour, 1.7, Qt::SolidLine, Qt::RoundCap);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    const QRectF circle(centre.x() - radius, centre.y() - radius, 2 * radius, 2 * radius);
    p.drawArc(circle, 60 * 16, 280 * 16);
    // Arrow head at the arc's start (60 degrees), pointing along the direction of travel.
    const qreal a = qDegreesToRadians(60.0);
    const QPointF tip(centre.x() + radius * std::cos(a), centre.y() - radius * std::sin(a));
    QPainterPath head;
    head.moveTo(tip + QPointF(2.9, 0.6));
    head.lineTo(tip + QPointF(-1.2, -2.6));
    head.lineTo(tip + QPointF(-0.9, 2.6));
    head.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawPath(head);
    p.restore();
}

} // namespace

QImage SkinPainter::Transparent(int width, int height) {
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

QFont SkinPainter::SansFont(qreal pixelSize, bool bold) {
    QFont font(QStringLiteral("Liberation Sans"));
    font.setStyleHint(QFont::SansSerif);
    // Images are 96 dpi, so points are three quarters of a pixel; fractional sizes stay exact.
    font.setPointSizeF(pixelSize * 0.75);
    font.setBold(bold);
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

void SkinPainter::DrawCaption(QPainter& p, const QRectF& box, const QString& text, const QFont& font,
                              const QColor& colour) {
    p.setFont(font);
    p.setPen(colour);
    p.drawText(box, Qt::AlignCenter, text);
}

// The program's emblem: a wave riding over a plug, for data carried over the mains wiring.
void SkinPainter::DrawEmblem(QPainter& p, const QRectF& box, const QBrush& back, const QColor& ink) {
    const qreal s = box.width();
    const QPointF o = box.topLeft();
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(back);
    p.drawPath(RoundedRect(box, s * 0.24));

    QPainterPath wave;
    const qreal left = 0.20 * s;
    const qreal right = 0.80 * s;
    const qreal mid = 0.34 * s;
    const qreal amp = 0.11 * s;
    for (int i = 0; i <= 48; ++i) {
        const qreal t = i / 48.0;
        const QPointF pt(o.x() + left + t * (right - left), o.y() + mid - amp * std::sin(t * 2 * M_PI));
        if (i == 0) {
            wave.moveTo(pt);
        } else {
            wave.lineTo(pt);
        }
    }
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(ink, 0.1 * s, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(wave);

    // The plug: a body with two prongs below the wave.
    p.setPen(Qt::NoPen);
    p.setBrush(ink);
    p.drawPath(RoundedRect(QRectF(o.x() + 0.30 * s, o.y() + 0.56 * s, 0.40 * s, 0.16 * s), 0.045 * s));
    p.drawRoundedRect(QRectF(o.x() + 0.37 * s, o.y() + 0.70 * s, 0.09 * s, 0.14 * s), 0.03 * s, 0.03 * s);
    p.drawRoundedRect(QRectF(o.x() + 0.54 * s, o.y() + 0.70 * s, 0.09 * s, 0.14 * s), 0.03 * s, 0.03 * s);
    p.restore();
}

QBrush SkinPainter::AccentGradient(const QRectF& box) {
    QLinearGradient gradient(box.topLeft(), box.bottomRight());
    gradient.setColorAt(0, kAccentLight);
    gradient.setColorAt(1, kAccentDark);
    return gradient;
}

QImage SkinPainter::Banner() const {
    QImage image = Transparent(kWindowWidth, kBannerHeight);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient back(0, 0, kWindowWidth, kBannerHeight);
    back.setColorAt(0, kBannerLeft);
    back.setColorAt(1, kBannerRight);
    p.fillRect(image.rect(), back);

    // A faint echo of the emblem's wave across the right half.
    p.setPen(QPen(QColor(255, 255, 255, 22), 10, Qt::SolidLine, Qt::RoundCap));
    QPainterPath wave;
    for (int x = 300; x <= kWindowWidth + 20; x += 4) {
        const QPointF pt(x, 38 - 9 * std::sin((x - 300) / 95.0 * M_PI));
        if (x == 300) {
            wave.moveTo(pt);
        } else {
            wave.lineTo(pt);
        }
    }
    p.drawPath(wave);

    // The emblem on a white tile so that it stands off the blue.
    DrawEmblem(p, QRectF(14, 10, 36, 36), QColor(255, 255, 255, 245), kBannerLeft);

    p.setPen(Qt::white);
    p.setFont(SansFont(23, true));
    p.drawText(QPointF(62, 36), QStringLiteral("Quellmark"));

    // A hairline under the banner, where it meets the body.
    p.setPen(QColor(36, 70, 114));
    p.drawLine(0, kBannerHeight - 1, kWindowWidth, kBannerHeight - 1);
    return image;
}

QImage SkinPainter::Body() const {
    QImage image = Transparent(kWindowWidth, kBodyHeight);
    QPainter p(&image);
    // Everything below is placed in window coordinates; the body starts under the banner.
    p.translate(0, -kBannerHeight);
    p.fillRect(QRect(0, kBannerHeight, kWindowWidth, kBodyHeight), kBodyBack);

    // A thin outline on the window's edges, so the light face stands off a light desktop.
    p.setPen(kWindowEdge);
    p.drawLine(0, kBannerHeight, 0, kBannerHeight + kBodyHeight - 1);
    p.drawLine(kWindowWidth - 1, kBannerHeight, kWindowWidth - 1, kBannerHeight + kBodyHeight - 1);
    p.drawLine(0, kBannerHeight + kBodyHeight - 1, kWindowWidth - 1, kBannerHeight + kBodyHeight - 1);

    // The list: a white card around the header, the rows and the scroll bar.
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF card(kRowLeft - 1, kHeaderTop - 1, kScrollX + kScrollWidth - (kRowLeft - 1),
                      kScrollY + kScrollHeight - (kHeaderTop - 1));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 10));
    p.drawPath(RoundedRect(card.adjusted(0, 1.5, 0, 1.5), 5));
    p.setBrush(Qt::white);
    p.setPen(QPen(kCardFrame, 1));
    const QPainterPath cardPath = RoundedRect(card.adjusted(0.5, 0.5, 0.5, 0.5), 5);
    p.drawPath(cardPath);

    // Header cells: a light band the black column titles sit on.
    p.save();
    p.setClipPath(cardPath);
    p.fillRect(QRectF(kRowLeft, kHeaderTop, kScrollX + kScrollWidth - kRowLeft, kScrollY - kHeaderTop),
               kHeaderFill);
    p.restore();
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(kCardFrame);
    p.drawLine(kRowLeft, kScrollY, kScrollX + kScrollWidth - 1, kScrollY);
    p.setPen(kHeaderDivider);
    for (std::size_t i = 1; i < std::size(kHeaderColumns); ++i) {
        const int x = kHeaderColumns[i] - 8;
        p.drawLine(x, kHeaderLabelsTop + 1, x, kHeaderLabelsTop + 17);
    }

    // Rows: faint separators where the rows will lie, so an empty list still reads as a list.
    p.setPen(kRowLine);
    for (int row = 1; row <= kVisibleRows; ++row) {
        const int y = kRowsTop + row * kRowHeight - 1;
        p.drawLine(kRowLeft, y, kRowLeft + kRowWidth - 1, y);
    }

    // The scroll bar's track, parted from the rows by a hairline.
    p.fillRect(QRect(kScrollX, kScrollY + 1, kScrollWidth, kScrollHeight - 2), kScrollTrack);
    p.setPen(kCardFrame);
    p.drawLine(kScrollX - 1, kScrollY + 1, kScrollX - 1, kScrollY + kScrollHeight - 2);
    return image;
}

QImage SkinPainter::RowNormal() const {
    QImage image(kRowWidth, kRowHeight, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setPen(kRowLine);
    p.drawLine(0, kRowHeight - 1, kRowWidth - 1, kRowHeight - 1);
    p.end();
    return WithoutAlpha(image);
}

QImage SkinPainter::RowHover() const {
    QImage image(611, kRowHeight, QImage::Format_ARGB32_Premultiplied);
    image.fill(kHoverFill);
    QPainter p(&image);
    p.setPen(kHoverLine);
    p.drawLine(0, kRowHeight - 1, image.width() - 1, kRowHeight - 1);
    // The accent mark at the row's left edge, clear of the first text at x 5.
    p.fillRect(QRect(0, 0, 3, kRowHeight), kAccent);
    p.end();
    return WithoutAlpha(image);
}

// The close face is 40 pixels wide but shows in a 28-pixel window, centred: only columns 6 to 33
// are ever seen, so everything is kept inside the middle 26 (7 to 32).
QImage SkinPainter::CloseFace(Face face) const {
    QImage image = Transparent(40, 17);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF back(7, 0, 26, 17);
    if (face == Face::Hover || face == Face::Disabled) {
        p.setPen(Qt::NoPen);
        p.setBrush(kCloseRed);
        p.drawPath(RoundedRect(back, 4));
    } else if (face == Face::Pressed) {
        p.setPen(Qt::NoPen);
        p.setBrush(kCloseRedDark);
        p.drawPath(RoundedRect(back, 4));
    }
    const qreal dy = face == Face::Pressed ? 0.5 : 0;
    const QColor ink = face == Face::Normal ? QColor(255, 255, 255, 225) : QColor(Qt::white);
    p.setPen(QPen(ink, 1.6, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(15.5, 4 + dy), QPointF(24.5, 13 + dy));
    p.drawLine(QPointF(24.5, 4 + dy), QPointF(15.5, 13 + dy));
    return image;
}

QImage SkinPainter::MinimiseFace(Face face) const {
    QImage image = Transparent(27, 17);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF back(0.5, 0, 26, 17);
    if (face != Face::Normal) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 255, 255, face == Face::Pressed ? 80 : 46));
        p.drawPath(RoundedRect(back, 4));
    }
    const qreal dy = face == Face::Pressed ? 1 : 0;
    const QColor ink = face == Face::Normal ? QColor(255, 255, 255, 225) : QColor(Qt::white);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.fillRect(QRectF(9, 10 + dy, 9, 2), ink);
    return image;
}

QImage SkinPainter::RescanFace(Face face) const {
    QImage image = Transparent(98, 23);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QColor fill = kAccent;
    QColor ink = Qt::white;
    qreal dy = 0;
    switch (face) {
    case Face::Normal:
        break;
    case Face::Hover:
        fill = kAccentLight;
        break;
    case Face::Pressed:
        fill = kAccentDark;
        dy = 1;
        break;
    case Face::Disabled:
        fill = kDisabledFill;
        ink = kDisabledText;
        break;
    }
    p.setPen(Qt::NoPen);
    if (face != Face::Disabled && face != Face::Pressed) {
        // A soft lower edge gives the flat button a little body.
        p.setBrush(QColor(0, 0, 0, 28));
        p.drawPath(RoundedRect(QRectF(0, 1, 98, 22), 4.5));
    }
    p.setBrush(fill);
    p.drawPath(RoundedRect(QRectF(0, dy, 98, 22), 4.5));

    const QFont font = SansFont(13, true);
    const QString caption = QStringLiteral("Rescan");
    const qreal textWidth = QFontMetricsF(font).horizontalAdvance(caption);
    const qreal glyphWidth = 12;
    const qreal gap = 6;
    const qreal left = (98 - (glyphWidth + gap + textWidth)) / 2;
    DrawRefreshGlyph(p, QPointF(left + glyphWidth / 2, 11 + dy), 4.6, ink);
    p.setFont(font);
    p.setPen(ink);
    p.drawText(QRectF(left + glyphWidth + gap, dy, textWidth + 2, 22), Qt::AlignLeft | Qt::AlignVCenter,
               caption);
    return image;
}

QImage SkinPainter::ConnectFace(Face face) const {
    QImage image = Transparent(49, 20);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QColor fill = Qt::white;
    QColor frame = kAccent;
    QColor ink = kAccentDark;
    switch (face) {
    case Face::Normal:
        break;
    case Face::Hover:
        fill = kAccent;
        frame = kAccent;
        ink = Qt::white;
        break;
    case Face::Pressed:
        fill = kAccentDark;
        frame = kAccentDark;
        ink = Qt::white;
        break;
    case Face::Disabled:
        fill = QColor(244, 246, 249);
        frame = kDisabledFill;
        ink = kDisabledText;
        break;
    }
    p.setPen(QPen(frame, 1));
    p.setBrush(fill);
    p.drawPath(RoundedRect(QRectF(0.5, 0.5, 48, 19), 4));
    const qreal dy = face == Face::Pressed ? 0.5 : 0;
    DrawCaption(p, QRectF(0, dy, 49, 20), QStringLiteral("Connect"), SansFont(10.4, true), ink);
    return image;
}

QImage SkinPainter::Icon() const {
    QImage image = Transparent(64, 64);
    QPainter p(&image);
    const QRectF box(2, 2, 60, 60);
    DrawEmblem(p, box, AccentGradient(box), Qt::white);
    return image;
}

// A white hand with a black outline, the index finger's tip at (5, 0): the cursor's hot spot.
QImage SkinPainter::Cursor() const {
    QImage image = Transparent(32, 32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    // Straight edges run through pixel centres (x.5) so the outline stays one crisp pixel wide.
    QPainterPath hand;
    // Index finger, up from the palm, its rounded tip on the top row with pixel 5 at its peak.
    hand.moveTo(2.5, 17.5);
    hand.lineTo(2.5, 3.5);
    hand.arcTo(QRectF(2.5, 0.5, 6, 6), 180, -180);
    hand.lineTo(8.5, 12);
    // Three folded fingers, each knuckle a little lower than the last.
    hand.arcTo(QRectF(8.5, 9.5, 4, 4), 180, -180);
    hand.lineTo(12.5, 12.5);
    hand.arcTo(QRectF(12.5, 10.5, 4, 4), 180, -180);
    hand.lineTo(16.5, 13.5);
    hand.arcTo(QRectF(16.5, 11.5, 4, 4), 180, -180);
    hand.lineTo(20.5, 21);
    // Palm down to the wrist.
    hand.cubicTo(20.5, 24.5, 18.5, 26.5, 18.5, 28);
    hand.lineTo(18.5, 30.5);
    hand.lineTo(7.5, 30.5);
    hand.lineTo(7.5, 28);
    // Thumb, folded in from the left.
    hand.cubicTo(6, 26.5, 1.5, 23, 0.5, 20.5);
    hand.cubicTo(0, 18.5, 1.5, 17, 2.5, 17.5);
    hand.closeSubpath();
    p.setPen(QPen(Qt::black, 1, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.setBrush(Qt::white);
    p.drawPath(hand);
    // Creases between the folded fingers.
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(Qt::black);
    p.drawLine(12, 13, 12, 15);
    p.drawLine(16, 14, 16, 16);
    return image;
}

namespace {

void DrawFace(QPainter& p, const QImage& face, const QRect& window) {
    // Faces are centred in their window and clipped by it, as the buttons draw them.
    p.save();
    p.setClipRect(window);
    p.drawImage(QPoint(window.x() + (window.width() - face.width()) / 2,
                       window.y() + (window.height() - face.height()) / 2),
                face);
    p.restore();
}

} // namespace

QImage SkinPainter::Preview() const {
    QImage image = Transparent(kWindowWidth, kBannerHeight + kBodyHeight);
    QPainter p(&image);
    p.drawImage(0, 0, Banner());
    p.drawImage(0, kBannerHeight, Body());

    DrawFace(p, MinimiseFace(Face::Normal), QRect(600, 3, 28, 19));
    DrawFace(p, CloseFace(Face::Normal), QRect(630, 3, 28, 19));
    DrawFace(p, RescanFace(Face::Normal), QRect(40, 480, 99, 24));

    // The labels: one bold font (cell height 16) for the title and the column heads.
    const QFont labelFont = SansFont(14.3, true);
    p.setFont(labelFont);
    p.setPen(kAccent);
    p.drawText(QRectF(45, 70, 500, 30), Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap,
               QStringLiteral("Wireless powerline devices in your local network:"));
    const QStringList heads{QStringLiteral("Description"), QStringLiteral("Mode NO."),
                            QStringLiteral("IP Address"), QStringLiteral("MAC Address"),
                            QStringLiteral("Connect")};
    const int headWidths[] = {150, 150, 150, 150, 100};
    p.setPen(Qt::black);
    for (int i = 0; i < heads.size(); ++i) {
        p.drawText(QRectF(kHeaderColumns[i], kHeaderLabelsTop, headWidths[i], 24),
                   Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, heads[i]);
    }

    struct Sample {
        const char* description;
        const char* model;
        const char* ip;
        const char* mac;
    };
    const Sample samples[] = {
        {"Living room", "WPL-500", "192.168.1.23", "00:1A:2B:3C:4D:5E"},
        {"Office upstairs", "WPL-500", "192.168.1.31", "00:1A:2B:3C:51:07"},
        {"Garage extender", "WPL-1200AC", "192.168.1.47", "00:1A:2B:6E:02:9C"},
        {"Kitchen", "WPL-600", "192.168.1.52", "00:1A:2B:7F:13:A4"},
    };
    const QImage rowNormal = RowNormal();
    const QImage rowHover = RowHover();
    const QFont rowFont = SansFont(13, false);
    const int labelX[] = {5, 154, 252, 359};
    const int labelW[] = {150, 100, 100, 120};
    for (int i = 0; i < static_cast<int>(std::size(samples)); ++i) {
        const bool hover = i == 1;
        const QRect row(kRowLeft, kRowsTop + i * kRowHeight, kRowWidth, kRowHeight);
        p.save();
        p.setClipRect(row);
        p.drawImage(row.topLeft(), hover ? rowHover : rowNormal);
        p.restore();
        p.setFont(rowFont);
        p.setPen(Qt::black);
        const char* texts[] = {samples[i].description, samples[i].model, samples[i].ip, samples[i].mac};
        for (int c = 0; c < 4; ++c) {
            p.drawText(QRectF(row.x() + labelX[c], row.y() + 10, labelW[c], 24),
                       Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, QString::fromUtf8(texts[c]));
        }
        DrawFace(p, ConnectFace(hover ? Face::Hover : Face::Normal),
                 QRect(row.x() + 502, row.y() + 7, 50, 21));
    }

    // The window's rounded outline: a 5 x 5 corner ellipse, as the window region cuts it.
    p.setCompositionMode(QPainter::CompositionMode_DestinationIn);
    p.setRenderHint(QPainter::Antialiasing);
    QImage mask = Transparent(image.width(), image.height());
    {
        QPainter m(&mask);
        m.setRenderHint(QPainter::Antialiasing);
        m.setPen(Qt::NoPen);
        m.setBrush(Qt::black);
        m.drawRoundedRect(QRectF(0, 0, image.width(), image.height()), 2.5, 2.5);
    }
    p.drawImage(0, 0, mask);
    return image;
}

bool SkinPainter::WriteAll(const QString& resourcesDir, const QString& previewPath) {
    const QDir dir(resourcesDir);
    dir.mkpath(QStringLiteral("png"));
    dir.mkpath(QStringLiteral("icon"));
    dir.mkpath(QStringLiteral("cursor"));
    // Straight (not premultiplied) alpha is what PNG stores; RGB images are written without alpha.
    const auto rgba = [](const QImage& image) { return image.convertToFormat(QImage::Format_ARGB32); };
    const std::vector<std::pair<QString, QImage>> files = {
        {QStringLiteral("png/129.png"), rgba(Body())},
        {QStringLiteral("png/130.png"), rgba(Banner())},
        {QStringLiteral("png/132.png"), rgba(CloseFace(Face::Hover))},
        {QStringLiteral("png/133.png"), rgba(CloseFace(Face::Normal))},
        {QStringLiteral("png/134.png"), rgba(CloseFace(Face::Pressed))},
        {QStringLiteral("png/135.png"), rgba(MinimiseFace(Face::Hover))},
        {QStringLiteral("png/136.png"), rgba(MinimiseFace(Face::Normal))},
        {QStringLiteral("png/137.png"), rgba(MinimiseFace(Face::Pressed))},
        {QStringLiteral("png/160.png"), rgba(RescanFace(Face::Pressed))},
        {QStringLiteral("png/161.png"), rgba(RescanFace(Face::Disabled))},
        {QStringLiteral("png/162.png"), rgba(RescanFace(Face::Hover))},
        {QStringLiteral("png/163.png"), rgba(RescanFace(Face::Normal))},
        {QStringLiteral("png/165.png"), RowNormal()},
        {QStringLiteral("png/166.png"), RowHover()},
        {QStringLiteral("png/167.png"), rgba(ConnectFace(Face::Pressed))},
        {QStringLiteral("png/168.png"), rgba(ConnectFace(Face::Disabled))},
        {QStringLiteral("png/169.png"), rgba(ConnectFace(Face::Hover))},
        {QStringLiteral("png/170.png"), rgba(ConnectFace(Face::Normal))},
        {QStringLiteral("icon/128.png"), rgba(Icon())},
        {QStringLiteral("cursor/138.png"), rgba(Cursor())},
    };
    bool ok = true;
    for (const auto& [name, image] : files) {
        ok = image.save(dir.filePath(name), "PNG") && ok;
    }
    return rgba(Preview()).save(previewPath, "PNG") && ok;
}
