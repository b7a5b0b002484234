// Figures for the window side of the platform:
// - the cost of copying one 240 x 320 frame to the window, headless and with SDL (SDL's
//   dummy video driver unless a display is available);
// - the CPU the program uses while it shows a still screen (the ostrel executable next to
//   this benchmark's build, headless, for a few seconds).

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#include "hal/host/HeadlessBackend.h"
#include "hal/host/SdlBackend.h"

namespace {

using Clock = std::chrono::steady_clock;

void frameCopy(host::HostBackend& backend, const char* label) {
    if (!backend.openWindow("frame copy")) {
        std::printf("%-22s window could not be opened\n", label);
        return;
    }
    std::vector<uint16_t> frame(size_t(host::kScreenWidth) * host::kScreenHeight);
    for (size_t i = 0; i < frame.size(); ++i) frame[i] = uint16_t(i * 2654435761u);
    constexpr int kFrames = 2000;
    const auto start = Clock::now();
    for (int i = 0; i < kFrames; ++i) backend.presentFrame(frame.data(), host::kScreenWidth, host::kScreenHeight, host::kScreenWidth);
    const double micros = std::chrono::duration<double, std::micro>(Clock::now() - start).count() / kFrames;
    std::printf("%-22s %8.1f us per frame\n", label, micros);
    backend.closeWindow();
}

// CPU seconds (user + system) of a process from /proc.
double cpuSeconds(pid_t pid) {
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string field;
    double ticks = 0;
    for (int i = 1; i <= 15 && stat >> field; ++i)
        if (i == 14 || i == 15) ticks += std::stod(field);
    return ticks / double(sysconf(_SC_CLK_TCK));
}

void stillScreenCpu(const std::string& program) {
    const pid_t child = fork();
    if (child == 0) {
        setenv("OSTREL_BACKEND", "headless", 1);
        setenv("OSTREL_DATABASE_DIR", "/tmp", 1);
        execl(program.c_str(), program.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    sleep(1);  // start-up
    const double before = cpuSeconds(child);
    constexpr int kSeconds = 3;
    sleep(kSeconds);
    const double used = cpuSeconds(child) - before;
    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
    std::printf("%-22s %8.2f %% of one core\n", "still screen CPU", 100.0 * used / kSeconds);
}

}  // namespace

int main(int argc, char** argv) {
    host::HeadlessBackend headless;
    frameCopy(headless, "frame copy, headless");
    if (std::getenv("DISPLAY") == nullptr) setenv("SDL_VIDEODRIVER", "dummy", 1);
    host::SdlBackend sdl;
    frameCopy(sdl, "frame copy, SDL");
    const std::string self(argv[0]);
    stillScreenCpu(argc > 1 ? argv[1] : self.substr(0, self.rfind('/')) + "/../src/ostrel");
    return 0;
}
