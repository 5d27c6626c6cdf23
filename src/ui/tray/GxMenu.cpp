#include "ui/tray/GxMenu.h"

#include "platform/gui/CBrush.h"
#include "platform/gui/CDC.h"
#include "platform/gui/CFont.h"
#include "platform/gui/CPen.h"
#include "platform/gui/CWnd.h"
#include "platform/gui/Resources.h"
#include "platform/gui/SystemMetrics.h"
#include "ui/tray/GxMenuMemDC.h"
#include "ui/tray/MenuHandleList.h"
#include "ui/tray/OsVersionClass.h"
#include "ui/tray/TrayIds.h"

#include <algorithm>
#include <cstdint>
#include <optional>

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);

// The item font: Arial at 12 pixels, every other field zero.
LOGFONT ItemFont(LONG weight) {
    LOGFONT font;
    font.lfHeight = -12;
    font.lfWeight = weight;
    font.lfCharSet = DEFAULT_CHARSET;
    constexpr std::u16string_view face = u"Arial";
    std::copy(face.begin(), face.end(), font.lfFaceName);
    return font;
}

std::u16string_view LabelOf(std::u16string_view text) {
    return text.substr(0, text.find(u'\t'));
}

// Measuring happens outside any paint cycle; a memory context measures as the main window's own
// context would, since both are the display at its resolution.
class MeasureContext {
public:
    explicit MeasureContext(LONG weight) {
        m_dc.CreateCompatibleDC(nullptr);
        const LOGFONT logFont = ItemFont(weight);
        m_font.CreateFontIndirect(&logFont);
        m_oldFont = m_dc.SelectObject(&m_font);
    }
    ~MeasureContext() { m_dc.SelectObject(m_oldFont); }
    LONG Width(std::u16string_view text) const { return m_dc.GetTextExtent(text).cx; }

private:
    CDC m_dc;
    CFont m_font;
    CFont* m_oldFont = nullptr;
};

// Reads the binary menu template without ever stepping past its end.
class TemplateReader {
public:
    explicit TemplateReader(const std::vector<std::uint8_t>& bytes) : m_bytes(bytes) {}

    std::optional<WORD> Word() {
        if (m_pos + 2 > m_bytes.size()) {
            return std::nullopt;
        }
        const auto word = static_cast<WORD>(m_bytes[m_pos] | (m_bytes[m_pos + 1] << 8));
        m_pos += 2;
        return word;
    }

    std::optional<std::u16string> Text() {
        std::u16string text;
        while (true) {
            const std::optional<WORD> unit = Word();
            if (!unit) {
                return std::nullopt;
            }
            if (*unit == 0) {
                return text;
            }
            text.push_back(static_cast<char16_t>(*unit));
        }
    }

    bool Skip(std::size_t count) {
        if (count > m_bytes.size() - m_pos) {
            return false;
        }
        m_pos += count;
        return true;
    }

private:
    const std::vector<std::uint8_t>& m_bytes;
    std::size_t m_pos = 0;
};

} // namespace

GxMenu::~GxMenu() {
    ReleaseMenu();
}

BOOL GxMenu::LoadMenuResource(WORD id) {
    const std::optional<std::vector<std::uint8_t>> bytes = LoadResourceData(id, u"MENU");
    if (!bytes) {
        return FALSE;
    }
    return LoadMenuIndirect(*bytes);
}

BOOL GxMenu::LoadMenuIndirect(const std::vector<std::uint8_t>& bytes) {
    // A second load would otherwise lose the first tree and its handles.
    if (m_hMenu) {
        ReleaseMenu();
    }
    if (!CreateMenu()) {
        return FALSE;
    }
    if (!BuildFromTemplate(bytes)) {
        ReleaseMenu();
        return FALSE;
    }
    return TRUE;
}

BOOL GxMenu::LoadMenuResource(std::u16string_view name) {
    if (!name.empty() && name.front() == u'#') {
        name.remove_prefix(1);
    }
    if (name.empty() || name.size() > 5) {
        return FALSE;
    }
    unsigned id = 0;
    for (const char16_t c : name) {
        if (c < u'0' || c > u'9') {
            return FALSE;
        }
        id = id * 10 + static_cast<unsigned>(c - u'0');
    }
    return id <= 0xFFFF ? LoadMenuResource(static_cast<WORD>(id)) : FALSE;
}

// The template lists items depth first; MF_END closes a level. A stack of menus with an "ends"
// mark per level turns that back into the tree.
BOOL GxMenu::BuildFromTemplate(const std::vector<std::uint8_t>& bytes) {
    TemplateReader reader(bytes);
    const std::optional<WORD> version = reader.Word();
    const std::optional<WORD> offset = reader.Word();
    if (!version || !offset || !reader.Skip(*offset)) {
        return FALSE;
    }
    struct Level {
        GxMenu* menu;
        bool ends;
    };
    std::vector<Level> stack{{this, false}};
    while (!stack.empty()) {
        const std::optional<WORD> flags = reader.Word();
        if (!flags) {
            return FALSE; // the data ended inside a level
        }
        const UINT itemFlags = *flags & ~MF_END;
        GxMenu* top = stack.back().menu;
        if ((*flags & MF_POPUP) != 0) {
            const std::optional<std::u16string> text = reader.Text();
            if (!text) {
                return FALSE;
            }
            if ((*flags & MF_END) != 0) {
                stack.back().ends = true;
            }
            auto popup = std::make_unique<GxMenu>();
            if (!popup->CreatePopupMenu()) {
                return FALSE;
            }
            GxMenu* const child = popup.get();
            m_ownedPopups.push_back(std::move(popup));
            top->AppendOwnerDrawnItem(*text, itemFlags, reinterpret_cast<UINT_PTR>(child->m_hMenu));
            stack.push_back({child, false});
            continue;
        }
        const std::optional<WORD> id = reader.Word();
        const std::optional<std::u16string> text = id ? reader.Text() : std::nullopt;
        if (!text) {
            return FALSE;
        }
        top->AppendOwnerDrawnItem(*text, itemFlags, *id);
        if ((*flags & MF_END) != 0) {
            stack.back().ends = true;
        }
        while (!stack.empty() && stack.back().ends) {
            stack.back().menu->AlignAcceleratorText();
            stack.pop_back();
        }
    }
    // Only the popups are owner-drawn: the top level becomes plain text items again.
    const int count = GetMenuItemCount();
    for (int position = 0; position < count && static_cast<std::size_t>(position) < m_itemRecords.size();
         ++position) {
        GxMenuData& record = *m_itemRecords[static_cast<std::size_t>(position)];
        const HMENU popup = GetSubMenuHandle(position);
        const UINT flags = popup ? (MF_BYPOSITION | MF_POPUP) : MF_BYPOSITION;
        const UINT_PTR id = popup ? reinterpret_cast<UINT_PTR>(popup) : GetMenuItemID(position);
        ModifyMenu(static_cast<UINT>(position), flags, id, std::u16string_view(record.m_text));
        record.m_flags = flags;
    }
    return TRUE;
}

BOOL GxMenu::AppendOwnerDrawnItem(std::u16string_view text, UINT flags, UINT_PTR idOrPopup) {
    if (idOrPopup == 0) {
        flags = (flags & MF_BYPOSITION) | MF_SEPARATOR | MF_OWNERDRAW;
    } else {
        flags |= MF_OWNERDRAW;
    }
    if ((flags & MF_POPUP) != 0) {
        const auto popup = reinterpret_cast<HMENU>(idOrPopup);
        MenuHandleList::Instance().Add(popup);
        m_submenuHandles.push_back(popup);
    }
    auto record = std::make_unique<GxMenuData>(text, flags, idOrPopup);
    const BOOL result = AppendMenu(flags, idOrPopup, reinterpret_cast<UINT_PTR>(record.get()));
    m_itemRecords.push_back(std::move(record));
    return result;
}

GxMenu* GxMenu::FindItemByCommand(UINT id, int& position) {
    return FindItem(id, position, nullptr, nullptr);
}

GxMenu* GxMenu::FindNextItemByCommand(UINT id, int& position, const std::vector<GxMenu*>& foundMenus,
                                      const std::vector<int>& foundPositions) {
    return FindItem(id, position, &foundMenus, &foundPositions);
}

GxMenu* GxMenu::FindItem(UINT id, int& position, const std::vector<GxMenu*>* foundMenus,
                         const std::vector<int>* foundPositions) {
    const auto alreadyFound = [&](int at) {
        if (!foundMenus || !foundPositions) {
            return false;
        }
        for (std::size_t i = 0; i < foundMenus->size() && i < foundPositions->size(); ++i) {
            if ((*foundMenus)[i] == this && (*foundPositions)[i] == at) {
                return true;
            }
        }
        return false;
    };
    const int count = GetMenuItemCount();
    for (int at = 0; at < count; ++at) {
        if (auto* popup = dynamic_cast<GxMenu*>(CMenu::FromHandle(GetSubMenuHandle(at)))) {
            if (GxMenu* found = popup->FindItem(id, position, foundMenus, foundPositions)) {
                return found;
            }
            continue;
        }
        if (GetMenuItemID(at) == id && !alreadyFound(at)) {
            position = at;
            return this;
        }
    }
    position = -1;
    return nullptr;
}

BOOL GxMenu::SetItemTextByCommand(std::optional<std::u16string_view> text, UINT id) {
    std::vector<GxMenu*> menus;
    std::vector<int> positions;
    std::vector<GxMenuData*> records;
    int position = -1;
    for (GxMenu* menu = FindItemByCommand(id, position); menu;
         menu = FindNextItemByCommand(id, position, menus, positions)) {
        menus.push_back(menu);
        positions.push_back(position);
        // An item appended past the class has no record; there is nothing of ours to change.
        if (static_cast<std::size_t>(position) < menu->m_itemRecords.size()) {
            records.push_back(menu->m_itemRecords[static_cast<std::size_t>(position)].get());
        }
    }
    if (menus.empty()) {
        m_itemRecords.push_back(std::make_unique<GxMenuData>());
        records.push_back(m_itemRecords.back().get());
    }
    for (GxMenuData* record : records) {
        if (text) {
            record->m_text.assign(*text);
        }
        record->m_imageIndex = -1;
        record->m_imageKey = -1;
        record->m_flags = (record->m_flags & ~MF_BYPOSITION) | MF_OWNERDRAW;
        record->m_commandId = id;
    }
    if (records.empty()) {
        return FALSE;
    }
    GxMenuData* last = records.back();
    return ModifyMenu(id, last->m_flags, id, reinterpret_cast<UINT_PTR>(last));
}

void GxMenu::AlignAcceleratorText() {
    MeasureContext context(FW_MEDIUM);
    LONG widest = 0;
    for (const auto& record : m_itemRecords) {
        std::u16string label(LabelOf(record->m_text));
        label.push_back(u' ');
        widest = std::max(widest, context.Width(label));
    }
    for (const auto& record : m_itemRecords) {
        const std::size_t tab = record->m_text.find(u'\t');
        if (tab == std::u16string::npos) {
            continue;
        }
        std::u16string label = record->m_text.substr(0, tab);
        LONG width = context.Width(label);
        while (width < widest) {
            label.push_back(u' ');
            const LONG wider = context.Width(label);
            // A font in which a space has no width would never get there.
            if (wider <= width) {
                break;
            }
            width = wider;
        }
        record->m_text = label + record->m_text.substr(tab);
    }
}

void GxMenu::MeasureItem(MEASUREITEMSTRUCT* measureItem) {
    const auto* data = reinterpret_cast<const GxMenuData*>(measureItem->itemData);
    if (!data) {
        return;
    }
    if ((data->m_flags & MF_SEPARATOR) != 0) {
        measureItem->itemWidth = 0;
        measureItem->itemHeight = static_cast<UINT>(GetSystemMetrics(SM_CYMENU) / 2);
        return;
    }
    // Measured in the normal weight; the bold default item is a little wider than its cell,
    // as it has always been.
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    CFont font;
    const LOGFONT logFont = ItemFont(FW_NORMAL);
    font.CreateFontIndirect(&logFont);
    CFont* oldFont = nullptr;
    if (NewShellLook) {
        oldFont = dc.SelectObject(&font);
    }
    const SIZE extent = dc.GetTextExtent(data->m_text);
    if (NewShellLook) {
        dc.SelectObject(oldFont);
    }
    measureItem->itemWidth = static_cast<UINT>(extent.cx + 2 * m_iconCellWidth + 1);
    measureItem->itemHeight = static_cast<UINT>(std::max(GetSystemMetrics(SM_CYMENU), m_iconCellHeight + 4));
}

COLORREF GxMenu::LightenColor(double f, COLORREF color) {
    if (!(f > 0.0 && f <= 1.0)) {
        return color;
    }
    const auto lighten = [f](BYTE c) { return static_cast<BYTE>(c + f * (255 - c)); };
    return RGB(lighten(GetRValue(color)), lighten(GetGValue(color)), lighten(GetBValue(color)));
}

void GxMenu::DrawItem(DRAWITEMSTRUCT* drawItem) {
    CDC* dc = CDC::FromHandle(drawItem->hDC);
    if (!dc || drawItem->itemData == 0) {
        return;
    }
    const COLORREF face = GetSysColor(NewShellLook ? COLOR_3DFACE : COLOR_MENU);
    const COLORREF back = GetSysColor(COLOR_MENU);
    // A palette display cannot show the flat look's blended colours.
    bool classic = (dc->GetDeviceCaps(RASTERCAPS) & RC_PALETTE) != 0;
    if (!classic) {
        const int style = face != back ? FlatStyleDistinctFace : FlatStyleSameFace;
        classic = style != 1;
    }
    if (classic) {
        DrawClassicItem(*drawItem, *dc);
    } else {
        DrawFlatItem(*drawItem, *dc);
    }
}

void GxMenu::DrawFlatItem(const DRAWITEMSTRUCT& drawItem, CDC& target) {
    const auto& data = *reinterpret_cast<const GxMenuData*>(drawItem.itemData);
    const RECT r = drawItem.rcItem;
    const int iw = m_iconCellWidth;
    const int ih = m_iconCellHeight;

    COLORREF face = GetSysColor(NewShellLook ? COLOR_3DFACE : COLOR_MENU);
    COLORREF back = GetSysColor(COLOR_MENU);
    const bool sameColours = face == back;
    if (sameColours) {
        face = LightenColor(0.35, face);
        back = kWhite;
    }
    const COLORREF highlight = GetSysColor(COLOR_HIGHLIGHT);
    const COLORREF selectionFill = LightenColor(sameColours ? 0.85 : 0.7, highlight);
    const COLORREF grayText =
        sameColours ? LightenColor(0.55, GetSysColor(COLOR_GRAYTEXT)) : GetSysColor(COLOR_GRAYTEXT);

    const bool grayed = (drawItem.itemState & ODS_GRAYED) != 0;
    // A grayed item never shows as selected.
    const bool selected = !grayed && (drawItem.itemState & ODS_SELECTED) != 0;
    const bool checked = (drawItem.itemState & ODS_CHECKED) != 0;

    std::optional<GxMenuMemDC> offScreen;
    if (grayed) {
        offScreen.emplace(&target, r);
    }
    CDC& dc = offScreen ? static_cast<CDC&>(*offScreen) : target;

    const RECT strip{r.left, r.top, r.left + iw + 5, r.bottom};
    const int dy = std::max(0, (r.Height() - ih - 4) / 2);
    CBrush faceBrush;
    faceBrush.CreateSolidBrush(face);
    CBrush backBrush;
    backBrush.CreateSolidBrush(back);

    if ((data.m_flags & MF_SEPARATOR) != 0) {
        dc.FillSolidRect(r, back);
        RECT line{strip.right + 4, r.top + r.Height() / 2, r.right, r.bottom};
        dc.DrawEdge(&line, EDGE_ETCHED, BF_TOP);
        dc.FillSolidRect(strip, face);
        dc.FrameRect(strip, &faceBrush);
        return;
    }

    CBrush highlightBrush;
    highlightBrush.CreateSolidBrush(highlight);
    if (selected) {
        dc.FillSolidRect(r, selectionFill);
        dc.FrameRect(r, &highlightBrush);
    } else {
        dc.FillSolidRect(r, back);
        dc.FillSolidRect(strip, face);
        dc.FrameRect(r, &backBrush);
        dc.FrameRect(strip, &faceBrush);
    }

    if (checked && !data.HasImage()) {
        const RECT cell{r.left + 2, r.top + dy + 2, r.left + iw + 2,
                        r.top + dy + ih + 2 + (sameColours ? 0 : 1)};
        dc.FillSolidRect(cell, LightenColor(0.85, highlight));
        dc.FrameRect(cell, &highlightBrush);
        if (HasCheckedBitmap(drawItem.itemID)) {
            DrawRadioDot(dc, cell.left + 5, cell.top + 4);
        } else {
            DrawCheckTick(dc, cell.left + 5, cell.top + 4);
        }
    }

    DrawItemText(dc, data, r, grayed ? grayText : GetSysColor(COLOR_MENUTEXT), 0);
}

void GxMenu::DrawClassicItem(const DRAWITEMSTRUCT& drawItem, CDC& target) {
    const auto& data = *reinterpret_cast<const GxMenuData*>(drawItem.itemData);
    const RECT r = drawItem.rcItem;
    const int iw = m_iconCellWidth;
    const int ih = m_iconCellHeight;
    const COLORREF face = GetSysColor(NewShellLook ? COLOR_3DFACE : COLOR_MENU);
    const bool grayed = (drawItem.itemState & ODS_GRAYED) != 0;
    const bool selected = (drawItem.itemState & ODS_SELECTED) != 0;
    const bool checked = (drawItem.itemState & ODS_CHECKED) != 0;

    // Grayed items are composed off screen in this look too, and copied in one operation.
    std::optional<GxMenuMemDC> offScreen;
    if (grayed) {
        offScreen.emplace(&target, r);
    }
    CDC& dc = offScreen ? static_cast<CDC&>(*offScreen) : target;

    if ((data.m_flags & MF_SEPARATOR) != 0) {
        dc.FillSolidRect(r, face);
        RECT line{r.left, r.top + r.Height() / 2, r.right, r.bottom};
        dc.DrawEdge(&line, EDGE_ETCHED, BF_TOP);
        return;
    }

    COLORREF textColor = GetSysColor(COLOR_MENUTEXT);
    if (selected) {
        const RECT bar = checked ? RECT{r.left + iw + 5, r.top, r.right, r.bottom} : r;
        dc.FillSolidRect(bar, GetSysColor(COLOR_HIGHLIGHT));
        textColor = GetSysColor(COLOR_HIGHLIGHTTEXT);
    } else {
        CBrush faceBrush;
        faceBrush.CreateSolidBrush(face);
        dc.FillSolidRect(r, face);
        dc.FrameRect(r, &faceBrush);
    }

    if (checked && !data.HasImage()) {
        const int dy = std::max(0, (r.Height() - ih - 4) / 2);
        RECT cell{r.left + 1, r.top + dy + 2, r.left + iw + 1, r.top + dy + ih + 2};
        dc.FillSolidRect(cell, GetSysColor(selected || !NewShellLook ? COLOR_MENU : COLOR_3DLIGHT));
        if (NewShellLook) {
            RECT border = cell;
            dc.DrawEdge(&border, BDR_SUNKENOUTER, BF_RECT);
        }
        if (HasCheckedBitmap(drawItem.itemID)) {
            DrawRadioDot(dc, cell.left + 5, cell.top + 4);
        } else {
            DrawCheckTick(dc, cell.left + 4, cell.top + 4);
        }
    }

    if (grayed && !selected) {
        DrawItemText(dc, data, r, GetSysColor(COLOR_BTNHIGHLIGHT), 1);
        DrawItemText(dc, data, r, GetSysColor(COLOR_GRAYTEXT), 0);
    } else if (grayed) {
        DrawItemText(dc, data, r, face, 0);
    } else {
        DrawItemText(dc, data, r, textColor, 0);
    }
}

// The label left-aligned and the accelerator right-aligned, both on one line and vertically
// centred; shift moves the text rectangle right and down (the classic look's embossed gray).
void GxMenu::DrawItemText(CDC& dc, const GxMenuData& data, const RECT& r, COLORREF color, int shift) const {
    if (data.m_text.empty()) {
        return;
    }
    const bool isDefault = data.m_commandId == m_defaultCommandId;
    const LOGFONT logFont = ItemFont(isDefault ? FW_BOLD : FW_MEDIUM);
    CFont font;
    font.CreateFontIndirect(&logFont);
    CFont* oldFont = dc.SelectObject(&font);
    const int oldMode = dc.SetBkMode(TRANSPARENT);
    const COLORREF oldColor = dc.SetTextColor(color);

    RECT textRect{r.left + m_iconCellWidth + 9 + shift, r.top - 1 + shift, r.right + shift,
                  r.bottom - 1 + shift};
    const std::u16string_view text = data.m_text;
    const std::size_t firstTab = text.find(u'\t');
    constexpr UINT kLine = DT_SINGLELINE | DT_VCENTER;
    if (firstTab == std::u16string_view::npos) {
        dc.DrawText(text, &textRect, kLine | DT_LEFT);
    } else {
        const std::u16string_view label = text.substr(0, firstTab);
        const std::u16string_view accelerator = text.substr(text.rfind(u'\t') + 1);
        textRect.right -= m_iconCellWidth;
        dc.DrawText(label, &textRect, kLine | DT_LEFT);
        dc.DrawText(accelerator, &textRect, kLine | DT_RIGHT);
    }

    dc.SetTextColor(oldColor);
    dc.SetBkMode(oldMode);
    dc.SelectObject(oldFont);
}

bool GxMenu::HasCheckedBitmap(UINT id) const {
    return GetMenuItemCheckedBitmap(id, MF_BYCOMMAND) != nullptr;
}

void GxMenu::DrawRadioDot(CDC& dc, int x, int y) {
    const COLORREF color = GetSysColor(COLOR_MENUTEXT);
    CBrush brush;
    brush.CreateSolidBrush(color);
    CPen pen;
    pen.CreatePen(PS_SOLID, 1, color);
    CBrush* oldBrush = dc.SelectObject(&brush);
    CPen* oldPen = dc.SelectObject(&pen);
    dc.Ellipse(x, y, x + 6, y + 6);
    dc.SelectObject(oldPen);
    dc.SelectObject(oldBrush);
}

void GxMenu::DrawCheckTick(CDC& dc, int x, int y) {
    constexpr int kColumnTops[7] = {2, 3, 4, 3, 2, 1, 0};
    const COLORREF color = GetSysColor(COLOR_MENUTEXT);
    for (int column = 0; column < 7; ++column) {
        dc.FillSolidRect(x + column, y + kColumnTops[column], 1, 3, color);
    }
}

void GxMenu::ReleaseMenu() {
    MenuHandleList& handles = MenuHandleList::Instance();
    handles.Remove(m_hMenu);
    for (auto it = m_submenuHandles.rbegin(); it != m_submenuHandles.rend(); ++it) {
        const HMENU popup = *it;
        handles.Remove(popup);
        // The popup's own destruction releases its subtree.
        const auto owned = std::find_if(m_ownedPopups.begin(), m_ownedPopups.end(),
                                        [popup](const auto& menu) { return menu->m_hMenu == popup; });
        if (owned != m_ownedPopups.end()) {
            m_ownedPopups.erase(owned);
        }
    }
    m_submenuHandles.clear();
    m_ownedPopups.clear();
    m_itemRecords.clear();
    if (m_hMenu) {
        DestroyMenu();
    }
}

void GxMenu::AddTrayIcon(CWnd* owner, std::u16string_view tip, HICON icon) {
    m_notifyIconData = NOTIFYICONDATAW{};
    m_notifyIconData.cbSize = NOTIFYICONDATAW_SIZE;
    m_notifyIconData.hWnd = owner ? owner->GetSafeHwnd() : nullptr;
    m_notifyIconData.uID = kTrayIconId;
    m_notifyIconData.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    m_notifyIconData.uCallbackMessage = kTrayNotifyMessage;
    m_notifyIconData.hIcon = icon;
    // The field holds 127 units and the terminator; a longer title is cut, never split inside
    // a surrogate pair.
    std::size_t length = std::min<std::size_t>(tip.size(), NOTIFYICON_TIP_CAPACITY - 1);
    if (length > 0 && length < tip.size() && tip[length - 1] >= 0xD800 && tip[length - 1] <= 0xDBFF) {
        --length;
    }
    std::copy_n(tip.begin(), length, m_notifyIconData.szTip);
    m_notifyResult = Shell_NotifyIconW(NIM_ADD, &m_notifyIconData);
}

void GxMenu::RemoveTrayIcon(CWnd* owner) {
    m_notifyIconData.cbSize = NOTIFYICONDATAW_SIZE;
    if (owner) {
        m_notifyIconData.hWnd = owner->GetSafeHwnd();
    }
    m_notifyIconData.uID = kTrayIconId;
    m_notifyResult = Shell_NotifyIconW(NIM_DELETE, &m_notifyIconData);
}
