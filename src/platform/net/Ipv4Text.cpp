#include "platform/net/Ipv4Text.h"

#include <arpa/inet.h>
#include <cstring>
#include <netinet/in.h>

std::uint32_t InetAddr(const char* text) {
    return static_cast<std::uint32_t>(inet_addr(text));
}

std::string FormatIpv4(std::uint32_t addressNet) {
    in_addr address{};
    address.s_addr = addressNet;
    char text[INET_ADDRSTRLEN] = {};
    inet_ntop(AF_INET, &address, text, sizeof text);
    return text;
}
