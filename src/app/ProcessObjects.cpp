#include "app/ProcessObjects.h"

#include <cstdio>

namespace {

ProcessObjects* g_objects = nullptr;

LinuxAdapterSource::Options SourceOptions(std::vector<std::string> interfaces) {
    LinuxAdapterSource::Options options;
    options.Interfaces = std::move(interfaces);
    return options;
}

} // namespace

ProcessObjects::ProcessObjects(std::vector<std::string> interfaces)
    : Source(SourceOptions(std::move(interfaces))) {}

ScanContext ProcessObjects::MakeScanContext() {
    ScanContext context(Adapters, Devices, Source, Sockets);
    // One line per probe: invisible in normal use, there for whoever starts the program from a
    // terminal. Written whole, so lines of the worker and the start-up pass never mix.
    context.Diagnostic = [](std::string_view line) {
        std::fprintf(stderr, "%.*s\n", static_cast<int>(line.size()), line.data());
        std::fflush(stderr);
    };
    return context;
}

ProcessObjects& TheProcessObjects() {
    return *g_objects;
}

void SetProcessObjects(ProcessObjects* objects) {
    g_objects = objects;
}
