#include "platform/gui/CDialog.h"

#include "platform/gui/ButtonClass.h"
#include "platform/gui/CDataExchange.h"
#include "platform/gui/CFont.h"
#include "platform/gui/DialogTemplate.h"
#include "platform/gui/MessageDispatcher.h"
#include "platform/gui/WindowClass.h"
#include "platform/gui/WindowData.h"

#include <QEventLoop>
#include <cstdio>

HFONT CDialog::GetDialogFont() const {
    return m_font ? m_font->GetSafeHandle() : nullptr;
}

CDialog::~CDialog() {
    if (m_hWnd) {
        DestroyWindow();
    }
}

BOOL CDialog::CreateFromTemplate(CWnd* parent) {
    std::optional<DialogTemplate> dialog = DialogTemplate::Load(m_templateId);
    if (!dialog) {
        std::fprintf(stderr, "CDialog: dialog template %u missing or unreadable\n", m_templateId);
        return FALSE;
    }
    m_endRequested = false;
    m_modalResult = -1;
    // The template's font, which the controls get as theirs (the labels start from it).
    m_font.reset();
    if (dialog->fontPoints > 0) {
        m_font = std::make_unique<CFont>();
        if (!m_font->CreatePointFont(dialog->fontPoints * 10, dialog->fontFace)) {
            m_font.reset();
        }
    }
    if (!CreateEx(dialog->exStyle, kWindowClassDialog, dialog->caption, dialog->style & ~WS_VISIBLE,
                  dialog->rect, parent, 0)) {
        return FALSE;
    }
    for (const DialogControlTemplate& control : dialog->controls) {
        std::unique_ptr<CWnd> owner = MakeDefaultOwner(control.className);
        if (!owner->CreateEx(control.exStyle, control.className, control.text, control.style, control.rect,
                             this, static_cast<UINT>(control.id))) {
            continue;
        }
        owner->SetFont(GetDialogFont(), FALSE);
        WindowData::Lookup(owner->m_hWnd)->defaultOwner = std::move(owner);
    }
    HWND self = m_hWnd;
    LRESULT setFocus = SendMessage(WM_INITDIALOG);
    if (!::IsWindow(self) || m_endRequested) {
        return ::IsWindow(self) ? TRUE : FALSE;
    }
    if (dialog->style & WS_VISIBLE) {
        ShowWindow((dialog->style & WS_CHILD) ? SW_SHOWNA : SW_SHOW);
    }
    // Like the platform's dialog manager: the first tab stop gets the focus when the dialog is a
    // visible top-level window and its initialisation did not choose one itself.
    if (setFocus && !(GetStyle() & WS_CHILD) && IsWindowVisible()) {
        MoveFocus(false);
    }
    return TRUE;
}

INT_PTR CDialog::DoModal() {
    if (!CreateFromTemplate(m_parentWnd)) {
        return -1;
    }
    MessageDispatcher* dispatcher = MessageDispatcher::EnsureCreated();
    if (!m_endRequested && IsWindow()) {
        if (!(GetStyle() & WS_VISIBLE)) {
            ShowWindow(SW_SHOWNORMAL);
        }
        bool ownerDisabled = false;
        if (m_parentWnd && m_parentWnd->IsWindowEnabled()) {
            m_parentWnd->EnableWindow(FALSE);
            ownerDisabled = true;
        }
        QEventLoop loop;
        m_loop = &loop;
        if (!m_endRequested && !dispatcher->RunModalLoop(loop)) {
            m_modalResult = -1;
        }
        m_loop = nullptr;
        if (ownerDisabled && m_parentWnd->IsWindow()) {
            m_parentWnd->EnableWindow(TRUE);
        }
    }
    int result = m_modalResult;
    DestroyWindow();
    return result;
}

BOOL CDialog::Create(UINT templateId, CWnd* parent) {
    m_templateId = templateId;
    m_parentWnd = parent;
    return CreateFromTemplate(parent);
}

void CDialog::EndDialog(int result) {
    m_modalResult = result;
    m_endRequested = true;
    ShowWindow(SW_HIDE);
    if (m_loop) {
        MessageDispatcher::EnsureCreated()->ExitModalLoop(*m_loop);
    }
}

BOOL CDialog::OnInitDialog() {
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnOK() {
    UpdateData(TRUE);
    EndDialog(IDOK);
}

void CDialog::OnCancel() {
    EndDialog(IDCANCEL);
}

BOOL CDialog::UpdateData(BOOL saveAndValidate) {
    CDataExchange exchange(this, saveAndValidate);
    DoDataExchange(&exchange);
    return TRUE;
}

void CDialog::DoDataExchange(CDataExchange*) {}

BOOL CDialog::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    if (message == WM_INITDIALOG) {
        *result = OnInitDialog();
        return TRUE;
    }
    return CWnd::OnWndMsg(message, wParam, lParam, result);
}

BOOL CDialog::OnCommand(WPARAM wParam, LPARAM) {
    switch (LOWORD(wParam)) {
    case IDOK:
        OnOK();
        return TRUE;
    case IDCANCEL:
        OnCancel();
        return TRUE;
    default:
        return FALSE;
    }
}

BOOL CDialog::PreTranslateMessage(MSG* msg) {
    // A child dialog is part of its parent's keyboard interface, as a control is.
    if (!msg || msg->message != WM_KEYDOWN || (GetStyle() & WS_CHILD)) {
        return FALSE;
    }
    switch (msg->wParam) {
    case VK_ESCAPE:
        SendMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED));
        return TRUE;
    case VK_RETURN: {
        CWnd* focus = CWnd::GetFocus();
        WindowData* focusData = focus ? WindowData::Lookup(focus->m_hWnd) : nullptr;
        if (focusData && dynamic_cast<ButtonClass*>(focusData->windowClass.get()) &&
            focus->GetParent() == this) {
            focus->SendMessage(BM_CLICK);
        } else {
            SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED));
        }
        return TRUE;
    }
    case VK_TAB:
        MoveFocus(false);
        return TRUE;
    default:
        return FALSE;
    }
}

void CDialog::MoveFocus(bool backwards) {
    WindowData* data = WindowData::Lookup(m_hWnd);
    if (!data) {
        return;
    }
    std::vector<WindowData*> stops;
    for (WindowData* child : data->children) {
        if ((child->style & WS_TABSTOP) && (child->style & WS_VISIBLE) && !(child->style & WS_DISABLED)) {
            stops.push_back(child);
        }
    }
    if (stops.empty()) {
        return;
    }
    if (backwards) {
        std::reverse(stops.begin(), stops.end());
    }
    auto current = std::find_if(stops.begin(), stops.end(),
                                [](const WindowData* stop) { return stop->handle == WindowData::s_focus; });
    WindowData* next = current == stops.end() || current + 1 == stops.end() ? stops.front() : *(current + 1);
    if (CWnd* wnd = next->owner) {
        wnd->SetFocus();
    }
}
