#pragma once

// A dialog built from a dialog template resource: the window and its controls come from the
// template, OnInitDialog attaches the members (DoDataExchange with DDX_Control) and prepares the
// rest. DoModal runs it as the program's modal loop until EndDialog or a quit request; Create
// makes it a modeless window (a child when the template has WS_CHILD), hidden unless the
// template has WS_VISIBLE.

#include "platform/gui/CFont.h"
#include "platform/gui/CWnd.h"

#include <memory>

class CDataExchange;
class QEventLoop;

class CDialog : public CWnd {
public:
    CDialog() = default;
    explicit CDialog(UINT templateId, CWnd* parent = nullptr)
        : m_templateId(templateId), m_parentWnd(parent) {}
    ~CDialog() override;

    // The result given to EndDialog; -1 when the dialog could not be created or a quit request
    // ended the loop. The window is destroyed when DoModal returns.
    virtual INT_PTR DoModal();
    virtual BOOL Create(UINT templateId, CWnd* parent = nullptr);
    void EndDialog(int result);

    virtual BOOL OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();
    BOOL UpdateData(BOOL saveAndValidate = TRUE);
    // Dialog keys for a top-level dialog: Enter clicks the focused push button or sends IDOK,
    // Escape sends IDCANCEL, Tab moves the focus through the WS_TABSTOP controls.
    BOOL PreTranslateMessage(MSG* msg) override;

    UINT GetTemplateId() const { return m_templateId; }
    // The dialog font of the template (for the controls' WM_SETFONT); null without one.
    HFONT GetDialogFont() const;

protected:
    virtual void DoDataExchange(CDataExchange* pDX);
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

private:
    BOOL CreateFromTemplate(CWnd* parent);
    void MoveFocus(bool backwards);

    UINT m_templateId = 0;
    CWnd* m_parentWnd = nullptr;
    int m_modalResult = -1;
    bool m_endRequested = false;
    QEventLoop* m_loop = nullptr;
    std::unique_ptr<CFont> m_font;
};
