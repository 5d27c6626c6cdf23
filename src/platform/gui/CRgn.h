#pragma once

// A region of pixels: a window's shape, or a clip of a drawing context.

#include "platform/gui/CGdiObject.h"
#include "platform/gui/GdiTypes.h"

#include <memory>

class QRegion;

constexpr int RGN_ERROR = 0;
constexpr int NULLREGION = 1;
constexpr int SIMPLEREGION = 2;
constexpr int COMPLEXREGION = 3;

class CRgn : public CGdiObject {
public:
    CRgn();
    ~CRgn() override;

    BOOL CreateRectRgn(int left, int top, int right, int bottom);
    BOOL CreateRectRgnIndirect(const RECT* rect);
    BOOL CreateEllipticRgn(int left, int top, int right, int bottom);
    // A rectangle (right and bottom exclusive) whose corners are cut by ellipses of
    // ellipseWidth x ellipseHeight pixels.
    BOOL CreateRoundRectRgn(int left, int top, int right, int bottom, int ellipseWidth, int ellipseHeight);
    bool IsCreated() const override { return m_region != nullptr; }
    BOOL DeleteObject() override;

    BOOL PtInRegion(int x, int y) const;
    // The bounding box; returns NULLREGION, SIMPLEREGION or COMPLEXREGION (RGN_ERROR if empty).
    int GetRgnBox(RECT* rect) const;

    // For the platform layer: the pixels of the region.
    const QRegion* qregion() const { return m_region.get(); }

private:
    BOOL Adopt(QRegion region);

    std::unique_ptr<QRegion> m_region;
};
