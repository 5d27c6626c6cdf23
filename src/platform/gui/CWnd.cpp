#include "platform/gui/CWnd.h"

#include "platform/gui/CRgn.h"
#include "platform/gui/CScrollBar.h"
#include "platform/gui/CSurfaceDC.h"
#include "platform/gui/Cursor.h"
#include "platform/gui/GuiHandles.h"
#include "platform/gui/MessageDispatcher.h"
#include "platform/gui/WindowClass.h"
#include "platform/gui/WindowData.h"
#include "platform/gui/WindowMover.h"
#include "platform/gui/WindowWidget.h"

#include <QApplication>
#include <QCursor>
#include <QPainter>
#include <QTimer>
#include <algorithm>

const CWnd CWnd::wndTop;
const CWnd CWnd::wndBottom;
const CWnd CWnd::wndTopMost;
const CWnd CWnd::wndNoTopMost;

namespace {

QImage g_noSurface;

RECT ToRect(const QRect& r) {
    return RECT{r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
}
QRect ToQRect(const RECT& r) {
    return QRect(r.left, r.top, r.right - r.left, r.bottom - r.top);
}

// A window's default owner is destroyed after the current message, never under its own feet.
void Bury(std::unique_ptr<CWnd> owner) {
    if (!owner) {
        return;
    }
    if (MessageDispatcher* dispatcher = MessageDispatcher::Instance()) {
        CWnd* raw = owner.release();
        dispatcher->PostDeferred([raw] { delete raw; });
    }
}

void InvalidateTree(WindowData* data) {
    data->Invalidate(data->ClientRect(), true);
    for (WindowData* child : data->children) {
        if (child->IsChild() && (child->style & WS_VISIBLE)) {
            InvalidateTree(child);
        }
    }
}

void PaintTree(HWND handle) {
    WindowData* data = WindowData::Lookup(handle);
    if (!data) {
        return;
    }
    data->DeliverPaint();
    data = WindowData::Lookup(handle);
    if (!data) {
        return;
    }
    std::vector<HWND> children;
    for (WindowData* child : data->children) {
        if (child->IsChild() && (child->style & WS_VISIBLE)) {
            children.push_back(child->handle);
        }
    }
    for (HWND child : children) {
        PaintTree(child);
    }
}

// Qt's offscreen platform (the tests') has no stacking order to change.
void RaiseAndActivate(QWidget* window) {
    if (QGuiApplication::platformName() != QLatin1String("offscreen")) {
        window->raise();
    }
    window->activateWindow();
}

bool IsSelfOrDescendant(HWND candidate, const WindowData* ancestor) {
    for (WindowData* data = WindowData::Lookup(candidate); data;
         data = data->IsChild() ? data->parent : nullptr) {
        if (data == ancestor) {
            return true;
        }
    }
    return false;
}

} // namespace

CWnd::CWnd() = default;

CWnd::~CWnd() {
    if (m_hWnd) {
        DestroyWindow();
    }
}

WindowData* CWnd::Data() const {
    WindowData* data = WindowData::Lookup(m_hWnd);
    return data && data->owner == this ? data : nullptr;
}

CWnd* CWnd::FromHandle(HWND hWnd) {
    WindowData* data = WindowData::Lookup(hWnd);
    return data ? data->owner : nullptr;
}

BOOL CWnd::IsWindow() const {
    return Data() ? TRUE : FALSE;
}

BOOL CWnd::CreateEx(DWORD exStyle, std::u16string_view className, std::u16string_view windowName, DWORD style,
                    const RECT& rect, CWnd* parent, UINT id) {
    if (m_hWnd) {
        return FALSE;
    }
    WindowData* parentData = parent ? parent->Data() : nullptr;
    if ((style & WS_CHILD) && !parentData) {
        return FALSE;
    }
    MessageDispatcher::EnsureCreated();
    WindowData* data = WindowData::Register(className);
    data->owner = this;
    data->style = style & ~(WS_VISIBLE | WS_DISABLED);
    data->exStyle = exStyle;
    data->id = static_cast<int>(id);
    data->text = std::u16string(windowName);
    data->parent = parentData;
    if (parentData) {
        parentData->children.push_back(data);
    }
    m_hWnd = data->handle;

    Qt::WindowFlags flags = Qt::Widget;
    QWidget* parentWidget = parentData ? parentData->widget.data() : nullptr;
    if (!(style & WS_CHILD)) {
        flags = (exStyle & WS_EX_TOOLWINDOW) ? Qt::Tool : Qt::Window;
        if (!(style & WS_CAPTION)) {
            flags |= Qt::FramelessWindowHint;
        }
        if (exStyle & WS_EX_TOPMOST) {
            flags |= Qt::WindowStaysOnTopHint;
        }
        parentWidget = parentWidget ? parentWidget->window() : nullptr;
    }
    auto* widget = new WindowWidget(m_hWnd, parentWidget, flags);
    data->widget = widget;
    if (!(style & WS_CHILD)) {
        widget->setWindowTitle(QString::fromStdU16String(data->text));
    }
    if (data->windowClass->TakesFocusOnClick()) {
        widget->setFocusPolicy(Qt::ClickFocus);
    }
    QRect geometry = ToQRect(rect);
    widget->setGeometry(geometry.x(), geometry.y(), std::max(0, geometry.width()),
                        std::max(0, geometry.height()));
    data->surfaceSize = widget->size();
    data->ApplyMouseTransparency();
    data->windowClass->OnCreated(*this);

    SendMessage(WM_CREATE);
    SendMessage(WM_SIZE, 0,
                MAKELPARAM(static_cast<WORD>(widget->width()), static_cast<WORD>(widget->height())));
    if (!Data()) {
        return FALSE;
    }
    if (style & WS_DISABLED) {
        EnableWindow(FALSE);
    }
    if (style & WS_VISIBLE) {
        ShowWindow((style & WS_CHILD) ? SW_SHOWNA : SW_SHOW);
    }
    return TRUE;
}

BOOL CWnd::DestroyWindow() {
    WindowData* data = Data();
    if (!data || data->destroying) {
        return FALSE;
    }
    HWND self = m_hWnd;
    data->destroying = true;
    if (WindowData::s_capture == self) {
        WindowData::s_capture = nullptr;
    }
    SendMessage(WM_DESTROY);
    if (WindowData* current = WindowData::Lookup(self)) {
        std::vector<HWND> children;
        for (WindowData* child : current->children) {
            children.push_back(child->handle);
        }
        for (HWND child : children) {
            if (CWnd* wnd = FromHandle(child)) {
                wnd->DestroyWindow();
            }
        }
    }
    SendMessage(WM_NCDESTROY);
    data = WindowData::Lookup(self);
    if (!data) {
        return TRUE;
    }
    if (WindowData::s_focus == self) {
        WindowData::s_focus = nullptr;
    }
    if (data->parent) {
        auto& siblings = data->parent->children;
        siblings.erase(std::remove(siblings.begin(), siblings.end(), data), siblings.end());
        if (data->parent->lastActivePopup == self) {
            data->parent->lastActivePopup = nullptr;
        }
    }
    for (auto& [id, timer] : data->timers) {
        timer->stop();
    }
    if (WindowWidget* widget = data->widget.data()) {
        data->widget = nullptr;
        widget->hide();
        if (widget->Busy()) {
            widget->setParent(nullptr);
            widget->deleteLater();
        } else {
            delete widget;
        }
    }
    CWnd* owner = data->owner;
    if (owner) {
        owner->m_hWnd = nullptr;
    }
    Bury(std::move(data->defaultOwner));
    WindowData::Unregister(self);
    if (owner) {
        owner->PostNcDestroy();
    }
    return TRUE;
}

BOOL CWnd::SubclassWindow(HWND hWnd) {
    WindowData* data = WindowData::Lookup(hWnd);
    if (!data || m_hWnd || data->owner != data->defaultOwner.get()) {
        return FALSE;
    }
    if (data->owner) {
        data->owner->m_hWnd = nullptr;
    }
    data->owner = this;
    m_hWnd = hWnd;
    Bury(std::move(data->defaultOwner));
    PreSubclassWindow();
    return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT id, CWnd* parent) {
    return parent ? SubclassWindow(parent->GetDlgItemHandle(static_cast<int>(id))) : FALSE;
}

// --- Messages ---

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    return ::SendMessage(m_hWnd, message, wParam, lParam);
}

BOOL CWnd::PostMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    return ::PostMessage(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::Dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
    MSG saved = m_currentMsg;
    m_currentMsg.hwnd = m_hWnd;
    m_currentMsg.message = message;
    m_currentMsg.wParam = wParam;
    m_currentMsg.lParam = lParam;
    LRESULT result = WindowProc(message, wParam, lParam);
    m_currentMsg = saved;
    return result;
}

LRESULT CWnd::Default() {
    return DefWindowProc(m_currentMsg.message, m_currentMsg.wParam, m_currentMsg.lParam);
}

BOOL CWnd::PreTranslateMessage(MSG*) {
    return FALSE;
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (OnWndMsg(message, wParam, lParam, &result)) {
        return result;
    }
    return DefWindowProc(message, wParam, lParam);
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    WindowData* data = WindowData::Lookup(m_hWnd);
    if (data && data->windowClass) {
        LRESULT result = 0;
        if (data->windowClass->DefProc(*this, message, wParam, lParam, &result)) {
            return result;
        }
    }
    return GenericDefWindowProc(*this, message, wParam, lParam);
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    auto point = [lParam] { return POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}; };
    auto flags = static_cast<UINT>(wParam);
    *result = 0;
    switch (message) {
    case WM_DESTROY:
        OnDestroy();
        return TRUE;
    case WM_PAINT:
        OnPaint();
        return TRUE;
    case WM_ERASEBKGND:
        *result = OnEraseBkgnd(CDC::FromHandle(reinterpret_cast<HDC>(wParam)));
        return TRUE;
    case WM_MOUSEMOVE:
        OnMouseMove(flags, point());
        return TRUE;
    case WM_LBUTTONDOWN:
        OnLButtonDown(flags, point());
        return TRUE;
    case WM_LBUTTONUP:
        OnLButtonUp(flags, point());
        return TRUE;
    case WM_LBUTTONDBLCLK:
        OnLButtonDblClk(flags, point());
        return TRUE;
    case WM_RBUTTONDOWN:
        OnRButtonDown(flags, point());
        return TRUE;
    case WM_RBUTTONUP:
        OnRButtonUp(flags, point());
        return TRUE;
    case WM_TIMER:
        OnTimer(static_cast<UINT_PTR>(wParam));
        return TRUE;
    case WM_SETCURSOR:
        *result = OnSetCursor(FromHandle(reinterpret_cast<HWND>(wParam)),
                              LOWORD(static_cast<std::uintptr_t>(lParam)),
                              HIWORD(static_cast<std::uintptr_t>(lParam)));
        return TRUE;
    case WM_DRAWITEM:
        OnDrawItem(static_cast<int>(wParam), reinterpret_cast<DRAWITEMSTRUCT*>(lParam));
        *result = TRUE;
        return TRUE;
    case WM_VSCROLL:
    case WM_HSCROLL: {
        auto* bar = dynamic_cast<CScrollBar*>(FromHandle(reinterpret_cast<HWND>(lParam)));
        if (message == WM_VSCROLL) {
            OnVScroll(LOWORD(wParam), HIWORD(wParam), bar);
        } else {
            OnHScroll(LOWORD(wParam), HIWORD(wParam), bar);
        }
        return TRUE;
    }
    case WM_SYSCOLORCHANGE:
        OnSysColorChange();
        return TRUE;
    case WM_KEYDOWN:
        OnKeyDown(flags, LOWORD(static_cast<std::uintptr_t>(lParam)),
                  HIWORD(static_cast<std::uintptr_t>(lParam)));
        return TRUE;
    case WM_KEYUP:
        OnKeyUp(flags, LOWORD(static_cast<std::uintptr_t>(lParam)),
                HIWORD(static_cast<std::uintptr_t>(lParam)));
        return TRUE;
    case WM_SETFOCUS:
        OnSetFocus(FromHandle(reinterpret_cast<HWND>(wParam)));
        return TRUE;
    case WM_KILLFOCUS:
        OnKillFocus(FromHandle(reinterpret_cast<HWND>(wParam)));
        return TRUE;
    case WM_SIZE:
        OnSize(flags, LOWORD(static_cast<std::uintptr_t>(lParam)),
               HIWORD(static_cast<std::uintptr_t>(lParam)));
        return TRUE;
    case WM_SYSCOMMAND:
        OnSysCommand(flags, lParam);
        return TRUE;
    case WM_NCLBUTTONDOWN:
        OnNcLButtonDown(flags, point());
        return TRUE;
    case WM_NCPAINT:
        OnNcPaint();
        return TRUE;
    case WM_CLOSE:
        OnClose();
        return TRUE;
    case WM_SHOWWINDOW:
        OnShowWindow(static_cast<BOOL>(wParam), static_cast<UINT>(lParam));
        return TRUE;
    case WM_ENABLE:
        OnEnable(static_cast<BOOL>(wParam));
        return TRUE;
    case WM_CAPTURECHANGED:
        OnCaptureChanged(FromHandle(reinterpret_cast<HWND>(lParam)));
        return TRUE;
    case WM_QUERYDRAGICON:
        *result = reinterpret_cast<LRESULT>(OnQueryDragIcon());
        return TRUE;
    case WM_COMMAND:
        return OnCommand(wParam, lParam);
    default:
        return FALSE;
    }
}

BOOL CWnd::OnCommand(WPARAM, LPARAM) {
    return FALSE;
}
BOOL CWnd::OnChildNotify(UINT, WPARAM, LPARAM, LRESULT*) {
    return FALSE;
}
void CWnd::PreSubclassWindow() {}
void CWnd::PostNcDestroy() {}

void CWnd::OnDestroy() {
    Default();
}
void CWnd::OnPaint() {
    Default();
}
BOOL CWnd::OnEraseBkgnd(CDC*) {
    return static_cast<BOOL>(Default());
}
void CWnd::OnMouseMove(UINT, POINT) {
    Default();
}
void CWnd::OnLButtonDown(UINT, POINT) {
    Default();
}
void CWnd::OnLButtonUp(UINT, POINT) {
    Default();
}
void CWnd::OnLButtonDblClk(UINT, POINT) {
    Default();
}
void CWnd::OnRButtonDown(UINT, POINT) {
    Default();
}
void CWnd::OnRButtonUp(UINT, POINT) {
    Default();
}
void CWnd::OnTimer(UINT_PTR) {
    Default();
}
BOOL CWnd::OnSetCursor(CWnd*, UINT, UINT) {
    return static_cast<BOOL>(Default());
}

void CWnd::OnDrawItem(int, DRAWITEMSTRUCT* drawItem) {
    // The request goes back to the control that asked for it (its DrawItem).
    if (drawItem) {
        if (CWnd* control = FromHandle(drawItem->hwndItem)) {
            LRESULT result = 0;
            if (control->OnChildNotify(WM_DRAWITEM, m_currentMsg.wParam, m_currentMsg.lParam, &result)) {
                return;
            }
        }
    }
    Default();
}

void CWnd::OnVScroll(UINT, UINT, CScrollBar*) {
    Default();
}
void CWnd::OnHScroll(UINT, UINT, CScrollBar*) {
    Default();
}
void CWnd::OnSysColorChange() {
    Default();
}
void CWnd::OnKeyDown(UINT, UINT, UINT) {
    Default();
}
void CWnd::OnKeyUp(UINT, UINT, UINT) {
    Default();
}
void CWnd::OnSetFocus(CWnd*) {
    Default();
}
void CWnd::OnKillFocus(CWnd*) {
    Default();
}
void CWnd::OnSize(UINT, int, int) {
    Default();
}
void CWnd::OnSysCommand(UINT, LPARAM) {
    Default();
}
void CWnd::OnNcLButtonDown(UINT, POINT) {
    Default();
}
void CWnd::OnNcPaint() {
    Default();
}
void CWnd::OnClose() {
    Default();
}
void CWnd::OnShowWindow(BOOL, UINT) {
    Default();
}
void CWnd::OnEnable(BOOL) {
    Default();
}
void CWnd::OnCaptureChanged(CWnd*) {
    Default();
}
HCURSOR CWnd::OnQueryDragIcon() {
    return reinterpret_cast<HCURSOR>(Default());
}

// --- Family ---

CWnd* CWnd::GetParent() const {
    WindowData* data = Data();
    return data && data->parent ? data->parent->owner : nullptr;
}

HWND CWnd::GetDlgItemHandle(int id) const {
    WindowData* data = Data();
    if (!data) {
        return nullptr;
    }
    for (WindowData* child : data->children) {
        if (child->IsChild() && child->id == id) {
            return child->handle;
        }
    }
    return nullptr;
}

CWnd* CWnd::GetDlgItem(int id) const {
    return FromHandle(GetDlgItemHandle(id));
}

int CWnd::GetDlgCtrlID() const {
    WindowData* data = Data();
    return data ? data->id : 0;
}

CWnd* CWnd::GetTopLevelParent() const {
    WindowData* data = Data();
    while (data && data->IsChild() && data->parent) {
        data = data->parent;
    }
    return data ? data->owner : nullptr;
}

CWnd* CWnd::GetWindow(UINT cmd) const {
    WindowData* data = Data();
    if (!data) {
        return nullptr;
    }
    if (cmd == GW_CHILD) {
        return data->children.empty() ? nullptr : data->children.front()->owner;
    }
    if (cmd == GW_HWNDNEXT && data->parent) {
        auto& siblings = data->parent->children;
        auto it = std::find(siblings.begin(), siblings.end(), data);
        if (it != siblings.end() && ++it != siblings.end()) {
            return (*it)->owner;
        }
    }
    return nullptr;
}

// --- Text, style, properties ---

void CWnd::SetWindowText(std::u16string_view text) {
    std::u16string copy(text);
    SendMessage(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(copy.c_str()));
}

std::u16string CWnd::GetWindowText() const {
    WindowData* data = Data();
    return data ? data->text : std::u16string();
}

int CWnd::GetWindowTextLength() const {
    return static_cast<int>(GetWindowText().size());
}

DWORD CWnd::GetStyle() const {
    WindowData* data = Data();
    return data ? data->style : 0;
}

DWORD CWnd::GetExStyle() const {
    WindowData* data = Data();
    return data ? data->exStyle : 0;
}

BOOL CWnd::ModifyStyle(DWORD remove, DWORD add, UINT swpFlags) {
    WindowData* data = Data();
    if (!data) {
        return FALSE;
    }
    DWORD updated = (data->style & ~remove) | add;
    if (updated == data->style) {
        return FALSE;
    }
    data->style = updated;
    data->ApplyMouseTransparency();
    if (swpFlags) {
        SetWindowPos(nullptr, 0, 0, 0, 0, swpFlags | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    return TRUE;
}

BOOL CWnd::ModifyStyleEx(DWORD remove, DWORD add, UINT swpFlags) {
    WindowData* data = Data();
    if (!data) {
        return FALSE;
    }
    DWORD updated = (data->exStyle & ~remove) | add;
    if (updated == data->exStyle) {
        return FALSE;
    }
    data->exStyle = updated;
    if (swpFlags) {
        SetWindowPos(nullptr, 0, 0, 0, 0, swpFlags | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    return TRUE;
}

BOOL CWnd::SetProp(std::u16string_view name, std::intptr_t value) {
    WindowData* data = Data();
    if (!data) {
        return FALSE;
    }
    data->props[std::u16string(name)] = value;
    return TRUE;
}

std::intptr_t CWnd::GetProp(std::u16string_view name) const {
    WindowData* data = Data();
    if (!data) {
        return 0;
    }
    auto it = data->props.find(name);
    return it == data->props.end() ? 0 : it->second;
}

std::intptr_t CWnd::RemoveProp(std::u16string_view name) {
    WindowData* data = Data();
    if (!data) {
        return 0;
    }
    auto it = data->props.find(name);
    if (it == data->props.end()) {
        return 0;
    }
    std::intptr_t value = it->second;
    data->props.erase(it);
    return value;
}

// --- Visibility and state ---

BOOL CWnd::ShowWindow(int cmd) {
    WindowData* data = Data();
    if (!data) {
        return FALSE;
    }
    HWND self = m_hWnd;
    bool wasVisible = (data->style & WS_VISIBLE) != 0;
    if (cmd == SW_HIDE) {
        if (!wasVisible) {
            return FALSE;
        }
        data->style &= ~WS_VISIBLE;
        SendMessage(WM_SHOWWINDOW, FALSE);
        data = Data();
        if (!data) {
            return TRUE;
        }
        if (IsSelfOrDescendant(WindowData::s_focus, data)) {
            WindowData::s_focus = nullptr;
        }
        if (data->widget) {
            data->widget->hide();
        }
        return TRUE;
    }
    data->style |= WS_VISIBLE;
    if (!wasVisible) {
        SendMessage(WM_SHOWWINDOW, TRUE);
        data = Data();
        if (!data) {
            return FALSE;
        }
        // Painted before Qt first shows it, so the first frame on screen is the finished face.
        InvalidateTree(data);
        PaintTree(self);
        data = Data();
        if (!data) {
            return FALSE;
        }
    }
    QWidget* widget = data->widget;
    if (!widget) {
        return wasVisible ? TRUE : FALSE;
    }
    if (data->IsChild()) {
        widget->show();
        return wasVisible ? TRUE : FALSE;
    }
    switch (cmd) {
    case SW_MINIMIZE:
    case SW_SHOWMINIMIZED:
    case SW_SHOWMINNOACTIVE:
        widget->showMinimized();
        break;
    case SW_SHOWMAXIMIZED:
        widget->showMaximized();
        break;
    case SW_RESTORE:
    case SW_SHOWNORMAL:
        widget->showNormal();
        break;
    default:
        widget->show();
        break;
    }
    if (cmd == SW_SHOW || cmd == SW_SHOWNORMAL || cmd == SW_RESTORE || cmd == SW_SHOWMAXIMIZED) {
        RaiseAndActivate(widget);
    }
    return wasVisible ? TRUE : FALSE;
}

BOOL CWnd::IsWindowVisible() const {
    WindowData* data = Data();
    return data && data->IsVisibleChain() ? TRUE : FALSE;
}

BOOL CWnd::IsIconic() const {
    WindowData* data = Data();
    if (!data || data->IsChild()) {
        return FALSE;
    }
    return (data->style & WS_MINIMIZE) || (data->widget && data->widget->isMinimized()) ? TRUE : FALSE;
}

BOOL CWnd::EnableWindow(BOOL enable) {
    WindowData* data = Data();
    if (!data) {
        return FALSE;
    }
    bool wasDisabled = (data->style & WS_DISABLED) != 0;
    if (wasDisabled == !enable) {
        return wasDisabled ? TRUE : FALSE;
    }
    if (enable) {
        data->style &= ~WS_DISABLED;
    } else {
        data->style |= WS_DISABLED;
        if (WindowData::s_capture == m_hWnd) {
            ReleaseCapture();
        }
    }
    if (data->widget) {
        data->widget->setEnabled(enable != FALSE);
    }
    data->windowClass->OnStateChanged(*this);
    SendMessage(WM_ENABLE, enable ? TRUE : FALSE);
    return wasDisabled ? TRUE : FALSE;
}

BOOL CWnd::IsWindowEnabled() const {
    WindowData* data = Data();
    return data && !(data->style & WS_DISABLED) ? TRUE : FALSE;
}

// --- Geometry ---

void CWnd::MoveWindow(int x, int y, int width, int height, BOOL repaint) {
    SetWindowPos(nullptr, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE | (repaint ? 0 : SWP_NOREDRAW));
}

void CWnd::MoveWindow(const RECT& rect, BOOL repaint) {
    MoveWindow(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, repaint);
}

BOOL CWnd::SetWindowPos(const CWnd* insertAfter, int x, int y, int cx, int cy, UINT flags) {
    WindowData* data = Data();
    if (!data || !data->widget) {
        return FALSE;
    }
    QWidget* widget = data->widget;
    bool changed = false;
    if (!(flags & SWP_NOMOVE) && widget->pos() != QPoint(x, y)) {
        widget->move(x, y);
        changed = true;
    }
    if (!(flags & SWP_NOSIZE)) {
        QSize size(std::max(0, cx), std::max(0, cy));
        if (widget->size() != size) {
            widget->resize(size);
            data->ResizeSurface(size);
            changed = true;
        }
    }
    data = Data();
    if (!data) {
        return FALSE;
    }
    if (!(flags & SWP_NOZORDER)) {
        if (insertAfter == &wndBottom) {
            widget->lower();
        } else if (!widget->isWindow() || QGuiApplication::platformName() != QLatin1String("offscreen")) {
            widget->raise();
        }
    }
    if (changed) {
        data->windowClass->OnStateChanged(*this);
        if (!(flags & SWP_NOREDRAW)) {
            Invalidate(TRUE);
        }
    }
    if (flags & SWP_SHOWWINDOW) {
        ShowWindow((flags & SWP_NOACTIVATE) ? SW_SHOWNA : SW_SHOW);
    } else if (flags & SWP_HIDEWINDOW) {
        ShowWindow(SW_HIDE);
    }
    return TRUE;
}

void CWnd::GetWindowRect(RECT* rect) const {
    WindowData* data = Data();
    if (!rect) {
        return;
    }
    if (!data || !data->widget) {
        *rect = RECT{};
        return;
    }
    QWidget* widget = data->widget;
    if (widget->isWindow()) {
        *rect = ToRect(widget->frameGeometry());
        return;
    }
    *rect = ToRect(QRect(widget->mapToGlobal(QPoint(0, 0)), widget->size()));
}

void CWnd::GetClientRect(RECT* rect) const {
    WindowData* data = Data();
    if (!rect) {
        return;
    }
    *rect = data && data->widget ? ToRect(QRect(QPoint(0, 0), data->widget->size())) : RECT{};
}

void CWnd::ClientToScreen(POINT* point) const {
    WindowData* data = Data();
    if (!point || !data || !data->widget) {
        return;
    }
    QPoint global = data->widget->mapToGlobal(QPoint(point->x, point->y));
    *point = POINT{global.x(), global.y()};
}

void CWnd::ClientToScreen(RECT* rect) const {
    if (!rect) {
        return;
    }
    POINT topLeft{rect->left, rect->top};
    POINT bottomRight{rect->right, rect->bottom};
    ClientToScreen(&topLeft);
    ClientToScreen(&bottomRight);
    *rect = RECT{topLeft.x, topLeft.y, bottomRight.x, bottomRight.y};
}

void CWnd::ScreenToClient(POINT* point) const {
    WindowData* data = Data();
    if (!point || !data || !data->widget) {
        return;
    }
    QPoint local = data->widget->mapFromGlobal(QPoint(point->x, point->y));
    *point = POINT{local.x(), local.y()};
}

void CWnd::ScreenToClient(RECT* rect) const {
    if (!rect) {
        return;
    }
    POINT topLeft{rect->left, rect->top};
    POINT bottomRight{rect->right, rect->bottom};
    ScreenToClient(&topLeft);
    ScreenToClient(&bottomRight);
    *rect = RECT{topLeft.x, topLeft.y, bottomRight.x, bottomRight.y};
}

int CWnd::SetWindowRgn(const CRgn* region, BOOL redraw) {
    WindowData* data = Data();
    if (!data) {
        return 0;
    }
    const QRegion* shape = region ? region->qregion() : nullptr;
    data->hasRegion = shape != nullptr;
    if (data->widget) {
        if (shape) {
            data->widget->setMask(*shape);
        } else {
            data->widget->clearMask();
        }
    }
    if (redraw) {
        Invalidate(TRUE);
    }
    return 1;
}

int CWnd::SetWindowRgn(HRGN region, BOOL redraw) {
    auto* object = dynamic_cast<CRgn*>(CGdiObject::FromHandle(reinterpret_cast<HGDIOBJ>(region)));
    if (region && !object) {
        return 0;
    }
    return SetWindowRgn(object, redraw);
}

// --- Focus, capture, activation ---

CWnd* CWnd::SetFocus() {
    WindowData* data = Data();
    HWND previous = WindowData::s_focus;
    if (!data || previous == m_hWnd) {
        return FromHandle(previous);
    }
    CWnd* previousWnd = FromHandle(previous);
    WindowData::s_focus = m_hWnd;
    if (data->widget) {
        data->widget->setFocus(Qt::OtherFocusReason);
    }
    if (previousWnd) {
        ::SendMessage(previous, WM_KILLFOCUS, reinterpret_cast<WPARAM>(m_hWnd));
    }
    SendMessage(WM_SETFOCUS, reinterpret_cast<WPARAM>(previousWnd ? previous : nullptr));
    return previousWnd;
}

CWnd* CWnd::GetFocus() {
    return FromHandle(WindowData::s_focus);
}

CWnd* CWnd::SetCapture() {
    HWND previous = WindowData::s_capture;
    if (!Data()) {
        return FromHandle(previous);
    }
    WindowData::s_capture = m_hWnd;
    if (previous && previous != m_hWnd) {
        ::SendMessage(previous, WM_CAPTURECHANGED, 0, reinterpret_cast<LPARAM>(m_hWnd));
    }
    return FromHandle(previous);
}

CWnd* CWnd::GetCapture() {
    return FromHandle(WindowData::s_capture);
}

BOOL CWnd::SetForegroundWindow() {
    CWnd* top = GetTopLevelParent();
    WindowData* data = top ? top->Data() : nullptr;
    if (!data || !data->widget) {
        return FALSE;
    }
    RaiseAndActivate(data->widget);
    return TRUE;
}

CWnd* CWnd::SetActiveWindow() {
    WindowData* data = Data();
    if (!data || !data->widget) {
        return nullptr;
    }
    QWidget* previous = QApplication::activeWindow();
    data->widget->window()->activateWindow();
    if (!data->IsChild()) {
        for (WindowData* owner = data->parent; owner; owner = owner->parent) {
            owner->lastActivePopup = m_hWnd;
        }
    }
    WindowWidget* previousOwner = previous ? WindowWidget::OwnerOf(previous) : nullptr;
    return previousOwner ? FromHandle(previousOwner->Handle()) : nullptr;
}

CWnd* CWnd::GetLastActivePopup() const {
    WindowData* data = Data();
    if (!data) {
        return nullptr;
    }
    WindowData* popup = WindowData::Lookup(data->lastActivePopup);
    if (popup && (popup->style & WS_VISIBLE) && !(popup->style & WS_DISABLED)) {
        return popup->owner;
    }
    return const_cast<CWnd*>(this);
}

// --- Painting ---

void CWnd::Invalidate(BOOL erase) {
    InvalidateRect(nullptr, erase);
}

void CWnd::InvalidateRect(const RECT* rect, BOOL erase) {
    WindowData* data = Data();
    if (!data) {
        return;
    }
    data->Invalidate(rect ? QRegion(ToQRect(*rect)) : QRegion(data->ClientRect()), erase != FALSE);
}

void CWnd::ValidateRect(const RECT* rect) {
    WindowData* data = Data();
    if (!data) {
        return;
    }
    data->updateRegion -= rect ? QRegion(ToQRect(*rect)) : QRegion(data->ClientRect());
}

void CWnd::UpdateWindow() {
    if (WindowData* data = Data()) {
        data->DeliverPaint();
    }
}

BOOL CWnd::GetUpdateRect(RECT* rect) const {
    WindowData* data = Data();
    if (!data || data->updateRegion.isEmpty()) {
        if (rect) {
            *rect = RECT{};
        }
        return FALSE;
    }
    if (rect) {
        *rect = ToRect(data->updateRegion.boundingRect());
    }
    return TRUE;
}

HDC CWnd::BeginPaint(PAINTSTRUCT* paint) {
    WindowData* data = Data();
    if (!paint) {
        return nullptr;
    }
    *paint = PAINTSTRUCT{};
    if (!data) {
        return nullptr;
    }
    if (data->inPaint) {
        // A nested cycle (a handler that paints and then calls the default paint) joins the
        // running one.
        ++data->paintDepth;
        paint->rcPaint = ToRect(data->paintRegion.boundingRect());
        return nullptr;
    }
    data->paintDepth = 1;
    data->inPaint = true;
    data->paintRegion = data->updateRegion;
    data->updateRegion = QRegion();
    paint->rcPaint = ToRect(data->paintRegion.boundingRect());
    // The area being painted shows what lies behind the window until the window paints it, as on
    // a screen where the parent has just painted over a child that it does not clip.
    // A surface not yet allocated is transparent already.
    if (data->AllocatedSurface() != nullptr) {
        QPainter painter(&data->Surface());
        painter.setCompositionMode(QPainter::CompositionMode_Clear);
        for (const QRect& rect : data->paintRegion) {
            painter.fillRect(rect, Qt::transparent);
        }
    }
    if (data->eraseNeeded) {
        data->eraseNeeded = false;
        CSurfaceDC eraseDc(data->Surface());
        LRESULT erased = SendMessage(WM_ERASEBKGND, reinterpret_cast<WPARAM>(eraseDc.GetSafeHdc()));
        paint->fErase = erased ? FALSE : TRUE;
    }
    return nullptr;
}

void CWnd::EndPaint(const PAINTSTRUCT*) {
    WindowData* data = Data();
    if (!data || !data->inPaint) {
        return;
    }
    if (--data->paintDepth > 0) {
        return;
    }
    data->inPaint = false;
    data->presentPending = false;
    data->paintRegion = QRegion();
    // The whole surface goes on screen: a paint may draw outside the area that asked for it (the
    // contexts do not clip to it), and the screen must never lag behind the surface.
    data->Present(data->ClientRect());
}

QImage& CWnd::Surface() {
    WindowData* data = Data();
    return data ? data->Surface() : g_noSurface;
}

void CWnd::PresentNow() {
    if (WindowData* data = Data()) {
        data->Present(data->ClientRect());
    }
}

bool CWnd::InPaintCycle() const {
    WindowData* data = Data();
    return data && data->inPaint;
}

// --- Timers ---

UINT_PTR CWnd::SetTimer(UINT_PTR id, UINT elapseMs, void*) {
    WindowData* data = Data();
    if (!data) {
        return 0;
    }
    QTimer*& timer = data->timers[id];
    if (!timer) {
        timer = new QTimer();
        HWND self = m_hWnd;
        QObject::connect(timer, &QTimer::timeout, [self, id] { ::SendMessage(self, WM_TIMER, id); });
    }
    timer->start(static_cast<int>(std::max(elapseMs, 1u)));
    return id;
}

BOOL CWnd::KillTimer(UINT_PTR id) {
    WindowData* data = Data();
    if (!data) {
        return FALSE;
    }
    auto it = data->timers.find(id);
    if (it == data->timers.end()) {
        return FALSE;
    }
    it->second->stop();
    it->second->deleteLater();
    data->timers.erase(it);
    return TRUE;
}

bool CWnd::IsTimerRunning(UINT_PTR id) const {
    WindowData* data = Data();
    if (!data) {
        return false;
    }
    auto it = data->timers.find(id);
    return it != data->timers.end() && it->second->isActive();
}

// --- Icon, font ---

HICON CWnd::SetIcon(HICON icon, BOOL bigIcon) {
    return reinterpret_cast<HICON>(
        SendMessage(WM_SETICON, bigIcon ? ICON_BIG : ICON_SMALL, reinterpret_cast<LPARAM>(icon)));
}

HICON CWnd::GetIcon(BOOL bigIcon) const {
    WindowData* data = Data();
    if (!data) {
        return nullptr;
    }
    return bigIcon ? data->iconBig : data->iconSmall;
}

void CWnd::SetFont(HFONT font, BOOL redraw) {
    SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(font), MAKELPARAM(redraw ? 1 : 0, 0));
}

HFONT CWnd::GetFont() const {
    return reinterpret_cast<HFONT>(::SendMessage(m_hWnd, WM_GETFONT));
}

QWidget* CWnd::Widget() const {
    WindowData* data = Data();
    return data ? data->widget.data() : nullptr;
}

// --- Default processing of every window ---

LRESULT GenericDefWindowProc(CWnd& wnd, UINT message, WPARAM wParam, LPARAM lParam) {
    WindowData* data = WindowData::Lookup(wnd.m_hWnd);
    if (!data) {
        return 0;
    }
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT paint;
        wnd.BeginPaint(&paint);
        wnd.EndPaint(&paint);
        return 0;
    }
    case WM_ERASEBKGND:
        return 0; // no class background: the area stays as BeginPaint left it
    case WM_SETCURSOR: {
        // A parent may set the cursor for its children; else the arrow.
        if (data->IsChild() && data->parent &&
            ::SendMessage(data->parent->handle, WM_SETCURSOR, wParam, lParam)) {
            return TRUE;
        }
        if (LOWORD(static_cast<std::uintptr_t>(lParam)) == HTCLIENT) {
            ::SetCursor(LoadStandardCursor(IDC_ARROW));
        }
        return FALSE;
    }
    case WM_NCLBUTTONDOWN:
        if (wParam == HTCAPTION) {
            if (CWnd* top = wnd.GetTopLevelParent()) {
                StartWindowMove(top->Widget());
            }
        }
        return 0;
    case WM_CLOSE:
        wnd.DestroyWindow();
        return 0;
    case WM_SETTEXT: {
        data->text = lParam ? std::u16string(reinterpret_cast<const char16_t*>(lParam)) : std::u16string();
        if (!data->IsChild() && data->widget) {
            data->widget->setWindowTitle(QString::fromStdU16String(data->text));
        }
        return TRUE;
    }
    case WM_GETTEXT: {
        auto* buffer = reinterpret_cast<char16_t*>(lParam);
        if (!buffer || wParam == 0) {
            return 0;
        }
        std::size_t count = std::min<std::size_t>(wParam - 1, data->text.size());
        std::copy_n(data->text.data(), count, buffer);
        buffer[count] = u'\0';
        return static_cast<LRESULT>(count);
    }
    case WM_GETTEXTLENGTH:
        return static_cast<LRESULT>(data->text.size());
    case WM_SETFONT:
        data->font = reinterpret_cast<HFONT>(wParam);
        if (LOWORD(static_cast<std::uintptr_t>(lParam))) {
            wnd.Invalidate(TRUE);
        }
        return 0;
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(data->font);
    case WM_SETICON: {
        HICON& slot = wParam == ICON_BIG ? data->iconBig : data->iconSmall;
        HICON previous = slot;
        slot = reinterpret_cast<HICON>(lParam);
        if (!data->IsChild() && data->widget) {
            data->widget->setWindowIcon(IconOf(data->iconBig ? data->iconBig : data->iconSmall));
        }
        return reinterpret_cast<LRESULT>(previous);
    }
    case WM_GETICON:
        return reinterpret_cast<LRESULT>(wParam == ICON_BIG ? data->iconBig : data->iconSmall);
    case WM_NCHITTEST:
        return HTCLIENT;
    default:
        return 0;
    }
}

// --- Functions on handles ---

LRESULT SendMessage(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (!WindowData::IsUiThread()) {
        MessageDispatcher* dispatcher = MessageDispatcher::Instance();
        return dispatcher ? dispatcher->SendFromOtherThread(hWnd, message, wParam, lParam) : 0;
    }
    CWnd* wnd = CWnd::FromHandle(hWnd);
    return wnd ? wnd->Dispatch(message, wParam, lParam) : 0;
}

BOOL PostMessage(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    MessageDispatcher* dispatcher = MessageDispatcher::Instance();
    return dispatcher && dispatcher->Post(hWnd, message, wParam, lParam) ? TRUE : FALSE;
}

BOOL IsWindow(HWND hWnd) {
    return WindowData::Exists(hWnd) ? TRUE : FALSE;
}

BOOL ReleaseCapture() {
    HWND previous = WindowData::s_capture;
    WindowData::s_capture = nullptr;
    if (previous) {
        ::SendMessage(previous, WM_CAPTURECHANGED, 0, 0);
    }
    return TRUE;
}

void PostQuitMessage(int exitCode) {
    if (MessageDispatcher* dispatcher = MessageDispatcher::EnsureCreated()) {
        dispatcher->RequestQuit(exitCode);
    }
}

void ServePendingSends() {
    if (MessageDispatcher* dispatcher = MessageDispatcher::Instance()) {
        dispatcher->ServePendingSends();
    }
}

BOOL GetCursorPos(POINT* point) {
    if (!point) {
        return FALSE;
    }
    QPoint pos = QCursor::pos();
    *point = POINT{pos.x(), pos.y()};
    return TRUE;
}

std::vector<HWND> EnumTopLevelWindows() {
    std::vector<HWND> result;
    for (HWND handle : WindowData::AllHandles()) {
        WindowData* data = WindowData::Lookup(handle);
        if (data && !data->IsChild()) {
            result.push_back(handle);
        }
    }
    return result;
}

HWND FindTopLevelWindowWithProp(std::u16string_view name) {
    for (HWND handle : EnumTopLevelWindows()) {
        CWnd* wnd = CWnd::FromHandle(handle);
        if (wnd && wnd->GetProp(name) != 0) {
            return handle;
        }
    }
    return nullptr;
}

BOOL DispatchInputMessage(MSG* msg) {
    if (!msg || !IsWindow(msg->hwnd)) {
        return FALSE;
    }
    // From the window that gets the message up to its top-level window, each may take it first.
    for (HWND handle = msg->hwnd; handle;) {
        CWnd* wnd = CWnd::FromHandle(handle);
        if (!wnd) {
            break;
        }
        if (wnd->PreTranslateMessage(msg)) {
            return TRUE;
        }
        WindowData* data = WindowData::Lookup(handle);
        if (!data || !data->IsChild() || !data->parent) {
            break;
        }
        handle = data->parent->handle;
    }
    ::SendMessage(msg->hwnd, msg->message, msg->wParam, msg->lParam);
    return FALSE;
}
