#include "platform/gui/DrawTextLayout.h"

#include <QFontMetrics>
#include <QPainter>
#include <QTextCharFormat>
#include <QTextOption>
#include <algorithm>
#include <cmath>

namespace {

// Room enough for any unwrapped line.
constexpr double kUnboundedWidth = 1 << 24;

struct PrefixedText {
    QString text;
    std::vector<int> underlined; // positions in text
};

// "&x" underlines x and drops the ampersand, "&&" shows one ampersand.
PrefixedText StripPrefixes(const QString& text) {
    PrefixedText result;
    result.text.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text.at(i) != u'&') {
            result.text.append(text.at(i));
            continue;
        }
        if (i + 1 >= text.size()) {
            break;
        }
        ++i;
        if (text.at(i) != u'&') {
            result.underlined.push_back(static_cast<int>(result.text.size()));
        }
        result.text.append(text.at(i));
    }
    return result;
}

} // namespace

DrawTextLayout::DrawTextLayout(const QString& text, const QFont& font, const QPaintDevice* device,
                               UINT format, QSize room)
    : m_font(font), m_device(device) {
    const QFontMetrics metrics(m_font, device);
    m_ascent = metrics.ascent();
    m_lineHeight = metrics.ascent() + metrics.descent();

    PrefixedText prepared = (format & DT_NOPREFIX) ? PrefixedText{text, {}} : StripPrefixes(text);
    QString& body = prepared.text;
    if (format & DT_SINGLELINE) {
        // One line whatever the text holds: line breaks show as spaces.
        body.replace(u'\r', u' ').replace(u'\n', u' ');
        LayOut(body, prepared.underlined, format, room);
    } else {
        // A CR LF pair, a lone CR or a lone LF each end a line.
        qsizetype start = 0;
        for (qsizetype i = 0; i <= body.size(); ++i) {
            const bool end = i == body.size();
            if (!end && body.at(i) != u'\r' && body.at(i) != u'\n') {
                continue;
            }
            std::vector<int> underlined;
            for (int position : prepared.underlined) {
                if (position >= start && position < i) {
                    underlined.push_back(static_cast<int>(position - start));
                }
            }
            LayOut(body.mid(start, i - start), underlined, format, room);
            if (!end && body.at(i) == u'\r' && i + 1 < body.size() && body.at(i + 1) == u'\n') {
                ++i;
            }
            start = i + 1;
        }
    }
    m_size.setHeight(m_lineCount * m_lineHeight);
    if ((format & DT_SINGLELINE) && (format & DT_VCENTER)) {
        m_top = (room.height() - m_lineHeight) / 2;
    } else if ((format & DT_SINGLELINE) && (format & DT_BOTTOM)) {
        m_top = room.height() - m_lineHeight;
    }
}

void DrawTextLayout::LayOut(const QString& paragraph, const std::vector<int>& underlined, UINT format,
                            QSize room) {
    Paragraph result;
    result.layout = std::make_unique<QTextLayout>(paragraph, m_font, m_device);
    const bool wraps = (format & DT_WORDBREAK) && !(format & DT_SINGLELINE);
    QTextOption option;
    option.setWrapMode(wraps ? QTextOption::WordWrap : QTextOption::NoWrap);
    if (format & DT_EXPANDTABS) {
        // Tab stops every eight average characters.
        option.setTabStopDistance(8.0 * QFontMetrics(m_font, m_device).averageCharWidth());
    }
    result.layout->setTextOption(option);
    if (!underlined.empty()) {
        QList<QTextLayout::FormatRange> ranges;
        for (int position : underlined) {
            QTextLayout::FormatRange range;
            range.start = position;
            range.length = 1;
            range.format.setFontUnderline(true);
            ranges.append(range);
        }
        result.layout->setFormats(ranges);
    }

    result.layout->beginLayout();
    for (QTextLine line = result.layout->createLine(); line.isValid(); line = result.layout->createLine()) {
        line.setLineWidth(wraps ? std::max(1, room.width()) : kUnboundedWidth);
        const int width = static_cast<int>(std::lround(line.naturalTextWidth()));
        int x = 0;
        if (format & DT_CENTER) {
            x = (room.width() - width) / 2;
        } else if (format & DT_RIGHT) {
            x = room.width() - width;
        }
        const int y = m_lineCount * m_lineHeight;
        // Whole-pixel baselines: the line's own ascent is fractional.
        line.setPosition(QPointF(x, y + m_ascent - line.ascent()));
        result.cells.emplace_back(x, y, width, m_lineHeight);
        m_size.setWidth(std::max(m_size.width(), width));
        ++m_lineCount;
    }
    result.layout->endLayout();
    if (result.cells.empty()) {
        // An empty paragraph still takes its line.
        result.cells.emplace_back(0, m_lineCount * m_lineHeight, 0, m_lineHeight);
        ++m_lineCount;
    }
    m_paragraphs.push_back(std::move(result));
}

void DrawTextLayout::Draw(QPainter& painter, QPoint rectOrigin, const QColor* background) const {
    const QPoint origin = rectOrigin + QPoint(0, m_top);
    if (background != nullptr) {
        for (const Paragraph& paragraph : m_paragraphs) {
            for (const QRect& cell : paragraph.cells) {
                painter.fillRect(cell.translated(origin), *background);
            }
        }
    }
    for (const Paragraph& paragraph : m_paragraphs) {
        paragraph.layout->draw(&painter, origin);
    }
}
