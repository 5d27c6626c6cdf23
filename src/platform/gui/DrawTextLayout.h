#pragma once

// The layout of CDC::DrawText: Qt breaks the lines, this places them the way the DT_* flags ask,
// at whole-pixel positions with the font's cell height as the line pitch, so that measuring
// (DT_CALCRECT, GetTextExtent, GetTextMetrics) and drawing agree to the pixel. Platform layer only.

#include "platform/gui/GdiTypes.h"

#include <QFont>
#include <QRect>
#include <QString>
#include <QTextLayout>
#include <memory>
#include <vector>

class QPaintDevice;
class QPainter;

class DrawTextLayout {
public:
    // Lays text out for a rectangle of width x height (the rectangle's position does not matter).
    DrawTextLayout(const QString& text, const QFont& font, const QPaintDevice* device, UINT format,
                   QSize room);

    // Width of the widest line and height of all lines.
    QSize Size() const { return m_size; }
    // Distance from the rectangle's top to the first line.
    int Top() const { return m_top; }
    // Draws with the painter's pen; with a background colour every line's cell is filled first.
    void Draw(QPainter& painter, QPoint rectOrigin, const QColor* background) const;

private:
    struct Paragraph {
        std::unique_ptr<QTextLayout> layout;
        std::vector<QRect> cells; // one per line, relative to the rectangle
    };

    void LayOut(const QString& paragraph, const std::vector<int>& underlined, UINT format, QSize room);

    QFont m_font;
    const QPaintDevice* m_device;
    int m_lineHeight = 0;
    int m_ascent = 0;
    int m_lineCount = 0;
    QSize m_size;
    int m_top = 0;
    std::vector<Paragraph> m_paragraphs;
};
