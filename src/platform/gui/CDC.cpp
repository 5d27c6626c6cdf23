#include "platform/gui/CDC.h"

#include "platform/gui/CBitmap.h"
#include "platform/gui/CBrush.h"
#include "platform/gui/CFont.h"
#include "platform/gui/CPen.h"
#include "platform/gui/CRgn.h"
#include "platform/gui/DrawTextLayout.h"
#include "platform/gui/Image.h"
#include "platform/gui/SystemMetrics.h"

#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QPolygon>
#include <QRegion>
#include <QString>
#include <algorithm>
#include <mutex>
#include <optional>
#include <unordered_set>
#include <utility>
#include <vector>

namespace {

QColor ToQColor(COLORREF color) {
    return QColor(GetRValue(color), GetGValue(color), GetBValue(color));
}

QString ToQString(std::u16string_view text) {
    return QString(reinterpret_cast<const QChar*>(text.data()), static_cast<qsizetype>(text.size()));
}

QRect ToQRect(int left, int top, int right, int bottom) {
    return QRect(left, top, right - left, bottom - top);
}

QRect ToQRect(const RECT& rect) {
    return ToQRect(rect.left, rect.top, rect.right, rect.bottom);
}

int RegionType(const QRegion& region) {
    if (region.isEmpty()) {
        return NULLREGION;
    }
    return region.rectCount() == 1 ? SIMPLEREGION : COMPLEXREGION;
}

struct PenSpec {
    int style = PS_SOLID;
    int width = 0;
    COLORREF color = 0;
};

struct BrushSpec {
    bool hollow = false;
    COLORREF color = RGB(255, 255, 255);
};

struct FontSpec {
    std::shared_ptr<const QFont> font;
    LONG escapement = 0;
};

PenSpec SpecOf(const CPen& pen) {
    return {pen.GetStyle(), pen.GetWidth(), pen.GetColor()};
}

BrushSpec SpecOf(const CBrush& brush) {
    return {brush.IsNull(), brush.GetColor()};
}

FontSpec SpecOf(const CFont& font) {
    LOGFONT logFont;
    font.GetLogFont(&logFont);
    return {font.qfont(), logFont.lfEscapement};
}

QPen ToQPen(const PenSpec& logPen) {
    if (logPen.style == PS_NULL) {
        return QPen(Qt::NoPen);
    }
    QPen pen(ToQColor(logPen.color));
    pen.setWidth(std::max(1, logPen.width));
    pen.setCosmetic(logPen.width <= 1);
    // A flat cap leaves out a line's last pixel, as line drawing on this platform always did.
    pen.setCapStyle(Qt::FlatCap);
    pen.setJoinStyle(Qt::MiterJoin);
    if (logPen.style == PS_DASH) {
        pen.setStyle(Qt::DashLine);
    } else if (logPen.style == PS_DOT) {
        pen.setStyle(Qt::DotLine);
    }
    return pen;
}

// Bresenham's pixels from start towards end, the end itself left out.
QPolygon LinePixels(QPoint start, QPoint end) {
    QPolygon pixels;
    const int dx = std::abs(end.x() - start.x());
    const int dy = -std::abs(end.y() - start.y());
    const int stepX = start.x() < end.x() ? 1 : -1;
    const int stepY = start.y() < end.y() ? 1 : -1;
    int error = dx + dy;
    QPoint at = start;
    while (at != end) {
        pixels.append(at);
        const int twice = 2 * error;
        if (twice >= dy) {
            error += dy;
            at.rx() += stepX;
        }
        if (twice <= dx) {
            error += dx;
            at.ry() += stepY;
        }
    }
    return pixels;
}

struct Attributes {
    CPen* penObject = nullptr;
    PenSpec pen;
    CBrush* brushObject = nullptr;
    BrushSpec brush;
    CFont* fontObject = nullptr;
    FontSpec font;
    COLORREF textColor = RGB(0, 0, 0);
    COLORREF bkColor = RGB(255, 255, 255);
    int bkMode = OPAQUE;
    UINT textAlign = TA_LEFT | TA_TOP;
    POINT viewportOrg;
    POINT windowOrg;
    POINT position;
    std::optional<QRegion> clip; // device coordinates
};

Attributes DefaultAttributes() {
    Attributes attributes;
    attributes.penObject = CPen::FromStock(BLACK_PEN);
    attributes.pen = SpecOf(*attributes.penObject);
    attributes.brushObject = CBrush::FromStock(WHITE_BRUSH);
    attributes.brush = SpecOf(*attributes.brushObject);
    attributes.fontObject = CFont::FromStock(SYSTEM_FONT);
    attributes.font = SpecOf(*attributes.fontObject);
    return attributes;
}

} // namespace

struct CDC::Impl {
    Attributes attributes = DefaultAttributes();
    std::vector<Attributes> saved;
    QImage* surface = nullptr;
    bool memory = false;
    CBitmap* bitmapObject = nullptr;
    std::shared_ptr<QImage> bitmapPixels; // keeps a selected bitmap's pixels alive
    int dpiX = DisplayDevice::LogPixelsX();
    int dpiY = DisplayDevice::LogPixelsY();
    bool palette = DisplayDevice::IsPaletteDevice();
    mutable bool drawn = false;

    QPoint Offset() const {
        return QPoint(attributes.viewportOrg.x - attributes.windowOrg.x,
                      attributes.viewportOrg.y - attributes.windowOrg.y);
    }

    // A painter on the surface in logical coordinates with the clip applied; false when there is
    // nothing to draw on.
    bool Begin(QPainter& painter) const {
        if (surface == nullptr || surface->isNull() || !painter.begin(surface)) {
            return false;
        }
        drawn = true;
        if (attributes.clip.has_value()) {
            painter.setClipRegion(*attributes.clip);
        }
        painter.translate(Offset());
        return true;
    }

    QFont Font() const { return attributes.font.font != nullptr ? *attributes.font.font : QFont(); }

    QFontMetrics Metrics() const {
        if (surface != nullptr && !surface->isNull()) {
            return QFontMetrics(Font(), surface);
        }
        return QFontMetrics(Font());
    }

    void Fill(const QRect& rect, COLORREF color) const {
        if (rect.isEmpty()) {
            return;
        }
        QPainter painter;
        if (!Begin(painter)) {
            return;
        }
        painter.fillRect(rect, ToQColor(color));
    }
};

namespace {

// Every living context object, so that a handle can be checked before it is turned back into one.
struct DcRegistry {
    std::mutex mutex;
    std::unordered_set<const CDC*> objects;
};

DcRegistry& LiveContexts() {
    static DcRegistry* registry = new DcRegistry;
    return *registry;
}

} // namespace

CDC::CDC() : m_impl(std::make_shared<Impl>()) {
    m_hDC = OwnHandle();
    DcRegistry& registry = LiveContexts();
    std::lock_guard lock(registry.mutex);
    registry.objects.insert(this);
}

CDC::~CDC() {
    DcRegistry& registry = LiveContexts();
    std::lock_guard lock(registry.mutex);
    registry.objects.erase(this);
}

HDC CDC::OwnHandle() const {
    return reinterpret_cast<HDC>(const_cast<CDC*>(this));
}

CDC* CDC::FromHandle(HDC handle) {
    if (handle == nullptr) {
        return nullptr;
    }
    auto* dc = reinterpret_cast<CDC*>(handle);
    DcRegistry& registry = LiveContexts();
    std::lock_guard lock(registry.mutex);
    return registry.objects.count(dc) != 0 ? dc : nullptr;
}

BOOL CDC::Attach(HDC handle) {
    CDC* owner = FromHandle(handle);
    if (owner == nullptr) {
        return FALSE;
    }
    m_impl = owner->m_impl;
    m_hDC = handle;
    return TRUE;
}

HDC CDC::Detach() {
    const HDC attached = m_hDC;
    m_impl = std::make_shared<Impl>();
    m_hDC = OwnHandle();
    return attached;
}

BOOL CDC::CreateCompatibleDC(CDC* dc) {
    if (m_impl->memory || m_impl->surface != nullptr) {
        return FALSE;
    }
    m_impl->memory = true;
    if (dc != nullptr) {
        m_impl->dpiX = dc->m_impl->dpiX;
        m_impl->dpiY = dc->m_impl->dpiY;
        m_impl->palette = dc->m_impl->palette;
    }
    return TRUE;
}

BOOL CDC::DeleteDC() {
    if (!m_impl->memory && m_impl->surface == nullptr) {
        return FALSE;
    }
    m_impl = std::make_shared<Impl>();
    m_hDC = OwnHandle();
    return TRUE;
}

void CDC::AttachSurface(QImage* surface) {
    m_impl->memory = false;
    m_impl->surface = surface;
    m_impl->drawn = false;
}

bool CDC::HasDrawn() const {
    return m_impl->drawn;
}

QImage* CDC::Surface() const {
    return m_impl->surface;
}

CPen* CDC::SelectObject(CPen* pen) {
    if (pen == nullptr || !pen->IsCreated()) {
        return nullptr;
    }
    CPen* previous = m_impl->attributes.penObject;
    m_impl->attributes.penObject = pen;
    m_impl->attributes.pen = SpecOf(*pen);
    return previous;
}

CBrush* CDC::SelectObject(CBrush* brush) {
    if (brush == nullptr || !brush->IsCreated()) {
        return nullptr;
    }
    CBrush* previous = m_impl->attributes.brushObject;
    m_impl->attributes.brushObject = brush;
    m_impl->attributes.brush = SpecOf(*brush);
    return previous;
}

CFont* CDC::SelectObject(CFont* font) {
    if (font == nullptr || !font->IsCreated()) {
        return nullptr;
    }
    CFont* previous = m_impl->attributes.fontObject;
    m_impl->attributes.fontObject = font;
    m_impl->attributes.font = SpecOf(*font);
    return previous;
}

CBitmap* CDC::SelectObject(CBitmap* bitmap) {
    // Only a memory context holds a bitmap. Selecting "none" (the null the first selection
    // returned) puts the context back to drawing nowhere.
    if (!m_impl->memory) {
        return nullptr;
    }
    if (bitmap != nullptr && !bitmap->IsCreated()) {
        return nullptr;
    }
    CBitmap* previous = m_impl->bitmapObject;
    m_impl->bitmapObject = bitmap;
    m_impl->bitmapPixels = bitmap != nullptr ? bitmap->qimage() : nullptr;
    m_impl->surface = m_impl->bitmapPixels.get();
    return previous;
}

CGdiObject* CDC::SelectObject(CGdiObject* object) {
    if (object == nullptr) {
        return nullptr;
    }
    switch (object->GetKind()) {
    case CGdiObject::Kind::Pen:
        return SelectObject(static_cast<CPen*>(object));
    case CGdiObject::Kind::Brush:
        return SelectObject(static_cast<CBrush*>(object));
    case CGdiObject::Kind::Font:
        return SelectObject(static_cast<CFont*>(object));
    case CGdiObject::Kind::Bitmap:
        return SelectObject(static_cast<CBitmap*>(object));
    case CGdiObject::Kind::Region:
        SelectClipRgn(static_cast<CRgn*>(object));
        return nullptr;
    }
    return nullptr;
}

CGdiObject* CDC::SelectStockObject(int stockId) {
    if (CPen* pen = CPen::FromStock(stockId)) {
        return SelectObject(pen);
    }
    if (CBrush* brush = CBrush::FromStock(stockId)) {
        return SelectObject(brush);
    }
    if (CFont* font = CFont::FromStock(stockId)) {
        return SelectObject(font);
    }
    return nullptr;
}

CPen* CDC::GetCurrentPen() const {
    return m_impl->attributes.penObject;
}

CBrush* CDC::GetCurrentBrush() const {
    return m_impl->attributes.brushObject;
}

CFont* CDC::GetCurrentFont() const {
    return m_impl->attributes.fontObject;
}

CBitmap* CDC::GetCurrentBitmap() const {
    return m_impl->bitmapObject;
}

COLORREF CDC::SetTextColor(COLORREF color) {
    return std::exchange(m_impl->attributes.textColor, color & 0x00FFFFFF);
}

COLORREF CDC::GetTextColor() const {
    return m_impl->attributes.textColor;
}

COLORREF CDC::SetBkColor(COLORREF color) {
    return std::exchange(m_impl->attributes.bkColor, color & 0x00FFFFFF);
}

COLORREF CDC::GetBkColor() const {
    return m_impl->attributes.bkColor;
}

int CDC::SetBkMode(int mode) {
    if (mode != TRANSPARENT && mode != OPAQUE) {
        return 0;
    }
    return std::exchange(m_impl->attributes.bkMode, mode);
}

int CDC::GetBkMode() const {
    return m_impl->attributes.bkMode;
}

UINT CDC::SetTextAlign(UINT align) {
    return std::exchange(m_impl->attributes.textAlign, align);
}

UINT CDC::GetTextAlign() const {
    return m_impl->attributes.textAlign;
}

POINT CDC::SetViewportOrg(int x, int y) {
    return std::exchange(m_impl->attributes.viewportOrg, POINT{x, y});
}

POINT CDC::OffsetViewportOrg(int dx, int dy) {
    const POINT previous = m_impl->attributes.viewportOrg;
    m_impl->attributes.viewportOrg = POINT{previous.x + dx, previous.y + dy};
    return previous;
}

POINT CDC::GetViewportOrg() const {
    return m_impl->attributes.viewportOrg;
}

POINT CDC::SetWindowOrg(int x, int y) {
    return std::exchange(m_impl->attributes.windowOrg, POINT{x, y});
}

POINT CDC::GetWindowOrg() const {
    return m_impl->attributes.windowOrg;
}

int CDC::SaveDC() {
    m_impl->saved.push_back(m_impl->attributes);
    return static_cast<int>(m_impl->saved.size());
}

BOOL CDC::RestoreDC(int level) {
    const int depth = static_cast<int>(m_impl->saved.size());
    const int target = level > 0 ? level : depth + 1 + level;
    if (level == 0 || target < 1 || target > depth) {
        return FALSE;
    }
    m_impl->attributes = m_impl->saved[static_cast<std::size_t>(target - 1)];
    m_impl->saved.resize(static_cast<std::size_t>(target - 1));
    return TRUE;
}

int CDC::IntersectClipRect(int left, int top, int right, int bottom) {
    const QRect device = ToQRect(left, top, right, bottom).normalized().translated(m_impl->Offset());
    std::optional<QRegion>& clip = m_impl->attributes.clip;
    clip = clip.has_value() ? clip->intersected(device) : QRegion(device);
    return RegionType(*clip);
}

int CDC::SelectClipRgn(CRgn* region) {
    std::optional<QRegion>& clip = m_impl->attributes.clip;
    if (region == nullptr || region->qregion() == nullptr) {
        clip.reset();
        return SIMPLEREGION;
    }
    clip = *region->qregion();
    return RegionType(*clip);
}

int CDC::GetDeviceCaps(int index) const {
    const bool palette = m_impl->palette;
    switch (index) {
    case LOGPIXELSX:
        return m_impl->dpiX;
    case LOGPIXELSY:
        return m_impl->dpiY;
    case RASTERCAPS:
        return RC_BITBLT | RC_STRETCHBLT | (palette ? RC_PALETTE : 0);
    case BITSPIXEL:
        return palette ? 8 : 32;
    case PLANES:
        return 1;
    case NUMCOLORS:
        return palette ? 20 : -1;
    case SIZEPALETTE:
        return palette ? 256 : 0;
    case HORZRES:
        if (m_impl->memory) {
            return m_impl->surface != nullptr ? m_impl->surface->width() : 1;
        }
        return GetSystemMetrics(SM_CXSCREEN);
    case VERTRES:
        if (m_impl->memory) {
            return m_impl->surface != nullptr ? m_impl->surface->height() : 1;
        }
        return GetSystemMetrics(SM_CYSCREEN);
    default:
        return 0;
    }
}

int CDC::PointsToPixels(int points) const {
    return MulDiv(points, m_impl->dpiY, 72);
}

BOOL CDC::BitBlt(int x, int y, int width, int height, CDC* source, int xSource, int ySource, DWORD rop) {
    if (rop != SRCCOPY || source == nullptr || source->m_impl->surface == nullptr) {
        return FALSE;
    }
    if (width <= 0 || height <= 0) {
        return TRUE;
    }
    const QImage* from = source->m_impl->surface;
    QRect sourceRect = QRect(xSource, ySource, width, height).translated(source->m_impl->Offset());
    // Copying within one surface: take the pixels out first so the copy reads what was there.
    QImage detached;
    if (from == m_impl->surface) {
        detached = from->copy(sourceRect);
        from = &detached;
        sourceRect.moveTo(0, 0);
    }
    QPainter painter;
    if (!m_impl->Begin(painter)) {
        return FALSE;
    }
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(QRect(x, y, width, height), *from, sourceRect);
    return TRUE;
}

void CDC::FillSolidRect(const RECT& rect, COLORREF color) {
    m_impl->Fill(ToQRect(rect).normalized(), color);
}

void CDC::FillSolidRect(int x, int y, int cx, int cy, COLORREF color) {
    m_impl->Fill(QRect(x, y, cx, cy).normalized(), color);
}

void CDC::FillRect(const RECT& rect, CBrush* brush) {
    if (brush == nullptr || !brush->IsCreated() || brush->IsNull()) {
        return;
    }
    m_impl->Fill(ToQRect(rect), brush->GetColor());
}

void CDC::FrameRect(const RECT& rect, CBrush* brush) {
    if (brush == nullptr || !brush->IsCreated() || brush->IsNull()) {
        return;
    }
    const QRect r = ToQRect(rect);
    if (r.isEmpty()) {
        return;
    }
    const COLORREF color = brush->GetColor();
    m_impl->Fill(QRect(r.left(), r.top(), r.width(), 1), color);
    m_impl->Fill(QRect(r.left(), r.bottom(), r.width(), 1), color);
    m_impl->Fill(QRect(r.left(), r.top(), 1, r.height()), color);
    m_impl->Fill(QRect(r.right(), r.top(), 1, r.height()), color);
}

void CDC::Draw3dRect(const RECT& rect, COLORREF topLeft, COLORREF bottomRight) {
    Draw3dRect(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, topLeft, bottomRight);
}

void CDC::Draw3dRect(int x, int y, int cx, int cy, COLORREF topLeft, COLORREF bottomRight) {
    m_impl->Fill(QRect(x, y, cx - 1, 1), topLeft);
    m_impl->Fill(QRect(x, y, 1, cy - 1), topLeft);
    m_impl->Fill(QRect(x + cx - 1, y, 1, cy), bottomRight);
    m_impl->Fill(QRect(x, y + cy - 1, cx, 1), bottomRight);
}

BOOL CDC::DrawEdge(RECT* rect, UINT edge, UINT flags) {
    if (rect == nullptr) {
        return FALSE;
    }
    struct Border {
        int topLeft;
        int bottomRight;
    };
    std::vector<Border> borders;
    if (edge & BDR_RAISEDOUTER) {
        borders.push_back({COLOR_3DLIGHT, COLOR_3DDKSHADOW});
    } else if (edge & BDR_SUNKENOUTER) {
        borders.push_back({COLOR_3DSHADOW, COLOR_3DHIGHLIGHT});
    }
    if (edge & BDR_RAISEDINNER) {
        borders.push_back({COLOR_3DHIGHLIGHT, COLOR_3DSHADOW});
    } else if (edge & BDR_SUNKENINNER) {
        borders.push_back({COLOR_3DDKSHADOW, COLOR_3DLIGHT});
    }
    RECT r = *rect;
    // Outer line first, then the inner one a pixel further in; the bottom-right colour owns the
    // two corners where the colours meet.
    for (const Border& border : borders) {
        const COLORREF topLeft = GetSysColor(border.topLeft);
        const COLORREF bottomRight = GetSysColor(border.bottomRight);
        const int width = r.right - r.left;
        const int height = r.bottom - r.top;
        if (width <= 0 || height <= 0) {
            break;
        }
        if (flags & BF_TOP) {
            m_impl->Fill(QRect(r.left, r.top, width, 1), topLeft);
        }
        if (flags & BF_LEFT) {
            m_impl->Fill(QRect(r.left, r.top, 1, height), topLeft);
        }
        if (flags & BF_RIGHT) {
            m_impl->Fill(QRect(r.right - 1, r.top, 1, height), bottomRight);
        }
        if (flags & BF_BOTTOM) {
            m_impl->Fill(QRect(r.left, r.bottom - 1, width, 1), bottomRight);
        }
        r.left += (flags & BF_LEFT) ? 1 : 0;
        r.top += (flags & BF_TOP) ? 1 : 0;
        r.right -= (flags & BF_RIGHT) ? 1 : 0;
        r.bottom -= (flags & BF_BOTTOM) ? 1 : 0;
    }
    if (flags & BF_MIDDLE) {
        m_impl->Fill(ToQRect(r), GetSysColor(COLOR_3DFACE));
    }
    if (flags & BF_ADJUST) {
        *rect = r;
    }
    return TRUE;
}

POINT CDC::MoveTo(int x, int y) {
    return std::exchange(m_impl->attributes.position, POINT{x, y});
}

BOOL CDC::LineTo(int x, int y) {
    const POINT from = std::exchange(m_impl->attributes.position, POINT{x, y});
    const PenSpec& pen = m_impl->attributes.pen;
    if (pen.style == PS_NULL) {
        return TRUE;
    }
    QPainter painter;
    if (!m_impl->Begin(painter)) {
        return FALSE;
    }
    if (pen.style != PS_SOLID || pen.width > 1) {
        painter.setPen(ToQPen(pen));
        painter.drawLine(QPoint(from.x, from.y), QPoint(x, y));
        return TRUE;
    }
    // A thin solid line is the classic one: every pixel from the start up to, not including, the
    // end point, so lines joined end to start never draw a pixel twice.
    painter.setPen(QPen(ToQColor(pen.color), 1));
    painter.drawPoints(LinePixels(QPoint(from.x, from.y), QPoint(x, y)));
    return TRUE;
}

BOOL CDC::Rectangle(int left, int top, int right, int bottom) {
    const QRect r = ToQRect(left, top, right, bottom).normalized();
    if (r.isEmpty()) {
        return TRUE;
    }
    const Attributes& attributes = m_impl->attributes;
    if (attributes.pen.style == PS_NULL) {
        // Without an outline the fill stops a pixel short of right and bottom, as it always has;
        // callers that fill bands with the empty pen add that pixel themselves.
        if (!attributes.brush.hollow) {
            m_impl->Fill(r.adjusted(0, 0, -1, -1), attributes.brush.color);
        }
        return TRUE;
    }
    const int penWidth = std::max(1, attributes.pen.width);
    if (!attributes.brush.hollow) {
        m_impl->Fill(r.adjusted(penWidth, penWidth, -penWidth, -penWidth), attributes.brush.color);
    }
    // The outline lies inside the rectangle, so a rectangle never grows past right and bottom.
    const COLORREF color = attributes.pen.color;
    const int inner = std::max(0, r.height() - 2 * penWidth);
    m_impl->Fill(QRect(r.left(), r.top(), r.width(), std::min(penWidth, r.height())), color);
    m_impl->Fill(QRect(r.left(), std::max(r.top(), r.bottom() + 1 - penWidth), r.width(),
                       std::min(penWidth, r.height())),
                 color);
    m_impl->Fill(QRect(r.left(), r.top() + penWidth, std::min(penWidth, r.width()), inner), color);
    m_impl->Fill(QRect(std::max(r.left(), r.right() + 1 - penWidth), r.top() + penWidth,
                       std::min(penWidth, r.width()), inner),
                 color);
    return TRUE;
}

BOOL CDC::Ellipse(int left, int top, int right, int bottom) {
    const QRect r = ToQRect(left, top, right, bottom).normalized();
    if (r.isEmpty()) {
        return TRUE;
    }
    QPainter painter;
    if (!m_impl->Begin(painter)) {
        return FALSE;
    }
    const Attributes& attributes = m_impl->attributes;
    painter.setBrush(attributes.brush.hollow ? QBrush(Qt::NoBrush)
                                             : QBrush(ToQColor(attributes.brush.color)));
    if (attributes.pen.style == PS_NULL) {
        painter.setPen(Qt::NoPen);
        // Aliased fills sample at whole coordinates; centre the samples on the pixels. Like a
        // rectangle without an outline, the ellipse ends up a pixel short of right and bottom.
        painter.drawEllipse(QRectF(r).translated(-0.5, -0.5));
        return TRUE;
    }
    // An outlined shape covers one pixel more than its geometry; keep it inside the box.
    painter.setPen(ToQPen(attributes.pen));
    painter.drawEllipse(r.adjusted(0, 0, -1, -1));
    return TRUE;
}

BOOL CDC::TextOut(int x, int y, std::u16string_view text) {
    QPainter painter;
    if (!m_impl->Begin(painter)) {
        return FALSE;
    }
    const Attributes& attributes = m_impl->attributes;
    const QString string = ToQString(text);
    const QFont font = m_impl->Font();
    const QFontMetrics metrics(font, m_impl->surface);
    const int width = metrics.horizontalAdvance(string);

    const UINT horizontal = attributes.textAlign & TA_HORIZONTAL_MASK;
    int dx = 0;
    if (horizontal == TA_CENTER) {
        dx = -width / 2;
    } else if (horizontal == TA_RIGHT) {
        dx = -width;
    }
    const UINT vertical = attributes.textAlign & TA_VERTICAL_MASK;
    int baseline = metrics.ascent();
    if (vertical == TA_BASELINE) {
        baseline = 0;
    } else if (vertical == TA_BOTTOM) {
        baseline = -metrics.descent();
    }

    painter.translate(x, y);
    if (attributes.font.escapement != 0) {
        // Escapement turns counter-clockwise; y grows downwards here, so the angle flips.
        painter.rotate(-attributes.font.escapement / 10.0);
    }
    if (attributes.bkMode == OPAQUE) {
        painter.fillRect(QRect(dx, baseline - metrics.ascent(), width, metrics.ascent() + metrics.descent()),
                         ToQColor(attributes.bkColor));
    }
    painter.setFont(font);
    painter.setPen(ToQColor(attributes.textColor));
    painter.drawText(QPoint(dx, baseline), string);
    return TRUE;
}

int CDC::DrawText(std::u16string_view text, RECT* rect, UINT format) {
    if (rect == nullptr) {
        return 0;
    }
    const QRect r = ToQRect(*rect);
    const QImage* device =
        m_impl->surface != nullptr && !m_impl->surface->isNull() ? m_impl->surface : nullptr;
    const DrawTextLayout layout(ToQString(text), m_impl->Font(), device, format, r.size());

    if (format & DT_CALCRECT) {
        rect->right = rect->left + layout.Size().width();
        rect->bottom = rect->top + layout.Size().height();
        return layout.Size().height();
    }

    QPainter painter;
    if (!m_impl->Begin(painter)) {
        return 0;
    }
    const Attributes& attributes = m_impl->attributes;
    if (!(format & DT_NOCLIP)) {
        painter.setClipRect(r, Qt::IntersectClip);
    }
    QPoint origin = r.topLeft();
    if (attributes.font.escapement != 0) {
        painter.translate(origin);
        painter.rotate(-attributes.font.escapement / 10.0);
        origin = QPoint(0, 0);
    }
    painter.setFont(m_impl->Font());
    painter.setPen(ToQColor(attributes.textColor));
    const QColor background = ToQColor(attributes.bkColor);
    layout.Draw(painter, origin, attributes.bkMode == OPAQUE ? &background : nullptr);
    // With vertical placement the answer is the distance from the top to the text's end.
    return layout.Top() + layout.Size().height();
}

SIZE CDC::GetTextExtent(std::u16string_view text) const {
    const QFontMetrics metrics = m_impl->Metrics();
    return SIZE{metrics.horizontalAdvance(ToQString(text)), metrics.ascent() + metrics.descent()};
}

BOOL CDC::GetTextMetrics(TEXTMETRIC* metrics) const {
    if (metrics == nullptr) {
        return FALSE;
    }
    const QFont font = m_impl->Font();
    const QFontMetrics qtMetrics = m_impl->Metrics();
    TEXTMETRIC result;
    result.tmAscent = qtMetrics.ascent();
    result.tmDescent = qtMetrics.descent();
    result.tmHeight = result.tmAscent + result.tmDescent;
    result.tmInternalLeading = std::max(0, result.tmHeight - std::max(0, font.pixelSize()));
    result.tmExternalLeading = std::max(0, qtMetrics.leading());
    result.tmAveCharWidth = qtMetrics.averageCharWidth();
    result.tmMaxCharWidth = qtMetrics.maxWidth();
    result.tmWeight = font.weight();
    result.tmItalic = font.italic() ? 1 : 0;
    result.tmUnderlined = font.underline() ? 1 : 0;
    result.tmStruckOut = font.strikeOut() ? 1 : 0;
    if (m_impl->attributes.fontObject != nullptr) {
        LOGFONT logFont;
        m_impl->attributes.fontObject->GetLogFont(&logFont);
        result.tmPitchAndFamily = logFont.lfPitchAndFamily;
        result.tmCharSet = logFont.lfCharSet;
    }
    *metrics = result;
    return TRUE;
}

BOOL CDC::DrawImage(const Image& image, int x, int y) {
    const QImage& pixels = image.qimage();
    if (pixels.isNull()) {
        return FALSE;
    }
    QPainter painter;
    if (!m_impl->Begin(painter)) {
        return FALSE;
    }
    painter.drawImage(QPoint(x, y), pixels);
    return TRUE;
}

BOOL CDC::DrawImage(const Image& image, const RECT& destination) {
    const QImage& pixels = image.qimage();
    const QRect target = ToQRect(destination);
    if (pixels.isNull() || target.isEmpty()) {
        return FALSE;
    }
    QPainter painter;
    if (!m_impl->Begin(painter)) {
        return FALSE;
    }
    if (target.size() == pixels.size()) {
        painter.drawImage(target.topLeft(), pixels);
        return TRUE;
    }
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(target, pixels);
    return TRUE;
}
