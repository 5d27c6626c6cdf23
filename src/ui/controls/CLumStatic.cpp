#include "ui/controls/CLumStatic.h"

#include "platform/gui/CBitmap.h"
#include "platform/gui/CDC.h"
#include "platform/gui/CPaintDC.h"
#include "platform/gui/Cursor.h"
#include "platform/gui/Shell.h"
#include "platform/gui/SystemMetrics.h"
#include "ui/controls/LabelLayout.h"

#include <algorithm>

CLumStatic::CLumStatic() : m_textColour(GetSysColor(COLOR_WINDOWTEXT)) {
    m_defaultBrush.CreateSolidBrush(GetSysColor(COLOR_BTNFACE));
}

CLumStatic::~CLumStatic() {
    ReleaseLoadedCursor();
    m_font.DeleteObject();
    m_fillBrush.DeleteObject();
    m_defaultBrush.DeleteObject();
}

// --- Attaching ---

void CLumStatic::PreSubclassWindow() {
    CStatic::PreSubclassWindow();
    const HFONT own = reinterpret_cast<HFONT>(SendMessage(WM_GETFONT));
    const CFont* source = CFont::FromHandle(own);
    if (!source || !source->IsCreated()) {
        source = CFont::FromStock(SYSTEM_FONT);
    }
    if (source) {
        source->GetLogFont(&m_fontDescription);
    }
    RebuildFont();
}

// --- Setters ---

CLumStatic& CLumStatic::SetFill(COLORREF fill, COLORREF gradientEnd, bool gradient) {
    m_fillColour = fill;
    m_gradientEnd = gradientEnd;
    m_gradient = gradient;
    m_fillBrush.DeleteObject();
    if (!gradient) {
        m_fillBrush.CreateSolidBrush(fill);
    }
    Redraw();
    return *this;
}

CLumStatic& CLumStatic::SetCaptionColor(COLORREF colour) {
    m_textColour = colour;
    Redraw();
    return *this;
}

CLumStatic& CLumStatic::SetCaption(std::u16string_view text) {
    if (!IsWindow()) {
        return *this;
    }
    SetWindowText(text);
    Redraw();
    return *this;
}

CLumStatic& CLumStatic::SetBold(bool on) {
    m_fontDescription.lfWeight = on ? FW_BOLD : FW_NORMAL;
    RebuildFont();
    Redraw();
    return *this;
}

CLumStatic& CLumStatic::SetFaceName(std::u16string_view face, BYTE charSet) {
    std::size_t length = std::min<std::size_t>(face.size(), LF_FACESIZE - 1);
    // Cutting between the halves of a surrogate pair would leave half a character.
    if (length > 0 && length < face.size() && face[length - 1] >= 0xD800 && face[length - 1] <= 0xDBFF) {
        --length;
    }
    std::fill(std::begin(m_fontDescription.lfFaceName), std::end(m_fontDescription.lfFaceName), u'\0');
    std::copy_n(face.begin(), length, m_fontDescription.lfFaceName);
    m_fontDescription.lfCharSet = charSet;
    RebuildFont();
    Redraw();
    return *this;
}

CLumStatic& CLumStatic::SetUnderline(BYTE on) {
    m_fontDescription.lfUnderline = on;
    RebuildFont();
    Redraw();
    return *this;
}

CLumStatic& CLumStatic::SetItalic(BYTE on) {
    m_fontDescription.lfItalic = on;
    RebuildFont();
    Redraw();
    return *this;
}

CLumStatic& CLumStatic::SetPointSize(int points) {
    // A temporary font of the size scaled to this screen's horizontal resolution gives the height;
    // the net effect is the pixel height the size has at 96 dots per inch, on any screen.
    CDC dc;
    dc.CreateCompatibleDC(nullptr); // the display, as the label's own screen context sees it
    const int tenths = LabelLayout::PointSizeToTenths(points, dc.GetDeviceCaps(LOGPIXELSX));
    CFont probe;
    LOGFONT probed{};
    if (probe.CreatePointFont(tenths, m_fontDescription.lfFaceName, &dc) && probe.GetLogFont(&probed)) {
        m_fontDescription.lfHeight = probed.lfHeight;
        m_fontDescription.lfWidth = probed.lfWidth;
    }
    probe.DeleteObject();
    RebuildFont();
    Redraw();
    return *this;
}

CLumStatic& CLumStatic::SetSunkenEdge(bool on) {
    if (on) {
        ModifyStyleEx(0, WS_EX_STATICEDGE, SWP_FRAMECHANGED);
    } else {
        ModifyStyleEx(WS_EX_STATICEDGE, 0, SWP_FRAMECHANGED);
    }
    return *this;
}

CLumStatic& CLumStatic::SetBorderLine(bool on) {
    if (on) {
        ModifyStyle(0, WS_BORDER, SWP_FRAMECHANGED);
    } else {
        ModifyStyle(WS_BORDER, 0, SWP_FRAMECHANGED);
    }
    return *this;
}

CLumStatic& CLumStatic::SetTransparentMode(bool on) {
    m_transparent = on;
    ModifyStyleEx(0, WS_EX_TRANSPARENT);
    Redraw();
    return *this;
}

CLumStatic& CLumStatic::SetCaptionBlink(bool on) {
    StopBlinkTimer();
    if (on) {
        StartBlink(BlinkKind::Text);
    } else {
        m_blinkKind = BlinkKind::None;
    }
    return *this;
}

CLumStatic& CLumStatic::SetFillBlink(bool on) {
    StopBlinkTimer();
    if (on) {
        StartBlink(BlinkKind::Background);
    }
    return *this;
}

CLumStatic& CLumStatic::SetWebLink(bool on, DWORD notifyParent) {
    SetLink(LinkKind::Web, on, notifyParent);
    return *this;
}

CLumStatic& CLumStatic::LoadPointerCursor(WORD cursorId) {
    // A cursor handed in by the owner stays the owner's; one this label loaded itself is its own
    // and goes when it is replaced, so that loading again and again leaks nothing.
    ReleaseLoadedCursor();
    m_cursor = LoadCursorResource(cursorId);
    m_cursorLoaded = m_cursor;
    return *this;
}

CLumStatic& CLumStatic::SetPointerCursorHandle(HCURSOR cursor) {
    ReleaseLoadedCursor();
    m_cursor = cursor;
    return *this;
}

void CLumStatic::ReleaseLoadedCursor() {
    if (!m_cursorLoaded) {
        return;
    }
    if (m_cursor == m_cursorLoaded) {
        m_cursor = nullptr;
    }
    DestroyCursor(m_cursorLoaded);
    m_cursorLoaded = nullptr;
}

CLumStatic& CLumStatic::SetEmbossed(bool on, int direction) {
    m_embossed = on;
    m_embossDirection = direction;
    Redraw();
    return *this;
}

CLumStatic& CLumStatic::SetTextAngle(int degrees, bool rotated) {
    m_fontDescription.lfEscapement = degrees * 10;
    m_fontDescription.lfOrientation = degrees * 10;
    m_rotated = rotated;
    RebuildFont();
    Redraw();
    return *this;
}

CLumStatic& CLumStatic::SetEmbossColor(COLORREF colour) {
    m_embossColour = colour;
    Redraw();
    return *this;
}

CLumStatic& CLumStatic::SetFontDescription(LOGFONT description) {
    m_fontDescription = description;
    RebuildFont();
    Redraw();
    return *this;
}

CLumStatic& CLumStatic::SetMailtoLink(bool on, DWORD notifyParent) {
    SetLink(LinkKind::Mailto, on, notifyParent);
    return *this;
}

CLumStatic& CLumStatic::SetLinkTarget(std::u16string_view target) {
    m_linkTarget = std::u16string(target);
    return *this;
}

CLumStatic& CLumStatic::GetCaptionColor(COLORREF& colour) {
    colour = m_textColour;
    return *this;
}

// --- Helpers of the setters ---

void CLumStatic::RebuildFont() {
    m_font.DeleteObject();
    m_font.CreateFontIndirect(&m_fontDescription);
}

void CLumStatic::SetLink(LinkKind kind, bool on, DWORD notifyParent) {
    m_linkKind = on ? kind : LinkKind::None;
    m_notifyParent = notifyParent;
    // A static control hears no clicks without SS_NOTIFY.
    if (m_linkKind != LinkKind::None) {
        ModifyStyle(0, SS_NOTIFY);
    } else {
        ModifyStyle(SS_NOTIFY, 0);
    }
}

void CLumStatic::StartBlink(BlinkKind kind) {
    m_blinkPhase = false;
    m_blinkTimerStarted = true;
    SetTimer(kBlinkTimer, kBlinkPeriodMs);
    m_blinkKind = kind;
}

void CLumStatic::StopBlinkTimer() {
    if (m_blinkTimerStarted) {
        KillTimer(kBlinkTimer);
    }
}

void CLumStatic::Redraw() {
    if (!IsWindow()) {
        return;
    }
    Invalidate(TRUE);
    UpdateWindow();
    // The parent repaints its skin under the label, so a transparent label's text always stands on
    // fresh pixels and never over its own previous text.
    CWnd* parent = GetParent();
    if (!parent) {
        return;
    }
    RECT area;
    GetWindowRect(&area);
    parent->ScreenToClient(&area);
    parent->InvalidateRect(&area, TRUE);
    parent->UpdateWindow();
}

// --- Messages ---

void CLumStatic::OnTimer(UINT_PTR id) {
    m_blinkPhase = !m_blinkPhase;
    Redraw();
    CStatic::OnTimer(id);
}

void CLumStatic::OnLButtonDown(UINT flags, POINT point) {
    if (m_notifyParent) {
        if (CWnd* parent = GetParent()) {
            LumNotifyHeader header;
            header.hwndFrom = m_hWnd;
            header.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID());
            header.code = kClickNotification;
            parent->SendMessage(WM_NOTIFY, static_cast<WPARAM>(GetDlgCtrlID()),
                                reinterpret_cast<LPARAM>(&header));
        }
    } else if (m_linkKind == LinkKind::Web) {
        const std::u16string address = m_linkTarget.empty() ? GetWindowText() : m_linkTarget;
        ShellExecuteW(m_hWnd, u"open", address, u"", u"", SW_SHOWNORMAL);
    } else if (m_linkKind == LinkKind::Mailto) {
        ShellExecuteW(m_hWnd, u"", u"mailto:" + GetWindowText(), u"", u"", SW_SHOWNORMAL);
    }
    CStatic::OnLButtonDown(flags, point);
}

BOOL CLumStatic::OnSetCursor(CWnd* pWnd, UINT hitTest, UINT message) {
    if (m_cursor) {
        SetCursor(m_cursor);
        return TRUE;
    }
    return CStatic::OnSetCursor(pWnd, hitTest, message);
}

void CLumStatic::OnSysColorChange() {
    m_defaultBrush.DeleteObject();
    m_defaultBrush.CreateSolidBrush(GetSysColor(COLOR_BTNFACE));
    Redraw();
}

BOOL CLumStatic::OnEraseBkgnd(CDC* /*pDC*/) {
    // Never erased: the text stands on the parent's skin or on the label's own composed fill.
    return TRUE;
}

void CLumStatic::OnPaint() {
    CPaintDC paintDC(this);
    RECT client;
    GetClientRect(&client);
    const std::u16string text = GetWindowText();

    CDC memDC;
    CBitmap bitmap;
    CBitmap* oldBitmap = nullptr;
    CDC* target = &paintDC;
    if (!m_transparent) {
        if (!memDC.CreateCompatibleDC(&paintDC) ||
            !bitmap.CreateCompatibleBitmap(&paintDC, client.Width(), client.Height())) {
            return;
        }
        oldBitmap = memDC.SelectObject(&bitmap);
        target = &memDC;
    }

    const int oldMode = target->SetBkMode(TRANSPARENT);
    const COLORREF oldColour = target->SetTextColor(m_textColour);
    CFont* oldFont = target->SelectObject(&m_font);

    if (!m_transparent) {
        PaintFill(*target, client);
    }
    // Text blink: in the off phase the text takes the fill's colour (black without a solid fill)
    // and vanishes into it.
    if (!m_blinkPhase && m_blinkKind == BlinkKind::Text) {
        target->SetTextColor(m_fillBrush.IsCreated() ? m_fillBrush.GetColor() : RGB(0, 0, 0));
    }
    PaintText(*target, client, text);

    target->SetBkMode(oldMode);
    target->SelectObject(oldFont);
    target->SetTextColor(oldColour);

    if (!m_transparent) {
        paintDC.BitBlt(0, 0, client.Width(), client.Height(), &memDC, 0, 0, SRCCOPY);
        memDC.SelectObject(oldBitmap);
        memDC.DeleteDC();
    }
}

void CLumStatic::PaintFill(CDC& dc, const RECT& client) {
    if (m_gradient) {
        PaintGradient(dc, client);
        return;
    }
    dc.FillRect(client, m_fillBrush.IsCreated() ? &m_fillBrush : &m_defaultBrush);
}

void CLumStatic::PaintGradient(CDC& dc, const RECT& client) {
    for (const auto& band : LabelLayout::GradientBands(client, m_fillColour, m_gradientEnd)) {
        CBrush brush(band.colour);
        dc.FillRect(band.rect, &brush);
    }
}

void CLumStatic::PaintText(CDC& dc, const RECT& client, const std::u16string& text) {
    if (m_rotated) {
        // Rotated text turns about the label's centre; the layout flags have no meaning then.
        const UINT oldAlign = dc.SetTextAlign(TA_CENTER | TA_BASELINE);
        const POINT oldOrigin = dc.SetViewportOrg(client.Width() / 2, client.Height() / 2);
        dc.TextOut(0, 0, text);
        dc.SetViewportOrg(oldOrigin);
        dc.SetTextAlign(oldAlign);
        return;
    }
    const UINT format = LabelLayout::TextFormat(GetStyle(), text);
    RECT area = client;
    dc.DrawText(text, &area, format);
    if (!m_embossed) {
        return;
    }
    dc.SetTextColor(m_embossColour);
    const int offset = m_embossDirection == 0 ? -1 : 1;
    area = client;
    area.left += offset;
    area.right += offset;
    area.top += offset;
    area.bottom += offset;
    dc.DrawText(text, &area, format);
}
