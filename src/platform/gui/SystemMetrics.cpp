#include "platform/gui/SystemMetrics.h"

#include "platform/gui/CBrush.h"

#include <QGuiApplication>
#include <QPalette>
#include <QScreen>
#include <array>
#include <atomic>

namespace {

constexpr int kDefaultDpi = 96;
constexpr int kColorRoleCount = 31;
// A menu line at 96 dpi: the menu font's cell plus its padding.
constexpr int kMenuLineHeight = 19;

std::atomic<int> g_dpiX{0};
std::atomic<int> g_dpiY{0};
std::atomic<bool> g_palette{false};

COLORREF ToColorRef(const QColor& color) {
    return RGB(static_cast<BYTE>(color.red()), static_cast<BYTE>(color.green()),
               static_cast<BYTE>(color.blue()));
}

QPalette CurrentPalette() {
    if (qGuiApp == nullptr) {
        return QPalette();
    }
    return QGuiApplication::palette();
}

QScreen* PrimaryScreen() {
    if (qGuiApp == nullptr) {
        return nullptr;
    }
    return QGuiApplication::primaryScreen();
}

} // namespace

COLORREF GetSysColor(int index) {
    const QPalette palette = CurrentPalette();
    switch (index) {
    case COLOR_WINDOWTEXT:
    case COLOR_MENUTEXT:
        return ToColorRef(palette.color(QPalette::Active, QPalette::WindowText));
    case COLOR_WINDOW:
        return ToColorRef(palette.color(QPalette::Active, QPalette::Base));
    case COLOR_MENU:
    case COLOR_SCROLLBAR:
        return ToColorRef(palette.color(QPalette::Active, QPalette::Window));
    case COLOR_BACKGROUND:
        return ToColorRef(palette.color(QPalette::Active, QPalette::Dark));
    case COLOR_WINDOWFRAME:
    case COLOR_3DDKSHADOW:
        return ToColorRef(palette.color(QPalette::Active, QPalette::Shadow));
    case COLOR_HIGHLIGHT:
        return ToColorRef(palette.color(QPalette::Active, QPalette::Highlight));
    case COLOR_HIGHLIGHTTEXT:
        return ToColorRef(palette.color(QPalette::Active, QPalette::HighlightedText));
    case COLOR_BTNFACE:
        return ToColorRef(palette.color(QPalette::Active, QPalette::Button));
    case COLOR_BTNTEXT:
        return ToColorRef(palette.color(QPalette::Active, QPalette::ButtonText));
    case COLOR_BTNSHADOW:
        return ToColorRef(palette.color(QPalette::Active, QPalette::Dark));
    case COLOR_BTNHIGHLIGHT:
        return ToColorRef(palette.color(QPalette::Active, QPalette::Light));
    case COLOR_3DLIGHT:
        return ToColorRef(palette.color(QPalette::Active, QPalette::Midlight));
    case COLOR_GRAYTEXT:
        return ToColorRef(palette.color(QPalette::Disabled, QPalette::WindowText));
    case COLOR_INFOTEXT:
        return ToColorRef(palette.color(QPalette::Active, QPalette::ToolTipText));
    case COLOR_INFOBK:
        return ToColorRef(palette.color(QPalette::Active, QPalette::ToolTipBase));
    default:
        return 0;
    }
}

CBrush* GetSysColorBrush(int index) {
    if (index < 0 || index >= kColorRoleCount) {
        return nullptr;
    }
    // One per role, made on first use; drawing runs on the user-interface thread only.
    static std::array<CBrush, kColorRoleCount> brushes;
    CBrush& brush = brushes[static_cast<std::size_t>(index)];
    brush.m_created = true;
    brush.m_style = BS_SOLID;
    brush.m_color = GetSysColor(index);
    return &brushes[static_cast<std::size_t>(index)];
}

int GetSystemMetrics(int index) {
    QScreen* screen = PrimaryScreen();
    switch (index) {
    case SM_CXSCREEN:
        return screen != nullptr ? screen->geometry().width() : 0;
    case SM_CYSCREEN:
        return screen != nullptr ? screen->geometry().height() : 0;
    case SM_CXFULLSCREEN:
        return screen != nullptr ? screen->availableGeometry().width() : 0;
    case SM_CYFULLSCREEN:
        return screen != nullptr ? screen->availableGeometry().height() : 0;
    case SM_CYMENU:
        return MulDiv(kMenuLineHeight, DisplayDevice::LogPixelsY(), kDefaultDpi);
    case SM_CXBORDER:
    case SM_CYBORDER:
        return 1;
    case SM_CXICON:
    case SM_CYICON:
        return 32;
    case SM_CXSMICON:
    case SM_CYSMICON:
        return 16;
    default:
        return 0;
    }
}

int DisplayDevice::LogPixelsX() {
    const int dpi = g_dpiX.load();
    return dpi > 0 ? dpi : kDefaultDpi;
}

int DisplayDevice::LogPixelsY() {
    const int dpi = g_dpiY.load();
    return dpi > 0 ? dpi : kDefaultDpi;
}

bool DisplayDevice::IsPaletteDevice() {
    return g_palette.load();
}

void DisplayDevice::SetResolutionForTesting(int dpiX, int dpiY) {
    g_dpiX.store(dpiX);
    g_dpiY.store(dpiY);
}

void DisplayDevice::SetPaletteDeviceForTesting(bool palette) {
    g_palette.store(palette);
}
