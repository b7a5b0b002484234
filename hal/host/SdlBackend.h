#pragma once

// The real window: SDL2 shows the phone's screen scaled by a whole factor (OSTREL_SCALE,
// 1 to 8, default 2, nearest neighbour). Frames are copied into the window's own surface,
// which the window system shows as it is: no graphics driver is loaded for a 240 x 320
// frame, and an uncovered window shows the last frame again. The mouse is the touch screen, the keyboard the phone's keys (arrows, Enter for
// fire, digits, F1 and F2 for the soft keys), focus changes are activation and the close
// button asks the application to exit.
//
// Without a display the window does not open (openFailure says so), unless SDL_VIDEODRIVER
// names a driver on purpose (the dummy driver of tests, say).

#include "hal/host/HostBackend.h"

struct SDL_Window;
struct SDL_Surface;
union SDL_Event;

namespace host {

constexpr const char* kNoDisplayMessage = "no display: set DISPLAY, or OSTREL_BACKEND=headless";

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
    // Where the phone's screen lies in a window area: the largest whole factor up to the
    // chosen scale that fits, centred.
    struct Placement {
        int factor, x, y;
    };
    Placement placementIn(int areaWidth, int areaHeight) const;
    bool startVideo();
    bool frameMatches(const SDL_Surface* screen) const;
    void translate(const SDL_Event& event);
    void translatePointer(const SDL_Event& event);
    void pollAll();
    bool hasWork();

    SDL_Window* window_ = nullptr;
    SDL_Surface* frame_ = nullptr;  // the last frame in the window's pixel format, unscaled
    int scale_ = 2;
    uint32_t wakeEventType_ = 0;
};

}  // namespace host
