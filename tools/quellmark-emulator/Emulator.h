#pragma once

#include "EmulatedDevice.h"
#include "EmulatorOptions.h"
#include "ReplyPlan.h"

#include <chrono>
#include <cstdio>
#include <deque>
#include <netinet/in.h>
#include <string>
#include <vector>

// The emulator's socket loop: receives probes on UDP 28010, answers them after the configured
// delay with the datagrams of the ReplyPlan, re-reads its config on SIGHUP.
class Emulator {
public:
    explicit Emulator(EmulatorOptions options);
    ~Emulator();
    Emulator(const Emulator&) = delete;
    Emulator& operator=(const Emulator&) = delete;

    // Runs until SIGINT or SIGTERM; the result is the process exit status.
    int Run();

    // A probe is 164 bytes with the type 1 in little-endian order (01 00).
    static bool LooksLikeProbe(const std::uint8_t* bytes, std::size_t size);
    static bool IsLoopback(const sockaddr_in& source);

private:
    struct PendingAnswer {
        std::chrono::steady_clock::time_point due;
        sockaddr_in destination;
        std::vector<Datagram> datagrams;
    };

    bool LoadDevices(std::string* error);
    bool OpenSocket(std::string* error);
    void WriteReadyFile();
    void Reload();
    void ReceiveAll();
    void HandleDatagram(const std::uint8_t* bytes, std::size_t size, const sockaddr_in& source);
    void LogProbe(const std::uint8_t* bytes, std::size_t size, const sockaddr_in& source);
    void SendDue();
    int PollTimeout() const;
    void Say(const std::string& line) const;

    EmulatorOptions m_options;
    std::vector<EmulatedDevice> m_devices;
    std::deque<PendingAnswer> m_pending;
    int m_socket = -1;
    std::FILE* m_probeLog = nullptr;
    unsigned m_reloads = 0;
};
