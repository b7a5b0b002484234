// Merges and re-times arbitrary bytes as the content compiler does the MIDI that abc2midi
// writes. Bytes it refuses raise a ContentError and nothing else; bytes it accepts become a
// one-track file at 500 ticks a quarter that the platform's MIDI reader plays.

#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "hal/audio/MidiMessageList.h"
#include "tools/contentc/Audio.h"
#include "tools/contentc/ContentError.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    contentc::Bytes midi;
    try {
        midi = contentc::retimeMidi(contentc::Bytes(data, data + size), "fuzz.mid");
    } catch (const contentc::ContentError&) {
        return 0;
    }
    MidiMessageList list;
    if (MidiMessageList::convert(midi.data(), midi.size(), &list) != 0 || list.division != 500) std::abort();
    return 0;
}
