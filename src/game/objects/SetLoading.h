#pragma once

// Reads an animation set and attaches its gob array at once. A gob array that reads as
// null (missing or damaged) would leave the set drawing nothing, so it is a load failure
// that names the array's id.

#include <cstdint>

#include "lib_src/vm/VMException.h"
#include "pb_src/j2me/java_lang_RuntimeException.h"
#include "pb_src/j2me/java_lang_String.h"
#include "src/kv/kv_AnimSet.h"
#include "src/kv/kv_Resources.h"

namespace InGameObject {

inline VMPtr<kv::AnimSet::GobArray> loadGobs(int32_t gobsId) {
    VMPtr<kv::AnimSet::GobArray> gobs = kv::Resources::getGobs(gobsId);
    if (!gobs) vm::throwNew<java::lang::RuntimeException>(java::lang::String::withNumber("no gob array ", gobsId));
    return gobs;
}

inline VMPtr<kv::AnimSet> loadAnimSet(int32_t setId, const VMPtr<kv::AnimSet::GobArray>& gobs) {
    VMPtr<kv::AnimSet> set = kv::Resources::getAnimSet(setId);
    set->setGobs(gobs);
    return set;
}

inline VMPtr<kv::AnimSet> loadAnimSet(int32_t setId, int32_t gobsId) { return loadAnimSet(setId, loadGobs(gobsId)); }

inline VMPtr<kv::AnimPlayer> newPlayer(const VMPtr<kv::AnimSet>& set, int32_t animation) {
    VMPtr<kv::AnimPlayer> player = kv::AnimPlayer::_VM_new();
    player->_VM_init();
    player->setAnimSet(set);
    player->setAnimation(animation);
    return player;
}

}  // namespace InGameObject
