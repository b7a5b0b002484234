#pragma once

// javax::microedition::media::Player: a sound's life from UNREALIZED through REALIZED,
// PREFETCHED and STARTED to CLOSED, which is final. Times are microseconds.

#include <cstdint>

#include "pb_src/j2me/javax_microedition_media_Controllable.h"
#include "pb_src/j2me/javax_microedition_media_PlayerListener.h"
#include "pb_src/j2me/javax_microedition_media_TimeBase.h"

namespace javax::microedition::media {

class Player : public virtual Controllable {
    VM_INTERFACE(Player)

    static constexpr int32_t CLOSED = 0;
    static constexpr int32_t UNREALIZED = 100;
    static constexpr int32_t REALIZED = 200;
    static constexpr int32_t PREFETCHED = 300;
    static constexpr int32_t STARTED = 400;

    virtual void realize() = 0;
    virtual void prefetch() = 0;
    virtual void start() = 0;
    virtual void stop() = 0;
    virtual void deallocate() = 0;
    virtual void close() = 0;
    virtual void setTimeBase(VMPtr<TimeBase> master) = 0;
    virtual VMPtr<TimeBase> getTimeBase() = 0;
    virtual int64_t setMediaTime(int64_t now) = 0;
    virtual int64_t getMediaTime() = 0;
    virtual int32_t getState() = 0;
    virtual int64_t getDuration() = 0;
    virtual VMPtr<::java::lang::String> getContentType() = 0;
    virtual void setLoopCount(int32_t count) = 0;
    virtual void addPlayerListener(VMPtr<PlayerListener> playerListener) = 0;
    virtual void removePlayerListener(VMPtr<PlayerListener> playerListener) = 0;
};

}  // namespace javax::microedition::media
