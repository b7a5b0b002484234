// The game loop on the real clock, headless, with an empty scene: the pace of 1,000 frames
// (mean interval and worst deviation from 50 ms), the CPU the process uses meanwhile (the
// loop must sleep, not spin), and the time of one progress save through the scene manager.
// Usage: game_loop_bench [frames]   (about 50 s for the default 1,000 frames)

#include <sys/resource.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "bench/game/GameBench.h"

namespace {

using namespace bench;

int frameCount = 1000;
constexpr int kWarmUpFrames = 5, kSaves = 200;
std::vector<Clock::time_point> frameTimes;
std::vector<double> saveMillis;
double cpuStart = 0;
Clock::time_point wallStart;

double cpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) + double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

void measureSaves() {
    for (int i = 0; i < kSaves; ++i) saveMillis.push_back(timedMillis([&] { manager().setSavedCounter(i % 100); }));
}

// An empty scene's frame: the saves before the warm-up, then one time stamp a frame.
void recordFrame() {
    const int frame = int(frameTimes.size()) - kWarmUpFrames;
    if (frame == -kWarmUpFrames) measureSaves();
    if (frame == 0) {
        cpuStart = cpuSeconds();
        wallStart = Clock::now();
    }
    frameTimes.push_back(Clock::now());
    if (frame == frameCount) manager().requestExit();
}

}  // namespace

int main(int argc, char** argv) {
    if (argc > 1) frameCount = std::max(10, std::atoi(argv[1]));
    const int exitCode = runGameBench("loop", false, recordFrame);
    const double cpu = cpuSeconds() - cpuStart;
    const double wall = std::chrono::duration<double>(Clock::now() - wallStart).count();

    double sum = 0, worst = 0;
    for (size_t i = kWarmUpFrames + 1; i < frameTimes.size(); ++i) {
        const double interval = std::chrono::duration<double, std::milli>(frameTimes[i] - frameTimes[i - 1]).count();
        sum += interval;
        worst = std::max(worst, std::abs(interval - 50.0));
    }
    const size_t intervals = frameTimes.size() - kWarmUpFrames - 1;
    std::sort(saveMillis.begin(), saveMillis.end());
    double saveSum = 0;
    for (double ms : saveMillis) saveSum += ms;
    std::printf("frames: %zu intervals, mean %.3f ms, worst deviation from 50 ms %.3f ms\n", intervals,
                sum / double(intervals), worst);
    std::printf("cpu: %.3f s over %.1f s of frames (%.2f%% of one core, empty scene)\n", cpu, wall, 100.0 * cpu / wall);
    std::printf("progress save (record 0, 20 bytes): mean %.3f ms, median %.3f ms, worst %.3f ms over %d saves\n",
                saveSum / double(saveMillis.size()), saveMillis[saveMillis.size() / 2], saveMillis.back(), kSaves);
    return exitCode;
}
