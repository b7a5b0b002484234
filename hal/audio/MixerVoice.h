#pragma once

// One voice of the mixer: the device a player plays through, with the operations of the
// phone's wave-out device. A buffer written to it plays from its start, as many times as its
// header says; pause holds the position, restart goes on from it; reset drops the buffer,
// ends any sound and clears the position and the pause. The position is the time played
// since the buffer was written, loops included. The volume keeps the left channel in its low
// word and the right in its high word, 0xFFFF being full.
//
// Threads: the operations may be called from any thread; they take the mixer's lock, under
// which the mixer renders every voice on its audio thread.

#include <cstdint>

#include "hal/audio/WaveFormat.h"

class AudioMixer;

class MixerVoice {
public:
    virtual ~MixerVoice() = default;
    MixerVoice(const MixerVoice&) = delete;
    MixerVoice& operator=(const MixerVoice&) = delete;

    // Queues buffer in place of any other, to play from its start (at once unless paused);
    // when all its plays are done the mixer reports (owner, serial).
    void write(const WaveBuffer& buffer, uint64_t serial);
    void pause();
    void restart();
    void reset();
    int64_t positionMicroseconds();
    void setVolume(uint32_t leftAndRight);
    uint32_t volume();
    void* owner() const { return owner_; }

protected:
    MixerVoice(AudioMixer& mixer, void* owner) : mixer_(mixer), owner_(owner) {}

    // The parts each kind of voice plays its own way, called under the mixer's lock.
    // Adds `frames` frames of the buffer into the stereo accumulator (scaled by the gains);
    // true when the buffer's last play ended within them.
    virtual bool mix(float* stereo, int frames) = 0;
    // Sound after the buffer (a synthesiser's release); nothing by default.
    virtual void mixAfterEnd(float* stereo, int frames) {}
    // Back to the start of the buffer.
    virtual void rewind() = 0;
    // Ends any sound at once (reset).
    virtual void silence() {}
    // The time played since the buffer was written.
    virtual int64_t elapsedMicroseconds() const = 0;

    const WaveBuffer& buffer() const { return buffer_; }
    uint32_t plays() const { return buffer_.plays == 0 ? 1 : buffer_.plays; }
    float gainLeft() const { return gainLeft_; }
    float gainRight() const { return gainRight_; }

private:
    friend class AudioMixer;
    // The mixer's call for each block; true when the buffer finished in it.
    bool mixBlock(float* stereo, int frames);
    uint64_t serial() const { return serial_; }

    AudioMixer& mixer_;
    void* owner_;
    WaveBuffer buffer_;
    bool queued_ = false, paused_ = false, finished_ = false;
    uint64_t serial_ = 0;
    uint32_t volume_ = 0xFFFFFFFF;
    float gainLeft_ = 1.0f, gainRight_ = 1.0f;
};
