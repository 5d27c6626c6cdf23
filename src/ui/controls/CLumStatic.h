#pragma once

// The text label of every skinned window. It draws its window text itself, in its own font and
// colour, straight over the parent's skin (transparent mode) or over a fill of its own composed off
// screen (opaque mode). Its setters also offer a horizontal gradient fill, blinking, embossed and
// rotated text, a border, a pointer cursor, and a link that opens an address with the desktop's
// default handler or notifies the parent on a click. Every setter returns the label for chaining.

#include "platform/gui/CBrush.h"
#include "platform/gui/CFont.h"
#include "platform/gui/CStatic.h"

#include <string>
#include <string_view>

class CDC;

// WORKAROUND until the platform's WinTypes.h offers NMHDR: the header of a WM_NOTIFY notification,
// laid out as the platform's (sender window, sender id, code).
struct LumNotifyHeader {
    HWND hwndFrom = nullptr;
    UINT_PTR idFrom = 0;
    UINT code = 0;
};

enum class LinkKind : int { None = 0, Web = 1, Mailto = 2 };
enum class BlinkKind : int { None = 0, Text = 1, Background = 2 };

class CLumStatic : public CStatic {
public:
    CLumStatic();
    ~CLumStatic() override;

    // The notification code a click sends the parent when "notify parent" is set.
    static constexpr UINT kClickNotification = 0x8200;
    static constexpr UINT_PTR kBlinkTimer = 1;
    static constexpr UINT kBlinkPeriodMs = 500;

    virtual CLumStatic& SetFill(COLORREF fill, COLORREF gradientEnd = 0, bool gradient = false);
    virtual CLumStatic& SetCaptionColor(COLORREF colour);
    // Only once the window exists; the text is not remembered before that.
    virtual CLumStatic& SetCaption(std::u16string_view text);
    virtual CLumStatic& SetBold(bool on);
    // Face names longer than 31 characters are cut there (never inside a surrogate pair).
    virtual CLumStatic& SetFaceName(std::u16string_view face, BYTE charSet = ANSI_CHARSET);
    virtual CLumStatic& SetUnderline(BYTE on);
    virtual CLumStatic& SetItalic(BYTE on);
    // The pixel height that `points` points have at 96 dots per inch, at any screen resolution.
    virtual CLumStatic& SetPointSize(int points);
    virtual CLumStatic& SetSunkenEdge(bool on);
    virtual CLumStatic& SetBorderLine(bool on);
    virtual CLumStatic& SetTransparentMode(bool on);
    virtual CLumStatic& SetCaptionBlink(bool on);
    virtual CLumStatic& SetFillBlink(bool on);
    virtual CLumStatic& SetWebLink(bool on, DWORD notifyParent = 0);
    // A cursor loaded here belongs to the label (released when replaced and at destruction); a
    // handle given with SetPointerCursorHandle stays the caller's.
    virtual CLumStatic& LoadPointerCursor(WORD cursorId);
    virtual CLumStatic& SetPointerCursorHandle(HCURSOR cursor);
    // direction 0: the second drawing one pixel up and left; otherwise down and right.
    virtual CLumStatic& SetEmbossed(bool on, int direction = 0);
    virtual CLumStatic& SetTextAngle(int degrees, bool rotated);
    virtual CLumStatic& SetEmbossColor(COLORREF colour);
    virtual CLumStatic& SetFontDescription(LOGFONT description);
    virtual CLumStatic& SetMailtoLink(bool on, DWORD notifyParent = 0);
    // The address a web link opens instead of the window text. Does not redraw.
    virtual CLumStatic& SetLinkTarget(std::u16string_view target);
    virtual CLumStatic& GetCaptionColor(COLORREF& colour);

    // Read-only views for the owner and for tests.
    const LOGFONT& GetFontDescription() const { return m_fontDescription; }
    bool GetBlinkPhase() const { return m_blinkPhase; }
    BlinkKind GetBlinkKind() const { return m_blinkKind; }
    LinkKind GetLinkKind() const { return m_linkKind; }

protected:
    void PreSubclassWindow() override;

    void OnTimer(UINT_PTR id) override;
    void OnLButtonDown(UINT flags, POINT point) override;
    BOOL OnSetCursor(CWnd* pWnd, UINT hitTest, UINT message) override;
    void OnSysColorChange() override;
    void OnPaint() override;
    BOOL OnEraseBkgnd(CDC* pDC) override;

private:
    void Redraw();
    void RebuildFont();
    void ReleaseLoadedCursor();
    void SetLink(LinkKind kind, bool on, DWORD notifyParent);
    void StartBlink(BlinkKind kind);
    void StopBlinkTimer();
    void PaintFill(CDC& dc, const RECT& client);
    void PaintGradient(CDC& dc, const RECT& client);
    void PaintText(CDC& dc, const RECT& client, const std::u16string& text);

    COLORREF m_textColour;
    COLORREF m_embossColour = 0xFFFFFF;
    CBrush m_defaultBrush;
    CBrush m_fillBrush;
    LOGFONT m_fontDescription{};
    CFont m_font;
    bool m_blinkPhase = false;
    bool m_blinkTimerStarted = false;
    LinkKind m_linkKind = LinkKind::None;
    bool m_transparent = true;
    bool m_embossed = false;
    DWORD m_notifyParent = 0;
    bool m_rotated = false;
    BlinkKind m_blinkKind = BlinkKind::None;
    HCURSOR m_cursor = nullptr;
    HCURSOR m_cursorLoaded = nullptr; // the one cursor the label loaded itself, if any
    int m_embossDirection = 0;
    bool m_gradient = false;
    COLORREF m_gradientEnd = 0;
    COLORREF m_fillColour = 0;
    std::u16string m_linkTarget;
};
