// Dialogs: templates, creation of the controls, attaching members, modal runs and their ends,
// modeless child dialogs, and the key hook.
#include "platform/gui/CButton.h"
#include "platform/gui/CDataExchange.h"
#include "platform/gui/CDialog.h"
#include "platform/gui/CScrollBar.h"
#include "platform/gui/CStatic.h"
#include "platform/gui/DialogTemplate.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>
#include <functional>
#include <gtest/gtest.h>
#include <string>

namespace {

constexpr UINT kTestDialog = 9001;
constexpr UINT kChildDialog = 9002;
constexpr UINT UM_STEP = WM_USER + 1;

class AttachedButton : public CButton {
public:
    int preSubclassCalls = 0;

protected:
    void PreSubclassWindow() override { ++preSubclassCalls; }
};

class TestDialog : public CDialog {
public:
    explicit TestDialog(UINT id = kTestDialog, CWnd* parent = nullptr) : CDialog(id, parent) {}

    AttachedButton button;
    CStatic label;
    CScrollBar scrollBar;
    std::function<void(TestDialog&)> onInit;
    std::function<void(TestDialog&)> onStep;
    bool swallowDialogKeys = false;
    int initCalls = 0;

    BOOL PreTranslateMessage(MSG* msg) override {
        if (swallowDialogKeys && msg->message == WM_KEYDOWN &&
            (msg->wParam == VK_F1 || msg->wParam == VK_RETURN || msg->wParam == VK_ESCAPE)) {
            return TRUE;
        }
        return CDialog::PreTranslateMessage(msg);
    }

protected:
    void DoDataExchange(CDataExchange* pDX) override {
        CDialog::DoDataExchange(pDX);
        DDX_Control(pDX, 1000, button);
        DDX_Control(pDX, 1013, label);
        DDX_Control(pDX, 1018, scrollBar);
    }
    BOOL OnInitDialog() override {
        CDialog::OnInitDialog();
        ++initCalls;
        if (onInit) {
            onInit(*this);
        }
        return TRUE;
    }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == UM_STEP) {
            if (onStep) {
                onStep(*this);
            }
            return 0;
        }
        return CDialog::WindowProc(message, wParam, lParam);
    }
};

TEST(DialogTemplate, ReadsNumbersHexTextsAndRectangles) {
    std::string json = R"({ "id": 102, "style": "0x90000048", "exStyle": 262144,
        "font": { "face": "MS Shell Dlg", "points": 9 }, "rect": [0, 0, 665, 520], "caption": "Grüße",
        "controls": [ { "id": 1018, "class": "scrollbar", "style": "0x50000001", "rect": [606,129,20,343] } ] })";
    auto parsed =
        DialogTemplate::Parse(std::span(reinterpret_cast<const std::uint8_t*>(json.data()), json.size()));
    ASSERT_TRUE(parsed);
    EXPECT_EQ(parsed->style, 0x90000048u);
    EXPECT_EQ(parsed->exStyle, WS_EX_APPWINDOW);
    EXPECT_EQ(parsed->fontFace, u"MS Shell Dlg");
    EXPECT_EQ(parsed->fontPoints, 9);
    EXPECT_EQ(parsed->caption, u"Grüße");
    EXPECT_EQ(parsed->rect, (RECT{0, 0, 665, 520}));
    ASSERT_EQ(parsed->controls.size(), 1u);
    EXPECT_EQ(parsed->controls[0].rect, (RECT{606, 129, 626, 472}));
    EXPECT_EQ(parsed->controls[0].className, u"scrollbar");

    for (std::string bad : {std::string("not json"), std::string(R"({"rect": [1, 2, 3]})"),
                            std::string(R"({"rect": [0,0,1,1], "controls": [ { "class": "button" } ] })")}) {
        EXPECT_FALSE(
            DialogTemplate::Parse(std::span(reinterpret_cast<const std::uint8_t*>(bad.data()), bad.size())))
            << bad;
    }
    EXPECT_FALSE(DialogTemplate::Load(4242));
}

TEST(Dialogs, ModalRunCreatesControlsAttachesMembersAndEndsByEndDialog) {
    TestDialog dialog;
    HWND seenHandle = nullptr;
    dialog.onInit = [&](TestDialog& d) {
        seenHandle = d.m_hWnd;
        EXPECT_TRUE(d.button.m_hWnd);
        EXPECT_EQ(d.button.m_hWnd, d.GetDlgItemHandle(1000));
        EXPECT_EQ(CWnd::FromHandle(d.button.m_hWnd), &d.button);
        EXPECT_EQ(d.button.preSubclassCalls, 1);
        EXPECT_EQ(d.button.GetWindowText(), u"Go");
        EXPECT_EQ(d.button.GetStyle(), 0x50010000u);
        EXPECT_EQ(CWnd::FromHandle(d.label.m_hWnd), &d.label);
        EXPECT_EQ(d.label.GetWindowText(), u"Description");
        RECT rect;
        d.scrollBar.GetWindowRect(&rect);
        d.ScreenToClient(&rect);
        EXPECT_EQ(rect, (RECT{260, 29, 280, 172}));
        EXPECT_EQ(d.GetWindowText(), u"Test dialog");
        EXPECT_FALSE(d.IsWindowVisible()); // shown after the initialisation
        d.PostMessage(UM_STEP);
    };
    dialog.onStep = [](TestDialog& d) {
        EXPECT_TRUE(d.IsWindowVisible());
        d.EndDialog(42);
    };
    EXPECT_EQ(dialog.DoModal(), 42);
    EXPECT_EQ(dialog.initCalls, 1);
    EXPECT_FALSE(IsWindow(seenHandle));
    EXPECT_EQ(dialog.m_hWnd, nullptr);
    EXPECT_EQ(dialog.button.m_hWnd, nullptr);
}

TEST(Dialogs, QuitRequestEndsTheModalRun) {
    TestDialog dialog;
    struct QuitOnTimer : TestDialog {
        void OnTimer(UINT_PTR) override { PostQuitMessage(3); }
    } quitting;
    quitting.onInit = [](TestDialog& d) { d.SetTimer(1, 5); };
    EXPECT_EQ(quitting.DoModal(), -1);
    // The request was used up by the loop it ended: the next run is not cut short.
    dialog.onInit = [](TestDialog& d) { d.PostMessage(UM_STEP); };
    dialog.onStep = [](TestDialog& d) { d.EndDialog(IDOK); };
    EXPECT_EQ(dialog.DoModal(), IDOK);
}

TEST(Dialogs, EndDialogDuringInitialisationNeverRunsTheLoop) {
    TestDialog dialog;
    dialog.onInit = [](TestDialog& d) { d.EndDialog(7); };
    EXPECT_EQ(dialog.DoModal(), 7);
}

TEST(Dialogs, MissingTemplateFailsTheRun) {
    TestDialog dialog(4242);
    EXPECT_EQ(dialog.DoModal(), -1);
    EXPECT_EQ(dialog.initCalls, 0);
}

TEST(Dialogs, DialogKeysAndAHookThatSwallowsThem) {
    struct Case {
        bool swallow;
        int key;
        INT_PTR expected;
    };
    const Case cases[] = {
        {false, Qt::Key_Escape, IDCANCEL}, {false, Qt::Key_Return, IDOK}, {true, Qt::Key_Escape, 99},
        {true, Qt::Key_Return, 99},        {true, Qt::Key_F1, 99},
    };
    for (const Case& c : cases) {
        TestDialog dialog;
        dialog.swallowDialogKeys = c.swallow;
        dialog.onInit = [](TestDialog& d) { d.PostMessage(UM_STEP); };
        dialog.onStep = [&](TestDialog& d) {
            d.label.SetFocus(); // not a button: Enter means IDOK
            QWidget* focused = d.label.Widget();
            QKeyEvent press(QEvent::KeyPress, c.key, Qt::NoModifier);
            QApplication::sendEvent(focused, &press);
            if (::IsWindow(d.m_hWnd) && d.IsWindowVisible()) {
                d.EndDialog(99);
            }
        };
        EXPECT_EQ(dialog.DoModal(), c.expected) << "key " << c.key << " swallow " << c.swallow;
    }
}

TEST(Dialogs, EnterOnAFocusedButtonClicksIt) {
    struct ClickRecorder : TestDialog {
        int clicks = 0;
        BOOL OnCommand(WPARAM wParam, LPARAM lParam) override {
            if (LOWORD(wParam) == 1000 && HIWORD(wParam) == BN_CLICKED) {
                ++clicks;
                EndDialog(5);
                return TRUE;
            }
            return TestDialog::OnCommand(wParam, lParam);
        }
    } dialog;
    dialog.onInit = [](TestDialog& d) { d.PostMessage(UM_STEP); };
    dialog.onStep = [](TestDialog& d) {
        d.button.SetFocus();
        MSG msg;
        msg.hwnd = d.button.m_hWnd;
        msg.message = WM_KEYDOWN;
        msg.wParam = VK_RETURN;
        DispatchInputMessage(&msg);
    };
    EXPECT_EQ(dialog.DoModal(), 5);
    EXPECT_EQ(dialog.clicks, 1);
}

TEST(Dialogs, ModelessChildDialogStaysHiddenUntilShown) {
    CWnd parent;
    ASSERT_TRUE(
        parent.CreateEx(0, kWindowClassPlain, u"", WS_POPUP | WS_VISIBLE, RECT{0, 0, 300, 200}, nullptr, 0));
    struct Row : CDialog {
        CStatic text;
        CButton connect;
        void DoDataExchange(CDataExchange* pDX) override {
            DDX_Control(pDX, 1019, text);
            DDX_Control(pDX, 1023, connect);
        }
    } row;
    ASSERT_TRUE(row.Create(kChildDialog, &parent));
    EXPECT_TRUE(row.GetStyle() & WS_CHILD);
    EXPECT_EQ(row.GetParent(), &parent);
    EXPECT_FALSE(row.IsWindowVisible());
    EXPECT_EQ(row.connect.GetWindowText(), u"Connect"); // the class name "Button" matched
    EXPECT_TRUE(row.text.IsWindowVisible() == FALSE);
    row.ShowWindow(SW_SHOWNORMAL);
    EXPECT_TRUE(row.IsWindowVisible());
    EXPECT_TRUE(row.connect.IsWindowVisible());
    parent.DestroyWindow();
    EXPECT_FALSE(row.IsWindow());
    EXPECT_EQ(row.connect.m_hWnd, nullptr);
}

} // namespace
