#pragma once

// WORKAROUND until the platform layer offers CPaintDC and CClientDC: drawing contexts on a window's
// client surface, the paint-cycle one (BeginPaint/EndPaint around its life) and the immediate one
// (the window is put on screen when the context is released). Same behaviour as the platform's
// contexts are specified to have; to be replaced by them as soon as they exist.

#include "platform/gui/CSurfaceDC.h"
#include "platform/gui/CWnd.h"

class LumPaintDC : public CSurfaceDC {
public:
    explicit LumPaintDC(CWnd* wnd) : CSurfaceDC(wnd->Surface()), m_wnd(wnd) { m_wnd->BeginPaint(&m_paint); }
    ~LumPaintDC() override { m_wnd->EndPaint(&m_paint); }
    LumPaintDC(const LumPaintDC&) = delete;
    LumPaintDC& operator=(const LumPaintDC&) = delete;

private:
    CWnd* m_wnd;
    PAINTSTRUCT m_paint;
};

class LumClientDC : public CSurfaceDC {
public:
    explicit LumClientDC(CWnd* wnd) : CSurfaceDC(wnd->Surface()), m_wnd(wnd) {}
    // Inside a paint cycle the platform holds the presentation back until the cycle ends.
    ~LumClientDC() override { m_wnd->PresentNow(); }
    LumClientDC(const LumClientDC&) = delete;
    LumClientDC& operator=(const LumClientDC&) = delete;

private:
    CWnd* m_wnd;
};
