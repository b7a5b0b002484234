#pragma once

// kv::platform::ostrel::KvOstrel: what the framework needs beyond MIDP on this platform,
// as static bridges with no state: the screen orientation (codes 0 to 4), the power
// keep-alive, and players over regions of byte arrays (the media manager's, unchanged).

#include <cstdint>

#include "lib_src/vm/VMArray.h"
#include "pb_src/j2me/java_lang_String.h"
#include "pb_src/j2me/javax_microedition_media_Player.h"

namespace kv::platform::ostrel {

class KvOstrel : public virtual ::java::lang::Object {
    VM_CLASS(KvOstrel, ::java::lang::Object)

    // The current orientation; a platform failure ends the process.
    static int32_t getOrientation();
    // false, with nothing changed, when the platform has no such rotation or refuses it.
    static bool setOrientation(int32_t code);
    // Inverted on purpose, as the framework calls it: false keeps the device awake, true
    // lets it sleep.
    static void setFlag(bool b);
    static VMPtr<::javax::microedition::media::Player> createPlayer(VMPtr<VMArray<int8_t, 1>> data, int32_t offset,
                                                                    int32_t length, VMPtr<::java::lang::String> contentType);
};

}  // namespace kv::platform::ostrel
