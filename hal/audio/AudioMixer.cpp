#include "hal/audio/AudioMixer.h"

#include <algorithm>
#include <cmath>

#include "hal/audio/MidiSynth.h"
#include "hal/audio/MidiVoice.h"
#include "hal/audio/MixerVoice.h"
#include "hal/audio/PcmVoice.h"

namespace {

int16_t clipped(float sum) { return int16_t(std::lrint(std::clamp(sum, -32768.0f, 32767.0f))); }

}  // namespace

AudioMixer::AudioMixer() : accumulator_(size_t(host::kAudioBlockFrames) * host::kAudioChannels) {}

AudioMixer::~AudioMixer() {
    stopOutput();
    for (MixerVoice* voice : voices_) delete voice;
}

AudioMixer& AudioMixer::process() {
    static auto* mixer = new AudioMixer();  // lives as long as the process: its output may outlive static destructors
    return *mixer;
}

MixerVoice* AudioMixer::open(const WaveFormat& format, void* owner) {
    MixerVoice* voice = nullptr;
    if (format.tag == kFormatPcm && PcmVoice::canPlay(format)) {
        voice = new PcmVoice(*this, owner, format);
    } else if (format.tag == kFormatMidiStream && MidiVoice::canPlay(format)) {
        std::unique_ptr<MidiSynth> synth = MidiSynth::create();
        if (synth == nullptr) return nullptr;
        voice = new MidiVoice(*this, owner, format, std::move(synth));
    } else {
        return nullptr;
    }
    std::lock_guard<std::mutex> guard(lock_);
    voices_.push_back(voice);
    return voice;
}

void AudioMixer::close(MixerVoice* voice) {
    {
        std::lock_guard<std::mutex> guard(lock_);
        voices_.erase(std::remove(voices_.begin(), voices_.end(), voice), voices_.end());
    }
    delete voice;
}

int32_t AudioMixer::voiceCount() {
    std::lock_guard<std::mutex> guard(lock_);
    return int32_t(voices_.size());
}

void AudioMixer::render(int16_t* samples, int frames) {
    while (frames > 0) {
        const int block = std::min(frames, host::kAudioBlockFrames);
        renderBlock(samples, block);
        samples += block * host::kAudioChannels;
        frames -= block;
    }
}

void AudioMixer::renderBlock(int16_t* samples, int frames) {
    std::lock_guard<std::mutex> guard(lock_);
    const size_t count = size_t(frames) * host::kAudioChannels;
    std::fill_n(accumulator_.begin(), count, 0.0f);
    for (MixerVoice* voice : voices_) {
        if (voice->mixBlock(accumulator_.data(), frames) && notifier_ != nullptr) notifier_(voice->owner(), voice->serial());
    }
    for (size_t i = 0; i < count; ++i) samples[i] = clipped(accumulator_[i]);
    framesRendered_ += frames;
}

int64_t AudioMixer::framesRendered() {
    std::lock_guard<std::mutex> guard(lock_);
    return framesRendered_;
}

void AudioMixer::setFinishNotifier(FinishNotifier notifier) {
    std::lock_guard<std::mutex> guard(lock_);
    notifier_ = notifier;
}

void AudioMixer::startOutput() {
    std::lock_guard<std::mutex> guard(outputLock_);
    if (!output_) output_ = host::openAudioOutput([this](int16_t* samples, int frames) { render(samples, frames); });
}

void AudioMixer::stopOutput() {
    std::unique_ptr<host::AudioOutput> stopped;
    {
        std::lock_guard<std::mutex> guard(outputLock_);
        stopped = std::move(output_);
    }
    stopped.reset();  // joins the audio thread, which may be waiting for lock_, outside outputLock_
}

host::AudioOutput* AudioMixer::output() {
    std::lock_guard<std::mutex> guard(outputLock_);
    return output_.get();
}
