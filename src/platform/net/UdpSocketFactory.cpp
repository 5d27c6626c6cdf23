#include "platform/net/UdpSocketFactory.h"

#include "platform/net/UdpSocket.h"

std::unique_ptr<DatagramSocket> UdpSocketFactory::Open(int& error) {
    return UdpSocket::Open(error);
}
