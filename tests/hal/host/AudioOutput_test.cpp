// The host's sound output: without a real device it is the silent sink, which pulls blocks
// no faster than a device would play them and lets a tap see them.

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <thread>

#include "hal/host/AudioOutput.h"
#include "hal/host/SilentAudioOutput.h"
#include "tests/support/TemporaryFolder.h"
#include "tests/support/WaitLimit.h"

namespace {

TEST(AudioOutput, SdlsDummyDriverMeansTheSilentSink) {
    unsetenv("OSTREL_AUDIO");
    unsetenv("OSTREL_BACKEND");
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    auto output = host::openAudioOutput([](int16_t*, int) {});
    EXPECT_STREQ(output->name(), "silent");
}

// However often the output starts: the sound libraries' own error reports stay quiet.
TEST(AudioOutputDeathTest, NoSoundDeviceCostsOneLineAtMost) {
    unsetenv("OSTREL_AUDIO");
    unsetenv("OSTREL_BACKEND");
    unsetenv("SDL_AUDIODRIVER");
    // The sound server's client makes its runtime and settings folders where these say (by
    // default one in the temporary folder, linked from the home folder): here, in a folder
    // that goes with the test.
    TemporaryFolder home;
    for (const char* variable : {"HOME", "XDG_RUNTIME_DIR", "XDG_CONFIG_HOME"}) setenv(variable, home.path().c_str(), 1);
    EXPECT_EXIT(
        {
            for (int i = 0; i < 2; ++i) host::openAudioOutput([](int16_t*, int) {});
            std::_Exit(0);
        },
        testing::ExitedWithCode(0), "^[^\n]*\n?$");
}

TEST(AudioOutput, TheSilentSinkPullsAtADevicesPace) {
    // The sink's clock starts when it is made: the test's clock must not start later.
    const auto start = std::chrono::steady_clock::now();
    std::atomic<int64_t> rendered{0};
    host::SilentAudioOutput sink([&](int16_t* samples, int frames) {
        for (int i = 0; i < frames * 2; ++i) samples[i] = int16_t(i);
        rendered += frames;
    });
    std::atomic<int> tapped{0};
    sink.setTap([&](const int16_t* samples, int frames) {
        EXPECT_EQ(frames, host::kAudioBlockFrames);
        EXPECT_EQ(samples[5], 5);
        ++tapped;
    });
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    // A busy machine may not have run the sink's thread yet.
    for (const WaitLimit limit; tapped == 0 && !limit.reached();) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    const int64_t pulled = sink.framesPulled();  // before the time is read: the bound holds however late that is
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    EXPECT_GE(pulled, host::kAudioBlockFrames);
    EXPECT_LE(pulled, int64_t(seconds * host::kAudioRate) + 2 * host::kAudioBlockFrames) << "never ahead of real time";
    EXPECT_GE(tapped.load(), 1);
    EXPECT_GE(rendered.load(), pulled - host::kAudioBlockFrames) << "a block may be counted before it is rendered";
}

}  // namespace
