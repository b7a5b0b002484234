#include "hal/audio/MidiVoice.h"

#include <algorithm>
#include <cstring>

#include "hal/audio/MidiMessageList.h"
#include "hal/audio/MidiSynth.h"
#include "hal/host/AudioOutput.h"

namespace {

constexpr float kFullScale = 32767.0f;

}  // namespace

bool MidiVoice::canPlay(const WaveFormat& format) { return format.ticksPerQuarter > 0 && format.microsecondsPerQuarter > 0; }

MidiVoice::MidiVoice(AudioMixer& mixer, void* owner, const WaveFormat& format, std::unique_ptr<MidiSynth> synth)
    : MixerVoice(mixer, owner),
      format_(format),
      synth_(std::move(synth)),
      left_(host::kAudioBlockFrames),
      right_(host::kAudioBlockFrames) {}

MidiVoice::~MidiVoice() = default;

MidiStreamRecord MidiVoice::recordAt(size_t index) const {
    MidiStreamRecord record;
    std::memcpy(&record, buffer().data + index * 8, sizeof record);
    return record;
}

void MidiVoice::rewind() {
    next_ = 0;
    ticksInPlay_ = recordCount() > 0 ? recordAt(0).deltaTicks : 0;
    playStartFrame_ = elapsedFrames_ = playsDone_ = 0;
    silenced_ = false;
}

void MidiVoice::silence() {
    synth_->reset();
    silenced_ = true;
}

int64_t MidiVoice::elapsedMicroseconds() const {
    return int64_t(elapsedFrames_ / host::kAudioRate * 1000000 + elapsedFrames_ % host::kAudioRate * 1000000 / host::kAudioRate);
}

uint64_t MidiVoice::nextRecordFrame() const {
    const unsigned __int128 microseconds = (unsigned __int128)ticksInPlay_ * format_.microsecondsPerQuarter / format_.ticksPerQuarter;
    return playStartFrame_ + uint64_t(microseconds * host::kAudioRate / 1000000);
}

bool MidiVoice::sendDueRecords() {
    const size_t count = recordCount();
    while (next_ < count && nextRecordFrame() <= elapsedFrames_) {
        const MidiStreamRecord record = recordAt(next_);
        if ((record.event & 0xFF000000) == kMidiShortMessage) synth_->send(record.event);
        if (++next_ < count) {
            ticksInPlay_ += recordAt(next_).deltaTicks;
            continue;
        }
        const bool tookNoTime = elapsedFrames_ == playStartFrame_;
        if (++playsDone_ >= plays() || tookNoTime) return true;
        playStartFrame_ = elapsedFrames_;
        next_ = 0;
        ticksInPlay_ = recordAt(0).deltaTicks;
    }
    return count == 0;
}

void MidiVoice::renderSynth(float* stereo, int frames) {
    synth_->render(left_.data(), right_.data(), frames);
    for (int i = 0; i < frames; ++i) {
        stereo[2 * i] += left_[size_t(i)] * kFullScale * gainLeft();
        stereo[2 * i + 1] += right_[size_t(i)] * kFullScale * gainRight();
    }
}

bool MidiVoice::mix(float* stereo, int frames) {
    for (int done = 0; done < frames;) {
        if (sendDueRecords()) {
            mixAfterEnd(stereo + 2 * done, frames - done);
            return true;
        }
        const int chunk = int(std::min<uint64_t>(uint64_t(frames - done), nextRecordFrame() - elapsedFrames_));
        renderSynth(stereo + 2 * done, chunk);
        done += chunk;
        elapsedFrames_ += uint64_t(chunk);
    }
    return sendDueRecords();  // a list that ends exactly with the block
}

void MidiVoice::mixAfterEnd(float* stereo, int frames) {
    if (frames > 0 && !silenced_ && synth_->isSounding()) renderSynth(stereo, frames);
}
