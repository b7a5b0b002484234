#pragma once

// com::kelvane::ostrel::media::Player: the profile's one player, a state machine over a
// platform player, and its own volume control. It keeps no state word: with no platform
// player it is CLOSED once realized and UNREALIZED before; otherwise the platform player's
// state tells REALIZED, PREFETCHED or STARTED. A byte-array player holds its caller's
// array (not a copy) until realize, which hands the bytes to the platform and lets them go.
// A failed operation leaves the fields as they were; a platform failure the player cannot
// report as an exception ends the process. A collected player closes its platform player.
// Times are microseconds; -11 is the time of a player that has none yet.

#include <cstdint>

#include "lib_src/vm/VMArray.h"
#include "pb_src/j2me/java_lang_String.h"
#include "pb_src/j2me/javax_microedition_media_Player.h"
#include "pb_src/j2me/javax_microedition_media_control_VolumeControl.h"

class HALPlayer;

namespace com::kelvane::ostrel::media {

class Player : public virtual ::java::lang::Object,
               public virtual ::javax::microedition::media::Player,
               public virtual ::javax::microedition::media::control::VolumeControl {
    VM_CLASS(Player, ::java::lang::Object)
    using String = ::java::lang::String;
    using ByteArray = VMArray<int8_t, 1>;
    using Control = ::javax::microedition::media::Control;
    using TimeBase = ::javax::microedition::media::TimeBase;
    using PlayerListener = ::javax::microedition::media::PlayerListener;

    static constexpr int64_t kTimeUnknown = -11;

    // A locator player: MediaException when the platform cannot read the locator's source.
    VMPtr<Player> _VM_init(VMPtr<String> locator);
    // A byte-array player; the checks are Manager::createPlayer's.
    VMPtr<Player> _VM_init(VMPtr<ByteArray> bytes, int32_t offset, int32_t length, VMPtr<String> type);
    ~Player() override;

    void setMute(bool mute) override;
    bool isMuted() override { return muted; }
    // Clamped to 0..100; while muted nothing changes. Returns the level in force.
    int32_t setLevel(int32_t value) override;
    int32_t getLevel() override { return level; }
    // Applies v to the platform player and returns the level it reports; v unapplied
    // without one.
    virtual int32_t setVolume(int32_t v);

    void realize() override;
    void prefetch() override;
    void start() override;
    void stop() override;
    void deallocate() override;
    void close() override;
    void setTimeBase(VMPtr<TimeBase> master) override;
    VMPtr<TimeBase> getTimeBase() override;
    int64_t setMediaTime(int64_t now) override;
    int64_t getMediaTime() override;
    int32_t getState() override;
    int64_t getDuration() override;
    VMPtr<String> getContentType() override;
    void setLoopCount(int32_t count) override;
    void addPlayerListener(VMPtr<PlayerListener>) override {}
    void removePlayerListener(VMPtr<PlayerListener>) override {}
    // The player itself for "VolumeControl" with or without its package, else null.
    VMPtr<Control> getControl(VMPtr<String> controlType) override;
    VMPtr<VMArray<Control*, 1>> getControls() override;

    void _VM_mark(uint32_t flags) override;

    bool realized = false;
    VMPtr<ByteArray> data{vmField()};
    int32_t dataOffset = 0;
    int32_t dataLength = 0;
    int32_t sourceKind = 0;
    VMPtr<String> sourcePath{vmField()};
    VMPtr<String> contentType{vmField()};
    HALPlayer* nativePlayer = nullptr;
    int32_t loopCount = 1;
    int32_t level = -1;
    bool muted = false;

private:
    // With no platform player: IllegalStateException (with the message, when given) once
    // closed; true while unrealized, false when there is a platform player.
    bool unrealizedOrThrow(const char* closedMessage);
    void createNativePlayer();
};

}  // namespace com::kelvane::ostrel::media
