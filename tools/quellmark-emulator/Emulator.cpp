#include "Emulator.h"

#include "DeviceConfig.h"
#include "SignalPipe.h"
#include "discovery/DiscoveryProbe.h"
#include "discovery/DiscoveryWire.h"

#include <algorithm>
#include <arpa/inet.h>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

std::string Endpoint(const sockaddr_in& address) {
    char text[INET_ADDRSTRLEN] = {};
    inet_ntop(AF_INET, &address.sin_addr, text, sizeof text);
    return std::string(text) + ":" + std::to_string(ntohs(address.sin_port));
}

} // namespace

Emulator::Emulator(EmulatorOptions options) : m_options(std::move(options)) {}

Emulator::~Emulator() {
    if (m_socket >= 0)
        close(m_socket);
    if (m_probeLog)
        std::fclose(m_probeLog);
}

bool Emulator::LooksLikeProbe(const std::uint8_t* bytes, std::size_t size) {
    if (size != kProbeSize)
        return false;
    auto probe = DiscoveryProbe::Parse(std::span<const std::uint8_t>(bytes, size));
    return probe && probe->Type == kProbeType;
}

bool Emulator::IsLoopback(const sockaddr_in& source) {
    return (ntohl(source.sin_addr.s_addr) >> 24) == 127;
}

void Emulator::Say(const std::string& line) const {
    if (m_options.quiet)
        return;
    std::printf("%s\n", line.c_str());
    std::fflush(stdout);
}

bool Emulator::LoadDevices(std::string* error) {
    std::vector<EmulatedDevice> devices;
    for (const std::string& path : m_options.configFiles) {
        DeviceConfig::Result result = DeviceConfig::ReadFile(path);
        if (!result.error.empty()) {
            *error = result.error;
            return false;
        }
        devices.insert(devices.end(), result.devices.begin(), result.devices.end());
    }
    devices.insert(devices.end(), m_options.commandLineDevices.begin(), m_options.commandLineDevices.end());
    m_devices = std::move(devices);
    return true;
}

bool Emulator::OpenSocket(std::string* error) {
    m_socket = socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    if (m_socket < 0) {
        *error = std::string("socket: ") + std::strerror(errno);
        return false;
    }
    // SO_REUSEADDR lets a test start the next emulator while the previous socket lingers;
    // SO_BROADCAST lets it answer a probe whose source is a broadcast-capable address.
    int on = 1;
    setsockopt(m_socket, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
    setsockopt(m_socket, SOL_SOCKET, SO_BROADCAST, &on, sizeof on);

    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(kProbeDestinationPort);
    inet_pton(AF_INET, m_options.listenAddress.c_str(), &address.sin_addr);
    if (bind(m_socket, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
        *error = "cannot listen on " + Endpoint(address) + ": " + std::strerror(errno);
        return false;
    }
    return true;
}

void Emulator::WriteReadyFile() {
    std::string line = "listening " + m_options.listenAddress + ":" + std::to_string(kProbeDestinationPort) +
                       " devices=" + std::to_string(m_devices.size()) +
                       " reloads=" + std::to_string(m_reloads);
    if (m_options.readyFile.empty())
        return;
    // Written aside and renamed, so a reader never sees half a line.
    std::string temporary = m_options.readyFile + ".tmp";
    std::FILE* file = std::fopen(temporary.c_str(), "w");
    if (!file) {
        std::fprintf(stderr, "quellmark-emulator: cannot write %s: %s\n", temporary.c_str(),
                     std::strerror(errno));
        return;
    }
    std::fprintf(file, "%s\n", line.c_str());
    std::fclose(file);
    if (std::rename(temporary.c_str(), m_options.readyFile.c_str()) != 0)
        std::fprintf(stderr, "quellmark-emulator: cannot write %s: %s\n", m_options.readyFile.c_str(),
                     std::strerror(errno));
}

void Emulator::Reload() {
    std::string error;
    if (!LoadDevices(&error)) {
        // A config caught half-written keeps the emulator answering with the devices it had.
        std::fprintf(stderr, "quellmark-emulator: reload failed, keeping %zu devices: %s\n", m_devices.size(),
                     error.c_str());
        return;
    }
    ++m_reloads;
    Say("reloaded: " + std::to_string(m_devices.size()) + " devices");
    WriteReadyFile();
}

void Emulator::LogProbe(const std::uint8_t* bytes, std::size_t size, const sockaddr_in& source) {
    if (!m_probeLog)
        return;
    std::string line = Endpoint(source) + " ";
    static const char kHex[] = "0123456789abcdef";
    for (std::size_t i = 0; i < size; ++i) {
        line.push_back(kHex[bytes[i] >> 4]);
        line.push_back(kHex[bytes[i] & 15]);
    }
    std::fprintf(m_probeLog, "%s\n", line.c_str());
    std::fflush(m_probeLog);
}

void Emulator::HandleDatagram(const std::uint8_t* bytes, std::size_t size, const sockaddr_in& source) {
    LogProbe(bytes, size, source);
    if (!IsLoopback(source) && !m_options.allowAnySource) {
        Say("ignored a datagram from " + Endpoint(source) +
            ": not a loopback source (see --allow-any-source)");
        return;
    }
    if (!LooksLikeProbe(bytes, size)) {
        Say("ignored a datagram from " + Endpoint(source) + ": " + std::to_string(size) +
            " bytes, not a discovery probe");
        return;
    }
    PendingAnswer answer;
    answer.due = std::chrono::steady_clock::now() + m_options.faults.delay;
    answer.destination = source;
    answer.datagrams = ReplyPlan::Build(m_devices, m_options.faults);
    Say("probe from " + Endpoint(source) + ": answering with " + std::to_string(answer.datagrams.size()) +
        " datagrams");
    m_pending.push_back(std::move(answer));
}

void Emulator::ReceiveAll() {
    std::uint8_t buffer[2048];
    for (;;) {
        sockaddr_in source{};
        socklen_t length = sizeof source;
        ssize_t n = recvfrom(m_socket, buffer, sizeof buffer, MSG_DONTWAIT,
                             reinterpret_cast<sockaddr*>(&source), &length);
        if (n < 0)
            return;
        HandleDatagram(buffer, static_cast<std::size_t>(n), source);
    }
}

void Emulator::SendDue() {
    auto now = std::chrono::steady_clock::now();
    // Answers are queued in arrival order and all share one delay, so the due ones are in front.
    while (!m_pending.empty() && m_pending.front().due <= now) {
        const PendingAnswer& answer = m_pending.front();
        for (const Datagram& datagram : answer.datagrams) {
            ssize_t sent =
                sendto(m_socket, datagram.data(), datagram.size(), 0,
                       reinterpret_cast<const sockaddr*>(&answer.destination), sizeof answer.destination);
            if (sent < 0)
                std::fprintf(stderr, "quellmark-emulator: sending to %s failed: %s\n",
                             Endpoint(answer.destination).c_str(), std::strerror(errno));
        }
        m_pending.pop_front();
    }
}

int Emulator::PollTimeout() const {
    if (m_pending.empty())
        return -1;
    auto wait = std::chrono::ceil<std::chrono::milliseconds>(m_pending.front().due -
                                                             std::chrono::steady_clock::now());
    return static_cast<int>(std::max<std::chrono::milliseconds::rep>(0, wait.count()));
}

int Emulator::Run() {
    std::string error;
    if (!LoadDevices(&error)) {
        std::fprintf(stderr, "quellmark-emulator: %s\n", error.c_str());
        return 1;
    }
    if (!m_options.probeLog.empty()) {
        m_probeLog = std::fopen(m_options.probeLog.c_str(), "a");
        if (!m_probeLog) {
            std::fprintf(stderr, "quellmark-emulator: cannot open %s: %s\n", m_options.probeLog.c_str(),
                         std::strerror(errno));
            return 1;
        }
    }
    SignalPipe signals;
    if (!signals.ok()) {
        std::fprintf(stderr, "quellmark-emulator: cannot make the signal pipe: %s\n", std::strerror(errno));
        return 1;
    }
    if (!OpenSocket(&error)) {
        std::fprintf(stderr, "quellmark-emulator: %s\n", error.c_str());
        return 1;
    }

    // This line is the readiness signal for whoever reads stdout; it is printed even with --quiet.
    std::printf("quellmark-emulator: listening on %s:%u with %zu devices%s\n",
                m_options.listenAddress.c_str(), kProbeDestinationPort, m_devices.size(),
                m_options.allowAnySource ? " (any source)" : " (loopback sources)");
    std::fflush(stdout);
    WriteReadyFile();

    for (;;) {
        pollfd fds[2] = {{m_socket, POLLIN, 0}, {signals.readFd(), POLLIN, 0}};
        int ready = poll(fds, 2, PollTimeout());
        if (ready < 0 && errno != EINTR) {
            std::fprintf(stderr, "quellmark-emulator: poll: %s\n", std::strerror(errno));
            return 1;
        }
        for (int number = signals.TakeSignal(); number != 0; number = signals.TakeSignal()) {
            if (number == SIGHUP) {
                Reload();
                continue;
            }
            Say("stopping on signal " + std::to_string(number));
            return 0;
        }
        if (ready > 0 && (fds[0].revents & POLLIN))
            ReceiveAll();
        SendDue();
    }
}
