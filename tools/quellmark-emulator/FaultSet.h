#pragma once

#include <chrono>

// Misbehaviour the emulator shows on request, so tests can check that the scanner copes with it.
struct FaultSet {
    bool duplicate = false;        // every device's reply is sent twice
    bool conflictingModel = false; // after each device's reply, one more with its MAC and another model
    bool shortDatagram = false;    // a 159-byte datagram (a reply cut by one byte)
    bool longDatagram = false;     // a 161-byte datagram (a reply with one byte more)
    bool wrongType = false;  // 160-byte datagrams of type 1 (00 01) and of type 2 in the wrong order (02 00)
    bool fillFields = false; // model and description fill their fields, no NUL byte
    bool nonAscii = false;   // two more devices: valid UTF-8 texts, and bytes that are not UTF-8
    unsigned flood = 0;      // this many more devices with distinct MACs
    std::chrono::milliseconds delay{0}; // wait before answering a probe
};
