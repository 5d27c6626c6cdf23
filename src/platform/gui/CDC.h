#pragma once

// A drawing context. It draws into a surface: a window's client surface (CPaintDC, CClientDC) or
// the bitmap selected into a memory context (CreateCompatibleDC + SelectObject). Its attributes
// (pen, brush, font, colours, alignment, origins, clip) are its own: every operation paints with
// a fresh painter set up from them, so nothing leaks between contexts, two contexts on the same
// surface never fight, and making and dropping a context costs next to nothing.
//
// Coordinates are logical: device = logical - window origin + viewport origin. Rectangles exclude
// their right and bottom edges. Block copies replace pixels (alpha included); images, text and
// shapes are blended over what is there.

#include "platform/gui/GdiTypes.h"

#include <memory>
#include <string_view>

class CBitmap;
class CBrush;
class CFont;
class CGdiObject;
class CPen;
class CRgn;
class Image;
class QImage;

class CDC {
public:
    CDC();
    CDC(const CDC&) = delete;
    CDC& operator=(const CDC&) = delete;
    virtual ~CDC();

    // The handle of the context this object draws with: its own, or the one it attached. Owner-
    // draw requests and paint cycles pass contexts by handle.
    HDC m_hDC = nullptr;
    HDC GetSafeHdc() const { return m_hDC; }
    // The object whose context a handle names; null when that object is gone.
    static CDC* FromHandle(HDC handle);
    // Draw with another object's context: both then share every attribute and the surface, as
    // two objects on one handle do. Detach goes back to a fresh context of this object's own.
    BOOL Attach(HDC handle);
    HDC Detach();

    // Makes this an off-screen context like dc (the display when dc is null). It draws nowhere
    // until a bitmap is selected into it.
    BOOL CreateCompatibleDC(CDC* dc);
    BOOL DeleteDC();

    // Selection returns the object selected before (null if there was none). The context copies
    // what it needs from pens, brushes and fonts; a selected bitmap's pixels are shared.
    CPen* SelectObject(CPen* pen);
    CBrush* SelectObject(CBrush* brush);
    CFont* SelectObject(CFont* font);
    CBitmap* SelectObject(CBitmap* bitmap);
    CGdiObject* SelectObject(CGdiObject* object);
    // BLACK_PEN, WHITE_PEN, NULL_PEN, WHITE_BRUSH, BLACK_BRUSH, NULL_BRUSH, SYSTEM_FONT,
    // DEFAULT_GUI_FONT; returns the object it replaced.
    CGdiObject* SelectStockObject(int stockId);
    CPen* GetCurrentPen() const;
    CBrush* GetCurrentBrush() const;
    CFont* GetCurrentFont() const;
    CBitmap* GetCurrentBitmap() const;

    COLORREF SetTextColor(COLORREF color);
    COLORREF GetTextColor() const;
    COLORREF SetBkColor(COLORREF color);
    COLORREF GetBkColor() const;
    // TRANSPARENT or OPAQUE (text cells filled with the background colour); returns the old mode.
    int SetBkMode(int mode);
    int GetBkMode() const;
    // TA_LEFT/TA_CENTER/TA_RIGHT or-ed with TA_TOP/TA_BASELINE/TA_BOTTOM: TextOut's reference point.
    UINT SetTextAlign(UINT align);
    UINT GetTextAlign() const;

    POINT SetViewportOrg(int x, int y);
    POINT SetViewportOrg(POINT point) { return SetViewportOrg(point.x, point.y); }
    POINT OffsetViewportOrg(int dx, int dy);
    POINT GetViewportOrg() const;
    POINT SetWindowOrg(int x, int y);
    POINT GetWindowOrg() const;

    // Always FALSE: there are no printer contexts here.
    BOOL IsPrinting() const { return FALSE; }

    // Attributes only (the selected bitmap stays); returns the saved level, 1 for the first.
    int SaveDC();
    // level > 0: back to that level; level < 0: that many levels back.
    BOOL RestoreDC(int level);

    // Clip in logical coordinates; returns the region type of the new clip.
    int IntersectClipRect(int left, int top, int right, int bottom);
    int IntersectClipRect(const RECT& rect) {
        return IntersectClipRect(rect.left, rect.top, rect.right, rect.bottom);
    }
    // A copy of the region in device coordinates; null removes the clip.
    int SelectClipRgn(CRgn* region);

    // LOGPIXELSX/LOGPIXELSY (96 unless a test changes the display), RASTERCAPS (RC_PALETTE only on
    // a palette device), BITSPIXEL, PLANES, NUMCOLORS, SIZEPALETTE, HORZRES, VERTRES.
    int GetDeviceCaps(int index) const;
    // Pixels of a point size at this context's vertical resolution: MulDiv(points, dpi, 72).
    int PointsToPixels(int points) const;

    // Plain copy (SRCCOPY only): the source pixels, alpha included, replace the destination's.
    BOOL BitBlt(int x, int y, int width, int height, CDC* source, int xSource, int ySource, DWORD rop);

    void FillSolidRect(const RECT& rect, COLORREF color);
    void FillSolidRect(int x, int y, int cx, int cy, COLORREF color);
    void FillRect(const RECT& rect, CBrush* brush);
    // A one-pixel frame inside the rectangle.
    void FrameRect(const RECT& rect, CBrush* brush);
    // Top and left lines in topLeft, bottom and right lines in bottomRight, inside the rectangle.
    void Draw3dRect(const RECT& rect, COLORREF topLeft, COLORREF bottomRight);
    void Draw3dRect(int x, int y, int cx, int cy, COLORREF topLeft, COLORREF bottomRight);
    // EDGE_* (or BDR_* bits) along the BF_* sides, in the system's 3-D colours; BF_ADJUST shrinks
    // *rect by the edge drawn, BF_MIDDLE fills the inside with the face colour.
    BOOL DrawEdge(RECT* rect, UINT edge, UINT flags);

    POINT MoveTo(int x, int y);
    // A line from the current position, the end point excluded; the end becomes the position.
    BOOL LineTo(int x, int y);
    // Outline with the pen, inside with the brush.
    BOOL Rectangle(int left, int top, int right, int bottom);
    BOOL Rectangle(const RECT& rect) { return Rectangle(rect.left, rect.top, rect.right, rect.bottom); }
    BOOL Ellipse(int left, int top, int right, int bottom);
    BOOL Ellipse(const RECT& rect) { return Ellipse(rect.left, rect.top, rect.right, rect.bottom); }

    // One run of text at the reference point given by the text alignment, rotated by the font's
    // escapement about that point.
    BOOL TextOut(int x, int y, std::u16string_view text);
    // Text laid out in *rect by the DT_* flags. Returns the height of the text; with DT_CALCRECT
    // nothing is drawn and *rect gets the text's width and height (left and top kept).
    int DrawText(std::u16string_view text, RECT* rect, UINT format);
    // Width and cell height of one run in the selected font.
    SIZE GetTextExtent(std::u16string_view text) const;
    BOOL GetTextMetrics(TEXTMETRIC* metrics) const;

    // The image at its natural size with its top-left corner at (x, y), blended by its alpha
    // channel. An image without pixels draws nothing and returns FALSE.
    BOOL DrawImage(const Image& image, int x, int y);
    // The image scaled into the rectangle (bilinear), blended by its alpha channel.
    BOOL DrawImage(const Image& image, const RECT& destination);

    // For the platform layer: the surface this context draws into (null if none).
    QImage* Surface() const;

protected:
    // Draw into a surface that someone else owns and keeps alive while this context lives.
    void AttachSurface(QImage* surface);
    // Whether any operation has painted on the surface since it was attached.
    bool HasDrawn() const;

private:
    struct Impl;
    HDC OwnHandle() const;

    std::shared_ptr<Impl> m_impl;
};
