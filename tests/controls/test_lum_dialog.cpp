// The controls attached the way the windows attach them: members of a dialog made from the row
// panel's template, subclassed by control id.
#include "ControlsTestSupport.h"
#include "platform/gui/CDialog.h"
#include "platform/gui/CFont.h"

#include <gtest/gtest.h>

namespace {

using namespace controls_test;

constexpr UINT kRowTemplate = 164;
constexpr UINT kConnectId = 1023;
constexpr UINT kDescriptionId = 1019;

class RowDialog : public CDialog {
public:
    CLumButton connect;
    CLumStatic description;
    std::vector<WPARAM> commands;

    BOOL OnInitDialog() override {
        CDialog::OnInitDialog();
        connect.SubclassDlgItem(kConnectId, this);
        description.SubclassDlgItem(kDescriptionId, this);
        return TRUE;
    }

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM /*lParam*/) override {
        commands.push_back(wParam);
        return TRUE;
    }
};

class LumDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(parent.Create(600, 60));
        ASSERT_TRUE(row.Create(kRowTemplate, &parent));
        row.ShowWindow(SW_SHOW);
    }
    void TearDown() override {
        row.DestroyWindow();
        parent.DestroyWindow();
    }

    PointerEventShield shield;
    SkinnedParent parent;
    RowDialog row;
};

TEST_F(LumDialogTest, AttachedButtonIsOwnerDrawnAndClicksItsDialog) {
    ASSERT_TRUE(row.connect.IsWindow());
    EXPECT_EQ(row.connect.GetStyle() & BS_TYPEMASK, BS_OWNERDRAW);
    EXPECT_TRUE(row.connect.GetStyle() & WS_VISIBLE);
    auto image = SolidImage(48, 19, RGB(10, 120, 220));
    ASSERT_TRUE(row.connect.SetStateImages(image.get(), image.get(), image.get(), image.get()));
    row.connect.Invalidate();
    row.connect.UpdateWindow();
    // ImageOnly: the template's caption "Connect" is not drawn, the face is the image alone.
    const QImage& face = row.connect.Surface();
    int imagePixels = 0;
    for (int y = 0; y < face.height(); ++y) {
        for (int x = 0; x < face.width(); ++x) {
            imagePixels += ToColorRef(face.pixel(x, y)) == RGB(10, 120, 220) ? 1 : 0;
        }
    }
    EXPECT_EQ(imagePixels, 48 * 19);

    row.connect.SendMessage(WM_MOUSEMOVE, 0, MAKEPOINTLPARAM(4, 4));
    row.connect.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKEPOINTLPARAM(4, 4));
    row.connect.SendMessage(WM_LBUTTONUP, 0, MAKEPOINTLPARAM(4, 4));
    ASSERT_EQ(row.commands.size(), 1u);
    EXPECT_EQ(row.commands[0], MAKEWPARAM(kConnectId, BN_CLICKED));
}

TEST_F(LumDialogTest, AttachedLabelTakesTheControlsFont) {
    ASSERT_TRUE(row.description.IsWindow());
    // The dialog gives its controls its template font; without one they have the system font.
    const CFont* controlFont = CFont::FromHandle(row.description.GetFont());
    if (!controlFont) {
        controlFont = CFont::FromStock(SYSTEM_FONT);
    }
    LOGFONT expected{};
    ASSERT_TRUE(controlFont->GetLogFont(&expected));
    const LOGFONT& taken = row.description.GetFontDescription();
    EXPECT_EQ(taken.lfHeight, expected.lfHeight);
    EXPECT_EQ(std::u16string(taken.lfFaceName), std::u16string(expected.lfFaceName));
}

} // namespace
