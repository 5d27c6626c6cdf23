#pragma once

// A drawing context over a surface that the caller owns, such as a window's client surface or
// an image a test inspects. Platform layer only; the surface must outlive the context.

#include "platform/gui/CDC.h"

class CSurfaceDC : public CDC {
public:
    explicit CSurfaceDC(QImage& surface) { AttachSurface(&surface); }
};
