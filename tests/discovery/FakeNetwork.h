#pragma once

// Test doubles for the scan pass: an adapter source that lists what the test says, and sockets
// that play a script (datagrams, time-outs, errors) and record what the pass did with them.

#include "discovery/DiscoveryWire.h"
#include "platform/net/AdapterSource.h"
#include "platform/net/CancelSignal.h"
#include "platform/net/DatagramSocket.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <deque>
#include <memory>
#include <string>
#include <vector>

inline NetAdapter MakeNetAdapter(std::string name, std::vector<NetAdapterAddress> addresses) {
    NetAdapter adapter;
    adapter.Name = std::move(name);
    adapter.Description = adapter.Name + " driver";
    adapter.Addresses = std::move(addresses);
    return adapter;
}

class FakeAdapterSource : public AdapterSource {
public:
    std::vector<NetAdapter> ListAdapters() override {
        ++Calls;
        if (!Next.empty()) {
            Adapters = std::move(Next.front());
            Next.pop_front();
        }
        return Adapters;
    }
    std::vector<NetAdapter> Adapters;
    // Lists to hand out on the following calls, one each; then Adapters stays.
    std::deque<std::vector<NetAdapter>> Next;
    int Calls = 0;
};

// One event of what a socket's wait and receive meet.
struct SocketEvent {
    enum class Kind { Datagram, Timeout, WaitError, ReceiveError };
    Kind kind = Kind::Timeout;
    std::vector<std::uint8_t> bytes;
    int error = 0;

    static SocketEvent Datagram(std::span<const std::uint8_t> data) {
        return {Kind::Datagram, std::vector<std::uint8_t>(data.begin(), data.end()), 0};
    }
    static SocketEvent Timeout() { return {Kind::Timeout, {}, 0}; }
    static SocketEvent WaitError(int error) { return {Kind::WaitError, {}, error}; }
    static SocketEvent ReceiveError(int error) { return {Kind::ReceiveError, {}, error}; }
};

struct SocketScript {
    int openError = 0; // the factory gives no socket
    int bindError = 0;
    int sendError = 0;
    int closeError = 0;
    // Played in order; when they run out, every wait times out.
    std::vector<SocketEvent> events;
};

// What the pass did with one socket.
struct SocketRecord {
    bool opened = false;
    bool bound = false;
    std::uint32_t boundAddress = 0;
    std::uint16_t boundPort = 0;
    std::vector<std::vector<std::uint8_t>> sent;
    std::uint32_t sentTo = 0;
    std::uint16_t sentPort = 0;
    int waits = 0;
    int receives = 0;
    bool closed = false;
};

class ScriptedSocket : public DatagramSocket {
public:
    ScriptedSocket(SocketScript script, SocketRecord& record)
        : m_script(std::move(script)), m_record(record) {}

    int Bind(std::uint32_t addressNet, std::uint16_t port) override {
        m_record.boundAddress = addressNet;
        m_record.boundPort = port;
        m_record.bound = m_script.bindError == 0;
        return m_script.bindError;
    }
    int SendTo(std::span<const std::uint8_t> bytes, std::uint32_t addressNet, std::uint16_t port) override {
        m_record.sent.emplace_back(bytes.begin(), bytes.end());
        m_record.sentTo = addressNet;
        m_record.sentPort = port;
        return m_script.sendError;
    }
    WaitResult WaitReadable(std::chrono::milliseconds, const CancelSignal* cancel) override {
        ++m_record.waits;
        if (cancel && cancel->IsRaised())
            return {WaitResult::Status::Cancelled, 0};
        if (m_next >= m_script.events.size())
            return {WaitResult::Status::TimedOut, 0};
        const SocketEvent& event = m_script.events[m_next];
        switch (event.kind) {
        case SocketEvent::Kind::Timeout:
            ++m_next;
            return {WaitResult::Status::TimedOut, 0};
        case SocketEvent::Kind::WaitError:
            ++m_next;
            return {WaitResult::Status::Failed, event.error};
        default:
            return {WaitResult::Status::Readable, 0};
        }
    }
    ReceiveResult Receive(std::span<std::uint8_t> buffer) override {
        ++m_record.receives;
        if (m_next >= m_script.events.size())
            return {-1, EAGAIN};
        const SocketEvent& event = m_script.events[m_next++];
        if (event.kind == SocketEvent::Kind::ReceiveError)
            return {-1, event.error};
        // Like a datagram socket with MSG_TRUNC: copy what fits, tell the real length.
        if (!event.bytes.empty())
            std::memcpy(buffer.data(), event.bytes.data(), std::min(buffer.size(), event.bytes.size()));
        return {static_cast<std::ptrdiff_t>(event.bytes.size()), 0};
    }
    int Close() override {
        m_record.closed = true;
        return m_script.closeError;
    }

private:
    SocketScript m_script;
    SocketRecord& m_record;
    std::size_t m_next = 0;
};

// Hands out one scripted socket per Open, in order; beyond the scripts, sockets whose waits time
// out at once.
class ScriptedSocketFactory : public DatagramSocketFactory {
public:
    std::unique_ptr<DatagramSocket> Open(int& error) override {
        SocketScript script;
        if (!Scripts.empty()) {
            script = std::move(Scripts.front());
            Scripts.pop_front();
        }
        Records.push_back(std::make_unique<SocketRecord>());
        if (script.openError != 0) {
            error = script.openError;
            return nullptr;
        }
        Records.back()->opened = true;
        error = 0;
        return std::make_unique<ScriptedSocket>(std::move(script), *Records.back());
    }

    std::deque<SocketScript> Scripts;
    std::vector<std::unique_ptr<SocketRecord>> Records;
};
