// MIDI conversion: a single track read by its chunk lengths, with running status, one- and
// two-byte messages, note-offs taken, meta and system-exclusive events skipped by their
// lengths (their time carried to the next record), and every read bounded.

#include <gtest/gtest.h>

#include "hal/audio/MidiMessageList.h"
#include "hal/audio/WaveFormat.h"
#include "hal/base/HALResult.h"
#include "tests/hal/audio/AudioFixtures.h"
#include "tests/support/CapturedStdout.h"

namespace {

using namespace audio_test;

struct Record {
    uint32_t delta, event;
    bool operator==(const Record&) const = default;
};

std::vector<Record> convert(const Bytes& file, int* result = nullptr) {
    MidiMessageList list;
    const int code = MidiMessageList::convert(file.data(), file.size(), &list);
    if (result) *result = code;
    std::vector<Record> records;
    for (const MidiStreamRecord& r : list.records) records.push_back({r.deltaTicks, r.event});
    return records;
}

constexpr uint32_t message(uint8_t status, uint8_t first, uint8_t second = 0) {
    return uint32_t(status) | uint32_t(first) << 8 | uint32_t(second) << 16;
}

TEST(MidiMessageList, EveryChannelMessageIsTakenWithItsOwnLength) {
    const Bytes events = cat({{0x00, 0x80, 60, 0},       // note off first: taken
                              {0x00, 0xC1, 5},           // program change: one data byte
                              {0x10, 0x91, 62, 90},      // note on
                              {0x00, 0xD1, 40},          // channel pressure: one data byte
                              {0x05, 0xE1, 0x00, 0x40},  // pitch bend
                              {0x00, 0xA1, 62, 7},       // key pressure
                              {0x00, 0xB1, 7, 100},      // controller
                              {0x00}, kEndOfTrack});
    int result = -1;
    const auto records = convert(midiFile(events), &result);
    ASSERT_EQ(result, HAL_OK);
    EXPECT_EQ(records, (std::vector<Record>{{0, message(0x80, 60)},
                                            {0, message(0xC1, 5)},
                                            {0x10, message(0x91, 62, 90)},
                                            {0, message(0xD1, 40)},
                                            {5, message(0xE1, 0x00, 0x40)},
                                            {0, message(0xA1, 62, 7)},
                                            {0, message(0xB1, 7, 100)}}));
}

TEST(MidiMessageList, RunningStatusRepeatsTheLastChannelStatus) {
    const Bytes events = cat({{0x00, 0x90, 60, 100}, {0x0A, 62, 100}, {0x0A, 60, 0}, {0x00, 0xC0, 3}, {0x01, 4}, {0x00}, kEndOfTrack});
    EXPECT_EQ(convert(midiFile(events)), (std::vector<Record>{{0, message(0x90, 60, 100)},
                                                             {10, message(0x90, 62, 100)},
                                                             {10, message(0x90, 60, 0)},
                                                             {0, message(0xC0, 3)},
                                                             {1, message(0xC0, 4)}}));
}

TEST(MidiMessageList, MetaAndSystemExclusiveEventsAreSkippedAndTheirTimeCarriedOn) {
    const Bytes events = cat({{0x00, 0xFF, 0x51, 0x03, 0x07, 0xA1, 0x20},        // tempo: plays no part
                              {0x05, 0xF0, 0x03, 0x7E, 0x7F, 0xF7},              // system exclusive
                              {0x07, 0xFF, 0x01}, varLen(130), Bytes(130, 'x'),  // long text
                              {0x08, 0x90, 60, 100},                              // 5 + 7 + 8 ticks after the start
                              {0x03, 0xF7, 0x01, 0x00},                           // escape
                              {0x04, 60, 0},                                      // running status survives them
                              {0x64}, kEndOfTrack});                              // 100 ticks to the end
    EXPECT_EQ(convert(midiFile(events)), (std::vector<Record>{{20, message(0x90, 60, 100)},
                                                             {7, message(0x90, 60, 0)},
                                                             {100, kMidiNoOperation}}));
}

TEST(MidiMessageList, TheTrackEndsAtEndOfTrackAndTrailingTimeBecomesANoOperation) {
    const Bytes events = cat({{0x00, 0x90, 60, 100}, varLen(1000), {0x80, 60, 0}, varLen(300), kEndOfTrack, {0x00, 0x90, 1, 1}});
    EXPECT_EQ(convert(midiFile(events)),
              (std::vector<Record>{{0, message(0x90, 60, 100)}, {1000, message(0x80, 60)}, {300, kMidiNoOperation}}));
    EXPECT_EQ(convert(midiFile(cat({{0x00, 0x90, 60, 100}, {0x00}, kEndOfTrack}))).size(), 1u) << "no trailing time";
}

TEST(MidiMessageList, ChunksBeforeTheTrackAndALongerHeaderAreSkipped) {
    Bytes header = midiHeader(1, 1, 96);
    header[7] = 8;  // a header chunk of 8 bytes
    header.insert(header.end(), {0, 0});
    Bytes alien{'X', 'F', 'I', 'H'};
    put32be(alien, 3);
    alien.insert(alien.end(), {1, 2, 3});
    MidiMessageList list;
    const Bytes file = cat({header, alien, midiTrack(cat({{0x00, 0x90, 60, 100}, {0x00}, kEndOfTrack}))});
    ASSERT_EQ(MidiMessageList::convert(file.data(), file.size(), &list), HAL_OK);
    EXPECT_EQ(list.division, 96);
    ASSERT_EQ(list.records.size(), 1u);
    EXPECT_EQ(list.totalTicks(), 0u);
}

TEST(MidiMessageList, FilesThePlatformCannotPlayAreRefused) {
    const Bytes track = midiTrack(cat({{0x00, 0x90, 60, 100}, {0x00}, kEndOfTrack}));
    const Bytes good = cat({midiHeader(0, 1, 500), track});
    Bytes shortHeader = good, notMidi = good;
    shortHeader[7] = 5;
    notMidi[0] = 'R';
    const std::pair<const char*, Bytes> cases[] = {
        {"two tracks", cat({midiHeader(1, 2, 500), track, track})},
        {"no track", midiHeader(0, 0, 500)},
        {"time-code division", cat({midiHeader(0, 1, 0xE728), track})},
        {"division 0", cat({midiHeader(0, 1, 0), track})},
        {"unknown format", cat({midiHeader(3, 1, 500), track})},
        {"no track chunk", midiHeader(0, 1, 500)},
        {"header chunk shorter than 6", shortHeader},
        {"not MIDI", notMidi},
        {"cut inside the header", Bytes(good.begin(), good.begin() + 13)},
        {"empty", {}},
    };
    for (const auto& [name, file] : cases) {
        int result = 0;
        convert(file, &result);
        EXPECT_EQ(result, HAL_BAD_FORMAT) << name;
    }
}

TEST(MidiMessageList, ABrokenEventEndsTheListWithWhatCameBefore) {
    const Bytes note{0x00, 0x90, 60, 100};
    auto first = std::vector<Record>{{0, message(0x90, 60, 100)}};
    EXPECT_EQ(convert(midiFile(cat({note, {0x05, 0x90, 61}}))), first) << "cut short";
    EXPECT_EQ(convert(midiFile(cat({note, {0x05, 0x90, 61, 0x80}}))), first) << "a status where data belongs";
    EXPECT_EQ(convert(midiFile(cat({note, {0x05, 0xF2, 1, 2}}))), first) << "a system common message";
    EXPECT_EQ(convert(midiFile(cat({note, {0x81, 0x81, 0x81, 0x81, 0x00, 0x90, 61, 1}}))), first) << "five-byte delta";
    EXPECT_EQ(convert(midiFile(cat({note, {0x05, 0xFF, 0x01, 0x7F, 'a'}}))), first) << "meta longer than the track";
    EXPECT_EQ(convert(midiFile(cat({note, {0x05, 0xF0, 0x85}}))), first) << "length cut short";
    EXPECT_TRUE(convert(midiFile(Bytes{0x00, 60, 100})).empty()) << "running status with no status before";
    // A track chunk claiming more than the file holds is read up to the file's end.
    Bytes file = midiFile(cat({note, {0x0A, 0x80, 60, 0}}));
    file[18] = 0x7F;
    EXPECT_EQ(convert(file), (std::vector<Record>{{0, message(0x90, 60, 100)}, {10, message(0x80, 60)}}));
}

TEST(MidiMessageList, ConvertingPrintsNothing) {
    CapturedStdout captured;
    convert(noteFile(100, 10));
    EXPECT_EQ(captured.text(), "");
}

}  // namespace
