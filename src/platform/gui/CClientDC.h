#pragma once

// Immediate drawing on a window's client surface outside the paint cycle. Releasing a context
// that drew has the window shown at once, so what was drawn appears in one piece.

#include "platform/gui/CDC.h"

class CWnd;

class CClientDC : public CDC {
public:
    explicit CClientDC(CWnd* wnd);
    ~CClientDC() override;

private:
    CWnd* m_wnd;
};
