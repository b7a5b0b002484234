#include "hal/host/SdlAudioOutput.h"

#include <SDL.h>
#include <dlfcn.h>

#include <cstring>
#include <mutex>

namespace host {

namespace {

// ALSA's library writes its errors to stderr by default: with no sound card every attempt
// to open a device prints a screenful. SDL reports the failure anyway, so ALSA's handler is
// replaced by one that drops the text. SDL loads the library at run time; it is loaded here
// first (and kept) so that the handler set is the one SDL's ALSA uses.
void ignoreAlsaError(const char*, int, const char*, int, const char*, ...) {}

void quietenAlsa() {
    using ErrorHandler = void (*)(const char*, int, const char*, int, const char*, ...);
    void* alsa = dlopen("libasound.so.2", RTLD_NOW | RTLD_GLOBAL);
    if (alsa == nullptr) return;
    auto setHandler = reinterpret_cast<int (*)(ErrorHandler)>(dlsym(alsa, "snd_lib_error_set_handler"));
    if (setHandler != nullptr) setHandler(&ignoreAlsaError);
}

}  // namespace

std::unique_ptr<SdlAudioOutput> SdlAudioOutput::open(Renderer renderer) {
    static std::once_flag quietened;
    std::call_once(quietened, quietenAlsa);
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return nullptr;
    const char* driver = SDL_GetCurrentAudioDriver();
    if (driver == nullptr || std::strcmp(driver, "dummy") == 0) {  // no sound device: the silent sink paces instead
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return nullptr;
    }
    std::unique_ptr<SdlAudioOutput> output(new SdlAudioOutput(std::move(renderer)));
    SDL_AudioSpec wanted{};
    wanted.freq = kAudioRate;
    wanted.format = AUDIO_S16SYS;
    wanted.channels = kAudioChannels;
    wanted.samples = kAudioBlockFrames;
    wanted.callback = &SdlAudioOutput::pull;
    wanted.userdata = output.get();
    SDL_AudioSpec obtained{};
    output->device_ = SDL_OpenAudioDevice(nullptr, 0, &wanted, &obtained, 0);  // SDL converts to the device's format
    if (output->device_ == 0) {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return nullptr;
    }
    SDL_PauseAudioDevice(output->device_, 0);
    return output;
}

SdlAudioOutput::~SdlAudioOutput() {
    SDL_CloseAudioDevice(device_);  // waits for the audio thread
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

void SdlAudioOutput::pull(void* self, uint8_t* stream, int bytes) {
    auto* output = static_cast<SdlAudioOutput*>(self);
    output->renderer_(reinterpret_cast<int16_t*>(stream), bytes / int(kAudioChannels * sizeof(int16_t)));
}

}  // namespace host
