#pragma once

// A menu that draws its items itself. It loads a menu resource into a tree of menus whose popup
// items are owner-drawn, keeps one GxMenuData record per item, answers the measure and draw
// requests for those items in a flat look (a shaded strip on the left, a light selection box) or
// a classic look (a solid highlight bar), pads tab-separated accelerator texts so that they line
// up, lets its owner replace item texts by command id and mark one item as the default (drawn in
// bold), and frees the whole tree again.
//
// Every popup of a loaded tree is a GxMenu of its own, attached to its handle and owned by the
// menu that lists it; it answers the requests for its own items.
//
// The object also carries the notification-area icon's record, because the tray menu is the one
// object the main window keeps for everything of the tray (see CDuzTray).

#include "platform/gui/CMenu.h"
#include "platform/gui/CTrayIcon.h"
#include "ui/tray/GxMenuData.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

class CDC;
class CWnd;

class GxMenu : public CMenu {
public:
    GxMenu() = default;
    // Runs ReleaseMenu.
    ~GxMenu() override;

    void DrawItem(DRAWITEMSTRUCT* drawItem) override;
    void MeasureItem(MEASUREITEMSTRUCT* measureItem) override;
    // Builds the tree from menu resource id (":/res/MENU/<id>"); a menu loaded before is released
    // first. FALSE, building nothing, when the resource is missing or malformed.
    virtual BOOL LoadMenuResource(WORD id);
    // The same by name: the name of a menu resource here is its decimal id, "#159" or "159".
    virtual BOOL LoadMenuResource(std::u16string_view name);
    virtual void ReleaseMenu();
    // The same from the bytes of a binary menu template.
    BOOL LoadMenuIndirect(const std::vector<std::uint8_t>& bytes);

    // Appends an owner-drawn item to this menu with its record. A command id of 0 makes a
    // separator; with MF_POPUP, idOrPopup is the popup's handle, listed as one of this menu's
    // popups and released with it (the popups a load creates are owned by this menu outright).
    BOOL AppendOwnerDrawnItem(std::u16string_view text, UINT flags, UINT_PTR idOrPopup);
    // Puts text (or, without one, keeps the texts) on every item with the command id, in this
    // menu and its popups; returns the platform's result of the final item change.
    BOOL SetItemTextByCommand(std::optional<std::u16string_view> text, UINT id);
    // The first item with the command id, depth first: its menu and position, or null and -1.
    GxMenu* FindItemByCommand(UINT id, int& position);
    // The next such item that is not among the (menu, position) pairs already found.
    GxMenu* FindNextItemByCommand(UINT id, int& position, const std::vector<GxMenu*>& foundMenus,
                                  const std::vector<int>& foundPositions);
    // Pads the labels of this menu's items that carry a tab with spaces, so that their
    // accelerators start at the same place.
    void AlignAcceleratorText();

    UINT DefaultCommandId() const { return m_defaultCommandId; }
    void SetDefaultCommandId(UINT id) { m_defaultCommandId = id; }

    // The style switches, process-wide: the value of the first when the desktop's face and menu
    // colours differ, of the second when they are equal, chooses the look; 1 is the flat look.
    static inline int FlatStyleDistinctFace = 1;
    static inline int FlatStyleSameFace = 0;

    // Each channel moved the fraction f towards white; f outside (0, 1] leaves the colour alone.
    static COLORREF LightenColor(double f, COLORREF color);

    // The notification-area icon (id 159, callback UM_TRAY_NOTIFY) for owner, with the tip cut to
    // its field. The desktop's answer is kept, not acted on.
    void AddTrayIcon(CWnd* owner, std::u16string_view tip, HICON icon);
    // Removes it; owner null means the window the icon was added for.
    void RemoveTrayIcon(CWnd* owner = nullptr);
    BOOL TrayRequestResult() const { return m_notifyResult; }
    const NOTIFYICONDATAW& TrayIconRecord() const { return m_notifyIconData; }

    // For the owner and tests: the records of this menu's items, in position order, and the
    // handles of the popups appended to it.
    const std::vector<std::unique_ptr<GxMenuData>>& ItemRecords() const { return m_itemRecords; }
    const std::vector<HMENU>& SubmenuHandles() const { return m_submenuHandles; }

protected:
    void DrawFlatItem(const DRAWITEMSTRUCT& drawItem, CDC& dc);
    void DrawClassicItem(const DRAWITEMSTRUCT& drawItem, CDC& dc);
    static void DrawRadioDot(CDC& dc, int x, int y);
    static void DrawCheckTick(CDC& dc, int x, int y);

private:
    GxMenu* FindItem(UINT id, int& position, const std::vector<GxMenu*>* foundMenus,
                     const std::vector<int>* foundPositions);
    BOOL BuildFromTemplate(const std::vector<std::uint8_t>& bytes);
    bool HasCheckedBitmap(UINT id) const;
    void DrawItemText(CDC& dc, const GxMenuData& data, const RECT& itemRect, COLORREF color, int shift) const;

    std::vector<std::unique_ptr<GxMenuData>> m_itemRecords;
    std::vector<HMENU> m_submenuHandles;
    // The popup objects a load created; they live until ReleaseMenu.
    std::vector<std::unique_ptr<GxMenu>> m_ownedPopups;
    int m_iconCellWidth = 16;
    int m_iconCellHeight = 15;
    BOOL m_notifyResult = FALSE;
    NOTIFYICONDATAW m_notifyIconData;
    UINT m_defaultCommandId = 0;
};
