#pragma once

// kv::MediaManager: the game's sound through the profile's players: looping single-track
// MIDI music and WAV effects, both read from resource pack entries. Sound plays only while
// isSoundEnabled: the manager is not muted and the canvas's sound switch is on. Sound is
// never vital: a sound that cannot be read or played is reported on the console and the
// game goes on silent.

#include <cstdint>

#include "lib_src/vm/VMArray.h"
#include "pb_src/j2me/javax_microedition_media_Player.h"

namespace kv {

class MediaManager : public virtual ::java::lang::Object {
    VM_CLASS(MediaManager, ::java::lang::Object)
    using Player = ::javax::microedition::media::Player;

    static constexpr int32_t kEffectSlots = 4;

    VMPtr<MediaManager> _VM_init();
    void _VM_mark(uint32_t flags) override;

    // Runs the canvas's initSoundSettings first.
    bool isSoundEnabled();
    // A different value stops every sound, sets the canvas's sound switch (not saved) and
    // runs initSoundSettings; the same value changes nothing.
    void setSoundEnabled(bool enabled);
    bool isMuted() const { return muted; }
    // Muting stops every sound.
    void setMuted(bool mute);

    // Loops the MIDI entry; nothing when sound is off or that entry already plays.
    void playMusic(int32_t resourceId);
    void stopMusic();
    bool isMusicPlaying();
    int32_t getMusicId() const { return musicId; }
    // Plays the WAV entry once; the oldest of four effects gives way to a fifth.
    void playEffect(int32_t resourceId);
    void stopAll();

    bool muted = false;
    int32_t musicId = -1;
    int32_t nextEffectSlot = 0;
    VMPtr<Player> music{vmField()};
    VMPtr<VMArray<Player*, 1>> effects{vmField()};

private:
    VMPtr<Player> start(int32_t resourceId, const char* contentType, int32_t loopCount);
    static void close(VMPtr<Player> player);
};

}  // namespace kv
