#pragma once

// The exchange between a dialog and its members (DoDataExchange). Here it only attaches members
// to the dialog's controls by id.

#include "platform/gui/WinTypes.h"

class CWnd;

class CDataExchange {
public:
    CDataExchange(CWnd* dialog, BOOL saveAndValidate)
        : m_bSaveAndValidate(saveAndValidate), m_pDlgWnd(dialog) {}

    BOOL m_bSaveAndValidate;
    CWnd* m_pDlgWnd;
};

// Attaches control to the dialog's control with that id (once; later exchanges leave it as it
// is), calling the control's PreSubclassWindow. A missing id leaves the member without a window.
void DDX_Control(CDataExchange* pDX, int id, CWnd& control);
