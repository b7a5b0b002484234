#include "hal/audio/MixerVoice.h"

#include <mutex>

#include "hal/audio/AudioMixer.h"

void MixerVoice::write(const WaveBuffer& buffer, uint64_t serial) {
    std::lock_guard<std::mutex> guard(mixer_.lock());
    buffer_ = buffer;
    serial_ = serial;
    queued_ = true;
    finished_ = false;
    rewind();
}

void MixerVoice::pause() {
    std::lock_guard<std::mutex> guard(mixer_.lock());
    paused_ = true;
}

void MixerVoice::restart() {
    std::lock_guard<std::mutex> guard(mixer_.lock());
    paused_ = false;
}

void MixerVoice::reset() {
    std::lock_guard<std::mutex> guard(mixer_.lock());
    queued_ = paused_ = finished_ = false;
    serial_ = 0;
    rewind();
    silence();
}

int64_t MixerVoice::positionMicroseconds() {
    std::lock_guard<std::mutex> guard(mixer_.lock());
    return queued_ ? elapsedMicroseconds() : 0;
}

void MixerVoice::setVolume(uint32_t leftAndRight) {
    std::lock_guard<std::mutex> guard(mixer_.lock());
    volume_ = leftAndRight;
    gainLeft_ = float(leftAndRight & 0xFFFF) / 65535.0f;
    gainRight_ = float(leftAndRight >> 16) / 65535.0f;
}

uint32_t MixerVoice::volume() {
    std::lock_guard<std::mutex> guard(mixer_.lock());
    return volume_;
}

bool MixerVoice::mixBlock(float* stereo, int frames) {
    if (paused_) return false;
    if (!queued_ || finished_) {
        mixAfterEnd(stereo, frames);
        return false;
    }
    finished_ = mix(stereo, frames);
    return finished_;
}
