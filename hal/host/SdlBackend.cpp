#include "hal/host/SdlBackend.h"

#include <SDL.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace host {

namespace {

int scaleFromEnvironment() {
    const char* text = std::getenv("OSTREL_SCALE");
    const int scale = text ? std::atoi(text) : 2;
    return scale >= 1 && scale <= 8 ? scale : 2;
}

bool driverChosenOnPurpose() {
    const char* chosen = std::getenv("SDL_VIDEODRIVER");
    return chosen != nullptr && chosen[0] != 0;
}

// SDL's drivers that open windows nowhere; SDL falls back to them when no display answers.
bool showsNothing(const char* driver) {
    return driver == nullptr || std::strcmp(driver, "offscreen") == 0 || std::strcmp(driver, "dummy") == 0 ||
           std::strcmp(driver, "evdev") == 0;
}

// A window coordinate in phone pixels; points left of or above the screen stay negative.
int toPhone(int windowCoordinate, int origin, int factor) {
    const int offset = windowCoordinate - origin;
    return offset >= 0 ? offset / factor : -((factor - 1 - offset) / factor);
}

}  // namespace

SdlBackend::SdlBackend() : scale_(scaleFromEnvironment()) {}

SdlBackend::~SdlBackend() { closeWindow(); }

bool SdlBackend::startVideo() {
    // Without this SDL backs the window surface with an OpenGL texture, which loads a whole
    // graphics driver (Mesa's software rasteriser on most machines) to copy one small frame.
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    const bool started = SDL_InitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS) == 0;
    if (driverChosenOnPurpose()) {
        if (!started) openFailure_ = std::string("the window could not be opened: ") + SDL_GetError();
        return started;
    }
    if (started && !showsNothing(SDL_GetCurrentVideoDriver())) return true;
    if (started) SDL_QuitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS);
    openFailure_ = kNoDisplayMessage;
    return false;
}

bool SdlBackend::openWindow(const std::string& title) {
    openFailure_.clear();
    if (!startVideo()) return false;
    window_ = SDL_CreateWindow(title.c_str(), SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED, kScreenWidth * scale_,
                               kScreenHeight * scale_, SDL_WINDOW_SHOWN);
    if (window_ == nullptr || SDL_GetWindowSurface(window_) == nullptr) {
        openFailure_ = std::string("the window could not be opened: ") + SDL_GetError();
        closeWindow();
        return false;
    }
    wakeEventType_ = SDL_RegisterEvents(1);
    queue_.setWakeHook([type = wakeEventType_] {
        SDL_Event wake{};
        wake.type = type;
        SDL_PushEvent(&wake);  // thread-safe: ends the UI thread's wait
    });
    SDL_StartTextInput();
    return true;
}

void SdlBackend::closeWindow() {
    queue_.setWakeHook(nullptr);
    if (frame_) SDL_FreeSurface(frame_);
    if (window_) SDL_DestroyWindow(window_);  // frees the window's surface too
    frame_ = nullptr;
    window_ = nullptr;
}

void SdlBackend::raiseWindow() {
    if (window_) SDL_RaiseWindow(window_);
}

uint32_t SdlBackend::virtualKeyFor(int key) {
    switch (key) {
    case SDLK_LEFT: return kVkLeft;
    case SDLK_RIGHT: return kVkRight;
    case SDLK_UP: return kVkUp;
    case SDLK_DOWN: return kVkDown;
    case SDLK_RETURN: case SDLK_KP_ENTER: return kVkReturn;
    case SDLK_F1: return kVkF1;
    case SDLK_F2: return kVkF2;
    case SDLK_BACKSPACE: return kVkBack;
    case SDLK_ESCAPE: return kVkEscape;
    case SDLK_SPACE: return kVkSpace;
    default: break;
    }
    if (key >= SDLK_0 && key <= SDLK_9) return kVk0 + uint32_t(key - SDLK_0);
    if (key >= SDLK_KP_1 && key <= SDLK_KP_9) return kVk0 + 1 + uint32_t(key - SDLK_KP_1);
    if (key == SDLK_KP_0) return kVk0;
    if (key >= SDLK_a && key <= SDLK_z) return 0x41 + uint32_t(key - SDLK_a);
    return 0;
}

void SdlBackend::translate(const SDL_Event& event) {
    switch (event.type) {
    case SDL_QUIT:
        input_.close();
        break;
    case SDL_WINDOWEVENT:
        if (event.window.event == SDL_WINDOWEVENT_FOCUS_GAINED) input_.focus(true);
        else if (event.window.event == SDL_WINDOWEVENT_FOCUS_LOST) input_.focus(false);
        else if (event.window.event == SDL_WINDOWEVENT_CLOSE) input_.close();
        else if (event.window.event == SDL_WINDOWEVENT_EXPOSED && frame_) SDL_UpdateWindowSurface(window_);
        break;
    case SDL_KEYDOWN:
        if (uint32_t key = virtualKeyFor(event.key.keysym.sym)) input_.keyDown(key);
        break;
    case SDL_KEYUP:
        if (uint32_t key = virtualKeyFor(event.key.keysym.sym)) input_.keyUp(key);
        break;
    case SDL_TEXTINPUT:
        for (const char* c = event.text.text; *c; ++c) {
            if (static_cast<unsigned char>(*c) < 0x80) input_.character(char16_t(*c));
        }
        break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEMOTION:
    case SDL_MOUSEBUTTONUP:
        translatePointer(event);
        break;
    default:
        break;  // the wake-up event and everything else carry no message
    }
}

// The mouse is the touch screen: window pixels become phone pixels.
void SdlBackend::translatePointer(const SDL_Event& event) {
    int windowWidth = 0, windowHeight = 0;
    SDL_GetWindowSize(window_, &windowWidth, &windowHeight);
    const Placement at = placementIn(windowWidth, windowHeight);
    const bool motion = event.type == SDL_MOUSEMOTION;
    const int x = toPhone(motion ? event.motion.x : event.button.x, at.x, at.factor);
    const int y = toPhone(motion ? event.motion.y : event.button.y, at.y, at.factor);
    if (motion) {
        if (event.motion.state & SDL_BUTTON_LMASK) input_.pointerMove(x, y);
    } else if (event.button.button == SDL_BUTTON_LEFT) {
        if (event.type == SDL_MOUSEBUTTONDOWN) input_.pointerDown(x, y);
        else input_.pointerUp(x, y);
    }
}

void SdlBackend::pollAll() {
    SDL_Event event;
    while (SDL_PollEvent(&event)) translate(event);
}

// A wake-up (a frame flushed, say) may have come between the caller's idle check and this
// wait, its SDL event already consumed by pollAll: the queue's flag still tells.
bool SdlBackend::hasWork() { return !queue_.empty() || queue_.takeWake(); }

void SdlBackend::waitForMessages(int milliseconds) {
    pollAll();
    if (milliseconds == 0 || hasWork()) return;
    SDL_Event event;
    const int got = milliseconds < 0 ? SDL_WaitEvent(&event) : SDL_WaitEventTimeout(&event, milliseconds);
    if (got) translate(event);
    pollAll();
    queue_.takeWake();  // the wake-up that ended this wait is spent
}

void SdlBackend::keepAwake(bool awake) {
    if (awake) SDL_DisableScreenSaver();
    else SDL_EnableScreenSaver();
}

SdlBackend::Placement SdlBackend::placementIn(int areaWidth, int areaHeight) const {
    const int fits = std::min(areaWidth / kScreenWidth, areaHeight / kScreenHeight);
    const int factor = std::clamp(fits, 1, scale_);
    return {factor, (areaWidth - kScreenWidth * factor) / 2, (areaHeight - kScreenHeight * factor) / 2};
}

bool SdlBackend::frameMatches(const SDL_Surface* screen) const {
    return frame_ != nullptr && frame_->format->format == screen->format->format;
}

// The frame is converted once into the window's pixel format, then stretched by the whole
// factor (a same-format blit, which SDL scales nearest-neighbour).
void SdlBackend::presentFrame(const uint16_t* pixels, int width, int height, int stride) {
    SDL_Surface* screen = window_ ? SDL_GetWindowSurface(window_) : nullptr;
    if (screen == nullptr) return;
    if (!frameMatches(screen)) {
        if (frame_) SDL_FreeSurface(frame_);
        frame_ = SDL_CreateRGBSurfaceWithFormat(0, kScreenWidth, kScreenHeight, screen->format->BitsPerPixel,
                                                screen->format->format);
        if (frame_ == nullptr) return;
        SDL_SetSurfaceBlendMode(frame_, SDL_BLENDMODE_NONE);
    }
    width = std::clamp(width, 0, kScreenWidth);
    height = std::clamp(height, 0, kScreenHeight);
    SDL_ConvertPixels(width, height, SDL_PIXELFORMAT_RGB565, pixels, stride * int(sizeof(uint16_t)),
                      frame_->format->format, frame_->pixels, frame_->pitch);
    const Placement at = placementIn(screen->w, screen->h);
    SDL_Rect source{0, 0, width, height};
    SDL_Rect target{at.x, at.y, width * at.factor, height * at.factor};
    if (at.x > 0 || at.y > 0) SDL_FillRect(screen, nullptr, SDL_MapRGB(screen->format, 0, 0, 0));
    SDL_BlitScaled(frame_, &source, screen, &target);
    SDL_UpdateWindowSurface(window_);
}

}  // namespace host
