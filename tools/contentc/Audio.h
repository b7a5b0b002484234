#pragma once

// Music and effects. Music is ABC notation turned into a MIDI file by abc2midi, then merged
// into one track and re-timed to 500 ticks per quarter at 500000 µs per quarter, so that a
// tick is a millisecond whatever tempo the tune was written in. Effects are synthesised
// into 16-bit mono PCM WAV from a short description (wave, pitch sweep, envelope).

#include <string>
#include <vector>

#include "tools/contentc/Model.h"

namespace contentc {

// Any standard MIDI file (format 0 or 1, ticks per quarter) -> the one-track millisecond
// form; a malformed file is a ContentError naming `source`.
Bytes retimeMidi(const Bytes& midi, const std::string& source);

// Runs abc2midi on the file (into a temporary file) and returns the re-timed MIDI bytes.
Bytes compileAbc(const std::string& abcFile, const std::string& workDir);

// Reads the audio description: music pieces (ABC files) and effects, each with its id.
std::vector<Blob> readAudio(const std::string& file, const std::string& workDir);

}  // namespace contentc
