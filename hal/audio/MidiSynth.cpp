#include "hal/audio/MidiSynth.h"

#include <fluidsynth.h>

#include <cstdlib>
#include <mutex>
#include <sys/stat.h>

#include "hal/host/AudioOutput.h"

namespace {

constexpr const char* kSoundFontVariable = "OSTREL_SOUNDFONT";
constexpr const char* kSoundFontPaths[] = {"/usr/share/sounds/sf2/TimGM6mb.sf2", "/usr/share/sounds/sf2/default-GM.sf2"};
constexpr int kPolyphony = 64;
constexpr double kGain = 0.4;

// The process's SoundFont, loaded into a synthesiser that is never played while some
// synthesiser lives; the others reach its presets through a stand-in SoundFont of their own
// (below), so its presets and samples are in memory once. When the last synthesiser goes the
// font goes too (its presets alone take about 5 MB, and the scenes without music are most of
// the game); the next synthesiser loads it again (about 8 ms). Everything here is guarded by
// `lock`, and so is every FluidSynth call.
struct SoundFontLibrary {
    std::mutex lock;
    bool tried = false;     // a load was attempted: one that failed is not tried again
    bool loadable = false;  // the last load succeeded
    int users = 0;          // synthesisers alive
    fluid_settings_t* settings = nullptr;
    fluid_settings_t* holderSettings = nullptr;
    fluid_synth_t* holder = nullptr;
    fluid_sfont_t* font = nullptr;
};

SoundFontLibrary& library() {
    static auto* instance = new SoundFontLibrary();  // lives as long as the process
    return *instance;
}

bool isRegularFile(const char* path) {
    struct stat info;
    return stat(path, &info) == 0 && S_ISREG(info.st_mode);
}

const char* soundFontPath() {
    if (const char* chosen = std::getenv(kSoundFontVariable)) return isRegularFile(chosen) ? chosen : nullptr;
    for (const char* path : kSoundFontPaths)
        if (isRegularFile(path)) return path;
    return nullptr;
}

fluid_settings_t* newSettings(int polyphony) {
    fluid_settings_t* settings = new_fluid_settings();
    if (settings == nullptr) return nullptr;
    fluid_settings_setnum(settings, "synth.sample-rate", host::kAudioRate);
    fluid_settings_setint(settings, "synth.polyphony", polyphony);
    fluid_settings_setnum(settings, "synth.gain", kGain);
    fluid_settings_setint(settings, "synth.threadsafe-api", 0);  // every call is made under the library's lock
    // Only the samples of the presets some channel has selected are read into memory (a
    // tune uses a handful of the font's instruments), and they are let go when no channel
    // holds them any longer, instead of the whole font's samples for the process's life.
    fluid_settings_setint(settings, "synth.dynamic-sample-loading", 1);
    return settings;
}

// Frees the SoundFont with its holder (the library's lock held; no synthesiser lives).
void unload(SoundFontLibrary& lib) {
    if (lib.holder != nullptr) delete_fluid_synth(lib.holder);
    lib.holder = nullptr;
    lib.font = nullptr;
}

// Loads the SoundFont unless it is in memory (the library's lock held); true when it is.
bool load(SoundFontLibrary& lib) {
    if (lib.font != nullptr) return true;
    if (lib.tried && !lib.loadable) return false;
    if (!lib.tried) {
        lib.tried = true;
        for (int level : {FLUID_WARN, FLUID_INFO, FLUID_DBG}) fluid_set_log_function(level, nullptr, nullptr);
        lib.settings = newSettings(kPolyphony);
        // The holder never sounds: one voice instead of the players' 64 spares it about 1 MB.
        lib.holderSettings = newSettings(1);
    }
    const char* path = soundFontPath();
    if (path != nullptr && lib.settings != nullptr && lib.holderSettings != nullptr &&
        (lib.holder = new_fluid_synth(lib.holderSettings)) != nullptr) {
        const int id = fluid_synth_sfload(lib.holder, path, 0);
        if (id != FLUID_FAILED) lib.font = fluid_synth_get_sfont_by_id(lib.holder, id);
    }
    lib.loadable = lib.font != nullptr;
    if (!lib.loadable) unload(lib);
    return lib.loadable;
}

// The stand-in SoundFont each synthesiser holds: it hands out the shared font's presets and
// frees only itself.
const char* sharedName(fluid_sfont_t*) { return fluid_sfont_get_name(library().font); }
fluid_preset_t* sharedPreset(fluid_sfont_t*, int bank, int program) {
    return fluid_sfont_get_preset(library().font, bank, program);
}
void sharedIterationStart(fluid_sfont_t*) { fluid_sfont_iteration_start(library().font); }
fluid_preset_t* sharedIterationNext(fluid_sfont_t*) { return fluid_sfont_iteration_next(library().font); }
int freeStandIn(fluid_sfont_t* standIn) { return delete_fluid_sfont(standIn); }

}  // namespace

bool MidiSynth::available() {
    SoundFontLibrary& lib = library();
    std::lock_guard<std::mutex> guard(lib.lock);
    if (lib.loadable) return true;
    const bool loaded = load(lib);
    if (loaded && lib.users == 0) unload(lib);
    return loaded;
}

std::unique_ptr<MidiSynth> MidiSynth::create() {
    SoundFontLibrary& lib = library();
    std::lock_guard<std::mutex> guard(lib.lock);
    if (!load(lib)) return nullptr;
    fluid_synth_t* synth = new_fluid_synth(lib.settings);
    fluid_sfont_t* standIn =
        synth == nullptr
            ? nullptr
            : new_fluid_sfont(&sharedName, &sharedPreset, &sharedIterationStart, &sharedIterationNext, &freeStandIn);
    if (standIn == nullptr || fluid_synth_add_sfont(synth, standIn) == FLUID_FAILED) {
        if (standIn != nullptr) delete_fluid_sfont(standIn);
        if (synth != nullptr) delete_fluid_synth(synth);
        if (lib.users == 0) unload(lib);
        return nullptr;
    }
    ++lib.users;
    return std::unique_ptr<MidiSynth>(new MidiSynth(synth));
}

MidiSynth::~MidiSynth() {
    SoundFontLibrary& lib = library();
    std::lock_guard<std::mutex> guard(lib.lock);
    delete_fluid_synth(synth_);  // lets go of the font's presets first
    if (--lib.users == 0) unload(lib);
}

void MidiSynth::send(uint32_t message) {
    const int status = int(message & 0xF0), channel = int(message & 0x0F);
    const int first = int(message >> 8 & 0x7F), second = int(message >> 16 & 0x7F);
    std::lock_guard<std::mutex> guard(library().lock);
    switch (status) {
    case 0x80: fluid_synth_noteoff(synth_, channel, first); break;
    case 0x90: fluid_synth_noteon(synth_, channel, first, second); break;  // velocity 0 is a note off
    case 0xA0: fluid_synth_key_pressure(synth_, channel, first, second); break;
    case 0xB0: fluid_synth_cc(synth_, channel, first, second); break;
    case 0xC0: fluid_synth_program_change(synth_, channel, first); break;
    case 0xD0: fluid_synth_channel_pressure(synth_, channel, first); break;
    case 0xE0: fluid_synth_pitch_bend(synth_, channel, first | second << 7); break;
    default: break;
    }
}

void MidiSynth::reset() {
    std::lock_guard<std::mutex> guard(library().lock);
    fluid_synth_system_reset(synth_);
    fluid_synth_all_sounds_off(synth_, -1);  // the reset alone lets notes release
}

void MidiSynth::render(float* left, float* right, int frames) {
    std::lock_guard<std::mutex> guard(library().lock);
    fluid_synth_write_float(synth_, frames, left, 0, 1, right, 0, 1);
}

bool MidiSynth::isSounding() {
    std::lock_guard<std::mutex> guard(library().lock);
    return fluid_synth_get_active_voice_count(synth_) > 0;
}
