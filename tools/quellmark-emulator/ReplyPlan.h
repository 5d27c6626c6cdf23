#pragma once

#include "EmulatedDevice.h"
#include "FaultSet.h"

#include <cstdint>
#include <vector>

using Datagram = std::vector<std::uint8_t>;

// What the emulator sends in answer to one probe, in sending order:
//   1. the malformed datagrams of the faults (159 and 161 bytes, the wrong types), first, so a
//      scanner has to skip them before anything good arrives;
//   2. for each configured device its reply, then its duplicate, then its conflicting reply;
//   3. the non-ASCII devices;
//   4. the flood devices.
class ReplyPlan {
public:
    static std::vector<Datagram> Build(const std::vector<EmulatedDevice>& devices, const FaultSet& faults);

    // The 160-byte reply for one device (DiscoveryReply's encoding). Texts shorter than their
    // field are NUL-padded; longer ones are cut to the field and then have no NUL.
    static Datagram EncodeReply(const EmulatedDevice& device);

    // The devices that the faults add (junk, non-ASCII, flood), for tests and for --list.
    static EmulatedDevice ShortDatagramDevice();
    static EmulatedDevice LongDatagramDevice();
    static std::vector<EmulatedDevice> NonAsciiDevices();
    static EmulatedDevice FloodDevice(unsigned index);
    static EmulatedDevice ConflictingDevice(const EmulatedDevice& original);
    static EmulatedDevice FilledDevice(const EmulatedDevice& original);
};
