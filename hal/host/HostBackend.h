#pragma once

// What the platform layer needs of the host system: one main window showing the phone's
// 16-bit screen, input turned into messages, and the wait of the UI thread. Two backends:
// SDL2 (a real window; the default) and headless (tests: frames are captured, input is
// injected). OSTREL_BACKEND=headless selects the second.
//
// Everything here belongs to the UI thread except MessageQueue::post and wake, which any
// thread may call.

#include <cstdint>
#include <memory>
#include <string>

#include "hal/host/InputTranslator.h"
#include "hal/host/MessageQueue.h"

namespace host {

constexpr int kScreenWidth = 240;
constexpr int kScreenHeight = 320;
constexpr int kScreenBitsPerPixel = 16;
constexpr int kScreenDpi = 96;
constexpr const char* kBackendVariable = "OSTREL_BACKEND";

class HostBackend {
public:
    virtual ~HostBackend() = default;
    virtual const char* name() const = 0;

    virtual bool openWindow(const std::string& title) = 0;
    // Why the last openWindow failed, in a line for the user (empty when it did not).
    const std::string& openFailure() const { return openFailure_; }
    virtual void closeWindow() = 0;
    virtual bool isWindowOpen() const = 0;
    // Brings the window to the front (a second instance asks the first one to).
    virtual void raiseWindow() = 0;

    // Turns pending host input into messages; when the queue is still empty, waits up to
    // `milliseconds` (negative: without limit) for input or a post.
    virtual void waitForMessages(int milliseconds) = 0;
    // Keeps the display from blanking while the game runs (or lets it blank again).
    virtual void keepAwake(bool awake) = 0;
    // Copies a frame of RGB565 pixels to the window.
    virtual void presentFrame(const uint16_t* pixels, int width, int height, int stride) = 0;

    MessageQueue& queue() { return queue_; }
    InputTranslator& input() { return input_; }

protected:
    MessageQueue queue_;
    InputTranslator input_{&queue_};
    std::string openFailure_;
};

// The process's backend, chosen on first use.
HostBackend& hostBackend();
// Replaces the backend (tests); the previous one is destroyed.
void setHostBackend(std::unique_ptr<HostBackend> backend);

}  // namespace host
