#include "platform/gui/WindowData.h"

#include "platform/gui/MessageDispatcher.h"
#include "platform/gui/SystemMetrics.h"
#include "platform/gui/WindowClass.h"
#include "platform/gui/WindowWidget.h"

#include <QApplication>
#include <QPainter>
#include <QPalette>
#include <QThread>
#include <QTimer>
#include <mutex>

namespace {

std::mutex g_registryMutex;
std::map<HWND, std::unique_ptr<WindowData>> g_registry; // ordered by handle: creation order
std::uintptr_t g_nextHandle = 0x10010;

} // namespace

HWND WindowData::s_focus = nullptr;
HWND WindowData::s_capture = nullptr;

WindowData::WindowData(HWND h, std::u16string_view name)
    : handle(h), className(name), windowClass(MakeWindowClass(name)) {}

WindowData::~WindowData() {
    for (auto& [id, timer] : timers) {
        timer->stop();
        timer->deleteLater();
    }
}

WindowData* WindowData::Register(std::u16string_view name) {
    std::lock_guard lock(g_registryMutex);
    // Handles are never reused, so a stale handle can only name nothing.
    HWND handle = reinterpret_cast<HWND>(g_nextHandle);
    g_nextHandle += 4;
    auto data = std::make_unique<WindowData>(handle, name);
    WindowData* raw = data.get();
    g_registry.emplace(handle, std::move(data));
    return raw;
}

WindowData* WindowData::Lookup(HWND handle) {
    if (!handle) {
        return nullptr;
    }
    std::lock_guard lock(g_registryMutex);
    auto it = g_registry.find(handle);
    return it == g_registry.end() ? nullptr : it->second.get();
}

bool WindowData::Exists(HWND handle) {
    return Lookup(handle) != nullptr;
}

void WindowData::Unregister(HWND handle) {
    std::unique_ptr<WindowData> dying;
    {
        std::lock_guard lock(g_registryMutex);
        auto it = g_registry.find(handle);
        if (it == g_registry.end()) {
            return;
        }
        dying = std::move(it->second);
        g_registry.erase(it);
    }
    if (MessageDispatcher* dispatcher = MessageDispatcher::Instance()) {
        dispatcher->ReleasePendingSends(handle);
    }
}

std::vector<HWND> WindowData::AllHandles() {
    std::lock_guard lock(g_registryMutex);
    std::vector<HWND> handles;
    for (const auto& [handle, data] : g_registry) {
        handles.push_back(handle);
    }
    return handles;
}

bool WindowData::IsUiThread() {
    QCoreApplication* app = QCoreApplication::instance();
    return !app || QThread::currentThread() == app->thread();
}

bool WindowData::IsVisibleChain() const {
    for (const WindowData* data = this; data; data = data->IsChild() ? data->parent : nullptr) {
        if (!(data->style & WS_VISIBLE)) {
            return false;
        }
    }
    return true;
}

void WindowData::Invalidate(const QRegion& region, bool erase) {
    QRegion clipped = region & ClientRect();
    if (clipped.isEmpty()) {
        return;
    }
    updateRegion += clipped;
    eraseNeeded = eraseNeeded || erase;
    // A parent that does not clip its children paints over them, so they paint again after it.
    if (!(style & WS_CLIPCHILDREN)) {
        for (WindowData* child : children) {
            if (!child->IsChild() || !(child->style & WS_VISIBLE) || !child->widget) {
                continue;
            }
            QRegion inChild = clipped.translated(-child->widget->pos());
            child->Invalidate(inChild, erase);
        }
    }
    SchedulePaint();
}

void WindowData::SchedulePaint() {
    if (paintPosted) {
        return;
    }
    if (MessageDispatcher* dispatcher = MessageDispatcher::Instance()) {
        paintPosted = true;
        dispatcher->PostPaint(handle);
    }
}

void WindowData::DeliverPaint() {
    if (updateRegion.isEmpty() || inPaint || !IsVisibleChain() || !owner) {
        return;
    }
    HWND self = handle;
    ::SendMessage(self, WM_PAINT);
    WindowData* data = Lookup(self);
    if (!data || data->updateRegion.isEmpty()) {
        return;
    }
    // The handler painted nothing and did not validate: the area counts as painted anyway, as
    // otherwise it would be asked for again and again.
    QRegion left = data->updateRegion;
    data->updateRegion = QRegion();
    data->eraseNeeded = false;
    data->Present(left);
}

void WindowData::Present(const QRegion& region) {
    if (inPaint) {
        presentPending = true;
        return;
    }
    if (!widget || !widget->isVisible()) {
        return;
    }
    widget->repaint(region);
}

QImage& WindowData::Surface() {
    if (surface.isNull() && !surfaceSize.isEmpty()) {
        surface = QImage(surfaceSize, QImage::Format_ARGB32_Premultiplied);
        surface.fill(Qt::transparent);
    }
    return surface;
}

void WindowData::ResizeSurface(QSize size) {
    size = size.expandedTo(QSize(0, 0));
    if (surfaceSize == size) {
        return;
    }
    surfaceSize = size;
    if (!surface.isNull()) {
        QImage resized(size, QImage::Format_ARGB32_Premultiplied);
        resized.fill(Qt::transparent);
        if (!resized.isNull()) {
            QPainter painter(&resized);
            painter.setCompositionMode(QPainter::CompositionMode_Source);
            painter.drawImage(0, 0, surface);
        }
        surface = resized;
    }
    updateRegion &= ClientRect();
    if (windowClass) {
        if (CWnd* wnd = owner) {
            windowClass->OnStateChanged(*wnd);
        }
    }
    ::SendMessage(handle, WM_SIZE, 0,
                  MAKELPARAM(static_cast<WORD>(size.width()), static_cast<WORD>(size.height())));
}

void WindowData::ApplyMouseTransparency() {
    if (!widget || !windowClass) {
        return;
    }
    widget->setAttribute(Qt::WA_TransparentForMouseEvents, windowClass->TransparentToMouse(style));
}

QColor DialogFaceColor() {
    COLORREF face = GetSysColor(COLOR_BTNFACE);
    return QColor(GetRValue(face), GetGValue(face), GetBValue(face));
}

void FillPaintRegion(WindowData& data, const QColor& color) {
    QImage& surface = data.Surface();
    if (surface.isNull()) {
        return;
    }
    QPainter painter(&surface);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    QRegion region = data.inPaint ? data.paintRegion : data.ClientRect();
    for (const QRect& rect : region) {
        painter.fillRect(rect, color);
    }
}
