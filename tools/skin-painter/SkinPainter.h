#pragma once

// Draws the skin of the main window: every PNG of the image store, the program icon and the hand
// cursor, and a preview of the whole window put together as the program composes it. The pictures
// are drawn from code, so the look can be changed here and regenerated, never retouched by hand.

#include <QBrush>
#include <QColor>
#include <QFont>
#include <QImage>
#include <QString>

class QPainter;
class QRectF;

class SkinPainter {
public:
    // Writes every picture into the resources folder (png/, icon/, cursor/) and the preview next
    // to it. Returns false when a file could not be written.
    bool WriteAll(const QString& resourcesDir, const QString& previewPath);

    QImage Body() const;
    QImage Banner() const;
    QImage RowNormal() const;
    QImage RowHover() const;

    enum class Face { Normal, Hover, Pressed, Disabled };
    QImage CloseFace(Face face) const;
    QImage MinimiseFace(Face face) const;
    QImage RescanFace(Face face) const;
    QImage ConnectFace(Face face) const;

    QImage Icon() const;
    QImage Cursor() const;
    QImage Preview() const;

private:
    static QImage Transparent(int width, int height);
    static QFont SansFont(qreal pixelSize, bool bold);
    static void DrawEmblem(QPainter& p, const QRectF& box, const QBrush& back, const QColor& ink);
    static QBrush AccentGradient(const QRectF& box);
    static void DrawCaption(QPainter& p, const QRectF& box, const QString& text, const QFont& font,
                            const QColor& colour);
};
