#pragma once

// javax::microedition::media::control::VolumeControl: a level from 0 to 100 and a mute
// switch that keeps the level.

#include <cstdint>

#include "pb_src/j2me/javax_microedition_media_Control.h"

namespace javax::microedition::media::control {

class VolumeControl : public virtual ::javax::microedition::media::Control {
    VM_INTERFACE(VolumeControl)
    virtual void setMute(bool mute) = 0;
    virtual bool isMuted() = 0;
    // The level now in force.
    virtual int32_t setLevel(int32_t level) = 0;
    virtual int32_t getLevel() = 0;
};

}  // namespace javax::microedition::media::control
