#pragma once

// The 16-bit off-screen surface a game canvas draws into, copied to the main window. A
// flush from the UI thread copies at once; a flush from another thread marks the frame
// pending and wakes the UI thread, which copies it on its next active pass (two flushes
// before one pass give one copy).

#include <cstdint>
#include <mutex>

#include "hal/display/HALSurface.h"

class HALDisplayable;
class HALPtrArray;

// Something drawing on a screen buffer that must hear when its surface is resized (a
// graphics context resets its clip) and when the buffer is deleted (it must forget the buffer,
// which it does not own: a graphics context then draws nothing until it is deleted itself).
class HALSurfaceClient {
public:
    virtual void surfaceResized() = 0;
    virtual void screenBufferDeleted() = 0;

protected:
    ~HALSurfaceClient() = default;
};

class HALScreenBuffer {
public:
    explicit HALScreenBuffer(HALDisplayable* displayable);
    ~HALScreenBuffer();

    // Follows the displayable's size: a new size reallocates the surface and tells every client.
    void resize();
    void flushFromAnyThread();
    // UI thread: copies a pending frame; true when one was copied.
    bool flushPending();
    bool isFlushPending();
    // False when memory runs out (the client is then not in the list).
    bool addClient(HALSurfaceClient* client);
    void removeClient(HALSurfaceClient* client);

    int32_t width = 0;
    int32_t height = 0;
    HALDisplayable* displayable;
    HALSurface* surface = nullptr;

private:
    void copyToWindow();

    std::mutex lock_;
    bool pending_ = false;  // guarded by lock_
    HALPtrArray* clients_;
};

int HAL_createScreenBuffer(HALDisplayable* displayable, HALScreenBuffer** out);
int HAL_getScreenBufferSize(HALScreenBuffer* buffer, int32_t* width, int32_t* height);
int HAL_flushScreenBuffer(HALScreenBuffer* buffer);
int HAL_flushScreenBufferRegion(HALScreenBuffer* buffer, int32_t x, int32_t y, int32_t width, int32_t height);
int HAL_deleteScreenBuffer(HALScreenBuffer* buffer);
void HAL_flushPendingScreenBuffer(HALScreenBuffer* buffer);
