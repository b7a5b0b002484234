#pragma once

// The native object behind a canvas. There is one window for the whole process; a
// displayable is what the main window hands its messages to while it is current.

#include <cstdint>

class HALScreenBuffer;

namespace java::lang {
class Object;
}

class HALDisplayable {
public:
    // Created for its managed owner, sized to the main window's client area.
    explicit HALDisplayable(java::lang::Object* owner);
    virtual ~HALDisplayable();
    HALDisplayable(const HALDisplayable&) = delete;
    HALDisplayable& operator=(const HALDisplayable&) = delete;

    virtual int32_t getWidth() const { return width; }
    virtual int32_t getHeight() const { return height; }
    virtual bool isShown() const;
    virtual void setFullScreenMode(bool flag) { fullScreen = flag; }
    virtual void setTitle(const char16_t*, int32_t) {}
    virtual void setTicker(const char16_t*, int32_t) {}
    virtual void addCommand(void*) {}
    virtual void removeCommand(void*) {}
    // The base handling is the main window's own (the shell's message table).
    virtual int64_t handleMessage(uint32_t message, uint64_t wParam, int64_t lParam);
    // Re-reads the client area; on a change resizes the screen buffer and posts the
    // size-change event.
    virtual void updateSize();

    int32_t width = 0;
    int32_t height = 0;
    java::lang::Object* owner;
    HALScreenBuffer* screenBuffer = nullptr;
    bool fullScreen = false;
};
