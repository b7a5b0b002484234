#pragma once

// javax::microedition::media::PlayerListener: the type a player's listener operations
// accept.

#include "pb_src/j2me/java_lang_String.h"

namespace javax::microedition::media {

class Player;

class PlayerListener : public virtual ::java::lang::Object {
    VM_INTERFACE(PlayerListener)
    virtual void playerUpdate(VMPtr<Player> player, VMPtr<::java::lang::String> event, VMPtr<::java::lang::Object> eventData) = 0;
};

}  // namespace javax::microedition::media
