#pragma once

// Opens real UdpSockets for a scan pass.

#include "platform/net/DatagramSocket.h"

class UdpSocketFactory : public DatagramSocketFactory {
public:
    std::unique_ptr<DatagramSocket> Open(int& error) override;
};
