#include "platform/gui/CStatic.h"

BOOL CStatic::Create(std::u16string_view text, DWORD style, const RECT& rect, CWnd* parent, UINT id) {
    return CreateEx(0, kWindowClassStatic, text, style, rect, parent, id);
}
