#pragma once

// The native player behind a media player of the profile: one voice of the mixer (its
// device), the format and the wave header describing the whole content, the working header
// actually written to the device, and the content itself, owned by the player (the WAV
// bytes, or the MIDI message list).
//
// States: 0 realized, 1 prefetched, 2 started, 3 paused, 4 end of media, 5 stopping. Every
// start first stops the player and plays again from the pending media time (0 after a
// stop), applied in whole seconds; a WAV player's loop length is its duration less the
// pending time. Each buffer written to the device gets a new play serial, so that the end
// reported for an earlier buffer (after a stop, a restart or a close) is ignored.
//
// Threads: every operation runs under the VM lock (runtime threads, and the UI thread for
// pausing all players and applying a reported end); the audio thread never touches a player.

#include <cstdint>

#include "hal/audio/WaveFormat.h"

class MixerVoice;

class HALPlayer {
public:
    enum State : int32_t { kRealized = 0, kPrefetched = 1, kStarted = 2, kPaused = 3, kEndOfMedia = 4, kStopping = 5 };
    enum Kind : int32_t { kKindWav = 2, kKindMidi = 6 };

    // A WAV player over bytes (a counted block the player takes over, also on failure): 0, 5
    // or 6 (not a playable WAV file, or no device).
    static int openWave(uint8_t* bytes, int32_t length, int32_t loopCount, HALPlayer** out);
    // A MIDI player over a converted copy of the file: 0, 5 or 6 (a file the platform cannot
    // play, or no synthesiser).
    static int openMidi(const uint8_t* bytes, int32_t length, int32_t loopCount, HALPlayer** out);
    // Frees the player and its content (stop and close first).
    static void destroy(HALPlayer* player);

    int prefetch();
    int start();
    int pause();
    int stop();
    // Stops and closes the device (events 4 and 6, in that order); the caller then destroys.
    int close();
    // Closes the device with no events (the release at exit, a player that could not be listed).
    void closeSilently();
    void setLoopCount(int32_t loopCount);
    int setMediaTime(int64_t microseconds);
    int mediaTime(int64_t* microseconds);
    int setVolume(int32_t level);
    int volume(int32_t* level);
    // The device reported the end of the buffer with this serial (UI thread, VM lock).
    void endReported(uint64_t serial);

    int32_t state() const { return state_; }
    int32_t kind() const { return kind_; }
    int64_t durationMicroseconds() const { return duration_; }
    const WaveBuffer& fullHeader() const { return fullHeader_; }

private:
    HALPlayer() = default;
    ~HALPlayer() = default;
    static int finishOpen(HALPlayer* player, HALPlayer** out);
    int applyMediaTime();
    void fire(int32_t event, int32_t argument = 0);

    MixerVoice* device_ = nullptr;
    WaveFormat format_;
    WaveBuffer fullHeader_;
    WaveBuffer workingHeader_;
    int32_t kind_ = kKindWav;
    int64_t duration_ = 0;
    int64_t pendingMediaTime_ = 0;
    int32_t state_ = kRealized;
    uint8_t* data_ = nullptr;  // counted block
    uint64_t serial_ = 0;      // of the buffer on the device; 0 when none
};
