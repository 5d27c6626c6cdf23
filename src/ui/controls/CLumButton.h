#pragma once

// The push button of every skinned window. Its face is one of four PNG state images (normal,
// hover, pressed, disabled), blended over a copy of the parent's own pixels behind the button and
// put on screen in one copy, so the image's transparent parts show the skin. It follows the pointer
// itself (a 10 ms timer polls for the pointer leaving) and reports clicks like any push button:
// WM_COMMAND with BN_CLICKED to the parent, and only for a release over the button.

#include "platform/gui/CBitmap.h"
#include "platform/gui/CButton.h"
#include "platform/gui/CDC.h"
#include "ui/controls/ButtonFace.h"

#include <string>

class Image;

class CLumButton : public CButton {
public:
    CLumButton();
    ~CLumButton() override;

    // The four state images, owned by the image store. False, and no change, when any is null.
    // Does not redraw.
    bool SetStateImages(const Image* normal, const Image* hover, const Image* pressed, const Image* disabled);
    // Stores the mode; the next redraw uses it.
    void SetDrawMode(int mode);
    // The pointer shown over the button, from the program's cursor resources; the previous one is
    // destroyed.
    void SetPointerCursor(UINT cursorId);
    // Keeps a copy of the parent's pixels behind the button. parentDC holds the parent's whole
    // client area as just composed, in parent client coordinates. Does not redraw.
    void CopyParentBackground(CDC* parentDC);

    // Read-only views for the owner and for tests.
    int GetButtonState() const { return m_state; }
    int GetPreviousState() const { return m_previousState; }
    bool IsHovering() const { return m_hover; }
    bool IsClickedLatch() const { return m_clickedLatch; }
    // OwnerSelected only: 0 normal, 1 hover, 2 pressed image.
    void SetImageSelector(int selector) { m_imageSelector = selector; }
    // Text modes: 0 image left of the caption, 1 above it; TextOnly alignment 1 centre, 2 right.
    void SetTextPlacement(int placement) { m_textPlacement = placement; }
    void SetTextAlignment(int alignment) { m_textAlignment = alignment; }
    void SetCaptionFont(std::u16string_view face, int sizeTenths);
    void SetTextColours(COLORREF normal, COLORREF hover);

    static constexpr UINT_PTR kHoverTimer = 1;
    static constexpr UINT kHoverPollMs = 10;

protected:
    void PreSubclassWindow() override;
    void DrawItem(DRAWITEMSTRUCT* drawItem) override;

    BOOL OnEraseBkgnd(CDC* pDC) override;
    void OnMouseMove(UINT flags, POINT point) override;
    void OnLButtonDown(UINT flags, POINT point) override;
    void OnLButtonUp(UINT flags, POINT point) override;
    void OnTimer(UINT_PTR id) override;
    BOOL OnSetCursor(CWnd* pWnd, UINT hitTest, UINT message) override;
    void OnPaint() override;

private:
    void SetState(int state);
    bool HasAllImages() const;
    const Image* ChosenImage() const;
    void Redraw();
    void DrawFaceImage(CDC& dc, SIZE client);
    void DrawCaption(CDC& dc, SIZE client);
    void ReleaseBackground();

    CDC m_backgroundDC;
    CBitmap m_backgroundBitmap;
    CBitmap* m_backgroundOldBitmap = nullptr;
    bool m_hasBackground = false;
    bool m_hover = false;
    bool m_enabled = true;
    HCURSOR m_cursor = nullptr;
    COLORREF m_currentTextColour;
    COLORREF m_hoverTextColour;
    COLORREF m_textColour;
    int m_state = Normal;
    int m_previousState = Normal;
    int m_textPlacement = 0;
    int m_textAlignment = 0;
    int m_fontSize = 100; // tenths of a point
    int m_drawMode = ImageOnly;
    std::u16string m_fontFace = u"Arial";
    const Image* m_normalImage = nullptr;
    const Image* m_hoverImage = nullptr;
    const Image* m_pressedImage = nullptr;
    const Image* m_disabledImage = nullptr;
    bool m_clickedLatch = false;
    int m_imageSelector = 0;
};
