// Wall time of one scan pass over loopback, with no device and with devices that answer at
// once, against the pass's 1-second reply wait. Prints figures; never fails.
//
// The devices are answered in-process by a small responder thread that speaks like
// quellmark-emulator (same reply plan), so the figure holds the pass only, not a process start.
// Run it through run.sh, which puts it in a private network namespace when it can.

#include "ReplyPlan.h"
#include "discovery/AdapterTable.h"
#include "discovery/DeviceTable.h"
#include "discovery/ScanContext.h"
#include "discovery/ScanPass.h"
#include "platform/net/LinuxAdapterSource.h"
#include "platform/net/UdpSocketFactory.h"

#include <algorithm>
#include <arpa/inet.h>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <netinet/in.h>
#include <poll.h>
#include <string>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

// Answers every probe on UDP 28010 with the replies of `devices` flood devices.
class Responder {
public:
    explicit Responder(unsigned devices) {
        FaultSet faults;
        faults.flood = devices;
        m_replies = ReplyPlan::Build({}, faults);
        m_socket = socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
        int on = 1;
        setsockopt(m_socket, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_port = htons(28010);
        // lo's broadcast address: hears the probe and nothing from other interfaces.
        address.sin_addr.s_addr = htonl(0x7FFFFFFF);
        if (bind(m_socket, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
            std::fprintf(stderr, "bench: responder cannot bind 127.255.255.255:28010: %s\n",
                         std::strerror(errno));
            return;
        }
        m_thread = std::thread([this] { Serve(); });
    }

    ~Responder() {
        m_stop = true;
        if (m_thread.joinable())
            m_thread.join();
        close(m_socket);
    }

private:
    void Serve() {
        while (!m_stop) {
            pollfd fd{m_socket, POLLIN, 0};
            if (poll(&fd, 1, 50) <= 0)
                continue;
            std::uint8_t buffer[512];
            sockaddr_in source{};
            socklen_t length = sizeof source;
            if (recvfrom(m_socket, buffer, sizeof buffer, 0, reinterpret_cast<sockaddr*>(&source), &length) <
                0)
                continue;
            for (const Datagram& reply : m_replies)
                sendto(m_socket, reply.data(), reply.size(), 0, reinterpret_cast<sockaddr*>(&source),
                       sizeof source);
        }
    }

    std::vector<Datagram> m_replies;
    int m_socket = -1;
    std::atomic<bool> m_stop{false};
    std::thread m_thread;
};

struct Measurement {
    double medianSeconds = 0;
    double minSeconds = 0;
    double maxSeconds = 0;
    unsigned devicesFound = 0;
};

Measurement MeasurePass(unsigned devices, int runs) {
    Responder responder(devices);
    LinuxAdapterSource::Options options;
    options.Interfaces = {"lo"};
    LinuxAdapterSource source(options);
    UdpSocketFactory sockets;
    auto adapters = std::make_unique<AdapterTable>();
    auto table = std::make_unique<DeviceTable>();
    ScanContext context(*adapters, *table, source, sockets);

    std::vector<double> seconds;
    Measurement result;
    for (int i = 0; i < runs; ++i) {
        auto start = Clock::now();
        ScanPass(context).Run();
        seconds.push_back(std::chrono::duration<double>(Clock::now() - start).count());
        result.devicesFound = table->DisplayCount;
    }
    std::sort(seconds.begin(), seconds.end());
    result.medianSeconds = seconds[seconds.size() / 2];
    result.minSeconds = seconds.front();
    result.maxSeconds = seconds.back();
    return result;
}

void Report(const char* label, unsigned devices, double target, int runs) {
    Measurement m = MeasurePass(devices, runs);
    const double wait = kDefaultReplyWaitMs / 1000.0;
    std::printf("%-28s %2u found  median %.4f s  (min %.4f, max %.4f)  = %.3f x the %.0f s wait", label,
                m.devicesFound, m.medianSeconds, m.minSeconds, m.maxSeconds, m.medianSeconds / wait, wait);
    if (target > 0)
        std::printf("  [target %.2f s: %s]", target, m.medianSeconds <= target ? "met" : "missed");
    std::printf("\n");
    std::fflush(stdout);
}

} // namespace

int main(int argc, char** argv) {
    int runs = 5;
    if (argc > 1)
        runs = std::max(1, std::atoi(argv[1]));
    std::printf("scan pass over lo, %d runs each\n", runs);
    Report("no device", 0, 1.02, runs);
    Report("20 prompt devices", 20, 1.05, runs);
    // Twenty datagrams end an adapter's step without a final wait; one fewer leaves the wait in.
    Report("19 prompt devices", 19, 0, runs);
    return 0;
}
