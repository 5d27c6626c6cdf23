#include "ui/controls/ButtonFace.h"

namespace ButtonFace {

StateImage ChooseImage(const ImageChoiceInput& in) {
    if (!in.enabled) {
        return StateImage::Disabled;
    }
    if (in.drawMode == Latching) {
        if (in.clickedLatch) {
            return StateImage::Pressed;
        }
        return in.state == Hover ? StateImage::Hover : StateImage::Normal;
    }
    if (in.drawMode == OwnerSelected) {
        switch (in.imageSelector) {
        case 1:
            return StateImage::Hover;
        case 2:
            return StateImage::Pressed;
        default:
            return StateImage::Normal;
        }
    }
    switch (in.state) {
    case Hover:
        return in.previousState == Pressed ? StateImage::Pressed : StateImage::Hover;
    case Normal:
        return in.previousState == Pressed ? StateImage::Pressed : StateImage::Normal;
    case Released:
        return in.previousState == Normal ? StateImage::Normal : StateImage::Hover;
    case Pressed:
        return in.previousState == Normal ? StateImage::Normal : StateImage::Pressed;
    default:
        return StateImage::Normal;
    }
}

bool LooksPressed(int state, int previousState) {
    return state == Pressed || (state == Normal && previousState == Pressed);
}

std::optional<POINT> PlaceImage(const ImagePlacementInput& in) {
    POINT at;
    switch (in.drawMode) {
    case ImageOnly:
    case Latching:
    case OwnerSelected:
        at = {(in.client.cx - in.image.cx) / 2, (in.client.cy - in.image.cy) / 2};
        break;
    case ImageAndText:
        if (in.textEmpty) {
            return std::nullopt;
        }
        // Placements other than 1 lay out like 0, as the caption's placement does, so that image
        // and caption never overlap.
        if (in.textPlacement == 1) {
            at = {(in.client.cx - in.image.cx) / 2, 1};
        } else {
            at = {1, (in.client.cy - in.image.cy) / 2};
        }
        break;
    default:
        return std::nullopt;
    }
    if (LooksPressed(in.state, in.previousState)) {
        ++at.x;
        ++at.y;
    }
    return at;
}

bool ModeDrawsText(int drawMode) {
    return drawMode == TextOnly || drawMode == ImageAndText;
}

std::optional<POINT> PlaceText(const TextPlacementInput& in) {
    const SIZE& c = in.client;
    const SIZE& t = in.textExtent;
    POINT at;
    if (in.drawMode == TextOnly) {
        at.y = (c.cy - t.cy) / 2;
        if (in.alignment == 1) {
            at.x = (c.cx - t.cx) / 2;
        } else if (in.alignment == 2) {
            at.x = c.cx - t.cx - 1;
        } else {
            at.x = 1;
        }
    } else if (in.drawMode == ImageAndText) {
        if (in.textPlacement == 1) {
            at = {(c.cx - t.cx) / 2, (in.normalImage.cy + c.cy - t.cy) / 2};
        } else {
            at = {(in.normalImage.cx + c.cx - t.cx) / 2, (c.cy - t.cy) / 2};
        }
    } else {
        return std::nullopt;
    }
    if (in.enabled && in.state == Pressed) {
        ++at.x;
        ++at.y;
    }
    return at;
}

COLORREF ChooseTextColour(bool enabled, int state, const TextColours& colours) {
    if (!enabled) {
        return colours.normal;
    }
    switch (state) {
    case Hover:
    case Pressed:
        return colours.hover;
    case Normal:
    case Released:
        return colours.normal;
    default:
        return colours.current;
    }
}

} // namespace ButtonFace
