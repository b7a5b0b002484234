#pragma once

// A single-track Standard MIDI File turned into the timed message list that a MIDI stream
// plays: one record per channel message (note off and on, key pressure, controller, program
// change, channel pressure, pitch bend), holding the ticks since the previous record and the
// message as status | data 1 << 8 | data 2 << 16. Messages with one data byte (program
// change, channel pressure) have data 2 = 0.
//
// The header chunk "MThd" (length at least 6) must give a format of 0 to 2 with exactly one
// track and a division of 1 to 32767 ticks per quarter note (time-code divisions are
// refused). Chunks before the track's "MTrk" are skipped by their lengths; a length beyond
// the file is cut to the file. In the track, delta times are variable-length numbers of at
// most four bytes; running status applies to channel messages (also after meta and
// system-exclusive events, as many files expect); system-exclusive (F0, F7) and meta (FF)
// events are skipped by their lengths, and their delta times carry over to the next record;
// end of track (FF 2F) ends the list. Tempo events play no part. What follows a broken event (a data byte with no
// running status, a status a file may not hold, an event cut short) is dropped, as is
// everything after the end of the file. Time left after the last message (its delta times
// up to the end of track) becomes a final no-operation record, so a loop keeps the track's
// full length. Nothing is printed.

#include <cstddef>
#include <cstdint>
#include <vector>

struct MidiStreamRecord {
    uint32_t deltaTicks;
    uint32_t event;  // kMidiShortMessage | message, or kMidiNoOperation
};

struct MidiMessageList {
    uint16_t division = 0;  // ticks per quarter note
    std::vector<MidiStreamRecord> records;

    // 0, or 6 (bad format) for a file the platform cannot play: not a MIDI file, more than
    // one track, a time-code or zero division, no track chunk.
    static int convert(const uint8_t* bytes, size_t length, MidiMessageList* out);

    // The sum of the delta times.
    uint64_t totalTicks() const;
};
