#include "platform/gui/PopupMenuWidget.h"

#include "platform/gui/CBrush.h"
#include "platform/gui/CDC.h"
#include "platform/gui/CFont.h"
#include "platform/gui/CMenu.h"
#include "platform/gui/CSurfaceDC.h"
#include "platform/gui/CWnd.h"
#include "platform/gui/MenuRegistry.h"
#include "platform/gui/SystemMetrics.h"

#include <QCloseEvent>
#include <QEventLoop>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QScreen>
#include <QTimer>
#include <algorithm>
#include <utility>

namespace {

// The raised frame around the items, as the desktop's classic menus have it.
constexpr int kBorder = 3;
// Pixels the pointer must travel before a button release may choose an item: a popup opened by a
// button press (the tray reports the press on some desktops) must not take that button's own
// release as a choice.
constexpr int kArmDistance = 3;

// Sends one measure or draw request to the owner. Its default handling routes it to the menu
// object (RouteMenuOwnerDraw); when the owner is gone or does not route it, it is routed here, so
// an owner-drawn item is never left unmeasured or blank.
void SendOwnerDraw(CWnd* owner, UINT message, HMENU menu, const void* request) {
    menu_registry::OwnerDrawRequest current{menu, request, false};
    menu_registry::OwnerDrawRequest*& slot = menu_registry::CurrentOwnerDrawRequest();
    menu_registry::OwnerDrawRequest* const saved = std::exchange(slot, &current);
    const auto lParam = reinterpret_cast<LPARAM>(request);
    if (owner && owner->IsWindow()) {
        owner->SendMessage(message, 0, lParam);
    }
    if (!current.routed) {
        RouteMenuOwnerDraw(message, lParam);
    }
    slot = saved;
}

std::u16string_view LabelOf(std::u16string_view text) {
    return text.substr(0, text.find(u'\t'));
}

std::u16string_view AcceleratorOf(std::u16string_view text) {
    const std::size_t tab = text.find(u'\t');
    return tab == std::u16string_view::npos ? std::u16string_view() : text.substr(tab + 1);
}

std::function<void()>& NextShowStep() {
    static std::function<void()> step;
    return step;
}

PopupMenuWidget*& InnermostPopup() {
    static PopupMenuWidget* innermost = nullptr;
    return innermost;
}

} // namespace

struct PopupMenuWidget::Tracking {
    CWnd* owner = nullptr;
    UINT flags = 0;
    UINT command = 0;
    bool finished = false;
    bool armed = false;
    QPoint openedAt;
    QEventLoop* loop = nullptr;
};

BOOL PopupMenuWidget::Track(HMENU menu, UINT flags, POINT at, CWnd* owner) {
    static bool tracking = false;
    const MenuRecord* record = menu_registry::Find(menu);
    if (tracking || !record || record->items.empty()) {
        return FALSE;
    }
    tracking = true;
    QEventLoop loop;
    Tracking state;
    state.owner = owner;
    state.flags = flags;
    state.loop = &loop;
    state.openedAt = QPoint(at.x, at.y);
    // The owner may be destroyed while the popup is open (a quit request served by the loop).
    const HWND ownerHandle = owner ? owner->GetSafeHwnd() : nullptr;
    {
        std::unique_ptr<PopupMenuWidget> popup(new PopupMenuWidget(menu, &state, nullptr));
        popup->PlaceAt(state.openedAt, flags);
        popup->show();
        popup->activateWindow();
        if (std::function<void()> step = std::exchange(NextShowStep(), nullptr)) {
            QTimer::singleShot(0, &loop, std::move(step));
        }
        if (!state.finished) {
            loop.exec();
        }
    }
    tracking = false;
    const UINT command = state.command;
    if ((flags & TPM_RETURNCMD) != 0) {
        return static_cast<BOOL>(command);
    }
    // The command reaches the owner after the popup has gone, through its queue, as a chosen
    // menu item does on the desktop.
    if (command != 0 && ownerHandle && ::IsWindow(ownerHandle)) {
        ::PostMessage(ownerHandle, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(command), 0), 0);
    }
    return TRUE;
}

void PopupMenuWidget::OnNextShowForTesting(std::function<void()> step) {
    NextShowStep() = std::move(step);
}

PopupMenuWidget* PopupMenuWidget::Innermost() {
    return InnermostPopup();
}

PopupMenuWidget::PopupMenuWidget(HMENU menu, Tracking* tracking, PopupMenuWidget* parentPopup)
    : QWidget(nullptr, Qt::Popup | Qt::FramelessWindowHint | Qt::NoDropShadowWindowHint), m_menu(menu),
      m_tracking(tracking), m_parentPopup(parentPopup) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    InnermostPopup() = this;
    Measure();
    Render();
}

PopupMenuWidget::~PopupMenuWidget() {
    m_child.reset();
    if (InnermostPopup() == this) {
        InnermostPopup() = m_parentPopup;
    }
}

RECT PopupMenuWidget::ItemRect(int item) const {
    if (item < 0 || static_cast<std::size_t>(item) >= m_itemRects.size()) {
        return RECT{};
    }
    return m_itemRects[static_cast<std::size_t>(item)];
}

void PopupMenuWidget::Measure() {
    MenuRecord* record = menu_registry::Find(m_menu);
    m_itemRects.clear();
    if (!record) {
        return;
    }
    CFont font;
    font.CreateStockObject(DEFAULT_GUI_FONT);
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    dc.SelectObject(&font);
    int width = 0;
    int top = kBorder;
    for (std::size_t i = 0; i < record->items.size(); ++i) {
        const MenuItem item = record->items[i];
        int itemWidth = 0;
        int itemHeight = 0;
        if ((item.flags & MF_OWNERDRAW) != 0) {
            MEASUREITEMSTRUCT measure;
            measure.CtlType = ODT_MENU;
            measure.itemID = static_cast<UINT>(item.IsPopup() ? 0xFFFFFFFF : item.id);
            measure.itemData = item.itemData;
            SendOwnerDraw(m_tracking->owner, WM_MEASUREITEM, m_menu, &measure);
            // The desktop's menus add the check-mark width less one to what the owner asks for;
            // owner-drawn looks are made with that margin in mind (a bold item measured in the
            // normal weight still fits).
            itemWidth = static_cast<int>(measure.itemWidth) +
                        LOWORD(static_cast<std::uintptr_t>(GetMenuCheckMarkDimensions())) - 1;
            itemHeight = static_cast<int>(measure.itemHeight);
            // The request may have changed the menu; look the record up again.
            record = menu_registry::Find(m_menu);
            if (!record) {
                return;
            }
        } else if (item.IsSeparator()) {
            itemHeight = GetSystemMetrics(SM_CYMENU) / 2;
        } else {
            const SIZE label = dc.GetTextExtent(LabelOf(item.text));
            const SIZE accelerator = dc.GetTextExtent(AcceleratorOf(item.text));
            // Room for the check mark on the left, the submenu arrow or a gap on the right.
            itemWidth = 20 + label.cx + (accelerator.cx > 0 ? 16 + accelerator.cx : 0) + 20;
            itemHeight = std::max(GetSystemMetrics(SM_CYMENU), static_cast<int>(label.cy) + 4);
        }
        width = std::max(width, itemWidth);
        m_itemRects.push_back(RECT{kBorder, top, kBorder, top + std::max(itemHeight, 0)});
        top += std::max(itemHeight, 0);
    }
    for (RECT& rect : m_itemRects) {
        rect.right = kBorder + width;
    }
    const QSize size(width + 2 * kBorder, top + kBorder);
    setFixedSize(size);
    m_surface = QImage(size, QImage::Format_ARGB32_Premultiplied);
}

void PopupMenuWidget::Render() {
    if (m_surface.isNull()) {
        return;
    }
    {
        CSurfaceDC dc(m_surface);
        RECT frame{0, 0, m_surface.width(), m_surface.height()};
        dc.FillSolidRect(frame, GetSysColor(COLOR_MENU));
        dc.DrawEdge(&frame, EDGE_RAISED, BF_RECT);
    }
    for (std::size_t i = 0; i < m_itemRects.size(); ++i) {
        DrawItem(static_cast<int>(i));
    }
    update();
}

void PopupMenuWidget::DrawItem(int index) {
    const MenuRecord* record = menu_registry::Find(m_menu);
    if (!record || index < 0 || static_cast<std::size_t>(index) >= record->items.size() ||
        static_cast<std::size_t>(index) >= m_itemRects.size()) {
        return;
    }
    const MenuItem item = record->items[static_cast<std::size_t>(index)];
    const RECT rect = m_itemRects[static_cast<std::size_t>(index)];
    UINT state = 0;
    if (index == m_hot) {
        state |= ODS_SELECTED;
    }
    if ((item.flags & MF_GRAYED) != 0) {
        state |= ODS_GRAYED;
    }
    if ((item.flags & MF_DISABLED) != 0) {
        state |= ODS_DISABLED;
    }
    if ((item.flags & MF_CHECKED) != 0) {
        state |= ODS_CHECKED;
    }
    CSurfaceDC dc(m_surface);
    dc.IntersectClipRect(rect);
    if ((item.flags & MF_OWNERDRAW) != 0) {
        DRAWITEMSTRUCT draw;
        draw.CtlType = ODT_MENU;
        draw.itemID = static_cast<UINT>(item.IsPopup() ? 0xFFFFFFFF : item.id);
        draw.itemAction = ODA_DRAWENTIRE;
        draw.itemState = state;
        draw.hwndItem = reinterpret_cast<HWND>(m_menu);
        draw.hDC = dc.GetSafeHdc();
        draw.rcItem = rect;
        draw.itemData = item.itemData;
        SendOwnerDraw(m_tracking->owner, WM_DRAWITEM, m_menu, &draw);
    } else {
        DrawPlainItem(index, m_tracking->owner, rect, state);
    }
    if (item.IsPopup()) {
        // The submenu arrow, drawn by the platform for every kind of item.
        const COLORREF color =
            GetSysColor((state & ODS_SELECTED) != 0 && (item.flags & MF_OWNERDRAW) == 0 ? COLOR_HIGHLIGHTTEXT
                                                                                        : COLOR_MENUTEXT);
        const int x = rect.right - 10;
        const int middle = rect.top + rect.Height() / 2;
        for (int column = 0; column < 4; ++column) {
            dc.FillSolidRect(x + column, middle - 3 + column, 1, 7 - 2 * column, color);
        }
    }
}

void PopupMenuWidget::DrawPlainItem(int index, CWnd* /*owner*/, const RECT& rect, UINT state) {
    const MenuRecord* record = menu_registry::Find(m_menu);
    const MenuItem& item = record->items[static_cast<std::size_t>(index)];
    CSurfaceDC dc(m_surface);
    if (item.IsSeparator()) {
        dc.FillSolidRect(rect, GetSysColor(COLOR_MENU));
        RECT line{rect.left + 1, rect.top + rect.Height() / 2, rect.right - 1, rect.bottom};
        dc.DrawEdge(&line, EDGE_ETCHED, BF_TOP);
        return;
    }
    const bool selected = (state & ODS_SELECTED) != 0;
    const bool grayed = (state & (ODS_GRAYED | ODS_DISABLED)) != 0;
    dc.FillSolidRect(rect, GetSysColor(selected ? COLOR_HIGHLIGHT : COLOR_MENU));
    COLORREF textColor = GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_MENUTEXT);
    if (grayed) {
        textColor = GetSysColor(COLOR_GRAYTEXT);
    }
    if ((state & ODS_CHECKED) != 0) {
        const int x = rect.left + 6;
        const int y = rect.top + (rect.Height() - 7) / 2;
        constexpr int kTick[7] = {2, 3, 4, 3, 2, 1, 0};
        for (int column = 0; column < 7; ++column) {
            dc.FillSolidRect(x + column, y + kTick[column], 1, 3, textColor);
        }
    }
    CFont font;
    font.CreateStockObject(DEFAULT_GUI_FONT);
    dc.SelectObject(&font);
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(textColor);
    RECT textRect{rect.left + 20, rect.top, rect.right - 16, rect.bottom};
    dc.DrawText(LabelOf(item.text), &textRect, DT_SINGLELINE | DT_VCENTER | DT_LEFT);
    dc.DrawText(AcceleratorOf(item.text), &textRect, DT_SINGLELINE | DT_VCENTER | DT_RIGHT);
}

void PopupMenuWidget::PlaceAt(QPoint at, UINT flags) {
    const QSize size = this->size();
    int x = at.x();
    int y = at.y();
    if ((flags & TPM_RIGHTALIGN) != 0) {
        x -= size.width();
    } else if ((flags & TPM_CENTERALIGN) != 0) {
        x -= size.width() / 2;
    }
    if ((flags & TPM_BOTTOMALIGN) != 0) {
        y -= size.height();
    } else if ((flags & TPM_VCENTERALIGN) != 0) {
        y -= size.height() / 2;
    }
    // Kept on the screen: a popup that would leave it opens to the other side of the point, as
    // a tray popup at the bottom edge opens upwards.
    QScreen* screen = QGuiApplication::screenAt(at);
    if (!screen) {
        screen = QGuiApplication::primaryScreen();
    }
    if (screen) {
        const QRect area = screen->geometry();
        if (x + size.width() > area.right() + 1) {
            x = std::max(area.left(), at.x() - size.width());
        }
        if (y + size.height() > area.bottom() + 1) {
            y = std::max(area.top(), at.y() - size.height());
        }
        x = std::max(x, area.left());
        y = std::max(y, area.top());
    }
    move(x, y);
}

void PopupMenuWidget::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(0, 0, m_surface);
}

int PopupMenuWidget::ItemAt(QPoint local) const {
    for (std::size_t i = 0; i < m_itemRects.size(); ++i) {
        const RECT& r = m_itemRects[i];
        if (PtInRect(&r, POINT{local.x(), local.y()})) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

bool PopupMenuWidget::IsSelectable(int item) const {
    const MenuRecord* record = menu_registry::Find(m_menu);
    if (!record || item < 0 || static_cast<std::size_t>(item) >= record->items.size()) {
        return false;
    }
    return !record->items[static_cast<std::size_t>(item)].IsSeparator();
}

void PopupMenuWidget::SetHot(int item) {
    if (!IsSelectable(item)) {
        item = -1;
    }
    if (item == m_hot) {
        return;
    }
    const int previous = m_hot;
    m_hot = item;
    DrawItem(previous);
    DrawItem(m_hot);
    update();
}

// Up and Down walk the items that can be highlighted, round the ends.
void PopupMenuWidget::MoveHot(int step) {
    const int count = static_cast<int>(m_itemRects.size());
    if (count == 0) {
        return;
    }
    int item = m_hot;
    for (int tries = 0; tries < count; ++tries) {
        if (item < 0) {
            item = step > 0 ? 0 : count - 1;
        } else {
            item = (item + step + count) % count;
        }
        if (IsSelectable(item)) {
            SetHot(item);
            return;
        }
    }
}

void PopupMenuWidget::OpenSubmenu(int item, bool selectFirst) {
    const MenuRecord* record = menu_registry::Find(m_menu);
    if (!record || item < 0 || static_cast<std::size_t>(item) >= record->items.size()) {
        return;
    }
    const MenuItem& entry = record->items[static_cast<std::size_t>(item)];
    const UINT disabledBits = MF_GRAYED | MF_DISABLED;
    if (!entry.IsPopup() || (entry.flags & disabledBits) != 0 || m_childItem == item) {
        return;
    }
    CloseSubmenu();
    const MenuRecord* sub = menu_registry::Find(entry.Popup());
    if (!sub || sub->items.empty()) {
        return;
    }
    m_child.reset(new PopupMenuWidget(entry.Popup(), m_tracking, this));
    m_childItem = item;
    const RECT& r = m_itemRects[static_cast<std::size_t>(item)];
    m_child->PlaceAt(mapToGlobal(QPoint(r.right, r.top - kBorder)), TPM_LEFTALIGN);
    m_child->show();
    if (selectFirst) {
        m_child->MoveHot(1);
    }
}

// The submenu goes at once from the screen, its object when the event being handled is done:
// Escape or Left arrive at the submenu itself, which must not be deleted inside its own handler.
void PopupMenuWidget::CloseSubmenu() {
    if (!m_child) {
        return;
    }
    PopupMenuWidget* child = m_child.release();
    child->CloseSubmenu();
    child->m_parentPopup = nullptr; // its closing must not end the tracking
    child->hide();
    child->deleteLater();
    m_childItem = -1;
    InnermostPopup() = this;
}

PopupMenuWidget* PopupMenuWidget::LevelAt(QPoint global) {
    for (PopupMenuWidget* level = this; level; level = level->m_parentPopup) {
        if (level->geometry().contains(global)) {
            return level;
        }
    }
    return nullptr;
}

void PopupMenuWidget::Choose(int item) {
    const MenuRecord* record = menu_registry::Find(m_menu);
    if (!record || item < 0 || static_cast<std::size_t>(item) >= record->items.size()) {
        return;
    }
    const MenuItem& entry = record->items[static_cast<std::size_t>(item)];
    if (entry.IsPopup()) {
        OpenSubmenu(item, true);
        return;
    }
    // Separators, grayed and disabled items cannot be chosen; the popup stays open.
    if (entry.IsSeparator() || (entry.flags & (MF_GRAYED | MF_DISABLED)) != 0) {
        return;
    }
    Finish(static_cast<UINT>(entry.id));
}

// Ends the whole tracking, from whichever level.
void PopupMenuWidget::Finish(UINT command) {
    if (m_tracking->finished) {
        return;
    }
    m_tracking->finished = true;
    m_tracking->command = command;
    PopupMenuWidget* root = this;
    while (root->m_parentPopup) {
        root = root->m_parentPopup;
    }
    root->CloseSubmenu();
    root->hide();
    m_tracking->loop->quit();
}

// The open levels grab the pointer, so the innermost one hears every event; it hands each to the
// level under the pointer.
void PopupMenuWidget::mouseMoveEvent(QMouseEvent* event) {
    const QPoint global = event->globalPosition().toPoint();
    if ((global - m_tracking->openedAt).manhattanLength() >= kArmDistance) {
        m_tracking->armed = true;
    }
    PopupMenuWidget* level = LevelAt(global);
    if (!level) {
        // Off the popup: keep the path to an open submenu lit, else nothing is hot.
        if (m_childItem < 0) {
            SetHot(-1);
        }
        return;
    }
    level->HoverAt(level->mapFromGlobal(global));
}

void PopupMenuWidget::HoverAt(QPoint local) {
    const int item = ItemAt(local);
    if (item < 0) {
        if (m_childItem < 0) {
            SetHot(-1);
        }
        return;
    }
    SetHot(item);
    if (item != m_childItem) {
        CloseSubmenu();
        OpenSubmenu(item, false);
    }
}

void PopupMenuWidget::mousePressEvent(QMouseEvent* event) {
    const QPoint global = event->globalPosition().toPoint();
    PopupMenuWidget* level = LevelAt(global);
    if (!level) {
        // Outside every level: the popup is dismissed and the press goes nowhere.
        Finish(0);
        return;
    }
    m_tracking->armed = true;
    level->HoverAt(level->mapFromGlobal(global));
}

void PopupMenuWidget::mouseReleaseEvent(QMouseEvent* event) {
    const bool rightAllowed = (m_tracking->flags & TPM_RIGHTBUTTON) != 0;
    if (event->button() != Qt::LeftButton && !(rightAllowed && event->button() == Qt::RightButton)) {
        return;
    }
    const QPoint global = event->globalPosition().toPoint();
    if ((global - m_tracking->openedAt).manhattanLength() >= kArmDistance) {
        m_tracking->armed = true;
    }
    PopupMenuWidget* level = LevelAt(global);
    if (!m_tracking->armed || !level) {
        return;
    }
    const int item = level->ItemAt(level->mapFromGlobal(global));
    if (item >= 0) {
        level->Choose(item);
    }
}

void PopupMenuWidget::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Up:
        MoveHot(-1);
        break;
    case Qt::Key_Down:
        MoveHot(1);
        break;
    case Qt::Key_Home:
        m_hot = -1;
        MoveHot(1);
        break;
    case Qt::Key_End:
        m_hot = -1;
        MoveHot(-1);
        break;
    case Qt::Key_Right:
        OpenSubmenu(m_hot, true);
        break;
    case Qt::Key_Left:
        if (m_parentPopup) {
            m_parentPopup->CloseSubmenu();
        }
        break;
    case Qt::Key_Escape:
        // Escape closes one level; at the top it dismisses the popup.
        if (m_parentPopup) {
            m_parentPopup->CloseSubmenu();
            break;
        }
        Finish(0);
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        Choose(m_hot);
        break;
    default:
        break;
    }
}

void PopupMenuWidget::closeEvent(QCloseEvent* event) {
    // Closed from outside (a click elsewhere, the window system): the popup is dismissed.
    event->accept();
    if (m_parentPopup) {
        PopupMenuWidget* parent = m_parentPopup;
        QTimer::singleShot(0, parent, [parent] { parent->CloseSubmenu(); });
        return;
    }
    Finish(0);
}
