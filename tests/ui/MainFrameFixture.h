#pragma once

// A main window over a scripted network: one adapter whose socket answers with the devices the
// test lists, so a scan pass ends at once and its result is exactly what the test expects. A gate
// can hold a background pass at its start, to look at the window while it scans.

#include "FakeNetwork.h"
#include "discovery/AdapterTable.h"
#include "discovery/DeviceTable.h"
#include "discovery/DiscoveryReply.h"
#include "platform/net/Ipv4Text.h"
#include "resources/ResourceIds.h"
#include "skin/ImageStore.h"
#include "ui/main_window/CMainFrame.h"

#include <condition_variable>
#include <gtest/gtest.h>
#include <memory>
#include <mutex>

// Holds ListAdapters (the start of every pass) while closed.
class GatedAdapterSource : public FakeAdapterSource {
public:
    std::vector<NetAdapter> ListAdapters() override {
        std::unique_lock lock(m_mutex);
        ++m_waiting;
        m_changed.notify_all();
        m_changed.wait(lock, [this] { return m_open; });
        --m_waiting;
        lock.unlock();
        return FakeAdapterSource::ListAdapters();
    }
    void Close() {
        std::lock_guard lock(m_mutex);
        m_open = false;
    }
    void Open() {
        std::lock_guard lock(m_mutex);
        m_open = true;
        m_changed.notify_all();
    }
    // Waits until a pass stands at the gate.
    void WaitForArrival() {
        std::unique_lock lock(m_mutex);
        m_changed.wait(lock, [this] { return m_waiting > 0; });
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_changed;
    bool m_open = true;
    int m_waiting = 0;
};

inline std::vector<std::uint8_t> DeviceReply(int device) {
    const std::string model = "QM-" + std::to_string(device);
    const std::string description = "Device " + std::to_string(device);
    const auto bytes = DiscoveryReply::Encode(
        Ipv4FromBytes(192, 0, 2, static_cast<std::uint8_t>(device)),
        {0x02, 0x51, 0x4D, 0x00, 0x00, static_cast<std::uint8_t>(device)}, model, description);
    return {bytes.begin(), bytes.end()};
}

class MainFrameTest : public testing::Test {
protected:
    void SetUp() override { m_source.Adapters = {MakeNetAdapter("lo", {{"127.0.0.1", "255.0.0.0"}})}; }
    void TearDown() override {
        if (m_frame) {
            m_frame->WaitForScan();
            m_frame->DestroyWindow();
            m_frame.reset();
        }
        ClearImageStore();
    }

    // The devices the next pass finds: 1 .. count.
    void NextScanFinds(int count) {
        SocketScript script;
        for (int i = 1; i <= count; ++i)
            script.events.push_back(SocketEvent::Datagram(DeviceReply(i)));
        m_sockets.Scripts.push_back(std::move(script));
    }

    // Creates the window (modeless here); its initialisation runs the first pass.
    CMainFrame& OpenWindow(int devices) {
        // The window empties the image store when it is destroyed; each window starts afresh.
        InitImageStore();
        NextScanFinds(devices);
        ScanContext context(m_adapters, m_devices, m_source, m_sockets);
        m_frame = std::make_unique<CMainFrame>(context);
        EXPECT_TRUE(m_frame->Create(res::kDialogMainWindow, nullptr));
        return *m_frame;
    }

    // A background scan from the rescan button, waited for.
    void Rescan(int devices) {
        NextScanFinds(devices);
        m_frame->SendMessage(WM_COMMAND, MAKEWPARAM(res::kCtlRescan, BN_CLICKED), 0);
        m_frame->WaitForScan();
    }

    void Scroll(UINT code, int position = 0) {
        m_frame->SendMessage(WM_VSCROLL, MAKEWPARAM(static_cast<WORD>(code), static_cast<WORD>(position)),
                             reinterpret_cast<LPARAM>(m_frame->ScrollBar().GetSafeHwnd()));
    }

    std::vector<int> VisibleRows() {
        std::vector<int> rows;
        for (int i = 0; i < 32; ++i)
            if (m_frame->Row(i).IsWindowVisible())
                rows.push_back(i);
        return rows;
    }

    // A child's rectangle in its parent's client coordinates.
    static RECT ChildRect(CWnd& child) {
        RECT rect;
        child.GetWindowRect(&rect);
        child.GetParent()->ScreenToClient(&rect);
        return rect;
    }

    AdapterTable m_adapters;
    DeviceTable m_devices;
    GatedAdapterSource m_source;
    ScriptedSocketFactory m_sockets;
    std::unique_ptr<CMainFrame> m_frame;
};

inline RECT XYWH(int x, int y, int width, int height) {
    return RECT{x, y, x + width, y + height};
}
