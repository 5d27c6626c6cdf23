#include "ui/controls/CLumButton.h"

#include "platform/gui/CClientDC.h"
#include "platform/gui/CFont.h"
#include "platform/gui/Cursor.h"
#include "platform/gui/Image.h"
#include "platform/gui/SystemMetrics.h"

namespace {

// Button-type bits cleared before the owner-drawn type is set (bits 0, 1 and 3).
constexpr DWORD kButtonTypeKeepMask = 0xFFF4;

} // namespace

CLumButton::CLumButton()
    : m_currentTextColour(GetSysColor(COLOR_WINDOWTEXT)), m_hoverTextColour(GetSysColor(COLOR_HIGHLIGHT)),
      m_textColour(GetSysColor(COLOR_WINDOWTEXT)) {}

CLumButton::~CLumButton() {
    // The images belong to the image store: forgetting them is all there is to do.
    m_normalImage = m_hoverImage = m_pressedImage = m_disabledImage = nullptr;
    ReleaseBackground();
    if (m_cursor) {
        DestroyCursor(m_cursor);
        m_cursor = nullptr;
    }
}

bool CLumButton::SetStateImages(const Image* normal, const Image* hover, const Image* pressed,
                                const Image* disabled) {
    if (!normal || !hover || !pressed || !disabled) {
        return false;
    }
    m_normalImage = normal;
    m_hoverImage = hover;
    m_pressedImage = pressed;
    m_disabledImage = disabled;
    return true;
}

void CLumButton::SetDrawMode(int mode) {
    m_drawMode = mode;
}

void CLumButton::SetPointerCursor(UINT cursorId) {
    if (m_cursor) {
        DestroyCursor(m_cursor);
    }
    m_cursor = LoadCursorResource(cursorId);
}

void CLumButton::SetCaptionFont(std::u16string_view face, int sizeTenths) {
    m_fontFace = std::u16string(face);
    m_fontSize = sizeTenths;
}

void CLumButton::SetTextColours(COLORREF normal, COLORREF hover) {
    m_textColour = normal;
    m_hoverTextColour = hover;
}

void CLumButton::CopyParentBackground(CDC* parentDC) {
    CWnd* parent = GetParent();
    if (!parentDC || !parent) {
        return;
    }
    RECT rect;
    GetWindowRect(&rect);
    parent->ScreenToClient(&rect);
    ReleaseBackground();
    if (!m_backgroundDC.CreateCompatibleDC(parentDC)) {
        return;
    }
    if (!m_backgroundBitmap.CreateCompatibleBitmap(parentDC, rect.Width(), rect.Height())) {
        m_backgroundDC.DeleteDC();
        return;
    }
    m_backgroundOldBitmap = m_backgroundDC.SelectObject(&m_backgroundBitmap);
    m_backgroundDC.BitBlt(0, 0, rect.Width(), rect.Height(), parentDC, rect.left, rect.top, SRCCOPY);
    m_hasBackground = true;
}

void CLumButton::ReleaseBackground() {
    if (!m_hasBackground) {
        return;
    }
    m_backgroundDC.SelectObject(m_backgroundOldBitmap);
    m_backgroundOldBitmap = nullptr;
    m_backgroundBitmap.DeleteObject();
    m_backgroundDC.DeleteDC();
    m_hasBackground = false;
}

void CLumButton::PreSubclassWindow() {
    CButton::PreSubclassWindow();
    const DWORD style = (GetStyle() & kButtonTypeKeepMask) | BS_OWNERDRAW;
    SendMessage(BM_SETSTYLE, style, TRUE);
}

void CLumButton::DrawItem(DRAWITEMSTRUCT* drawItem) {
    // The request's context is not used: the face is drawn the same way as on every state change.
    if (drawItem) {
        m_enabled = (drawItem->itemState & ODS_DISABLED) == 0;
    }
    Redraw();
}

void CLumButton::SetState(int state) {
    m_previousState = m_state;
    m_state = state;
}

bool CLumButton::HasAllImages() const {
    return m_normalImage && m_hoverImage && m_pressedImage && m_disabledImage;
}

const Image* CLumButton::ChosenImage() const {
    ButtonFace::ImageChoiceInput in;
    in.enabled = m_enabled;
    in.drawMode = m_drawMode;
    in.clickedLatch = m_clickedLatch;
    in.imageSelector = m_imageSelector;
    in.state = m_state;
    in.previousState = m_previousState;
    switch (ButtonFace::ChooseImage(in)) {
    case ButtonFace::StateImage::Hover:
        return m_hoverImage;
    case ButtonFace::StateImage::Pressed:
        return m_pressedImage;
    case ButtonFace::StateImage::Disabled:
        return m_disabledImage;
    case ButtonFace::StateImage::Normal:
        break;
    }
    return m_normalImage;
}

void CLumButton::Redraw() {
    if (!HasAllImages() || !IsWindow()) {
        return;
    }
    RECT client;
    GetClientRect(&client);
    const SIZE size{client.Width(), client.Height()};
    CClientDC dc(this);
    DrawFaceImage(dc, size);
    DrawCaption(dc, size);
}

void CLumButton::DrawFaceImage(CDC& dc, SIZE client) {
    const Image* image = ChosenImage();
    ButtonFace::ImagePlacementInput in;
    in.drawMode = m_drawMode;
    in.textPlacement = m_textPlacement;
    in.textEmpty = GetWindowTextLength() == 0;
    in.client = client;
    in.image = {static_cast<LONG>(image->GetWidth()), static_cast<LONG>(image->GetHeight())};
    in.state = m_state;
    in.previousState = m_previousState;
    const auto at = ButtonFace::PlaceImage(in);
    if (!at) {
        return;
    }
    // Background and image are put together off screen and copied in one go, so the face is never
    // seen half drawn. Before the parent has handed over its pixels the surface starts transparent,
    // which on this desktop shows the parent through the image's transparent parts all the same.
    CDC memDC;
    if (!memDC.CreateCompatibleDC(m_hasBackground ? &m_backgroundDC : &dc)) {
        return;
    }
    CBitmap surface;
    if (!surface.CreateCompatibleBitmap(m_hasBackground ? &m_backgroundDC : &dc, client.cx, client.cy)) {
        return;
    }
    CBitmap* old = memDC.SelectObject(&surface);
    if (m_hasBackground) {
        memDC.BitBlt(0, 0, client.cx, client.cy, &m_backgroundDC, 0, 0, SRCCOPY);
    }
    memDC.DrawImage(*image, at->x, at->y);
    dc.BitBlt(0, 0, client.cx, client.cy, &memDC, 0, 0, SRCCOPY);
    memDC.SelectObject(old);
}

void CLumButton::DrawCaption(CDC& dc, SIZE client) {
    if (!ButtonFace::ModeDrawsText(m_drawMode)) {
        return;
    }
    const std::u16string text = GetWindowText();
    if (text.empty()) {
        return;
    }
    // Measured with the context's default font, before the caption font is selected: the layout
    // of the face was made that way and keeps the caption where the skin expects it.
    const SIZE extent = dc.GetTextExtent(text);
    ButtonFace::TextPlacementInput in;
    in.drawMode = m_drawMode;
    in.alignment = m_textAlignment;
    in.textPlacement = m_textPlacement;
    in.client = client;
    in.textExtent = extent;
    in.normalImage = {static_cast<LONG>(m_normalImage->GetWidth()),
                      static_cast<LONG>(m_normalImage->GetHeight())};
    in.enabled = m_enabled;
    in.state = m_state;
    const auto at = ButtonFace::PlaceText(in);
    if (!at) {
        return;
    }
    m_currentTextColour = ButtonFace::ChooseTextColour(
        m_enabled, m_state, {m_currentTextColour, m_hoverTextColour, m_textColour});

    CFont font;
    font.CreatePointFont(m_fontSize, m_fontFace, &dc);
    CFont* oldFont = dc.SelectObject(&font);
    const int oldMode = dc.SetBkMode(TRANSPARENT);
    const COLORREF oldColour = dc.SetTextColor(m_currentTextColour);
    dc.TextOut(at->x, at->y, text);
    dc.SetTextColor(oldColour);
    dc.SetBkMode(oldMode);
    dc.SelectObject(oldFont);
}

BOOL CLumButton::OnEraseBkgnd(CDC* /*pDC*/) {
    // The face covers the whole button; erasing first would only make it flash.
    return TRUE;
}

void CLumButton::OnMouseMove(UINT flags, POINT point) {
    if (flags & MK_LBUTTON) {
        // While the left button is held the face stays as the press left it, and the platform
        // button is not told either: leaving and coming back must not re-arm a click.
        return;
    }
    if (!m_hover && m_enabled && m_drawMode != OwnerSelected) {
        SetState(Hover);
        m_hover = true;
        Redraw();
        SetTimer(kHoverTimer, kHoverPollMs);
    }
    CButton::OnMouseMove(flags, point);
}

void CLumButton::OnTimer(UINT_PTR id) {
    if (id != kHoverTimer) {
        return;
    }
    POINT pointer;
    GetCursorPos(&pointer);
    RECT window;
    GetWindowRect(&window);
    if (!PtInRect(&window, pointer) && m_hover && m_enabled) {
        KillTimer(kHoverTimer);
        SetState(Normal);
        m_hover = false;
        Redraw();
    }
    CButton::OnTimer(id);
}

void CLumButton::OnLButtonDown(UINT flags, POINT point) {
    SetState(Pressed);
    Redraw();
    CButton::OnLButtonDown(flags, point);
}

void CLumButton::OnLButtonUp(UINT flags, POINT point) {
    const int before = m_state;
    SetState(Released);
    Redraw();
    if (before == Normal) {
        // The pointer left while the button was held: no click. The parent hears where the
        // pointer went up (MK_CONTROL marks it as this button's report, not a drag of its own).
        if (CWnd* parent = GetParent()) {
            parent->SendMessage(WM_MOUSEMOVE, MK_CONTROL, MAKEPOINTLPARAM(point.x, point.y));
        }
        ReleaseCapture();
        return;
    }
    m_clickedLatch = true;
    CButton::OnLButtonUp(flags, point);
}

BOOL CLumButton::OnSetCursor(CWnd* pWnd, UINT hitTest, UINT message) {
    if (m_cursor) {
        SetCursor(m_cursor);
        return TRUE;
    }
    return CButton::OnSetCursor(pWnd, hitTest, message);
}

void CLumButton::OnPaint() {
    // The platform button answers the paint with its owner-draw request, which comes back as
    // DrawItem; the cycle around it keeps the face off screen until it is complete.
    PAINTSTRUCT paint;
    BeginPaint(&paint);
    CButton::OnPaint();
    EndPaint(&paint);
}
