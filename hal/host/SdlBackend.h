#pragma once

// The real window: SDL2 shows the phone's screen scaled by a whole factor (OSTREL_SCALE,
// default 2, nearest neighbour). The mouse is the touch screen, the keyboard the phone's
// keys (arrows, Enter for fire, digits, F1 and F2 for the soft keys), focus changes are
// activation and the close button asks the application to exit.

#include "hal/host/HostBackend.h"

struct SDL_Window;
struct SDL_Renderer;
struct SDL_Texture;
union SDL_Event;

namespace host {

class SdlBackend final : public HostBackend {
public:
    SdlBackend();
    ~SdlBackend() override;
    const char* name() const override { return "sdl"; }
    bool openWindow(const std::string& title) override;
    void closeWindow() override;
    bool isWindowOpen() const override { return window_ != nullptr; }
    void raiseWindow() override;
    void waitForMessages(int milliseconds) override;
    void presentFrame(const uint16_t* pixels, int width, int height, int stride) override;
    void keepAwake(bool awake) override;

    // The virtual key of an SDL key code, 0 for keys the phone does not have.
    static uint32_t virtualKeyFor(int sdlKey);

private:
    void translate(const SDL_Event& event);
    void pollAll();

    SDL_Window* window_ = nullptr;
    SDL_Renderer* renderer_ = nullptr;
    SDL_Texture* texture_ = nullptr;
    int scale_ = 2;
    uint32_t wakeEventType_ = 0;
};

}  // namespace host
