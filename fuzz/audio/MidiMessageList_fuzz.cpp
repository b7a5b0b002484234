// Converts arbitrary bytes as a MIDI file and, when they are accepted, checks the list: a
// division a tick can be timed by, only short messages with a channel status and data
// bytes below 0x80 (or no-operation records), and never more records than the file could
// hold. Nothing may be read beyond the bytes given.

#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "hal/audio/MidiMessageList.h"
#include "hal/audio/WaveFormat.h"

namespace {

void check(bool condition) {
    if (!condition) std::abort();
}

bool validRecord(const MidiStreamRecord& record) {
    if (record.event == kMidiNoOperation) return true;
    const uint32_t status = record.event & 0xFF, first = record.event >> 8 & 0xFF, second = record.event >> 16 & 0xFF;
    const bool oneDataByte = (status & 0xF0) == 0xC0 || (status & 0xF0) == 0xD0;
    return (record.event & 0xFF000000) == kMidiShortMessage && status >= 0x80 && status < 0xF0 && first < 0x80 &&
           second < 0x80 && (!oneDataByte || second == 0);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    MidiMessageList list;
    if (MidiMessageList::convert(data, size, &list) != 0) return 0;
    check(list.division > 0 && list.division < 0x8000);
    check(list.records.size() <= size / 2);
    for (size_t i = 0; i < list.records.size(); ++i) {
        check(validRecord(list.records[i]));
        check(list.records[i].event != kMidiNoOperation || i + 1 == list.records.size());
    }
    return 0;
}
