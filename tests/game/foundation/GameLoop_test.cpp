// The real game loop on fake time: frames 50 ms apart, the time step clamped to 200 ms,
// pause and resume through the window's activation, and the exit from the loop.

#include "hal/shell/Shell.h"
#include "tests/game/support/GameDriver.h"

namespace {

using namespace game_test;

ui::SceneManager& managerOf() { return *static_cast<ui::SceneManager*>(kv::KvCanvas::instance.get()); }

struct Frame {
    int64_t time;
    int32_t dt;
};

TEST(GameLoop, FramesComeEvery50MsAndALateFrameGetsAtMost200) {
    GameDriver game;
    static FakeClock* clock = &game.clock;
    static std::vector<Frame> frames;
    useScene(0, {.update = [] {
                     frames.push_back({clock->time, lastDt});
                     clock->advance(frames.size() == 10 ? 330 : 30);  // the frame's own work
                     if (frames.size() == 20) managerOf().requestExit();
                 }});
    EXPECT_EQ(game.runLoop(), 0);
    ASSERT_EQ(frames.size(), 20u);
    std::vector<int64_t> gaps;
    std::vector<int32_t> steps;
    for (size_t i = 1; i < frames.size(); ++i) {
        gaps.push_back(frames[i].time - frames[i - 1].time);
        steps.push_back(frames[i].dt);
    }
    std::vector<int64_t> expectedGaps(19, 50);
    expectedGaps[9] = 330;  // the late frame's successor starts at once
    std::vector<int32_t> expectedSteps(19, 50);
    expectedSteps[9] = 200;
    EXPECT_EQ(gaps, expectedGaps);
    EXPECT_EQ(steps, expectedSteps);
    EXPECT_EQ(std::count(calls.begin(), calls.end(), "0 paint"), 19) << "every frame paints but the last";
}

TEST(GameLoop, APauseStopsPaintingUntilTheResumeWhileUpdatesComeEvery100Ms) {
    GameDriver game;
    static FakeClock* clock = &game.clock;
    static std::vector<std::string> events;
    static int updatesSincePause = -1, updatesSinceResume = -1;
    useScene(0, {.update =
                     [] {
                         const bool shown = managerOf().isShownNow();
                         events.push_back((shown ? "shown " : "hidden ") + std::to_string(clock->time));
                         if (events.size() == 5) HAL_postMessage(host::kMsgActivate, host::kInactive);
                         if (updatesSincePause >= 0 && ++updatesSincePause == 4)
                             HAL_postMessage(host::kMsgActivate, host::kActive);
                         if (shown && updatesSincePause >= 4 && ++updatesSinceResume == 3) managerOf().requestExit();
                     },
                 .paint = [] { events.push_back("paint"); },
                 .pause =
                     [] {
                         events.push_back("pause");
                         updatesSincePause = 0;
                     }});
    EXPECT_EQ(game.runLoop(), 0);
    const auto pause = std::find(events.begin(), events.end(), "pause");
    ASSERT_NE(pause, events.end());
    EXPECT_EQ(std::count(events.begin(), events.end(), "pause"), 1);
    // Between the pause and the resume: updates 100 ms apart and no painting.
    std::vector<int64_t> hiddenTimes;
    for (auto it = pause; it != events.end() && !it->starts_with("shown"); ++it) {
        EXPECT_NE(*it, "paint");
        if (it->starts_with("hidden")) hiddenTimes.push_back(std::stoll(it->substr(7)));
    }
    ASSERT_GE(hiddenTimes.size(), 4u);
    for (size_t i = 1; i < hiddenTimes.size(); ++i) EXPECT_EQ(hiddenTimes[i] - hiddenTimes[i - 1], 100);
    EXPECT_EQ(events.back(), "shown " + std::to_string(clock->time)) << "painting resumed before the exit";
    EXPECT_GE(std::count(pause, events.end(), "paint"), 2);
}

}  // namespace
