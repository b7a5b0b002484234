#include "hal/host/AudioOutput.h"

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "hal/host/HostBackend.h"
#include "hal/host/SdlAudioOutput.h"
#include "hal/host/SilentAudioOutput.h"

namespace host {

namespace {

bool variableIs(const char* name, const char* value) {
    const char* text = std::getenv(name);
    return text != nullptr && std::strcmp(text, value) == 0;
}

}  // namespace

std::unique_ptr<AudioOutput> openAudioOutput(AudioOutput::Renderer renderer) {
    const bool silent = variableIs(kAudioVariable, "silent") || variableIs(kBackendVariable, "headless");
    if (!silent) {
        if (auto device = SdlAudioOutput::open(renderer)) return device;
        static std::atomic<bool> told{false};
        if (!told.exchange(true)) std::fputs("no sound device: sound plays silently\n", stderr);
    }
    return std::make_unique<SilentAudioOutput>(std::move(renderer));
}

}  // namespace host
