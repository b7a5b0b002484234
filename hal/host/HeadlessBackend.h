#pragma once

// The backend for tests and machines without a display: no window system. Frames are
// captured where they would reach the window; input is injected through input(), as the
// same messages SDL input becomes. While the window is open, SIGTERM and SIGINT close it,
// as the window system's close button would: the application exits the usual way.

#include <memory>
#include <vector>

#include "hal/host/ExitSignalWatch.h"
#include "hal/host/HostBackend.h"

namespace host {

class HeadlessBackend final : public HostBackend {
public:
    const char* name() const override { return "headless"; }
    bool openWindow(const std::string& title) override;
    void closeWindow() override;
    bool isWindowOpen() const override { return open_; }
    void raiseWindow() override { ++raised_; }
    void waitForMessages(int milliseconds) override { queue_.wait(milliseconds); }
    void presentFrame(const uint16_t* pixels, int width, int height, int stride) override;
    void keepAwake(bool awake) override { awake_ = awake; }
    bool isKeptAwake() const { return awake_; }

    const std::string& title() const { return title_; }
    int framesPresented() const { return frames_; }
    int timesRaised() const { return raised_; }
    // The last frame, row by row, width × height pixels.
    const std::vector<uint16_t>& lastFrame() const { return lastFrame_; }
    int lastFrameWidth() const { return lastWidth_; }

private:
    bool open_ = false;
    bool awake_ = false;
    std::string title_;
    int frames_ = 0;
    int raised_ = 0;
    std::vector<uint16_t> lastFrame_;
    int lastWidth_ = 0;
    std::unique_ptr<ExitSignalWatch> exitSignals_;
};

}  // namespace host
