#pragma once

// A voice that plays a MIDI stream buffer (8-byte records: delta ticks, event word) through a
// synthesiser of its own. A tick lasts the format's microseconds per quarter note divided by
// its ticks per quarter note; each record's message is sent to the synthesiser at the first
// output frame at or after its time, and the synthesiser's sound between records is mixed in.
// A play ends with its last record; the next play starts at once, the synthesiser carrying on
// (notes still held keep sounding); a play that takes no output time ends the plays, whatever
// the count. After the last play the synthesiser's release still sounds until it falls
// silent; a reset silences it at once. The position counts the output frames played.

#include <memory>
#include <vector>

#include "hal/audio/MixerVoice.h"

class MidiSynth;
struct MidiStreamRecord;

class MidiVoice final : public MixerVoice {
public:
    static bool canPlay(const WaveFormat& format);
    MidiVoice(AudioMixer& mixer, void* owner, const WaveFormat& format, std::unique_ptr<MidiSynth> synth);
    ~MidiVoice() override;

protected:
    bool mix(float* stereo, int frames) override;
    void mixAfterEnd(float* stereo, int frames) override;
    void rewind() override;
    void silence() override;
    int64_t elapsedMicroseconds() const override;

private:
    size_t recordCount() const { return buffer().length / 8; }
    MidiStreamRecord recordAt(size_t index) const;
    // The output frame (since the write) at which the next record is due.
    uint64_t nextRecordFrame() const;
    // Sends every record due now; true when the last play has ended.
    bool sendDueRecords();
    void renderSynth(float* stereo, int frames);

    WaveFormat format_;
    std::unique_ptr<MidiSynth> synth_;
    std::vector<float> left_, right_;
    size_t next_ = 0;             // index of the next record
    uint64_t ticksInPlay_ = 0;    // time of the next record since the play began
    uint64_t playStartFrame_ = 0;
    uint64_t elapsedFrames_ = 0;
    uint64_t playsDone_ = 0;
    bool silenced_ = false;  // reset: no release tail until the next write
};
