#pragma once

// The objects that live as long as the process: the adapter inventory, the device table with its
// display copy, the network the scans use, and the single-instance channel. The application owns
// the one real instance of each; the windows get them by reference.

#include "app/InstanceMarker.h"
#include "discovery/AdapterTable.h"
#include "discovery/DeviceTable.h"
#include "discovery/ScanContext.h"
#include "platform/gui/SingleInstance.h"
#include "platform/net/LinuxAdapterSource.h"
#include "platform/net/UdpSocketFactory.h"

#include <string>
#include <vector>

struct ProcessObjects {
    explicit ProcessObjects(std::vector<std::string> interfaces);

    // A scan context over these objects; every probe's diagnostic line goes to the standard error.
    ScanContext MakeScanContext();

    AdapterTable Adapters;
    DeviceTable Devices;
    LinuxAdapterSource Source;
    UdpSocketFactory Sockets;
    SingleInstance Instance{kInstanceMarker};
};

// The process's objects, made by main() from the command line before the application starts.
ProcessObjects& TheProcessObjects();
void SetProcessObjects(ProcessObjects* objects);
