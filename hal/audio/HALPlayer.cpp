#include "hal/audio/HALPlayer.h"

#include <algorithm>
#include <atomic>
#include <cstring>
#include <new>

#include "hal/audio/AudioMixer.h"
#include "hal/audio/MidiMessageList.h"
#include "hal/audio/MixerVoice.h"
#include "hal/audio/Players.h"
#include "hal/audio/WavClip.h"
#include "hal/base/HALResult.h"
#include "hal/base/Memory.h"

namespace {

constexpr int64_t kMicrosecondsPerSecond = 1000000;

std::atomic<uint64_t> lastSerial{0};

// One tick lasts a millisecond, whatever the division: tempo events play no part.
WaveFormat midiStreamFormat(uint16_t division) {
    WaveFormat format;
    format.tag = kFormatMidiStream;
    format.channels = 1;
    format.samplesPerSecond = 32;
    format.averageBytesPerSecond = 32;
    format.blockAlign = 8;
    format.bitsPerSample = 16;
    format.microsecondsPerQuarter = uint32_t(division) * 1000;
    format.ticksPerQuarter = division;
    return format;
}

// The message list as a counted block of 8-byte records.
uint8_t* copyRecords(const MidiMessageList& list, uint32_t* length) {
    *length = uint32_t(list.records.size() * sizeof(MidiStreamRecord));
    auto* block = static_cast<uint8_t*>(HAL_malloc(*length));
    if (block != nullptr && *length > 0) std::memcpy(block, list.records.data(), *length);
    return block;
}

}  // namespace

int HALPlayer::openWave(uint8_t* bytes, int32_t length, int32_t loopCount, HALPlayer** out) {
    WavClip clip;
    if (WavClip::parse(bytes, size_t(std::max(length, 0)), &clip) != HAL_OK) {
        HAL_free(bytes);
        return HAL_BAD_FORMAT;
    }
    void* memory = HAL_malloc(sizeof(HALPlayer));
    if (memory == nullptr) {
        HAL_free(bytes);
        return HAL_OUT_OF_MEMORY;
    }
    auto* player = new (memory) HALPlayer();
    player->data_ = bytes;
    player->format_ = clip.format;
    player->fullHeader_ = WaveBuffer{bytes + clip.dataOffset, clip.dataLength, kLoopWholeBuffer, playsForLoopCount(loopCount)};
    player->kind_ = kKindWav;
    player->duration_ = clip.durationMicroseconds();
    return finishOpen(player, out);
}

int HALPlayer::openMidi(const uint8_t* bytes, int32_t length, int32_t loopCount, HALPlayer** out) {
    MidiMessageList list;
    if (MidiMessageList::convert(bytes, size_t(std::max(length, 0)), &list) != HAL_OK) return HAL_BAD_FORMAT;
    uint32_t listLength = 0;
    uint8_t* records = copyRecords(list, &listLength);
    void* memory = records != nullptr ? HAL_malloc(sizeof(HALPlayer)) : nullptr;
    if (memory == nullptr) {
        HAL_free(records);
        return HAL_OUT_OF_MEMORY;
    }
    auto* player = new (memory) HALPlayer();
    player->data_ = records;
    player->format_ = midiStreamFormat(list.division);
    player->fullHeader_ = WaveBuffer{records, listLength, kLoopWholeBuffer, playsForLoopCount(loopCount)};
    player->kind_ = kKindMidi;
    return finishOpen(player, out);
}

// Opens the device; a failure frees the content and the record.
int HALPlayer::finishOpen(HALPlayer* player, HALPlayer** out) {
    player->workingHeader_ = player->fullHeader_;
    player->device_ = HAL_audioMixer().open(player->format_, player);
    if (player->device_ == nullptr) {
        destroy(player);
        return HAL_BAD_FORMAT;
    }
    *out = player;
    return HAL_OK;
}

void HALPlayer::destroy(HALPlayer* player) {
    HAL_free(player->data_);
    player->~HALPlayer();
    HAL_free(player);
}

int HALPlayer::prefetch() {
    if (state_ == kRealized || state_ == kStopping) {
        device_->pause();  // queued but silent until a start
        serial_ = ++lastSerial;
        device_->write(workingHeader_, serial_);
    }
    state_ = kPrefetched;
    return HAL_OK;
}

int HALPlayer::start() {
    const int applied = applyMediaTime();
    if (applied != HAL_OK) return applied;
    if (state_ == kEndOfMedia) stop();
    if (state_ == kRealized || state_ == kStopping) prefetch();
    if (state_ == kPrefetched || state_ == kPaused) device_->restart();
    state_ = kStarted;
    fire(kPlayerStarted);
    return HAL_OK;
}

int HALPlayer::pause() {
    // A played-out MIDI tune may still sound its release: the pause holds that too.
    if (state_ == kStarted || state_ == kEndOfMedia) device_->pause();
    state_ = kPaused;
    fire(kPlayerPaused);
    return HAL_OK;
}

int HALPlayer::stop() {
    state_ = kStopping;
    device_->reset();
    serial_ = 0;  // an end reported for the dropped buffer is ignored
    pendingMediaTime_ = 0;
    state_ = kRealized;
    fire(kPlayerStopped);
    return HAL_OK;
}

int HALPlayer::close() {
    stop();
    HAL_audioMixer().close(device_);
    device_ = nullptr;
    fire(kPlayerClosed);
    return HAL_OK;
}

void HALPlayer::closeSilently() {
    HAL_audioMixer().close(device_);
    device_ = nullptr;
    serial_ = 0;
}

void HALPlayer::setLoopCount(int32_t loopCount) {
    fullHeader_.flags = kLoopWholeBuffer;
    fullHeader_.plays = playsForLoopCount(loopCount);
}

int HALPlayer::setMediaTime(int64_t microseconds) {
    if (microseconds < 0 || microseconds > duration_) return HAL_BAD_ARGUMENT;
    pendingMediaTime_ = microseconds;
    fire(kPlayerMediaTimeSet);
    return HAL_OK;
}

// The first step of every start: the working header begins at the pending time's whole
// seconds (WAV; a MIDI stream always plays whole), after a stop that keeps the pending time.
int HALPlayer::applyMediaTime() {
    if (pendingMediaTime_ < 0) return HAL_BAD_ARGUMENT;
    WaveBuffer header = fullHeader_;
    if (kind_ == kKindWav) {
        const uint64_t skip = std::min<uint64_t>(uint64_t(pendingMediaTime_ / kMicrosecondsPerSecond) * format_.averageBytesPerSecond, header.length);
        header.data += skip;
        header.length -= uint32_t(skip);
    }
    const int64_t pending = pendingMediaTime_;
    stop();
    workingHeader_ = header;
    pendingMediaTime_ = pending;
    return HAL_OK;
}

// The time played since the start, plus the pending time; a WAV player's time folds back
// at each loop (the loop being the duration less the pending time), and at the very end of
// its last play it stays at the end. A MIDI player (no duration) reports the time played.
int HALPlayer::mediaTime(int64_t* microseconds) {
    const int64_t played = device_ != nullptr ? device_->positionMicroseconds() : 0;
    const int64_t loop = duration_ - pendingMediaTime_;
    int64_t loops = 0;
    if (loop > 0) {
        loops = played / loop;
        const int64_t plays = fullHeader_.plays;
        if (plays != 0 && loops >= plays && loops % plays == 0) --loops;
    }
    *microseconds = pendingMediaTime_ + played - loops * loop;
    return HAL_OK;
}

int HALPlayer::setVolume(int32_t level) {
    level = std::clamp(level, 0, 100);
    const uint32_t value = uint32_t(level) * 0xFFFF / 100;
    device_->setVolume(value * 0x10001);  // left and right alike
    fire(kPlayerVolumeChanged, level);
    return HAL_OK;
}

int HALPlayer::volume(int32_t* level) {
    const uint32_t right = device_->volume() >> 16;
    *level = int32_t((right * 100 + 0x7FFF) / 0xFFFF);  // rounded half up
    return HAL_OK;
}

void HALPlayer::endReported(uint64_t serial) {
    if (serial == 0 || serial != serial_ || state_ != kStarted) return;
    state_ = kEndOfMedia;
    fire(kPlayerEndOfMedia);
}

void HALPlayer::fire(int32_t event, int32_t argument) { HAL_firePlayerEvent(this, event, argument); }
