// Figures for the profile's players: the time from a byte array to sound (createPlayer,
// realize with its collection, prefetch, start) for a 100 KB WAV clip and a 30-second
// single-track MIDI file, into the silent sound output. Median and 90th percentile of many
// runs, each player closed outside the timing.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>

#include "bench/BenchRuntime.h"
#include "hal/base/VMCallbacks.h"
#include "hal/host/HeadlessBackend.h"
#include "lib_src/vm/VM.h"
#include "pb_src/j2me/javax_microedition_media_Manager.h"

namespace {

using javax::microedition::media::Manager;
using javax::microedition::media::Player;
using Clock = std::chrono::steady_clock;
using Bytes = std::vector<uint8_t>;

void put(Bytes& b, uint32_t v, int count, bool bigEndian) {
    for (int i = 0; i < count; ++i) b.push_back(uint8_t(v >> (8 * (bigEndian ? count - 1 - i : i))));
}

// A mono 16-bit 22050 Hz clip whose sample data is dataBytes long (a saw wave).
Bytes wavFile(uint32_t dataBytes) {
    Bytes b{'R', 'I', 'F', 'F'};
    put(b, 36 + dataBytes, 4, false);
    for (char c : std::string("WAVEfmt ")) b.push_back(uint8_t(c));
    put(b, 16, 4, false);
    put(b, 1, 2, false);
    put(b, 1, 2, false);
    put(b, 22050, 4, false);
    put(b, 44100, 4, false);
    put(b, 2, 2, false);
    put(b, 16, 2, false);
    for (char c : std::string("data")) b.push_back(uint8_t(c));
    put(b, dataBytes, 4, false);
    for (uint32_t i = 0; i < dataBytes / 2; ++i) put(b, (i * 97) & 0x3FFF, 2, false);
    return b;
}

// 30 seconds of quarter-second notes at 500 ticks per quarter and the default tempo (one
// tick a millisecond).
Bytes midiFile() {
    Bytes events{0x00, 0xC0, 0x00};
    for (int note = 0; note < 120; ++note) {
        const uint8_t key = uint8_t(48 + note % 24);
        events.insert(events.end(), {0x00, 0x90, key, 100, 0x81, 0x7A, 0x80, key, 0});  // 250 ticks
    }
    events.insert(events.end(), {0x00, 0xFF, 0x2F, 0x00});
    Bytes b{'M', 'T', 'h', 'd'};
    put(b, 6, 4, true);
    put(b, 0, 2, true);
    put(b, 1, 2, true);
    put(b, 500, 2, true);
    b.insert(b.end(), {'M', 'T', 'r', 'k'});
    put(b, uint32_t(events.size()), 4, true);
    b.insert(b.end(), events.begin(), events.end());
    return b;
}

void measure(const char* name, const Bytes& file, const char* type) {
    std::vector<double> samples;
    for (int run = 0; run < 100; ++run) {
        VMPtr<VMArray<int8_t, 1>> data = VMArray<int8_t, 1>::_VM_new(int32_t(file.size()));
        std::copy(file.begin(), file.end(), reinterpret_cast<uint8_t*>(data->elements()));
        const Clock::time_point start = Clock::now();
        VMPtr<Player> player = Manager::createPlayer(data, 0, data->length, VMPtr<java::lang::String>::fromLiteral(type));
        data = nullptr;
        player->realize();
        player->prefetch();
        player->start();
        samples.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
        player->close();
    }
    std::sort(samples.begin(), samples.end());
    std::printf("%-34s %8zu bytes  median %7.3f ms  p90 %7.3f ms\n", name, file.size(), samples[samples.size() / 2],
                samples[samples.size() * 9 / 10]);
}

}  // namespace

int main() {
    setenv("OSTREL_AUDIO", "silent", 1);
    host::setHostBackend(std::make_unique<host::HeadlessBackend>());
    benchRuntime();
    const VMCallbacks callbacks = VM::callbacks();
    HAL_setVMCallbacks(&callbacks);
    std::printf("realize + prefetch + start (the realize includes its collection)\n");
    measure("WAV, 100 KB", wavFile(100 * 1024), "audio/x-wav");
    measure("MIDI, 30 s (240 events)", midiFile(), "audio/midi");
    return 0;
}
