// Figures for gobs:
// - cutting a 512x512 sheet into 1,024 gobs of 16x16 and into 64 gobs of 64x64 (descriptors,
//   pixel rows, one image per gob), median milliseconds of 11 runs;
// - the box test of 30 gobs against each other (870 pairs, flips varying), median
//   microseconds per round, and the heap growth over 1,000 warm rounds (0 expected).

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "bench/BenchRuntime.h"
#include "lib_src/vm/VMHeap.h"
#include "src/kv/kv_Gob.h"

namespace {

using Clock = std::chrono::steady_clock;
using kv::Gob;
using javax::microedition::lcdui::Image;

double micros(Clock::time_point start) { return std::chrono::duration<double, std::micro>(Clock::now() - start).count(); }

double median(std::vector<double> samples) {
    std::sort(samples.begin(), samples.end());
    return samples[samples.size() / 2];
}

VMPtr<Gob::GobArray> cut(const VMPtr<Image>& sheet, int32_t side) {
    const int32_t perRow = sheet->getWidth() / side, count = perRow * perRow;
    VMPtr<Gob::GobArray> gobs = Gob::GobArray::_VM_new(count);
    for (int32_t i = 0; i < count; ++i) {
        VMPtr<Gob> gob = Gob::_VM_new();
        gob->_VM_init();
        gob->image = sheet;
        gobs->set(i, gob);
    }
    Gob::initImageTable(gobs);
    VMPtr<Gob::ShortArray> d = Gob::ShortArray::_VM_new(10);
    for (int32_t i = 0; i < count; ++i) {
        const int16_t values[10] = {0, 0, int16_t(i % perRow * side), int16_t(i / perRow * side), int16_t(side),
                                    int16_t(side), 1, 1, int16_t(side - 2), int16_t(side - 2)};
        std::copy(values, values + 10, d->elements());
        gobs->elements()[i]->setFromDescriptor(d);
    }
    Gob::loadImages(gobs);
    return gobs;
}

void collisionRound(const VMPtr<Gob::GobArray>& gobs, int32_t& hits) {
    for (int32_t i = 0; i < 30; ++i)
        for (int32_t j = 0; j < 30; ++j)
            if (i != j && gobs->elements()[i]->collides(i * 7, 0, i & 3, -1, gobs->elements()[j], j * 7, 3, j & 3, -1)) ++hits;
}

}  // namespace

int main() {
    benchRuntime(64ull << 20, 1024ull << 20);
    VMPtr<Gob::IntArray> pixels = Gob::IntArray::_VM_new(512 * 512);
    for (int32_t i = 0; i < pixels->length; ++i) pixels->elements()[i] = int32_t(0xFF000000u | uint32_t(i * 2654435761u >> 8));
    VMPtr<Image> sheet = Image::createRGBImage(pixels, 512, 512, false);
    for (int32_t side : {16, 64}) {
        std::vector<double> samples;
        for (int run = 0; run < 11; ++run) {
            const Clock::time_point start = Clock::now();
            cut(sheet, side);
            samples.push_back(micros(start) / 1000.0);
            VM::instance()->collect();
        }
        std::printf("cut 512x512 sheet into %dx%d gobs: %.2f ms (median of 11)\n", side, side, median(samples));
    }
    VMPtr<Gob::GobArray> gobs = cut(sheet, 16);
    int32_t hits = 0;
    for (int warm = 0; warm < 10; ++warm) collisionRound(gobs, hits);
    VM::instance()->collect();
    const uint64_t before = _VM_heapState().used;
    std::vector<double> samples;
    for (int round = 0; round < 1000; ++round) {
        const Clock::time_point start = Clock::now();
        collisionRound(gobs, hits);
        samples.push_back(micros(start));
    }
    const int64_t growth = int64_t(_VM_heapState().used) - int64_t(before);
    std::printf("box test, 30 gobs pairwise (870 pairs): %.1f us per round (median of 1000), %d hits, heap growth %lld bytes\n",
                median(samples), hits, static_cast<long long>(growth));
    return 0;
}
