// Figures for animation sets and players:
// - reading a large set (200 frames of 5 modules and 2 boxes, 1,000 modules in all; 40
//   animations of 10 steps) through the resource layer, median microseconds of 201 reads;
// - one game frame: 30 players updated by 50 ms, painted into a 240 x 320 screen image and
//   box-tested against each other (870 pairs), median microseconds over 1,000 frames and its
//   ratio to copying the 240 x 320 frame to a window buffer;
// - the managed allocations made by those 1,000 frames once warm (every managed allocation
//   is counted through the linker's wrap of the heap's allocation entries; 0 expected).

#include <cstdio>
#include <cstring>
#include <vector>

#include "bench/BenchRuntime.h"
#include "bench/BenchTiming.h"
#include "bench/ManagedAllocations.h"
#include "hal/display/HALPixelBuffer.h"
#include "hal/display/HALSurface.h"
#include "lib_src/vm/VMHeap.h"
#include "src/kv/kv_AnimPlayer.h"
#include "src/kv/kv_Gob.h"
#include "src/kv/kv_Resources.h"
#include "tools/packwriter/AnimSetEncoder.h"

namespace {

using bench::Clock;
using bench::managedAllocations;
using bench::median;
using bench::microsSince;
using javax::microedition::lcdui::Graphics;
using javax::microedition::lcdui::Image;
using kv::AnimPlayer;
using kv::AnimSet;
using kv::Gob;
using namespace packwriter;

constexpr int32_t kWidth = 240, kHeight = 320, kPlayers = 30;

AnimSetModel largeModel() {
    AnimSetModel model;
    for (int32_t f = 0; f < 200; ++f) {
        AnimFrame frame;
        for (int32_t m = 0; m < 5; ++m) frame.modules.push_back({(f + m) % 8, m * 6 - 12, -(m * 4), (f + m) & 3});
        frame.boxes = {{-8, -24, 16, 24, 0, false}, {-4 + f % 7, -30, 12, 12, 1 + f % 3, f % 2 == 0}};
        model.frames.push_back(frame);
    }
    for (int32_t a = 0; a < 40; ++a) {
        Animation animation{{}, a % 5 == 0 ? 1 : -1};
        for (int32_t s = 0; s < 10; ++s)
            animation.steps.push_back({(a * 5 + s) % 200, 40 + 10 * (s % 4), s == 0 ? 1 : 0, s % 3 == 0, s * 3, -(s % 4)});
        model.animations.push_back(animation);
    }
    return model;
}

VMPtr<Gob::GobArray> gobs() {
    VMPtr<Gob::GobArray> array = Gob::GobArray::_VM_new(8);
    VMPtr<Gob::IntArray> pixels = Gob::IntArray::_VM_new(16 * 16);
    for (int32_t i = 0; i < 8; ++i) {
        for (int32_t p = 0; p < 256; ++p)
            pixels->elements()[p] = (p % 16 + p / 16) % 5 == 0 ? 0 : int32_t(0xFF000000u | uint32_t(i * 0x1F3A57 + p * 0x10203));
        VMPtr<Gob> gob = Gob::createFromRGB(pixels, 16, 16, true);
        gob->offsetX = -8;
        gob->offsetY = -16;
        array->set(i, gob);
    }
    return array;
}

}  // namespace

int main() {
    benchRuntime(64ull << 20, 1024ull << 20);
    const Bytes entry = encodeAnimSet(largeModel()), table = packwriter::table({{entry, -1}});
    VMPtr<VMArray<int8_t, 1>> pack = VMArray<int8_t, 1>::_VM_new(int32_t(table.size()));
    std::memcpy(pack->elements(), table.data(), table.size());
    kv::Resources::attachStream(kv::Resources::createStream(pack, 0, pack->length));
    std::vector<double> reads;
    const uint64_t beforeRead = managedAllocations;
    kv::Resources::getAnimSet(0);
    const uint64_t readAllocations = managedAllocations - beforeRead;
    for (int run = 0; run < 201; ++run) {
        const Clock::time_point start = Clock::now();
        kv::Resources::getAnimSet(0);
        reads.push_back(microsSince(start));
    }
    std::printf("read set of 200 frames, 1000 modules, 400 boxes, 400 steps (%zu bytes): %.1f us (median of 201), "
                "%llu managed allocations\n",
                entry.size(), median(reads), static_cast<unsigned long long>(readAllocations));

    VMPtr<AnimSet> set = kv::Resources::getAnimSet(0);
    set->setGobs(gobs());
    std::vector<VMPtr<AnimPlayer>> players;
    for (int32_t i = 0; i < kPlayers; ++i) {
        VMPtr<AnimPlayer> p = AnimPlayer::_VM_new();
        p->_VM_init();
        p->setAnimSet(set);
        p->setAnimation(1 + i % 39);
        p->setX(20 + (i * 37) % 200);
        p->setY(40 + (i * 53) % 260);
        p->setFlags(i & 3);
        players.push_back(p);
    }
    VMPtr<Image> screen = Image::createImage(kWidth, kHeight, false, 0x203040);
    VMPtr<Graphics> g = screen->getGraphics();
    int64_t hits = 0;
    auto drawn = [&] {
        g->setColor(0x203040);
        g->fillRect(0, 0, kWidth, kHeight);
        for (const VMPtr<AnimPlayer>& p : players) {
            p->update(50);
            p->paint(g);
        }
    };
    auto tested = [&] {
        for (int32_t i = 0; i < kPlayers; ++i)
            for (int32_t j = 0; j < kPlayers; ++j)
                if (i != j && players[size_t(i)]->collidesWith(players[size_t(j)])) ++hits;
    };
    for (int warm = 0; warm < 50; ++warm) {
        drawn();
        tested();
    }
    const uint64_t allocationsBefore = managedAllocations;
    std::vector<double> frames, drawing, testing;
    for (int n = 0; n < 1000; ++n) {
        const Clock::time_point start = Clock::now();
        drawn();
        const double drawMicros = microsSince(start);
        tested();
        frames.push_back(microsSince(start));
        drawing.push_back(drawMicros);
        testing.push_back(frames.back() - drawMicros);
    }
    const uint64_t allocations = managedAllocations - allocationsBefore;

    std::vector<uint16_t> window(size_t(kWidth) * kHeight);
    const HALSurface& surface = *screen->nativeHandle->surface;
    std::vector<double> copies;
    for (int n = 0; n < 2000; ++n) {
        const Clock::time_point start = Clock::now();
        for (int32_t y = 0; y < kHeight; ++y)
            std::memcpy(window.data() + size_t(y) * kWidth, surface.row(y), size_t(kWidth) * sizeof(uint16_t));
        asm volatile("" : : "r"(window.data()) : "memory");  // the copy must happen every time
        copies.push_back(microsSince(start));
    }
    const double frameMicros = median(frames), copyMicros = median(copies);
    std::printf("game frame, 30 players updated, painted, 870 pair tests: %.1f us (median of 1000), %.1f x the "
                "240x320 frame copy (%.2f us); %lld hits, checksum %u\n",
                frameMicros, frameMicros / copyMicros, copyMicros, static_cast<long long>(hits), unsigned(window[12345]));
    std::printf("  of which update and paint %.1f us, pair tests %.1f us (medians)\n", median(drawing), median(testing));
    std::printf("managed allocations over 1000 warm frames: %llu\n", static_cast<unsigned long long>(allocations));
    return 0;
}
