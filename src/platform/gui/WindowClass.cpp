#include "platform/gui/WindowClass.h"

#include "platform/gui/ButtonClass.h"
#include "platform/gui/CButton.h"
#include "platform/gui/CScrollBar.h"
#include "platform/gui/CStatic.h"
#include "platform/gui/DialogClass.h"
#include "platform/gui/ScrollBarClass.h"
#include "platform/gui/StaticClass.h"

namespace {

// A window without class behaviour: the generic default processing only.
class PlainClass : public WindowClass {
public:
    bool DefProc(CWnd&, UINT, WPARAM, LPARAM, LRESULT*) override { return false; }
};

bool SameName(std::u16string_view a, std::u16string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        char16_t x = a[i] >= u'A' && a[i] <= u'Z' ? static_cast<char16_t>(a[i] + 32) : a[i];
        char16_t y = b[i] >= u'A' && b[i] <= u'Z' ? static_cast<char16_t>(b[i] + 32) : b[i];
        if (x != y) {
            return false;
        }
    }
    return true;
}

} // namespace

std::unique_ptr<WindowClass> MakeWindowClass(std::u16string_view className) {
    if (SameName(className, kWindowClassButton)) {
        return std::make_unique<ButtonClass>();
    }
    if (SameName(className, kWindowClassStatic)) {
        return std::make_unique<StaticClass>();
    }
    if (SameName(className, kWindowClassScrollBar)) {
        return std::make_unique<ScrollBarClass>();
    }
    if (SameName(className, kWindowClassDialog)) {
        return std::make_unique<DialogClass>();
    }
    return std::make_unique<PlainClass>();
}

std::unique_ptr<CWnd> MakeDefaultOwner(std::u16string_view className) {
    if (SameName(className, kWindowClassButton)) {
        return std::make_unique<CButton>();
    }
    if (SameName(className, kWindowClassStatic)) {
        return std::make_unique<CStatic>();
    }
    if (SameName(className, kWindowClassScrollBar)) {
        return std::make_unique<CScrollBar>();
    }
    return std::make_unique<CWnd>();
}
