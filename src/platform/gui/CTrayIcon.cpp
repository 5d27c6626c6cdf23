#include "platform/gui/CTrayIcon.h"

#include "platform/gui/CWnd.h"
#include "platform/gui/GuiHandles.h"
#include "platform/gui/Resources.h"

#include <QCoreApplication>
#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QSystemTrayIcon>
#include <algorithm>
#include <map>
#include <utility>

namespace {

constexpr int kProgramIconId = 128;

using IconKey = std::pair<HWND, UINT>;

std::map<IconKey, std::unique_ptr<CTrayIcon>>& Icons() {
    static std::map<IconKey, std::unique_ptr<CTrayIcon>> icons;
    return icons;
}

// Icons still shown when the application object goes (a window that never got its destroy
// message) must go before it: a status icon cannot outlive it.
void RemoveAllIcons() {
    Icons().clear();
}

// The text up to its terminator, never past the field.
std::u16string TipOf(const NOTIFYICONDATAW& data) {
    const char16_t* begin = data.szTip;
    const char16_t* end = std::find(begin, begin + NOTIFYICON_TIP_CAPACITY, u'\0');
    return std::u16string(begin, end);
}

QIcon ProgramIcon() {
    const auto bytes = LoadResourceData(kProgramIconId, u"ICON");
    QImage image;
    if (bytes) {
        image.loadFromData(bytes->data(), static_cast<int>(bytes->size()));
    }
    return image.isNull() ? QIcon() : QIcon(QPixmap::fromImage(image));
}

QIcon IconFor(HICON handle) {
    const QIcon icon = IconOf(handle);
    if (!icon.isNull()) {
        return icon;
    }
    // Without a usable handle the program's own icon stands in: a blank tray slot cannot be found.
    return ProgramIcon();
}

} // namespace

CTrayIcon::CTrayIcon(const NOTIFYICONDATAW& data)
    : m_hWnd(data.hWnd), m_id(data.uID), m_icon(std::make_unique<QSystemTrayIcon>()) {
    QObject::connect(
        m_icon.get(), &QSystemTrayIcon::activated,
        [this](QSystemTrayIcon::ActivationReason reason) { OnActivated(static_cast<int>(reason)); });
    Modify(data);
    if (m_icon->icon().isNull()) {
        m_icon->setIcon(ProgramIcon());
    }
    m_icon->show();
}

CTrayIcon::~CTrayIcon() {
    m_icon->hide();
}

void CTrayIcon::Modify(const NOTIFYICONDATAW& data) {
    if ((data.uFlags & NIF_MESSAGE) != 0) {
        m_callbackMessage = data.uCallbackMessage;
    }
    if ((data.uFlags & NIF_ICON) != 0) {
        m_icon->setIcon(IconFor(data.hIcon));
    }
    if ((data.uFlags & NIF_TIP) != 0) {
        m_tip = TipOf(data);
        m_icon->setToolTip(QString::fromUtf16(m_tip.data(), static_cast<qsizetype>(m_tip.size())));
    }
}

std::u16string_view CTrayIcon::ToolTipForTesting() const {
    return m_tip;
}

void CTrayIcon::ActivateForTesting(int reason) {
    OnActivated(reason);
}

void CTrayIcon::OnActivated(int reason) {
    switch (static_cast<QSystemTrayIcon::ActivationReason>(reason)) {
    case QSystemTrayIcon::Trigger:
        Notify(WM_LBUTTONUP);
        break;
    case QSystemTrayIcon::DoubleClick:
        // The desktop reports a double click as a second press; the program hears both releases.
        Notify(WM_LBUTTONDBLCLK);
        Notify(WM_LBUTTONUP);
        break;
    case QSystemTrayIcon::Context:
        Notify(WM_RBUTTONUP);
        break;
    case QSystemTrayIcon::MiddleClick:
        Notify(WM_MBUTTONUP);
        break;
    default:
        break;
    }
}

// Posted, not sent: the click is handled from the window's queue, after the tray's own event,
// so a popup opened by the handler does not run inside the tray's mouse handling.
void CTrayIcon::Notify(UINT mouseMessage) const {
    if (m_callbackMessage == 0 || !::IsWindow(m_hWnd)) {
        return;
    }
    ::PostMessage(m_hWnd, m_callbackMessage, m_id, static_cast<LPARAM>(mouseMessage));
}

BOOL Shell_NotifyIconW(DWORD message, const NOTIFYICONDATAW* data) {
    if (!data) {
        return FALSE;
    }
    auto& icons = Icons();
    const IconKey key{data->hWnd, data->uID};
    const auto it = icons.find(key);
    switch (message) {
    case NIM_ADD:
        if (it != icons.end()) {
            return FALSE;
        }
        static const bool cleanupRegistered = [] {
            qAddPostRoutine(RemoveAllIcons);
            return true;
        }();
        (void)cleanupRegistered;
        icons.emplace(key, std::make_unique<CTrayIcon>(*data));
        return IsNotificationAreaAvailable();
    case NIM_MODIFY:
        if (it == icons.end()) {
            return FALSE;
        }
        it->second->Modify(*data);
        return TRUE;
    case NIM_DELETE:
        if (it == icons.end()) {
            return FALSE;
        }
        icons.erase(it);
        return TRUE;
    default:
        return FALSE;
    }
}

BOOL IsNotificationAreaAvailable() {
    return QSystemTrayIcon::isSystemTrayAvailable() ? TRUE : FALSE;
}

CTrayIcon* FindTrayIconForTesting(HWND hWnd, UINT id) {
    auto& icons = Icons();
    const auto it = icons.find(IconKey{hWnd, id});
    return it == icons.end() ? nullptr : it->second.get();
}
