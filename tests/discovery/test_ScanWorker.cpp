#include "FakeNetwork.h"
#include "discovery/AdapterTable.h"
#include "discovery/DeviceTable.h"
#include "discovery/DiscoveryReply.h"
#include "discovery/ScanWorker.h"
#include "platform/net/Ipv4Text.h"

#include <condition_variable>
#include <deque>
#include <functional>
#include <gtest/gtest.h>
#include <mutex>
#include <random>
#include <thread>

namespace {

using namespace std::chrono_literals;

// Sockets whose waits block until the test opens the gate or the pass is cancelled; then every
// socket delivers one reply.
class GatedSocketFactory : public DatagramSocketFactory {
public:
    class Socket : public DatagramSocket {
    public:
        explicit Socket(GatedSocketFactory& owner) : m_owner(owner) {}
        int Bind(std::uint32_t, std::uint16_t) override { return 0; }
        int SendTo(std::span<const std::uint8_t>, std::uint32_t, std::uint16_t) override { return 0; }
        WaitResult WaitReadable(std::chrono::milliseconds, const CancelSignal* cancel) override {
            m_owner.Waiting();
            std::unique_lock lock(m_owner.m_mutex);
            while (!m_owner.m_open) {
                if (cancel && cancel->IsRaised())
                    return {WaitResult::Status::Cancelled, 0};
                m_owner.m_changed.wait_for(lock, 1ms);
            }
            if (m_delivered)
                return {WaitResult::Status::TimedOut, 0};
            return {WaitResult::Status::Readable, 0};
        }
        ReceiveResult Receive(std::span<std::uint8_t> buffer) override {
            m_delivered = true;
            const auto reply =
                DiscoveryReply::Encode(Ipv4FromBytes(10, 0, 0, 9), {2, 0, 0, 0, 0, 9}, "M", "D");
            std::copy(reply.begin(), reply.end(), buffer.begin());
            return {static_cast<std::ptrdiff_t>(reply.size()), 0};
        }
        int Close() override { return 0; }

    private:
        GatedSocketFactory& m_owner;
        bool m_delivered = false;
    };

    std::unique_ptr<DatagramSocket> Open(int& error) override {
        error = 0;
        return std::make_unique<Socket>(*this);
    }
    void OpenGate() {
        std::lock_guard lock(m_mutex);
        m_open = true;
        m_changed.notify_all();
    }
    void Waiting() {
        std::lock_guard lock(m_mutex);
        ++m_waits;
        m_changed.notify_all();
    }
    bool AwaitFirstWait() {
        std::unique_lock lock(m_mutex);
        return m_changed.wait_for(lock, 10s, [this] { return m_waits > 0; });
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_changed;
    bool m_open = false;
    int m_waits = 0;
};

class ScanWorkerTest : public testing::Test {
protected:
    ScanWorkerTest() : m_context(m_adapters, m_devices, m_source, m_sockets) {
        m_source.Adapters = {MakeNetAdapter("eth0", {{"192.168.1.10", "255.255.255.0"}})};
    }

    AdapterTable m_adapters;
    DeviceTable m_devices;
    FakeAdapterSource m_source;
    GatedSocketFactory m_sockets;
    ScanContext m_context;
};

TEST_F(ScanWorkerTest, NotifiesOnTheWorkerThreadAfterThePassAndSkipsStartsMeanwhile) {
    std::atomic<int> notifications{0};
    std::thread::id notifiedOn;
    std::uint8_t countSeen = 0;
    ScanWorker worker(m_context, [&] {
        notifiedOn = std::this_thread::get_id();
        countSeen = m_devices.DisplayCount; // the display copy is complete when we hear of it
        ++notifications;
    });
    ASSERT_TRUE(worker.Start());
    ASSERT_TRUE(m_sockets.AwaitFirstWait());
    EXPECT_TRUE(worker.IsRunning());
    EXPECT_FALSE(worker.Start()); // skipped, not queued
    m_sockets.OpenGate();
    worker.WaitForFinish({});

    EXPECT_EQ(notifications, 1);
    EXPECT_NE(notifiedOn, std::this_thread::get_id());
    EXPECT_EQ(countSeen, 1);
    EXPECT_FALSE(worker.IsRunning());

    ASSERT_TRUE(worker.Start()); // a new pass once the last one is over
    worker.WaitForFinish({});
    EXPECT_EQ(notifications, 2);
}

TEST_F(ScanWorkerTest, CancelWakesTheRunningPassAndSuppressesItsNotification) {
    m_context.ReplyWait = 60s;
    std::atomic<int> notifications{0};
    ScanWorker worker(m_context, [&] { ++notifications; });
    ASSERT_TRUE(worker.Start());
    ASSERT_TRUE(m_sockets.AwaitFirstWait());

    const auto start = std::chrono::steady_clock::now();
    worker.Cancel();
    worker.WaitForFinish({});
    EXPECT_LT(std::chrono::steady_clock::now() - start, 5s);
    EXPECT_EQ(notifications, 0);
    EXPECT_FALSE(worker.Start()); // shutting down: no further pass
}

// The notification is a synchronous hand-over to the "user-interface thread" (this one), as the
// desktop program's UM_SCAN_DONE is: the worker blocks until this thread has served it.
class SyncChannel {
public:
    void Send(std::function<void()> call) {
        std::unique_lock lock(m_mutex);
        m_pending.push_back(std::move(call));
        m_changed.notify_all();
        m_changed.wait(lock, [this] { return m_pending.empty() && !m_serving; });
    }
    void Pump() {
        std::unique_lock lock(m_mutex);
        while (!m_pending.empty()) {
            auto call = std::move(m_pending.front());
            m_pending.pop_front();
            m_serving = true;
            lock.unlock();
            call();
            lock.lock();
            m_serving = false;
            m_changed.notify_all();
        }
    }
    bool AwaitPending() {
        std::unique_lock lock(m_mutex);
        return m_changed.wait_for(lock, 10s, [this] { return !m_pending.empty(); });
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::deque<std::function<void()>> m_pending;
    bool m_serving = false;
};

TEST_F(ScanWorkerTest, ShutdownWhileTheNotificationIsInFlightServesItInsteadOfDeadlocking) {
    SyncChannel channel;
    int handled = 0;
    auto worker = std::make_unique<ScanWorker>(m_context, [&] { channel.Send([&] { ++handled; }); });
    m_sockets.OpenGate();
    ASSERT_TRUE(worker->Start());
    ASSERT_TRUE(channel.AwaitPending()); // the worker now blocks in its send

    worker->Cancel(); // too late to suppress: the notification has begun
    worker->WaitForFinish([&] { channel.Pump(); });
    EXPECT_EQ(handled, 1);
    worker.reset();
}

TEST_F(ScanWorkerTest, DestroyingAtAnyMomentIsSafe) {
    std::mt19937 random(7);
    m_sockets.OpenGate();
    for (int round = 0; round < 200; ++round) {
        std::atomic<int> notifications{0};
        {
            ScanWorker worker(m_context, [&] { ++notifications; });
            worker.Start();
            std::this_thread::sleep_for(std::chrono::microseconds(random() % 400));
        }
        EXPECT_LE(notifications, 1);
    }
}

TEST_F(ScanWorkerTest, DestroyingWhileBlockedInAWaitEndsAtOnce) {
    m_context.ReplyWait = 60s;
    const auto start = std::chrono::steady_clock::now();
    {
        ScanWorker worker(m_context, [] {});
        ASSERT_TRUE(worker.Start());
        ASSERT_TRUE(m_sockets.AwaitFirstWait());
    }
    EXPECT_LT(std::chrono::steady_clock::now() - start, 5s);
}

} // namespace
