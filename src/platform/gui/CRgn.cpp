#include "platform/gui/CRgn.h"

#include <QRegion>
#include <algorithm>
#include <cmath>

CRgn::CRgn() : CGdiObject(Kind::Region) {}

CRgn::~CRgn() = default;

BOOL CRgn::Adopt(QRegion region) {
    if (m_region != nullptr) {
        return FALSE;
    }
    m_region = std::make_unique<QRegion>(std::move(region));
    return TRUE;
}

BOOL CRgn::CreateRectRgn(int left, int top, int right, int bottom) {
    const QRect rect = QRect(QPoint(std::min(left, right), std::min(top, bottom)),
                             QPoint(std::max(left, right) - 1, std::max(top, bottom) - 1));
    return Adopt(QRegion(rect));
}

BOOL CRgn::CreateRectRgnIndirect(const RECT* rect) {
    if (rect == nullptr) {
        return FALSE;
    }
    return CreateRectRgn(rect->left, rect->top, rect->right, rect->bottom);
}

BOOL CRgn::CreateEllipticRgn(int left, int top, int right, int bottom) {
    return CreateRoundRectRgn(left, top, right, bottom, right - left, bottom - top);
}

BOOL CRgn::CreateRoundRectRgn(int left, int top, int right, int bottom, int ellipseWidth, int ellipseHeight) {
    if (right < left) {
        std::swap(left, right);
    }
    if (bottom < top) {
        std::swap(top, bottom);
    }
    const int width = right - left;
    const int height = bottom - top;
    const double rx = std::clamp(std::abs(ellipseWidth), 0, width) / 2.0;
    const double ry = std::clamp(std::abs(ellipseHeight), 0, height) / 2.0;
    if (rx < 0.5 || ry < 0.5) {
        return CreateRectRgn(left, top, right, bottom);
    }
    // Row by row: a row whose pixel centre lies in a corner band is shortened on both sides by
    // where the corner ellipse crosses it.
    QRegion region;
    for (int y = 0; y < height; ++y) {
        const double centre = y + 0.5;
        double dy = 0.0;
        if (centre < ry) {
            dy = ry - centre;
        } else if (centre > height - ry) {
            dy = centre - (height - ry);
        }
        const double inset = rx - rx * std::sqrt(std::max(0.0, 1.0 - (dy * dy) / (ry * ry)));
        const int cut = static_cast<int>(std::lround(inset));
        if (width - 2 * cut <= 0) {
            continue;
        }
        region += QRect(left + cut, top + y, width - 2 * cut, 1);
    }
    return Adopt(std::move(region));
}

BOOL CRgn::DeleteObject() {
    if (m_region == nullptr) {
        return FALSE;
    }
    m_region.reset();
    return TRUE;
}

BOOL CRgn::PtInRegion(int x, int y) const {
    return m_region != nullptr && m_region->contains(QPoint(x, y)) ? TRUE : FALSE;
}

int CRgn::GetRgnBox(RECT* rect) const {
    if (m_region == nullptr || rect == nullptr) {
        return RGN_ERROR;
    }
    const QRect box = m_region->boundingRect();
    *rect = RECT{box.left(), box.top(), box.left() + box.width(), box.top() + box.height()};
    if (m_region->isEmpty()) {
        return NULLREGION;
    }
    return m_region->rectCount() == 1 ? SIMPLEREGION : COMPLEXREGION;
}
