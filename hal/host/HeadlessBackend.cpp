#include "hal/host/HeadlessBackend.h"

namespace host {

bool HeadlessBackend::openWindow(const std::string& title) {
    title_ = title;
    open_ = true;
    exitSignals_ = std::make_unique<ExitSignalWatch>([this] { input_.close(); });
    return true;
}

void HeadlessBackend::closeWindow() {
    exitSignals_.reset();
    open_ = false;
}

void HeadlessBackend::presentFrame(const uint16_t* pixels, int width, int height, int stride) {
    lastFrame_.resize(size_t(width) * size_t(height));
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) lastFrame_[size_t(y) * width + x] = pixels[size_t(y) * stride + x];
    lastWidth_ = width;
    ++frames_;
}

}  // namespace host
