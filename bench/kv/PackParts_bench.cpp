// Figures for opening resource pack parts through the access layer, from a fresh resource
// folder beside this program (a real disk), removed after:
// - opening a 2 MB split-data part (64 entries in 4 data files) and a 200-entry directory
//   part, median time and the heap the open part keeps;
// - switching between the two, as the level loader does about eight times per level;
// - reading the 2 MB part's bytes with one fread, for comparison.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "bench/BenchRuntime.h"
#include "hal/services/ModulePath.h"
#include "lib_src/vm/VMHeap.h"
#include "src/kv/kv_Resources.h"
#include "tools/packwriter/PackWriter.h"

namespace {

using Clock = std::chrono::steady_clock;
using kv::Resources;

constexpr int32_t kSplitPart = 3;
constexpr int32_t kDirectoryPart = 2;

double millisSince(Clock::time_point start) { return std::chrono::duration<double, std::milli>(Clock::now() - start).count(); }

double median(std::vector<double> samples) {
    std::sort(samples.begin(), samples.end());
    return samples[samples.size() / 2];
}

std::vector<packwriter::Entry> entries(int32_t count, int32_t size) {
    std::vector<packwriter::Entry> list;
    for (int32_t i = 0; i < count; ++i) list.push_back({packwriter::Bytes(size_t(size), uint8_t(i)), -1});
    return list;
}

// Median milliseconds of opening the part from nothing open, and the heap bytes it keeps.
void openPart(const char* label, int32_t part) {
    std::vector<double> samples;
    uint64_t kept = 0;
    for (int i = 0; i < 21; ++i) {
        Resources::closePack();
        VM::instance()->collect();
        const uint64_t before = _VM_heapState().used;
        const Clock::time_point start = Clock::now();
        Resources::getSize(part << 10);
        samples.push_back(millisSince(start));
        kept = _VM_heapState().used - before;
    }
    std::printf("%-34s %8.3f ms   heap kept %8.1f KB\n", label, median(samples), double(kept) / 1024);
}

void switchParts() {
    std::vector<double> samples;
    for (int i = 0; i < 40; ++i) {
        const Clock::time_point start = Clock::now();
        Resources::getSize((i % 2 ? kSplitPart : kDirectoryPart) << 10);
        samples.push_back(millisSince(start));
    }
    std::printf("%-34s %8.3f ms (median of 40 switches)\n", "switch between the two parts", median(samples));
}

void readDirectoryEntries() {
    Resources::getSize(kDirectoryPart << 10);
    const Clock::time_point start = Clock::now();
    for (int32_t i = 0; i < 200; ++i) Resources::getData(kDirectoryPart << 10 | i);
    std::printf("%-34s %8.3f ms\n", "read all 200 directory entries", millisSince(start));
}

void freadBaseline(const std::string& file, size_t size) {
    std::vector<double> samples;
    std::vector<char> buffer(size);
    for (int i = 0; i < 21; ++i) {
        const Clock::time_point start = Clock::now();
        FILE* in = std::fopen(file.c_str(), "rb");
        const size_t got = std::fread(buffer.data(), 1, size, in);
        std::fclose(in);
        samples.push_back(millisSince(start));
        if (got != size) std::printf("short read\n");
    }
    std::printf("%-34s %8.3f ms\n", "one fread of the same 2 MB", median(samples));
}

}  // namespace

int main(int argc, char** argv) {
    benchRuntime();
    const std::string root = (std::filesystem::path(argv[0]).parent_path() / "pack_bench_data").string();
    std::filesystem::remove_all(root);
    HAL_setModuleDirectory(root.c_str());
    const std::string rsc = root + "/rsc";
    const auto split = entries(64, 32 * 1024);
    packwriter::writeSplitPart(rsc, kSplitPart, split, {512 * 1024, 512 * 1024, 512 * 1024, 512 * 1024});
    packwriter::writeDirectoryPart(rsc, kDirectoryPart, entries(200, 1024));
    packwriter::Bytes whole;
    for (const auto& e : split) whole.insert(whole.end(), e.bytes.begin(), e.bytes.end());
    packwriter::writeFile(rsc, "whole.bin", whole);

    openPart("open 2 MB split part", kSplitPart);
    openPart("open 200-entry directory part", kDirectoryPart);
    switchParts();
    readDirectoryEntries();
    freadBaseline(rsc + "/whole.bin", whole.size());
    std::filesystem::remove_all(root);
    (void)argc;
    return 0;
}
