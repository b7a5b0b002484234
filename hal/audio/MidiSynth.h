#pragma once

// A General MIDI synthesiser for one MIDI stream, rendered by FluidSynth into the caller's
// buffers (FluidSynth opens no audio driver of its own). Every synthesiser of the process
// plays from one SoundFont, in memory while some synthesiser lives: the file named by
// OSTREL_SOUNDFONT, else Debian's TimGM6mb or default General MIDI SoundFont.
//
// Threads: any thread may create and destroy synthesisers; the calls on one synthesiser
// come from one thread at a time (the mixer's lock). Every FluidSynth call of the process is
// made under one lock of this class, as the synthesisers share the SoundFont's presets.

#include <cstdint>
#include <memory>

struct _fluid_synth_t;

class MidiSynth {
public:
    // A new synthesiser, or null when no SoundFont can be loaded.
    static std::unique_ptr<MidiSynth> create();
    // True when the process's SoundFont is (or can now be) loaded.
    static bool available();
    ~MidiSynth();
    MidiSynth(const MidiSynth&) = delete;
    MidiSynth& operator=(const MidiSynth&) = delete;

    // Plays one short message: status | data 1 << 8 | data 2 << 16.
    void send(uint32_t message);
    // Silences every note and returns programs and controllers to their defaults.
    void reset();
    // Renders frames of sound into left and right, as samples between -1 and 1.
    void render(float* left, float* right, int frames);
    // True while some note still sounds (a release tail included).
    bool isSounding();

private:
    explicit MidiSynth(_fluid_synth_t* synth) : synth_(synth) {}
    _fluid_synth_t* synth_;
};
