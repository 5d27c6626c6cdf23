// Drawing-context shapes, block copies, images, clipping and the isolation of context state.

#include "DcTestSupport.h"
#include "platform/gui/CBrush.h"
#include "platform/gui/CFont.h"
#include "platform/gui/CPen.h"
#include "platform/gui/CRgn.h"
#include "platform/gui/CSurfaceDC.h"
#include "platform/gui/SystemMetrics.h"

#include <QImage>
#include <gtest/gtest.h>
#include <string>

using dctest::InkBox;
using dctest::OffscreenDC;
using dctest::Opaque;

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kGreen = RGB(0, 128, 0);

// --- Block copies -------------------------------------------------------------------------------

TEST(DcBlockCopy, PlainCopyReplacesPixelsAlphaIncluded) {
    OffscreenDC target(8, 8, kRed);
    QImage translucent(4, 4, QImage::Format_ARGB32_Premultiplied);
    translucent.fill(QColor(0, 0, 255, 128));
    translucent.setPixelColor(0, 0, QColor(0, 0, 0, 0));
    CSurfaceDC source(translucent);

    ASSERT_TRUE(target.dc.BitBlt(2, 3, 4, 4, &source, 0, 0, SRCCOPY));

    // Nothing of the red shows through: the copy is not a blend.
    EXPECT_EQ(target.Pixels().pixel(3, 4), translucent.pixel(1, 1));
    EXPECT_EQ(qAlpha(target.At(3, 4)), 128);
    EXPECT_EQ(qAlpha(target.At(2, 3)), 0) << "a transparent source pixel leaves a transparent one";
    EXPECT_EQ(target.At(1, 3), Opaque(kRed)) << "left of the copy";
    EXPECT_EQ(target.At(6, 3), Opaque(kRed)) << "right edge is exclusive";
    EXPECT_EQ(target.At(2, 7), Opaque(kRed)) << "bottom edge is exclusive";
}

TEST(DcBlockCopy, SourcePositionAndBothOriginsAreHonoured) {
    OffscreenDC source(10, 10, kWhite);
    source.dc.FillSolidRect(6, 6, 2, 2, kBlue);
    source.dc.SetViewportOrg(-4, -4); // logical (10, 10) is device (6, 6)
    OffscreenDC target(10, 10, kWhite);
    target.dc.SetViewportOrg(1, 0);

    ASSERT_TRUE(target.dc.BitBlt(0, 0, 2, 2, &source.dc, 10, 10, SRCCOPY));

    EXPECT_EQ(target.At(1, 0), Opaque(kBlue));
    EXPECT_EQ(target.At(2, 1), Opaque(kBlue));
    EXPECT_EQ(target.At(0, 0), Opaque(kWhite));
    EXPECT_EQ(target.At(3, 0), Opaque(kWhite));
}

TEST(DcBlockCopy, OverlappingCopyWithinOneSurfaceReadsTheOldPixels) {
    OffscreenDC surface(6, 1, kWhite);
    surface.dc.FillSolidRect(0, 0, 1, 1, kRed);
    surface.dc.FillSolidRect(1, 0, 1, 1, kGreen);
    surface.dc.FillSolidRect(2, 0, 1, 1, kBlue);

    ASSERT_TRUE(surface.dc.BitBlt(1, 0, 3, 1, &surface.dc, 0, 0, SRCCOPY));

    EXPECT_EQ(surface.At(1, 0), Opaque(kRed));
    EXPECT_EQ(surface.At(2, 0), Opaque(kGreen));
    EXPECT_EQ(surface.At(3, 0), Opaque(kBlue));
}

TEST(DcBlockCopy, ContextWithoutBitmapDrawsNothingAndIsNoSource) {
    CDC empty;
    ASSERT_TRUE(empty.CreateCompatibleDC(nullptr));
    empty.FillSolidRect(0, 0, 5, 5, kRed); // no surface: must not crash
    EXPECT_EQ(empty.Surface(), nullptr);

    OffscreenDC target(4, 4, kWhite);
    EXPECT_FALSE(target.dc.BitBlt(0, 0, 4, 4, &empty, 0, 0, SRCCOPY));
    EXPECT_FALSE(target.dc.BitBlt(0, 0, 4, 4, nullptr, 0, 0, SRCCOPY));
    EXPECT_EQ(target.At(0, 0), Opaque(kWhite));
}

TEST(DcBitmap, SelectionReturnsThePreviousBitmapAndNewBitmapsAreTransparent) {
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    CBitmap first;
    CBitmap second;
    ASSERT_TRUE(first.CreateCompatibleBitmap(&dc, 3, 2));
    ASSERT_TRUE(second.CreateCompatibleBitmap(&dc, 5, 5));
    EXPECT_EQ(first.GetSize(), (SIZE{3, 2}));
    EXPECT_EQ(qAlpha(first.qimage()->pixel(1, 1)), 0);

    EXPECT_EQ(dc.SelectObject(&first), nullptr);
    EXPECT_EQ(dc.SelectObject(&second), &first);
    EXPECT_EQ(dc.GetCurrentBitmap(), &second);
    dc.FillSolidRect(0, 0, 5, 5, kRed);
    EXPECT_EQ(qAlpha(first.qimage()->pixel(1, 1)), 0) << "drawing went to the selected bitmap only";
    EXPECT_EQ(second.qimage()->pixelColor(4, 4).rgba(), Opaque(kRed));
    EXPECT_EQ(dc.SelectObject(static_cast<CBitmap*>(nullptr)), &second);
    EXPECT_EQ(dc.Surface(), nullptr);
}

TEST(DcBitmap, EmptyAndOversizedRequestsFail) {
    for (const SIZE size : {SIZE{0, 5}, SIZE{5, 0}, SIZE{-1, 5}, SIZE{CBitmap::kMaxSide + 1, 1}}) {
        CBitmap bitmap;
        EXPECT_FALSE(bitmap.CreateCompatibleBitmap(nullptr, size.cx, size.cy)) << size.cx << " x " << size.cy;
        EXPECT_FALSE(bitmap.IsCreated());
    }
}

TEST(DcBitmap, BitmapOnlySelectsIntoMemoryContexts) {
    QImage window(4, 4, QImage::Format_ARGB32_Premultiplied);
    CSurfaceDC windowDc(window);
    CBitmap bitmap;
    bitmap.CreateCompatibleBitmap(&windowDc, 2, 2);
    EXPECT_EQ(windowDc.SelectObject(&bitmap), nullptr);
    EXPECT_EQ(windowDc.Surface(), &window);
}

// --- Images -------------------------------------------------------------------------------------

TEST(DcImage, DrawsAtItsPositionBlendedByAlpha) {
    QImage picture(2, 2, QImage::Format_ARGB32);
    picture.fill(QColor(255, 0, 0, 128));
    picture.setPixelColor(1, 1, QColor(0, 255, 0, 255));
    picture.setPixelColor(0, 1, QColor(0, 0, 0, 0));
    const auto image = dctest::MakeImage(picture);
    OffscreenDC target(10, 10, kBlue);

    ASSERT_TRUE(target.dc.DrawImage(*image, 5, 3));

    const QRgb halfRed = target.At(5, 3);
    EXPECT_EQ(qAlpha(halfRed), 255) << "blending over an opaque picture stays opaque";
    EXPECT_NEAR(qRed(halfRed), 128, 1);
    EXPECT_EQ(qGreen(halfRed), 0);
    EXPECT_NEAR(qBlue(halfRed), 127, 1);
    EXPECT_EQ(target.At(5, 4), Opaque(kBlue)) << "a transparent pixel leaves the target alone";
    EXPECT_EQ(target.At(6, 4), qRgb(0, 255, 0));
    EXPECT_EQ(target.At(4, 3), Opaque(kBlue));
    EXPECT_EQ(target.At(7, 3), Opaque(kBlue));
}

TEST(DcImage, ImageLargerThanTheTargetIsClippedAtANegativeOffset) {
    // A 40-pixel face centred in a 28-pixel button starts at x = -6.
    QImage picture(40, 17, QImage::Format_ARGB32);
    for (int x = 0; x < 40; ++x) {
        for (int y = 0; y < 17; ++y) {
            picture.setPixelColor(x, y, QColor(x * 6, 0, 0, 255));
        }
    }
    const auto image = dctest::MakeImage(picture);
    OffscreenDC button(28, 19, kWhite);

    ASSERT_TRUE(button.dc.DrawImage(*image, (28 - 40) / 2, (19 - 17) / 2));

    EXPECT_EQ(button.At(0, 1), qRgb(6 * 6, 0, 0));
    EXPECT_EQ(button.At(27, 17), qRgb(33 * 6, 0, 0));
    EXPECT_EQ(button.At(0, 0), Opaque(kWhite));
    EXPECT_EQ(button.At(0, 18), Opaque(kWhite));
}

TEST(DcImage, RectangleOfNaturalSizeCopiesExactlyAndOtherSizesScale) {
    QImage picture(2, 2, QImage::Format_ARGB32);
    picture.fill(QColor(0, 128, 0, 255));
    const auto image = dctest::MakeImage(picture);
    OffscreenDC target(10, 10, kWhite);

    ASSERT_TRUE(target.dc.DrawImage(*image, RECT{1, 1, 3, 3}));
    ASSERT_TRUE(target.dc.DrawImage(*image, RECT{4, 4, 10, 8}));

    EXPECT_EQ(InkBox(target.Pixels().copy(0, 0, 4, 4), Opaque(kWhite)), QRect(1, 1, 2, 2));
    EXPECT_EQ(target.At(4, 4), Opaque(kGreen));
    EXPECT_EQ(target.At(9, 7), Opaque(kGreen));
    EXPECT_EQ(target.At(9, 8), Opaque(kWhite));
}

TEST(DcImage, UndecodableImageDrawsNothing) {
    const std::string garbage = "not a picture";
    const auto image =
        Image::FromPng(std::span(reinterpret_cast<const std::uint8_t*>(garbage.data()), garbage.size()));
    ASSERT_EQ(image->GetWidth(), 0u);
    OffscreenDC target(4, 4, kWhite);

    EXPECT_FALSE(target.dc.DrawImage(*image, 0, 0));
    EXPECT_FALSE(target.dc.DrawImage(*image, RECT{0, 0, 4, 4}));
    EXPECT_TRUE(InkBox(target.Pixels(), Opaque(kWhite)).isEmpty());
}

// --- Fills, frames, edges and shapes ------------------------------------------------------------

struct ShapeCase {
    const char* name;
    void (*draw)(CDC&);
    QRect ink; // the box of changed pixels on a white 20 x 20 surface
};

class DcShapes : public ::testing::TestWithParam<ShapeCase> {};

TEST_P(DcShapes, CoverExactlyTheirRectangle) {
    OffscreenDC surface(20, 20, kWhite);
    GetParam().draw(surface.dc);
    EXPECT_EQ(InkBox(surface.Pixels(), Opaque(kWhite)), GetParam().ink);
}

INSTANTIATE_TEST_SUITE_P(
    RightAndBottomExclusive, DcShapes,
    ::testing::Values(ShapeCase{"FillSolidRect",
                                [](CDC& dc) {
                                    dc.FillSolidRect(RECT{2, 3, 7, 9}, kRed);
                                },
                                QRect(2, 3, 5, 6)},
                      ShapeCase{"FillRect",
                                [](CDC& dc) {
                                    CBrush brush(kBlue);
                                    dc.FillRect(RECT{0, 0, 4, 4}, &brush);
                                },
                                QRect(0, 0, 4, 4)},
                      ShapeCase{"FillRectNullBrush",
                                [](CDC& dc) {
                                    dc.FillRect(RECT{0, 0, 4, 4}, CBrush::FromStock(NULL_BRUSH));
                                },
                                QRect()},
                      ShapeCase{"Rectangle",
                                [](CDC& dc) {
                                    CBrush brush(kGreen);
                                    dc.SelectObject(&brush);
                                    dc.Rectangle(5, 5, 15, 12);
                                    dc.SelectStockObject(WHITE_BRUSH);
                                },
                                QRect(5, 5, 10, 7)},
                      ShapeCase{"Ellipse",
                                [](CDC& dc) {
                                    dc.Ellipse(RECT{3, 4, 10, 11});
                                },
                                QRect(3, 4, 7, 7)},
                      ShapeCase{"EllipseNullPen",
                                [](CDC& dc) {
                                    CBrush brush(kRed);
                                    dc.SelectObject(&brush);
                                    dc.SelectStockObject(NULL_PEN);
                                    dc.Ellipse(RECT{3, 4, 10, 11});
                                    dc.SelectStockObject(WHITE_BRUSH);
                                },
                                QRect(3, 4, 6, 6)}, // without an outline a shape ends a pixel short
                      ShapeCase{"RectangleNullPen",
                                [](CDC& dc) {
                                    CBrush brush(kRed);
                                    dc.SelectObject(&brush);
                                    dc.SelectStockObject(NULL_PEN);
                                    dc.Rectangle(2, 2, 12, 7);
                                    dc.SelectStockObject(WHITE_BRUSH);
                                },
                                QRect(2, 2, 9, 4)},
                      ShapeCase{"HorizontalLineLeavesOutItsEnd",
                                [](CDC& dc) {
                                    dc.MoveTo(2, 5);
                                    dc.LineTo(9, 5);
                                },
                                QRect(2, 5, 7, 1)},
                      ShapeCase{"VerticalLineLeavesOutItsEnd",
                                [](CDC& dc) {
                                    dc.MoveTo(4, 12);
                                    dc.LineTo(4, 2);
                                },
                                QRect(4, 3, 1, 10)},
                      ShapeCase{"Draw3dRect",
                                [](CDC& dc) {
                                    dc.Draw3dRect(RECT{1, 1, 6, 5}, kRed, kBlue);
                                },
                                QRect(1, 1, 5, 4)},
                      ShapeCase{"FrameRect",
                                [](CDC& dc) {
                                    CBrush brush(kRed);
                                    dc.FrameRect(RECT{1, 2, 11, 12}, &brush);
                                },
                                QRect(1, 2, 10, 10)}),
    [](const ::testing::TestParamInfo<ShapeCase>& info) { return std::string(info.param.name); });

TEST(DcShapes, RectangleOutlineUsesThePenAndTheInsideTheBrush) {
    OffscreenDC surface(10, 10, kWhite);
    CPen pen(PS_SOLID, 1, kRed);
    CBrush brush(kBlue);
    CPen* oldPen = surface.dc.SelectObject(&pen);
    CBrush* oldBrush = surface.dc.SelectObject(&brush);

    surface.dc.Rectangle(1, 1, 6, 6);

    EXPECT_EQ(surface.At(1, 1), Opaque(kRed));
    EXPECT_EQ(surface.At(5, 5), Opaque(kRed));
    EXPECT_EQ(surface.At(3, 3), Opaque(kBlue));
    EXPECT_EQ(surface.dc.SelectObject(oldPen), &pen);
    EXPECT_EQ(surface.dc.SelectObject(oldBrush), &brush);
}

TEST(DcShapes, FrameAndThreeDRectangleColourTheirSides) {
    OffscreenDC surface(10, 10, kWhite);
    CBrush red(kRed);
    surface.dc.FrameRect(RECT{0, 0, 5, 5}, &red);
    surface.dc.Draw3dRect(5, 5, 5, 5, kGreen, kBlue);

    EXPECT_EQ(surface.At(2, 2), Opaque(kWhite)) << "a frame leaves its inside alone";
    EXPECT_EQ(surface.At(4, 2), Opaque(kRed));
    EXPECT_EQ(surface.At(5, 7), Opaque(kGreen));
    EXPECT_EQ(surface.At(7, 5), Opaque(kGreen));
    EXPECT_EQ(surface.At(9, 5), Opaque(kBlue)) << "the bottom-right colour owns the top-right corner";
    EXPECT_EQ(surface.At(5, 9), Opaque(kBlue)) << "and the bottom-left one";
    EXPECT_EQ(surface.At(7, 7), Opaque(kWhite));
}

TEST(DcEdges, EtchedAndSunkenEdgesUseTheThreeDColours) {
    const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW);
    const COLORREF highlight = GetSysColor(COLOR_BTNHIGHLIGHT);
    const COLORREF darkShadow = GetSysColor(COLOR_3DDKSHADOW);
    const COLORREF light = GetSysColor(COLOR_3DLIGHT);
    OffscreenDC surface(20, 20, kRed);

    RECT separator{0, 0, 20, 4};
    surface.dc.DrawEdge(&separator, EDGE_ETCHED, BF_TOP);
    EXPECT_EQ(surface.At(10, 0), Opaque(shadow));
    EXPECT_EQ(surface.At(10, 1), Opaque(highlight));
    EXPECT_EQ(surface.At(10, 2), Opaque(kRed));
    EXPECT_EQ(separator.top, 0) << "no BF_ADJUST, no change";

    RECT sunken{5, 5, 15, 15};
    surface.dc.DrawEdge(&sunken, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
    EXPECT_EQ(surface.At(5, 10), Opaque(shadow));
    EXPECT_EQ(surface.At(6, 10), Opaque(darkShadow));
    EXPECT_EQ(surface.At(14, 10), Opaque(highlight));
    EXPECT_EQ(surface.At(13, 10), Opaque(light));
    EXPECT_EQ(surface.At(10, 10), Opaque(kRed));
    EXPECT_EQ(sunken, (RECT{7, 7, 13, 13}));
}

// --- Regions and clipping -----------------------------------------------------------------------

TEST(DcRegion, RoundRectangleCutsOnlyTheCorners) {
    CRgn region;
    ASSERT_TRUE(region.CreateRoundRectRgn(0, 0, 665, 520, 5, 5));
    RECT box;
    EXPECT_EQ(region.GetRgnBox(&box), COMPLEXREGION);
    EXPECT_EQ(box, (RECT{0, 0, 665, 520}));
    const struct {
        int x, y;
        bool inside;
    } cases[] = {{0, 0, false},     {664, 0, false},   {0, 519, false},  {664, 519, false},
                 {2, 0, true},      {0, 2, true},      {332, 0, true},   {664, 260, true},
                 {665, 260, false}, {332, 520, false}, {332, 260, true}, {1, 1, true}};
    for (const auto& c : cases) {
        EXPECT_EQ(region.PtInRegion(c.x, c.y) != FALSE, c.inside) << c.x << "," << c.y;
    }
}

TEST(DcClip, ClipRectangleAndRegionLimitDrawing) {
    OffscreenDC surface(10, 10, kWhite);
    surface.dc.SetViewportOrg(2, 2);
    EXPECT_EQ(surface.dc.IntersectClipRect(0, 0, 3, 3), SIMPLEREGION); // device (2,2)-(5,5)
    surface.dc.FillSolidRect(-2, -2, 10, 10, kRed);
    EXPECT_EQ(InkBox(surface.Pixels(), Opaque(kWhite)), QRect(2, 2, 3, 3));

    CRgn region;
    region.CreateRectRgn(7, 7, 9, 9);
    surface.dc.SelectClipRgn(&region);
    surface.dc.FillSolidRect(-2, -2, 10, 10, kBlue);
    EXPECT_EQ(surface.At(7, 7), Opaque(kBlue));
    EXPECT_EQ(surface.At(3, 3), Opaque(kRed));
    surface.dc.SelectClipRgn(nullptr);
    surface.dc.FillSolidRect(-2, -2, 1, 1, kGreen);
    EXPECT_EQ(surface.At(0, 0), Opaque(kGreen));
}

// --- Context state ------------------------------------------------------------------------------

TEST(DcState, TwoContextsOnOneSurfaceKeepTheirOwnState) {
    QImage window(10, 10, QImage::Format_ARGB32_Premultiplied);
    window.fill(Qt::white);
    CSurfaceDC shifted(window);
    CSurfaceDC plain(window);
    shifted.SetViewportOrg(5, 5);
    shifted.IntersectClipRect(0, 0, 2, 2);
    CPen pen(PS_SOLID, 1, kRed);
    shifted.SelectObject(&pen);

    plain.FillSolidRect(0, 0, 1, 1, kBlue);
    shifted.FillSolidRect(0, 0, 5, 5, kGreen);
    plain.MoveTo(0, 9);
    plain.LineTo(3, 9);

    EXPECT_EQ(window.pixelColor(0, 0).rgba(), Opaque(kBlue));
    EXPECT_EQ(window.pixelColor(5, 5).rgba(), Opaque(kGreen));
    EXPECT_EQ(window.pixelColor(7, 7).rgba(), Opaque(kWhite));
    EXPECT_EQ(window.pixelColor(1, 9).rgba(), qRgb(0, 0, 0)) << "the other context's pen did not leak";
}

TEST(DcState, SaveAndRestoreBringBackAttributes) {
    OffscreenDC surface(4, 4);
    CDC& dc = surface.dc;
    dc.SetTextColor(kRed);
    dc.SetViewportOrg(1, 1);
    const int first = dc.SaveDC();
    dc.SetTextColor(kBlue);
    dc.SetBkMode(TRANSPARENT);
    dc.SaveDC();
    dc.SetViewportOrg(3, 3);

    EXPECT_TRUE(dc.RestoreDC(-1));
    EXPECT_EQ(dc.GetViewportOrg(), (POINT{1, 1}));
    EXPECT_EQ(dc.GetTextColor(), kBlue);
    EXPECT_TRUE(dc.RestoreDC(first));
    EXPECT_EQ(dc.GetTextColor(), kRed);
    EXPECT_EQ(dc.GetBkMode(), OPAQUE);
    EXPECT_FALSE(dc.RestoreDC(-1)) << "nothing left to restore";
    EXPECT_EQ(dc.Surface(), &surface.Pixels()) << "the bitmap is no attribute";
}

TEST(DcState, SelectionReturnsThePreviousObject) {
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    CPen pen(PS_SOLID, 2, kRed);
    CBrush brush(kBlue);
    EXPECT_EQ(dc.SelectObject(&pen), CPen::FromStock(BLACK_PEN));
    EXPECT_EQ(dc.SelectObject(&brush), CBrush::FromStock(WHITE_BRUSH));
    EXPECT_EQ(dc.SelectStockObject(NULL_PEN), &pen);
    EXPECT_EQ(dc.SelectObject(static_cast<CGdiObject*>(&pen)), CPen::FromStock(NULL_PEN));
    EXPECT_EQ(dc.GetCurrentPen(), &pen);
    EXPECT_EQ(dc.GetCurrentBrush(), &brush);
    CPen empty;
    EXPECT_EQ(dc.SelectObject(&empty), nullptr) << "an object that was never made cannot be selected";
    EXPECT_EQ(dc.GetCurrentPen(), &pen);
}

TEST(DcState, DeletedPenStaysUsableInAContextThatSelectedIt) {
    OffscreenDC surface(5, 5);
    {
        CPen pen(PS_SOLID, 1, kRed);
        surface.dc.SelectObject(&pen);
    }
    surface.dc.MoveTo(0, 0);
    surface.dc.LineTo(4, 0);
    EXPECT_EQ(surface.At(1, 0), Opaque(kRed));
}

// --- Handles ------------------------------------------------------------------------------------

TEST(DcHandles, ContextHandleLeadsBackToItsObjectAndSharesStateWhenAttached) {
    OffscreenDC surface(6, 6, kWhite);
    const HDC handle = surface.dc.GetSafeHdc();
    ASSERT_NE(handle, nullptr);
    EXPECT_EQ(CDC::FromHandle(handle), &surface.dc);

    CDC borrower;
    ASSERT_TRUE(borrower.Attach(handle));
    borrower.SetViewportOrg(2, 2);
    borrower.FillSolidRect(0, 0, 1, 1, kRed);
    EXPECT_EQ(surface.At(2, 2), Opaque(kRed));
    EXPECT_EQ(surface.dc.GetViewportOrg(), (POINT{2, 2})) << "one context, two objects";
    EXPECT_EQ(borrower.Detach(), handle);
    EXPECT_EQ(borrower.Surface(), nullptr);

    HDC gone = nullptr;
    {
        CDC temporary;
        gone = temporary.GetSafeHdc();
    }
    EXPECT_EQ(CDC::FromHandle(gone), nullptr);
    EXPECT_FALSE(borrower.Attach(gone));
}

TEST(DcHandles, ObjectHandlesResolveOnlyWhileTheObjectIsCreatedAndAlive) {
    HFONT gone = nullptr;
    {
        CFont font;
        EXPECT_EQ(font.GetSafeHandle(), nullptr);
        ASSERT_TRUE(font.CreatePointFont(90, u""));
        const HFONT handle = font;
        EXPECT_EQ(CFont::FromHandle(handle), &font);
        EXPECT_EQ(CBrush::FromHandle(reinterpret_cast<HBRUSH>(handle)), nullptr) << "a font is no brush";
        gone = handle;
    }
    EXPECT_EQ(CFont::FromHandle(gone), nullptr);

    CBrush brush(kRed);
    const HBRUSH handle = brush;
    brush.DeleteObject();
    EXPECT_EQ(CBrush::FromHandle(handle), nullptr);

    EXPECT_EQ(CGdiObject::FromHandle(GetStockObject(NULL_PEN)), CPen::FromStock(NULL_PEN));
    EXPECT_EQ(CFont::FromHandle(reinterpret_cast<HFONT>(GetStockObject(SYSTEM_FONT))),
              CFont::FromStock(SYSTEM_FONT));
    EXPECT_EQ(GetStockObject(12345), nullptr);
}

} // namespace
