#pragma once

// Small fixtures of the controls' tests: decoded test images, a skinned parent window that hands
// its composed picture to its buttons and records what its children tell it, and pixel reading.

#include "platform/gui/CBitmap.h"
#include "platform/gui/CDC.h"
#include "platform/gui/CPaintDC.h"
#include "platform/gui/CWnd.h"
#include "platform/gui/Image.h"
#include "ui/controls/CLumButton.h"
#include "ui/controls/CLumStatic.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QEvent>
#include <QImage>
#include <QWidget>
#include <functional>
#include <memory>
#include <vector>

namespace controls_test {

inline COLORREF ToColorRef(QRgb rgb) {
    return RGB(static_cast<BYTE>(qRed(rgb)), static_cast<BYTE>(qGreen(rgb)), static_cast<BYTE>(qBlue(rgb)));
}

// A PNG of one colour with the given alpha (0-255), decoded like the skin's images.
inline std::unique_ptr<Image> SolidImage(int width, int height, COLORREF colour, int alpha = 255) {
    QImage image(width, height, QImage::Format_ARGB32);
    image.fill(QColor(GetRValue(colour), GetGValue(colour), GetBValue(colour), alpha));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return Image::FromPng(std::span(reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                                    static_cast<std::size_t>(bytes.size())));
}

// The colour the skin has at a parent pixel: every pixel differs, so a copy taken from the wrong
// place shows.
inline COLORREF SkinColour(int x, int y) {
    return RGB(static_cast<BYTE>(40 + x % 200), static_cast<BYTE>(30 + y % 200), 90);
}

struct Received {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    UINT notifyCode = 0;
};

// A top-level window painted with SkinColour, composed off screen and handed to its buttons.
class SkinnedParent : public CWnd {
public:
    bool Create(int width, int height) {
        return CreateEx(0, kWindowClassPlain, u"test parent", WS_POPUP | WS_VISIBLE,
                        RECT{0, 0, width, height}, nullptr, 0) != FALSE;
    }
    std::vector<CLumButton*> buttons;
    std::vector<Received> received;
    bool paintSkin = true;

    int Count(UINT message) const {
        int n = 0;
        for (const auto& r : received) {
            n += r.message == message ? 1 : 0;
        }
        return n;
    }

protected:
    void OnPaint() override {
        CPaintDC dc(this);
        if (!paintSkin) {
            return;
        }
        RECT client;
        GetClientRect(&client);
        CDC mem;
        mem.CreateCompatibleDC(&dc);
        CBitmap bitmap;
        bitmap.CreateCompatibleBitmap(&dc, client.right, client.bottom);
        CBitmap* old = mem.SelectObject(&bitmap);
        for (int y = 0; y < client.bottom; ++y) {
            for (int x = 0; x < client.right; ++x) {
                mem.FillSolidRect(x, y, 1, 1, SkinColour(x, y));
            }
        }
        for (CLumButton* button : buttons) {
            button->CopyParentBackground(&mem);
        }
        dc.BitBlt(0, 0, client.right, client.bottom, &mem, 0, 0, SRCCOPY);
        mem.SelectObject(old);
    }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_COMMAND || message == WM_NOTIFY || message == WM_MOUSEMOVE) {
            Received r{message, wParam, lParam};
            if (message == WM_NOTIFY) {
                r.notifyCode = reinterpret_cast<const LumNotifyHeader*>(lParam)->code;
            }
            received.push_back(r);
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

// Keeps the desktop's own pointer events away from the windows while it lives. The tests move the
// pointer (the hover timer polls its position) and hand the controls their mouse messages
// themselves; on the offscreen desktop moving the pointer also produces a move event without the
// held button, which would stand for a pointer story no user can make.
class PointerEventShield : public QObject {
public:
    PointerEventShield() { QCoreApplication::instance()->installEventFilter(this); }
    ~PointerEventShield() override { QCoreApplication::instance()->removeEventFilter(this); }

protected:
    bool eventFilter(QObject* /*watched*/, QEvent* event) override {
        switch (event->type()) {
        case QEvent::MouseMove:
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::Enter:
        case QEvent::Leave:
        case QEvent::HoverMove:
        case QEvent::HoverEnter:
        case QEvent::HoverLeave:
            return event->spontaneous();
        default:
            return false;
        }
    }
};

// What the window shows on screen, children composed over it by the desktop.
inline QImage Grab(CWnd& wnd) {
    QCoreApplication::processEvents();
    return wnd.Widget()->grab().toImage().convertToFormat(QImage::Format_ARGB32);
}

inline COLORREF PixelAt(const QImage& image, int x, int y) {
    return ToColorRef(image.pixel(x, y));
}

// Channel-wise distance, for colours that went through blending and rounding.
inline int ColourDistance(COLORREF a, COLORREF b) {
    return std::max({std::abs(GetRValue(a) - GetRValue(b)), std::abs(GetGValue(a) - GetGValue(b)),
                     std::abs(GetBValue(a) - GetBValue(b))});
}

} // namespace controls_test
