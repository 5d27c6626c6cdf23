#pragma once

// The drawing context of a paint cycle: construction opens the window's cycle (BeginPaint),
// destruction closes it (EndPaint), which puts the surface on screen once, whole.

#include "platform/gui/CDC.h"
#include "platform/gui/CWnd.h"

class CPaintDC : public CDC {
public:
    explicit CPaintDC(CWnd* wnd);
    ~CPaintDC() override;

    PAINTSTRUCT m_ps;

private:
    CWnd* m_wnd;
};
