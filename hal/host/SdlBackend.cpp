#include "hal/host/SdlBackend.h"

#include <SDL.h>

#include <cstdlib>

namespace host {

namespace {

int scaleFromEnvironment() {
    const char* text = std::getenv("OSTREL_SCALE");
    const int scale = text ? std::atoi(text) : 2;
    return scale >= 1 && scale <= 8 ? scale : 2;
}

}  // namespace

SdlBackend::SdlBackend() : scale_(scaleFromEnvironment()) {}

SdlBackend::~SdlBackend() { closeWindow(); }

bool SdlBackend::openWindow(const std::string& title) {
    if (SDL_InitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS) != 0) return false;
    SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "0");
    window_ = SDL_CreateWindow(title.c_str(), SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED, kScreenWidth * scale_,
                               kScreenHeight * scale_, SDL_WINDOW_SHOWN);
    if (window_ == nullptr) return false;
    renderer_ = SDL_CreateRenderer(window_, -1, 0);
    if (renderer_ == nullptr) renderer_ = SDL_CreateRenderer(window_, -1, SDL_RENDERER_SOFTWARE);
    if (renderer_ == nullptr) return closeWindow(), false;
    SDL_RenderSetLogicalSize(renderer_, kScreenWidth, kScreenHeight);
    texture_ = SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_RGB565, SDL_TEXTUREACCESS_STREAMING, kScreenWidth,
                                 kScreenHeight);
    if (texture_ == nullptr) return closeWindow(), false;
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
    if (texture_) SDL_DestroyTexture(texture_);
    if (renderer_) SDL_DestroyRenderer(renderer_);
    if (window_) SDL_DestroyWindow(window_);
    texture_ = nullptr;
    renderer_ = nullptr;
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
        if (event.button.button == SDL_BUTTON_LEFT) input_.pointerDown(event.button.x, event.button.y);
        break;
    case SDL_MOUSEMOTION:
        if (event.motion.state & SDL_BUTTON_LMASK) input_.pointerMove(event.motion.x, event.motion.y);
        break;
    case SDL_MOUSEBUTTONUP:
        if (event.button.button == SDL_BUTTON_LEFT) input_.pointerUp(event.button.x, event.button.y);
        break;
    default:
        break;  // the wake-up event and everything else carry no message
    }
}

void SdlBackend::pollAll() {
    SDL_Event event;
    while (SDL_PollEvent(&event)) translate(event);
}

void SdlBackend::waitForMessages(int milliseconds) {
    pollAll();
    if (!queue_.empty() || milliseconds == 0) return;
    SDL_Event event;
    const int got = milliseconds < 0 ? SDL_WaitEvent(&event) : SDL_WaitEventTimeout(&event, milliseconds);
    if (got) translate(event);
    pollAll();
}

void SdlBackend::keepAwake(bool awake) {
    if (awake) SDL_DisableScreenSaver();
    else SDL_EnableScreenSaver();
}

void SdlBackend::presentFrame(const uint16_t* pixels, int width, int height, int stride) {
    if (renderer_ == nullptr) return;
    const SDL_Rect area{0, 0, width, height};
    SDL_UpdateTexture(texture_, &area, pixels, stride * int(sizeof(uint16_t)));
    SDL_RenderClear(renderer_);
    SDL_RenderCopy(renderer_, texture_, nullptr, nullptr);
    SDL_RenderPresent(renderer_);
}

}  // namespace host
