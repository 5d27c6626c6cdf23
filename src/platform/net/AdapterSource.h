#pragma once

// Where the adapter inventory comes from: the platform (LinuxAdapterSource) or, in tests, a fake.

#include "platform/net/NetAdapter.h"

#include <vector>

class AdapterSource {
public:
    virtual ~AdapterSource() = default;
    // The adapters to probe, in a stable order. On failure, those found so far (possibly none).
    virtual std::vector<NetAdapter> ListAdapters() = 0;
};
