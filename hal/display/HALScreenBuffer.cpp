#include "hal/display/HALScreenBuffer.h"

#include "hal/base/HALResult.h"
#include "hal/base/VMCallbacks.h"
#include "hal/base/VMLock.h"
#include "hal/display/HALDisplayable.h"
#include "hal/services/HALPtrArray.h"
#include "hal/shell/Shell.h"

HALScreenBuffer::HALScreenBuffer(HALDisplayable* owner) : displayable(owner), clients_(HALPtrArray::create()) {
    displayable->screenBuffer = this;
    resize();
}

HALScreenBuffer::~HALScreenBuffer() {
    // The displayable must not keep a link to a buffer that is gone.
    if (displayable && displayable->screenBuffer == this) displayable->screenBuffer = nullptr;
    // Nor may any client keep drawing on a surface that is gone.
    for (int32_t i = 0; clients_ && i < clients_->size(); ++i)
        static_cast<HALSurfaceClient*>(clients_->at(i))->screenBufferDeleted();
    HALPtrArray::destroy(clients_);
    delete surface;
}

void HALScreenBuffer::resize() {
    const int32_t newWidth = displayable->getWidth();
    const int32_t newHeight = displayable->getHeight();
    if (surface && newWidth == width && newHeight == height) return;
    if (surface == nullptr) surface = HAL_createOpaqueSurface(newWidth, newHeight);
    else surface->resize(newWidth, newHeight);
    // Where memory ran out the buffer keeps the size its surface really has.
    width = surface ? surface->width : 0;
    height = surface ? surface->height : 0;
    for (int32_t i = 0; clients_ && i < clients_->size(); ++i) static_cast<HALSurfaceClient*>(clients_->at(i))->surfaceResized();
}

void HALScreenBuffer::copyToWindow() {
    if (surface) HAL_presentFrame(surface->pixels, surface->width, surface->height, surface->stride);
}

void HALScreenBuffer::flushFromAnyThread() {
    if (HAL_isUIThread()) return copyToWindow();
    // The game thread only marks the frame; the UI thread copies it between message batches.
    const unsigned depth = HAL_releaseVMLock();
    {
        std::lock_guard<std::mutex> guard(lock_);
        pending_ = true;
    }
    HAL_wakeUIThread();
    HAL_restoreVMLock(depth);
}

bool HALScreenBuffer::flushPending() {
    std::lock_guard<std::mutex> guard(lock_);
    if (!pending_) return false;
    copyToWindow();
    pending_ = false;
    return true;
}

bool HALScreenBuffer::isFlushPending() {
    std::lock_guard<std::mutex> guard(lock_);
    return pending_;
}

bool HALScreenBuffer::addClient(HALSurfaceClient* client) { return clients_ && clients_->append(client) == 0; }

void HALScreenBuffer::removeClient(HALSurfaceClient* client) {
    if (clients_) clients_->remove(client);
}

int HAL_createScreenBuffer(HALDisplayable* displayable, HALScreenBuffer** out) {
    if (displayable == nullptr || out == nullptr) return HAL_BAD_ARGUMENT;
    *out = new HALScreenBuffer(displayable);
    return HAL_OK;
}

int HAL_getScreenBufferSize(HALScreenBuffer* buffer, int32_t* width, int32_t* height) {
    if (buffer == nullptr || (width == nullptr && height == nullptr)) return HAL_BAD_ARGUMENT;
    if (width) *width = buffer->width;
    if (height) *height = buffer->height;
    return HAL_OK;
}

int HAL_flushScreenBuffer(HALScreenBuffer* buffer) {
    if (buffer == nullptr) return HAL_BAD_ARGUMENT;
    buffer->flushFromAnyThread();
    return HAL_OK;
}

int HAL_flushScreenBufferRegion(HALScreenBuffer* buffer, int32_t, int32_t, int32_t, int32_t) {
    return HAL_flushScreenBuffer(buffer);  // the whole buffer is copied
}

int HAL_deleteScreenBuffer(HALScreenBuffer* buffer) {
    if (buffer == nullptr) return HAL_BAD_ARGUMENT;
    delete buffer;
    return HAL_OK;
}

void HAL_flushPendingScreenBuffer(HALScreenBuffer* buffer) {
    if (buffer) buffer->flushPending();
}
