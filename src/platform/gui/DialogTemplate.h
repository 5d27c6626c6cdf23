#pragma once

// A dialog template: the dialog's style, caption, font and rectangle and the controls it holds.
// Templates are JSON resources (":/res/DIALOG/N") in pixels:
//   { "id": 102, "style": "0x90000048", "exStyle": "0x00040000",
//     "font": { "face": "MS Shell Dlg", "points": 9 }, "rect": [x, y, width, height], "caption": "",
//     "controls": [ { "id": 1000, "class": "button", "style": "0x50010000", "rect": [...], "text": "" } ] }
// Numbers are JSON numbers or "0x..." strings; class is "button", "static" or "scrollbar".

#include "platform/gui/WinTypes.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

struct DialogControlTemplate {
    int id = 0;
    std::u16string className;
    DWORD style = 0;
    DWORD exStyle = 0;
    RECT rect;
    std::u16string text;
};

struct DialogTemplate {
    int id = 0;
    DWORD style = 0;
    DWORD exStyle = 0;
    std::u16string fontFace;
    int fontPoints = 0;
    RECT rect;
    std::u16string caption;
    std::vector<DialogControlTemplate> controls;

    // Nothing for text that is not a template (bad JSON, a missing rectangle, a control without
    // an id or class).
    static std::optional<DialogTemplate> Parse(std::span<const std::uint8_t> json);
    static std::optional<DialogTemplate> Load(UINT id);

private:
    static std::optional<DialogTemplate> LoadUncached(UINT id);
};
