// Music and effects as the platform plays them: MIDI merged into one track at one tick per
// millisecond (hand-made files with tempo changes, and ABC through abc2midi), malformed
// MIDI refused with its source named, and synthesised effects read by the WAV parser.

#include <gtest/gtest.h>

#include "hal/audio/MidiMessageList.h"
#include "hal/audio/WavClip.h"
#include "tests/support/TemporaryFolder.h"
#include "tools/contentc/Audio.h"
#include "tools/contentc/ContentError.h"

namespace {

using contentc::Bytes;

Bytes chunk(const char* id, const Bytes& body) {
    Bytes out(id, id + 4);
    for (int shift = 24; shift >= 0; shift -= 8) out.push_back(uint8_t(body.size() >> shift));
    out.insert(out.end(), body.begin(), body.end());
    return out;
}

// Absolute times (ticks of the converted file) of the note-on messages with a velocity.
std::vector<uint64_t> noteOnTimes(const Bytes& midi, uint16_t* division) {
    MidiMessageList list;
    EXPECT_EQ(MidiMessageList::convert(midi.data(), midi.size(), &list), 0);
    *division = list.division;
    std::vector<uint64_t> times;
    uint64_t now = 0;
    for (const MidiStreamRecord& r : list.records) {
        now += r.deltaTicks;
        const uint32_t message = r.event & 0xFFFFFF;
        if ((message & 0xF0) == 0x90 && ((message >> 16) & 0x7F) > 0) times.push_back(now);
    }
    return times;
}

TEST(AudioTest, TracksMergeIntoOneAtOneTickPerMillisecond) {
    // 96 ticks a quarter; a quarter lasts 1 s until tick 96, then 0.5 s. Track 1's notes at
    // ticks 0, 96 (running status) and 192 sound at 0, 1000 and 1500 ms.
    const Bytes header = chunk("MThd", {0, 1, 0, 2, 0, 96});
    const Bytes tempo = chunk("MTrk", {0, 0xFF, 0x51, 3, 0x0F, 0x42, 0x40, 0x60, 0xFF, 0x51, 3, 0x07, 0xA1, 0x20,
                                       0, 0xFF, 0x2F, 0});
    const Bytes notes = chunk("MTrk", {0, 0xFF, 0x03, 1, 'x', 0, 0x90, 60, 100, 0x60, 62, 100, 0x60, 64, 90,
                                       0x10, 0x80, 64, 0, 0, 0xFF, 0x2F, 0});
    Bytes midi = header;
    midi.insert(midi.end(), tempo.begin(), tempo.end());
    midi.insert(midi.end(), notes.begin(), notes.end());
    const Bytes retimed = contentc::retimeMidi(midi, "tune.mid");
    EXPECT_EQ(Bytes(retimed.begin(), retimed.begin() + 14), chunk("MThd", {0, 0, 0, 1, 0x01, 0xF4}));
    EXPECT_EQ(Bytes(retimed.begin() + 22, retimed.begin() + 29), (Bytes{0, 0xFF, 0x51, 3, 0x07, 0xA1, 0x20}));
    uint16_t division = 0;
    EXPECT_EQ(noteOnTimes(retimed, &division), (std::vector<uint64_t>{0, 1000, 1500}));
    EXPECT_EQ(division, 500);
}

TEST(AudioTest, MalformedMidiIsRefusedNamingItsSource) {
    const Bytes header = chunk("MThd", {0, 0, 0, 1, 0, 96});
    const std::vector<Bytes> broken = {
        Bytes{'M', 'T', 'h', 'd'},
        chunk("MThd", {0, 2, 0, 1, 0, 96}),
        chunk("MThd", {0, 0, 0, 1, 0xE7, 0x28}),
        [&] { Bytes b = header; Bytes t = chunk("MTrk", {0, 60, 100}); b.insert(b.end(), t.begin(), t.end()); return b; }(),
        [&] { Bytes b = header; Bytes t = chunk("MTrk", {0, 0x90, 60}); b.insert(b.end(), t.begin(), t.end()); return b; }(),
        [&] { Bytes b = header; Bytes t = chunk("MTrk", {0x80, 0x80, 0x80, 0x80, 0}); b.insert(b.end(), t.begin(), t.end()); return b; }(),
        // A pause of 2^28 ticks at the slowest tempo and one tick a quarter: far more
        // milliseconds than a delta time holds.
        [&] {
            Bytes b = chunk("MThd", {0, 0, 0, 1, 0, 1});
            Bytes t = chunk("MTrk", {0, 0xFF, 0x51, 3, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F, 0x90, 60, 100});
            b.insert(b.end(), t.begin(), t.end());
            return b;
        }(),
    };
    for (const Bytes& midi : broken)
        EXPECT_THROW(
            try { contentc::retimeMidi(midi, "tune.mid"); } catch (const contentc::ContentError& e) {
                EXPECT_EQ(e.file(), "tune.mid");
                throw;
            },
            contentc::ContentError);
}

TEST(AudioTest, AbcTunesPlayAtTheirTempo) {
    TemporaryFolder folder;
    folder.write("tune.abc", "X:1\nT:Steps\nM:4/4\nL:1/4\nQ:1/4=120\nK:C\nC D E F|\n");
    uint16_t division = 0;
    std::vector<uint64_t> times = noteOnTimes(contentc::compileAbc(folder.path() + "/tune.abc", folder.path() + "/work"), &division);
    ASSERT_EQ(times.size(), 4u);
    EXPECT_LE(times[0], 2u);  // abc2midi starts the tune a tick or two late
    const uint64_t first = times.front();
    for (uint64_t& t : times) t -= first;
    EXPECT_EQ(times, (std::vector<uint64_t>{0, 500, 1000, 1500}));
    folder.write("bad.abc", "this is not a tune\n");
    EXPECT_THROW(contentc::compileAbc(folder.path() + "/bad.abc", folder.path() + "/work"), contentc::ContentError);
}

TEST(AudioTest, EffectsAreWavTheParserPlaysAndMusicIsListed) {
    TemporaryFolder folder;
    folder.write("tune.abc", "X:1\nT:One\nL:1/4\nQ:1/4=60\nK:C\nC|\n");
    folder.write("audio.json", R"({"music": [{"name": "MUSIC_ONE", "id": "0x5000", "abc": "tune.abc"}],
        "effects": [{"name": "SFX_TAP", "id": "0x5020", "wave": "square", "from_hz": 880, "to_hz": 440, "ms": 120},
                    {"name": "SFX_CRASH", "id": "0x5021", "wave": "noise", "from_hz": 100, "ms": 200}]})");
    const std::vector<contentc::Blob> blobs = contentc::readAudio(folder.path() + "/audio.json", folder.path() + "/work");
    ASSERT_EQ(blobs.size(), 3u);
    EXPECT_EQ(blobs[0].type, 0);
    for (size_t i = 1; i < 3; ++i) {
        WavClip clip;
        ASSERT_EQ(WavClip::parse(blobs[i].bytes.data(), blobs[i].bytes.size(), &clip), 0);
        EXPECT_EQ(blobs[i].type, 1);
        EXPECT_NEAR(double(clip.durationMicroseconds()), i == 1 ? 120000.0 : 200000.0, 100.0);
    }
    EXPECT_EQ(contentc::readAudio(folder.path() + "/audio.json", folder.path() + "/work")[2].bytes, blobs[2].bytes);
    folder.write("audio.json", R"({"effects": [{"name": "SFX", "id": "0x5020", "wave": "saw", "from_hz": 880, "ms": 10}]})");
    EXPECT_THROW(contentc::readAudio(folder.path() + "/audio.json", folder.path() + "/work"), contentc::ContentError);
}

}  // namespace
