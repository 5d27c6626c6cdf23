#pragma once

// The arithmetic of the image button's face: which of the four state images shows, where the image
// and the caption go, and which colour the caption takes. Kept apart from the window so that the
// rules can be checked without a window and read next to the button's message handlers.

#include "platform/gui/WinTypes.h"

#include <optional>

// Where the pointer and the left button are relative to the button.
enum ButtonState : int {
    Hover = 0,    // the pointer is over the button
    Normal = 1,   //
    Released = 2, // the left button went up
    Pressed = 3,  // the left button went down on the button
};

// What the face shows. Any other value (3 among them) draws neither image nor text.
enum DrawMode : int {
    TextOnly = 0,
    ImageOnly = 1,
    ImageAndText = 2,
    Latching = 4,
    OwnerSelected = 5,
};

namespace ButtonFace {

enum class StateImage { Normal, Hover, Pressed, Disabled };

struct ImageChoiceInput {
    bool enabled = true;
    int drawMode = ImageOnly;
    bool clickedLatch = false;
    int imageSelector = 0; // OwnerSelected only: 0 normal, 1 hover, 2 pressed
    int state = Normal;
    int previousState = Normal;
};

StateImage ChooseImage(const ImageChoiceInput& in);

// After a press the face keeps looking pressed (image and text one pixel right and down) until the
// state moves on from Normal: dragging out while held resets the state to Normal without a release.
bool LooksPressed(int state, int previousState);

struct ImagePlacementInput {
    int drawMode = ImageOnly;
    int textPlacement = 0; // ImageAndText only: 0 image left of the text, 1 image above it
    bool textEmpty = true;
    SIZE client;
    SIZE image;
    int state = Normal;
    int previousState = Normal;
};

// Top-left corner of the chosen image in client coordinates, offsets may be negative (the image is
// then clipped by the client area); nullopt when the mode draws no image.
std::optional<POINT> PlaceImage(const ImagePlacementInput& in);

// Whether a mode draws anything at all for the given window text (ImageAndText with an empty text
// draws nothing, not even its image).
bool ModeDrawsText(int drawMode);

struct TextPlacementInput {
    int drawMode = TextOnly;
    int alignment = 0;     // TextOnly only: 1 centred, 2 right, anything else left
    int textPlacement = 0; // ImageAndText only
    SIZE client;
    SIZE textExtent;
    SIZE normalImage; // ImageAndText leaves the normal image's room beside or above the text
    bool enabled = true;
    int state = Normal;
};

// Top-left reference point of the caption; nullopt when the mode draws no text.
std::optional<POINT> PlaceText(const TextPlacementInput& in);

struct TextColours {
    COLORREF current = 0;
    COLORREF hover = 0;
    COLORREF normal = 0;
};

// The caption colour; it becomes the button's current text colour.
COLORREF ChooseTextColour(bool enabled, int state, const TextColours& colours);

} // namespace ButtonFace
