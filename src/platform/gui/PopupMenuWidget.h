#pragma once

// The window that shows a tracked popup menu: one per open level (the popup and the submenus
// opened from it). It asks the owner window to measure and draw owner-drawn items, draws plain
// items itself, and runs the tracking loop until an item is chosen or the popup is dismissed.
// Internal to the platform layer; CMenu::TrackPopupMenu is its public face.

#include "platform/gui/WinTypes.h"

#include <QImage>
#include <QPoint>
#include <QWidget>
#include <functional>
#include <memory>
#include <vector>

class CWnd;
class QEventLoop;

class PopupMenuWidget : public QWidget {
public:
    // See CMenu::TrackPopupMenu.
    static BOOL Track(HMENU menu, UINT flags, POINT at, CWnd* owner);

    // Tests: runs step from inside the tracking loop once the next popup is on screen; the
    // innermost open popup, its hot item (-1 when none) and its item rectangles.
    static void OnNextShowForTesting(std::function<void()> step);
    static PopupMenuWidget* Innermost();
    int HotItem() const { return m_hot; }
    RECT ItemRect(int item) const;
    HMENU Menu() const { return m_menu; }
    const QImage& Picture() const { return m_surface; }

    ~PopupMenuWidget() override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    struct Tracking;

    PopupMenuWidget(HMENU menu, Tracking* tracking, PopupMenuWidget* parentPopup);

    void Measure();
    void Render();
    void DrawItem(int item);
    void DrawPlainItem(int item, CWnd* owner, const RECT& rect, UINT state);
    void PlaceAt(QPoint at, UINT flags);

    int ItemAt(QPoint local) const;
    PopupMenuWidget* LevelAt(QPoint global);
    void HoverAt(QPoint local);
    bool IsSelectable(int item) const;
    void SetHot(int item);
    void MoveHot(int step);
    void OpenSubmenu(int item, bool selectFirst);
    void CloseSubmenu();
    void Choose(int item);
    void Finish(UINT command);

    HMENU m_menu = nullptr;
    Tracking* m_tracking = nullptr;
    PopupMenuWidget* m_parentPopup = nullptr;
    std::unique_ptr<PopupMenuWidget> m_child;
    int m_childItem = -1;
    std::vector<RECT> m_itemRects;
    QImage m_surface;
    int m_hot = -1;
};
