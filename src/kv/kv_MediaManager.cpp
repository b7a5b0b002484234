#include "src/kv/kv_MediaManager.h"

#include <string>

#include "pb_src/j2me/java_io_PrintStream.h"
#include "pb_src/j2me/java_lang_System.h"
#include "pb_src/j2me/java_lang_Throwable.h"
#include "pb_src/j2me/javax_microedition_media_Manager.h"
#include "src/kv/kv_KvCanvas.h"
#include "src/kv/kv_Resources.h"

namespace kv {

using java::lang::String;

VM_DEFINE_CLASS(MediaManager, "kv.MediaManager", "java.lang.Object", VM_NO_CLINIT)

VMPtr<MediaManager> MediaManager::_VM_init() {
    Object::_VM_init();
    effects = VMArray<Player*, 1>::_VM_new(kEffectSlots);
    return this;
}

void MediaManager::_VM_mark(uint32_t flags) {
    Object::_VM_mark(flags);
    vmMarkField(music, flags);
    vmMarkField(effects, flags);
}

bool MediaManager::isSoundEnabled() {
    KvCanvas::initSoundSettings();
    return !muted && KvCanvas::soundSwitch;
}

void MediaManager::setSoundEnabled(bool enabled) {
    if (enabled == isSoundEnabled()) return;
    stopAll();
    KvCanvas::soundSwitch = enabled;
    KvCanvas::initSoundSettings();
}

void MediaManager::setMuted(bool mute) {
    if (mute) stopAll();
    muted = mute;
}

void MediaManager::playMusic(int32_t resourceId) {
    if (!isSoundEnabled()) return;
    if (resourceId == musicId && isMusicPlaying()) return;
    stopMusic();
    music = start(resourceId, "audio/midi", -1);
    if (music) musicId = resourceId;
}

void MediaManager::stopMusic() {
    close(music);
    music = nullptr;
    musicId = -1;
}

bool MediaManager::isMusicPlaying() { return music && music->getState() == Player::STARTED; }

void MediaManager::playEffect(int32_t resourceId) {
    if (!isSoundEnabled()) return;
    close(VMPtr<Player>(effects->at(nextEffectSlot)));
    effects->set(nextEffectSlot, start(resourceId, "audio/x-wav", 1));
    nextEffectSlot = (nextEffectSlot + 1) % kEffectSlots;
}

void MediaManager::stopAll() {
    stopMusic();
    for (int32_t i = 0; i < kEffectSlots; ++i) {
        close(VMPtr<Player>(effects->at(i)));
        effects->set(i, nullptr);
    }
}

VMPtr<MediaManager::Player> MediaManager::start(int32_t resourceId, const char* contentType, int32_t loopCount) {
    try {
        VMPtr<VMArray<int8_t, 1>> data = Resources::getData(resourceId);
        VMPtr<Player> player =
            javax::microedition::media::Manager::createPlayer(data, 0, data->length, String::fromUtf8(contentType));
        // A player starts only once realized and prefetched.
        player->realize();
        player->prefetch();
        player->setLoopCount(loopCount);
        player->start();
        return player;
    } catch (java::lang::Throwable* caught) {
        VMPtr<java::lang::Throwable> failure(caught);
        const std::string line = "Sound " + std::to_string(resourceId) + " not played: " + failure->toString()->toUtf8();
        java::lang::System::err->println(line.c_str());
        return nullptr;
    }
}

void MediaManager::close(VMPtr<Player> player) {
    if (player) player->close();
}

}  // namespace kv
