#pragma once

// One device as one row of the main window's list: four texts (description, model, IP address,
// MAC address) on the skinned row picture and a connect button that opens the device's web page.
//
// The row lights up while the pointer is over it. Pointer movement starts a 10 ms timer; each tick
// compares the pointer with the row's rectangle, swaps the background between the normal picture
// (165) and the hover picture (166), and stops the timer once the pointer is outside. The timer
// runs only from the first movement until the pointer has left, so an idle row costs nothing.
//
// A panel knows nothing of its place in the list or of scanning: it shows what it was last given.

#include "discovery/DeviceTable.h"
#include "platform/gui/CDialog.h"
#include "ui/controls/CLumButton.h"
#include "ui/controls/CLumStatic.h"

#include <array>
#include <string>

class Image;

class CRemDev : public CDialog {
public:
    CRemDev();

    // Creates the hidden child window from dialog template 164.
    BOOL Create(CWnd* parent);
    using CDialog::Create;

    // Copies the entry's four texts and shows them.
    void SetDeviceEntry(DeviceDisplayEntry entry);
    // Hover look off, normal background, repainted at once. The hover timer is left alone: with
    // the pointer still over the row the next tick lights it again.
    void ResetLook();

    // For the owner and for tests.
    bool IsHoverLook() const { return m_hoverLook; }
    bool IsPointerLeft() const { return m_pointerLeft; }
    const Image* Background() const { return m_background; }
    const std::array<std::u16string, 4>& EntryTexts() const { return m_entryTexts; }
    CLumButton& ConnectButton() { return m_connect; }
    CLumStatic& Label(int index) { return m_labels[static_cast<std::size_t>(index)]; }

    static constexpr UINT_PTR kHoverTimer = 2;
    static constexpr UINT kHoverTimerMs = 10;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void OnPaint() override;
    BOOL OnEraseBkgnd(CDC* pDC) override;
    void OnMouseMove(UINT flags, POINT point) override;
    void OnTimer(UINT_PTR id) override;

private:
    void OnConnect();
    void ChangeBackground(bool hover);

    const Image* m_background = nullptr;
    bool m_hoverLook = false;
    bool m_pointerLeft = false;
    // Description, model, IP, MAC: controls 1019 to 1022.
    std::array<CLumStatic, 4> m_labels;
    // Description, model, IP text, MAC text: the panel's own copy of the entry it shows.
    std::array<std::u16string, 4> m_entryTexts;
    CLumButton m_connect;
};
