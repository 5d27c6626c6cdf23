// The rest of the desktop side of windows: icons and cursors from the program's resources, the
// cursor question (WM_SETCURSOR), owned popups, the shipped dialog templates, the application
// object's run.
#include "platform/gui/CButton.h"
#include "platform/gui/CDataExchange.h"
#include "platform/gui/CDialog.h"
#include "platform/gui/CWinAppEx.h"
#include "platform/gui/Cursor.h"
#include "platform/gui/Icon.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPalette>
#include <QWidget>
#ifdef QUELLMARK_HAVE_QTTEST
#include <QTest>
#endif
#include <gtest/gtest.h>

namespace {

class CursorButton : public CButton {
public:
    HCURSOR cursor = nullptr;

protected:
    BOOL OnSetCursor(CWnd* wnd, UINT hitTest, UINT message) override {
        if (!cursor) {
            return CButton::OnSetCursor(wnd, hitTest, message);
        }
        ::SetCursor(cursor);
        return TRUE;
    }
};

TEST(Desktop, IconAndCursorResources) {
    HICON icon = LoadIconResource(128);
    ASSERT_NE(icon, nullptr);
    EXPECT_EQ(LoadIconResource(128), icon); // the shared copy
    EXPECT_EQ(LoadIconResource(4242), nullptr);

    CWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, kWindowClassPlain, u"", WS_POPUP, RECT{0, 0, 40, 40}, nullptr, 0));
    EXPECT_EQ(wnd.SetIcon(icon, TRUE), nullptr);
    EXPECT_EQ(wnd.SetIcon(icon, FALSE), nullptr);
    EXPECT_EQ(wnd.GetIcon(TRUE), icon);
    EXPECT_FALSE(wnd.Widget()->windowIcon().isNull());

    HCURSOR hand = LoadCursorResource(138);
    ASSERT_NE(hand, nullptr);
    EXPECT_EQ(LoadCursorResource(4242), nullptr);
    DestroyCursor(hand);
}

TEST(Desktop, PointerOverAWindowAsksItForTheCursor) {
    CWnd parent;
    ASSERT_TRUE(
        parent.CreateEx(0, kWindowClassPlain, u"", WS_POPUP | WS_VISIBLE, RECT{0, 0, 100, 60}, nullptr, 0));
    CursorButton button;
    ASSERT_TRUE(button.Create(u"", WS_CHILD | WS_VISIBLE, RECT{10, 10, 60, 40}, &parent, 1023));
    button.cursor = LoadCursorResource(138);
    ASSERT_NE(button.cursor, nullptr);
    QWidget* widget = button.Widget();
    QPointF at(5, 5);
    QMouseEvent move(QEvent::MouseMove, at, widget->mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(widget, &move);
    EXPECT_EQ(GetCursor(), button.cursor);
    EXPECT_EQ(widget->cursor().hotSpot(), QPoint(5, 0));
    EXPECT_EQ(widget->cursor().shape(), Qt::BitmapCursor);

    button.cursor = nullptr; // default processing: the arrow
    QApplication::sendEvent(widget, &move);
    EXPECT_EQ(widget->cursor().shape(), Qt::ArrowCursor);
}

TEST(Desktop, ColourChangesReachEveryWindow) {
    struct Listener : CWnd {
        int changes = 0;
        void OnSysColorChange() override { ++changes; }
    } top, child;
    ASSERT_TRUE(top.CreateEx(0, kWindowClassPlain, u"", WS_POPUP, RECT{0, 0, 100, 60}, nullptr, 0));
    ASSERT_TRUE(child.CreateEx(0, kWindowClassPlain, u"", WS_CHILD, RECT{0, 0, 10, 10}, &top, 1));
    QPalette original = QApplication::palette();
    QPalette changed = original;
    changed.setColor(QPalette::Button, QColor(12, 34, 56));
    QApplication::setPalette(changed);
    QCoreApplication::processEvents();
    QApplication::setPalette(original);
    QCoreApplication::processEvents();
    EXPECT_EQ(top.changes, 2);
    EXPECT_EQ(child.changes, 2);
}

#ifdef QUELLMARK_HAVE_QTTEST
TEST(Desktop, CaptionDragMovesTheWindowWithThePointerWhileTheButtonIsHeld) {
    CWnd wnd;
    ASSERT_TRUE(
        wnd.CreateEx(0, kWindowClassPlain, u"", WS_POPUP | WS_VISIBLE, RECT{100, 100, 300, 200}, nullptr, 0));
    QCoreApplication::processEvents();
    QWindow* window = wnd.Widget()->windowHandle();
    ASSERT_NE(window, nullptr);
    QCursor::setPos(110, 110);
    QTest::mousePress(window, Qt::LeftButton, Qt::NoModifier, QPoint(10, 10));
    ReleaseCapture();
    wnd.SendMessage(WM_NCLBUTTONDOWN, HTCAPTION, 0);
    QCursor::setPos(150, 130);
    QTest::qWait(60);
    RECT rect;
    wnd.GetWindowRect(&rect);
    EXPECT_EQ(rect.left, 140);
    EXPECT_EQ(rect.top, 120);
    QTest::mouseRelease(window, Qt::LeftButton, Qt::NoModifier, QPoint(50, 30));
    QTest::qWait(30);
    QCursor::setPos(200, 200);
    QTest::qWait(30);
    wnd.GetWindowRect(&rect);
    EXPECT_EQ(rect.left, 140); // released: it stays
}
#endif

TEST(Desktop, LastActivePopupOfAnOwner) {
    CWnd owner;
    ASSERT_TRUE(
        owner.CreateEx(0, kWindowClassPlain, u"", WS_POPUP | WS_VISIBLE, RECT{0, 0, 100, 60}, nullptr, 0));
    EXPECT_EQ(owner.GetLastActivePopup(), &owner);
    CWnd popup;
    ASSERT_TRUE(
        popup.CreateEx(0, kWindowClassPlain, u"", WS_POPUP | WS_VISIBLE, RECT{10, 10, 50, 50}, &owner, 0));
    popup.SetActiveWindow();
    EXPECT_EQ(owner.GetLastActivePopup(), &popup);
    popup.ShowWindow(SW_HIDE);
    EXPECT_EQ(owner.GetLastActivePopup(), &owner);
}

TEST(Desktop, ShippedTemplatesBuildTheMainWindowAndARowPanel) {
    struct Main : CDialog {
        Main() : CDialog(102) {}
        CButton minimise;
        CButton close;
        CButton rescan;
        CWnd labels[5];
        CWnd scrollBar;
        CWnd title;
        void DoDataExchange(CDataExchange* pDX) override {
            DDX_Control(pDX, 1000, minimise);
            DDX_Control(pDX, 1001, close);
            DDX_Control(pDX, 1012, rescan);
            for (int i = 0; i < 5; ++i) {
                DDX_Control(pDX, 1013 + i, labels[i]);
            }
            DDX_Control(pDX, 1018, scrollBar);
            DDX_Control(pDX, 1025, title);
        }
        struct Row : CDialog {
            CWnd texts[4];
            CButton connect;
            void DoDataExchange(CDataExchange* pDX) override {
                for (int i = 0; i < 4; ++i) {
                    DDX_Control(pDX, 1019 + i, texts[i]);
                }
                DDX_Control(pDX, 1023, connect);
            }
        } row;
        BOOL OnInitDialog() override {
            CDialog::OnInitDialog();
            EXPECT_TRUE(row.Create(164, this));
            EndDialog(IDOK);
            return TRUE;
        }
    };
    bool checked = false;
    struct Probe : Main {
        bool* checked;
        explicit Probe(bool* flag) : checked(flag) {}
        BOOL OnInitDialog() override {
            Main::OnInitDialog();
            RECT client;
            GetClientRect(&client);
            EXPECT_EQ(client, (RECT{0, 0, 665, 520}));
            EXPECT_EQ(GetStyle() & ~WS_VISIBLE, 0x80000048u);
            EXPECT_EQ(GetExStyle(), WS_EX_APPWINDOW);
            EXPECT_TRUE(minimise.m_hWnd && close.m_hWnd && rescan.m_hWnd && scrollBar.m_hWnd && title.m_hWnd);
            EXPECT_EQ(GetDlgItem(1018), &scrollBar);
            EXPECT_NE(minimise.GetFont(), nullptr); // the dialog's font
            EXPECT_TRUE(row.GetStyle() & WS_CHILD);
            EXPECT_FALSE(row.IsWindowVisible());
            EXPECT_EQ(row.connect.GetDlgCtrlID(), 1023);
            EXPECT_TRUE(row.texts[3].m_hWnd);
            *checked = true;
            return TRUE;
        }
    } probe(&checked);
    EXPECT_EQ(probe.DoModal(), IDOK);
    EXPECT_TRUE(checked);
}

TEST(Desktop, ApplicationRunCallsInitAndExitAndReturnsTheExitCode) {
    struct App : CWinAppEx {
        App() : CWinAppEx(TRUE, u"Quellmark test") {}
        std::vector<std::string> calls;
        BOOL InitInstance() override {
            calls.push_back("init");
            EXPECT_EQ(AfxGetApp(), this);
            struct Quits : CDialog {
                Quits() : CDialog(9001) {}
                BOOL OnInitDialog() override {
                    CDialog::OnInitDialog();
                    PostQuitMessage(4);
                    return TRUE;
                }
            } dialog;
            m_pMainWnd = &dialog;
            EXPECT_EQ(dialog.DoModal(), -1);
            m_pMainWnd = nullptr;
            return FALSE;
        }
        int ExitInstance() override {
            calls.push_back("exit");
            return CWinAppEx::ExitInstance();
        }
    } app;
    char name[] = "test";
    char* argv[] = {name, nullptr};
    EXPECT_EQ(app.Run(1, argv), 4);
    EXPECT_EQ(app.calls, (std::vector<std::string>{"init", "exit"}));
    EXPECT_EQ(app.GetAppName(), u"Quellmark test");
}

} // namespace
