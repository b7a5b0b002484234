#include "hal/host/HostBackend.h"

#include <cstdlib>
#include <cstring>

#include "hal/host/HeadlessBackend.h"
#include "hal/host/SdlBackend.h"

namespace host {

namespace {

std::unique_ptr<HostBackend>& current() {
    static auto* backend = new std::unique_ptr<HostBackend>();  // lives as long as the process
    return *backend;
}

std::unique_ptr<HostBackend> makeFromEnvironment() {
    const char* choice = std::getenv(kBackendVariable);
    if (choice != nullptr && std::strcmp(choice, "headless") == 0) return std::make_unique<HeadlessBackend>();
    return std::make_unique<SdlBackend>();
}

}  // namespace

HostBackend& hostBackend() {
    if (!current()) current() = makeFromEnvironment();
    return *current();
}

void setHostBackend(std::unique_ptr<HostBackend> backend) { current() = std::move(backend); }

}  // namespace host
