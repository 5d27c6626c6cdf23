#pragma once

// Menus of the desktop platform layer: menu handles holding ordered items (text, separator,
// owner-drawn with item data, popup), and popup tracking at a screen point.
//
// Handles are never reused: a destroyed menu's handle stays dead, so IsMenu and every operation
// on it fail instead of touching another menu. Destroying a menu destroys the popups that are
// still items of it, as the desktop does; a popup destroyed first leaves a dead handle behind in
// its parent's item, which is harmless.
//
// Owner-drawn items are measured and drawn by whoever handles the requests the popup sends to its
// owner window (WM_MEASUREITEM, WM_DRAWITEM with CtlType ODT_MENU). The owner's default handling
// passes them to the CMenu object attached to the item's menu handle (RouteMenuOwnerDraw), whose
// virtual MeasureItem and DrawItem do the work.

#include "platform/gui/WinTypes.h"

#include <cstddef>
#include <string>
#include <string_view>

class CWnd;

// An owner-draw measure request (WM_MEASUREITEM, lParam points to it). For menus CtlID is unused.
struct MEASUREITEMSTRUCT {
    UINT CtlType = 0;
    UINT CtlID = 0;
    UINT itemID = 0;
    UINT itemWidth = 0;
    UINT itemHeight = 0;
    UINT_PTR itemData = 0;
};

// Menu flags the shared header leaves out.
constexpr UINT MF_UNCHECKED = 0x0000;
constexpr UINT MF_ENABLED = 0x0000;
// TrackPopupMenu flags beyond TPM_LEFTALIGN and TPM_RIGHTBUTTON.
constexpr UINT TPM_CENTERALIGN = 0x0004;
constexpr UINT TPM_RIGHTALIGN = 0x0008;
constexpr UINT TPM_TOPALIGN = 0x0000;
constexpr UINT TPM_VCENTERALIGN = 0x0010;
constexpr UINT TPM_BOTTOMALIGN = 0x0020;
constexpr UINT TPM_NONOTIFY = 0x0080;
constexpr UINT TPM_RETURNCMD = 0x0100;

class CMenu {
public:
    CMenu() = default;
    // Destroys the menu still attached (and with it its popups).
    virtual ~CMenu();
    CMenu(const CMenu&) = delete;
    CMenu& operator=(const CMenu&) = delete;

    HMENU m_hMenu = nullptr;
    HMENU GetSafeHmenu() const { return m_hMenu; }
    // The object attached to a live menu handle; null for a dead handle or one without object.
    static CMenu* FromHandle(HMENU menu);

    // A menu bar and a popup differ only in how they are shown; both are empty when made.
    BOOL CreateMenu();
    BOOL CreatePopupMenu();
    // Fails when this object already holds a menu or the handle is dead or taken by another object.
    BOOL Attach(HMENU menu);
    HMENU Detach();
    BOOL DestroyMenu();

    // Appends an item. flags: MF_STRING (text), MF_SEPARATOR, MF_POPUP (idNewItem is the popup's
    // handle), plus the state bits MF_GRAYED, MF_DISABLED, MF_CHECKED, MF_RADIOCHECK, MF_DEFAULT.
    BOOL AppendMenu(UINT flags, UINT_PTR idNewItem = 0, std::u16string_view text = {});
    // Appends an MF_OWNERDRAW item carrying itemData (the measure and draw requests hand it back).
    BOOL AppendMenu(UINT flags, UINT_PTR idNewItem, UINT_PTR itemData);
    // Replaces the item at a position (MF_BYPOSITION) or the first item with a command id
    // (MF_BYCOMMAND, searching the popups depth first) with a new one described as for AppendMenu.
    BOOL ModifyMenu(UINT position, UINT flags, UINT_PTR idNewItem = 0, std::u16string_view text = {});
    BOOL ModifyMenu(UINT position, UINT flags, UINT_PTR idNewItem, UINT_PTR itemData);
    BOOL RemoveMenu(UINT position, UINT flags);

    // -1 for a dead menu.
    int GetMenuItemCount() const;
    // The command id at a position: 0 for a separator, 0xFFFFFFFF for a popup or a bad position.
    UINT GetMenuItemID(int position) const;
    // The popup at a position: its attached object (null if none) or its handle (null if none).
    CMenu* GetSubMenu(int position) const;
    HMENU GetSubMenuHandle(int position) const;
    // The item's flags (MF_GRAYED, MF_CHECKED, MF_POPUP, MF_SEPARATOR, MF_OWNERDRAW, ...);
    // 0xFFFFFFFF when there is no such item.
    UINT GetMenuState(UINT item, UINT flags) const;
    std::u16string GetMenuString(UINT item, UINT flags) const;
    UINT_PTR GetMenuItemData(UINT item, UINT flags) const;
    // Previous state (MF_CHECKED or MF_UNCHECKED; MF_ENABLED, MF_GRAYED or MF_DISABLED), or
    // 0xFFFFFFFF when there is no such item.
    UINT CheckMenuItem(UINT item, UINT check);
    UINT EnableMenuItem(UINT item, UINT enable);
    // The bitmaps shown beside an item when unchecked and checked. An owner-drawn item has no
    // platform glyph, so for it the checked bitmap is only a mark its drawing code may ask for.
    BOOL SetMenuItemBitmaps(UINT item, UINT flags, HBITMAP unchecked, HBITMAP checked);
    // The checked-state bitmap of an item (null when none was set or there is no such item).
    HBITMAP GetMenuItemCheckedBitmap(UINT item, UINT flags) const;

    // Shows this menu as a popup at the screen point and returns when it has closed: by a chosen
    // item, by Escape, or by a click outside. TPM_LEFTALIGN puts its left edge at x (TPM_RIGHTALIGN
    // its right edge, TPM_CENTERALIGN its middle), its top at y; it moves to stay on the screen.
    // With TPM_RIGHTBUTTON either button chooses an item, else the left only. The chosen command
    // is posted to owner as WM_COMMAND after the popup has closed; with TPM_RETURNCMD it is
    // returned instead (0: nothing chosen). FALSE when the menu is dead or empty, or another popup
    // is being tracked. exclude is accepted and ignored.
    BOOL TrackPopupMenu(UINT flags, int x, int y, CWnd* owner, const RECT* exclude = nullptr);

    // Owner-drawn items of this menu: fill in the size; draw into drawItem->hDC.
    virtual void MeasureItem(MEASUREITEMSTRUCT* measureItem);
    virtual void DrawItem(DRAWITEMSTRUCT* drawItem);
};

BOOL IsMenu(HMENU menu);
// Number of live menu handles in the process (tests check that nothing is left behind).
std::size_t LiveMenuCount();
// Width in the low word and height in the high word of the platform's check-mark glyph.
LONG GetMenuCheckMarkDimensions();

// Default handling of WM_MEASUREITEM and WM_DRAWITEM (lParam as the message carries it): when the
// request is for a menu item, it goes to the CMenu object attached to the item's menu and TRUE is
// returned; FALSE for any other request. A window's default processing calls this.
BOOL RouteMenuOwnerDraw(UINT message, LPARAM lParam);
