// The players as the profile uses them, with the process's mixer rendered by hand: kinds
// and sources, states and events, loops, media time, volume, and the end of media reported
// through the UI thread's message (pausing every player is seen through the shell).

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "hal/audio/AudioMixer.h"
#include "hal/audio/HALPlayer.h"
#include "hal/audio/Players.h"
#include "hal/base/HALResult.h"
#include "hal/host/HeadlessBackend.h"
#include "hal/host/SilentAudioOutput.h"
#include "hal/services/ModulePath.h"
#include "tests/hal/audio/AudioFixtures.h"
#include "tests/support/TemporaryFolder.h"
#include "tests/support/WaitLimit.h"

namespace {

using namespace audio_test;

struct Event {
    HALPlayer* player;
    int32_t event;
    int64_t time;
    int32_t argument;
    bool operator==(const Event&) const = default;
};
std::vector<Event> events;

void recordEvent(void* context, HALPlayer* player, int32_t event, int32_t low, int32_t high, int32_t argument) {
    EXPECT_EQ(context, &events);
    events.push_back({player, event, int64_t(uint64_t(uint32_t(low)) | uint64_t(uint32_t(high)) << 32), argument});
}

std::vector<int32_t> eventNumbers() {
    std::vector<int32_t> numbers;
    for (const Event& e : events) numbers.push_back(e.event);
    events.clear();
    return numbers;
}

// What a player's getter gives, checked to succeed.
template <class T>
T got(int (*get)(T*, HALPlayer*), HALPlayer* player) {
    T value = -1;
    EXPECT_EQ(get(&value, player), HAL_OK);
    return value;
}

class Players : public testing::Test {
protected:
    void SetUp() override {
        host::setHostBackend(std::make_unique<host::HeadlessBackend>());
        HAL_setManualAudioRendering(true);
        HAL_setPlayerListener(&events, &recordEvent);
        events.clear();
    }
    void TearDown() override { HAL_releaseAudio(); }

    HALPlayer* create(const Bytes& file, int32_t kind = 2, int32_t loopCount = 0) {
        HALPlayer* player = nullptr;
        EXPECT_EQ(HAL_createPlayerWithData(&player, file.data(), int32_t(file.size()), kind, loopCount), HAL_OK);
        return player;
    }
    // Renders frames and hands every end the audio thread posted to the UI thread's handler,
    // as the shell does.
    std::vector<int16_t> render(int frames) {
        std::vector<int16_t> out(size_t(frames) * 2);
        HAL_audioMixer().render(out.data(), frames);
        deliverEnds();
        return out;
    }
    int deliverEnds() {
        host::HostMessage m{};
        int delivered = 0;
        while (host::hostBackend().queue().takeFirst(host::kMsgAudioFinished, &m)) {
            HAL_applyAudioFinished(m.wParam, m.lParam);
            ++delivered;
        }
        return delivered;
    }
    static int32_t state(HALPlayer* player) { return got(HAL_getPlayerState, player); }
    static int64_t mediaTime(HALPlayer* player) { return got(HAL_getPlayerMediaTime, player); }
    // The frames a started player sounds for, counted in blocks of 100.
    int framesUntilEnd(HALPlayer* player, int limit) {
        int frames = 0;
        while (frames < limit && state(player) == HALPlayer::kStarted) {
            render(100);
            frames += 100;
        }
        return frames;
    }
};

TEST_F(Players, PlayersAreMadeFromWavAndMidiDataAndListedInOrder) {
    const Bytes wav = constantWav(1, 44100);
    HALPlayer* first = create(wav, 1);
    HALPlayer* second = create(wav, 2);
    HALPlayer* music = create(noteFile(100), 6);
    EXPECT_EQ(got(HAL_getPlayerKind, first), 2);
    EXPECT_EQ(got(HAL_getPlayerKind, music), 6);
    EXPECT_EQ(got(HAL_getPlayerDuration, first), 1000000) << "in microseconds";
    EXPECT_EQ(got(HAL_getPlayerDuration, music), 0) << "MIDI has no duration";
    ASSERT_EQ(HAL_getPlayerCount(), 3);
    EXPECT_EQ(HAL_getPlayerAt(0), first);
    EXPECT_EQ(HAL_getPlayerAt(2), music);
    EXPECT_EQ(state(first), 0);

    ASSERT_EQ(HAL_closePlayer(second), HAL_OK);
    EXPECT_EQ(eventNumbers(), (std::vector<int32_t>{kPlayerStopped, kPlayerClosed}));
    ASSERT_EQ(HAL_getPlayerCount(), 2);
    EXPECT_EQ(HAL_getPlayerAt(1), music);
    EXPECT_EQ(HAL_audioMixer().voiceCount(), 2);
    const int32_t* kinds = nullptr;
    ASSERT_EQ(HAL_getSupportedKinds(6, &kinds), 1);
    EXPECT_EQ(kinds[0], 6);
    EXPECT_EQ(HAL_getSupportedKinds(4, &kinds), 0);
    EXPECT_EQ(HAL_getSupportedKinds(1, nullptr), 0);
    EXPECT_TRUE(HAL_isSupportedSource(4) && HAL_isSupportedSource(5) && !HAL_isSupportedSource(3));
}

TEST_F(Players, DataThatCannotBePlayedIsRefusedWithItsCode) {
    HALPlayer* player = reinterpret_cast<HALPlayer*>(1);
    const Bytes wav = constantWav(1, 10);
    EXPECT_EQ(HAL_createPlayerWithData(&player, wav.data(), int32_t(wav.size()), 3, 0), HAL_NOT_IMPLEMENTED);
    EXPECT_EQ(player, nullptr);
    EXPECT_EQ(HAL_createPlayerWithData(nullptr, wav.data(), int32_t(wav.size()), 2, 0), HAL_BAD_ARGUMENT);
    EXPECT_EQ(HAL_createPlayerWithData(&player, nullptr, 10, 2, 0), HAL_BAD_ARGUMENT);
    EXPECT_EQ(HAL_createPlayerWithData(&player, wav.data(), 20, 2, 0), HAL_BAD_FORMAT) << "cut inside the header";
    const Bytes zeroRate = riff({chunk("fmt ", formatBody(1, 1, 0, 16)), chunk("data", Bytes(4, 0))});
    EXPECT_EQ(HAL_createPlayerWithData(&player, zeroRate.data(), int32_t(zeroRate.size()), 2, 0), HAL_BAD_FORMAT);
    const Bytes track = midiTrack(kEndOfTrack);
    const Bytes twoTracks = cat({midiHeader(1, 2, 500), track, track});
    EXPECT_EQ(HAL_createPlayerWithData(&player, twoTracks.data(), int32_t(twoTracks.size()), 6, 0), HAL_BAD_FORMAT);
    EXPECT_EQ(HAL_createPlayerWithData(&player, wav.data(), int32_t(wav.size()), 6, 0), HAL_BAD_FORMAT) << "WAV as MIDI";
    EXPECT_EQ(HAL_getPlayerCount(), 0);
    EXPECT_EQ(HAL_audioMixer().voiceCount(), 0);
}

TEST_F(Players, NullPlayersAndOutputsGiveTwo) {
    int32_t value = 0;
    int64_t time = 0;
    HALPlayer* player = create(constantWav(1, 10));
    for (int code : {HAL_prefetchPlayer(nullptr), HAL_startPlayer(nullptr), HAL_pausePlayer(nullptr),
                     HAL_stopPlayer(nullptr), HAL_closePlayer(nullptr), HAL_setPlayerLoopCount(nullptr, 1),
                     HAL_getPlayerState(&value, nullptr), HAL_getPlayerKind(&value, nullptr),
                     HAL_getPlayerDuration(&time, nullptr), HAL_getPlayerMediaTime(&time, nullptr),
                     HAL_setPlayerMediaTime(nullptr, 0), HAL_getPlayerVolume(&value, nullptr),
                     HAL_setPlayerVolume(nullptr, 50), HAL_getPlayerState(nullptr, player),
                     HAL_getPlayerDuration(nullptr, player), HAL_getPlayerMediaTime(nullptr, player),
                     HAL_getPlayerVolume(nullptr, player)})
        EXPECT_EQ(code, HAL_BAD_ARGUMENT);
}

TEST_F(Players, StatesAndEventsFollowTheOperations) {
    HALPlayer* player = create(constantWav(1, 4410));
    ASSERT_EQ(HAL_prefetchPlayer(player), HAL_OK);
    EXPECT_EQ(state(player), 1);
    EXPECT_EQ(render(10)[0], 0) << "prefetched: queued but silent";
    ASSERT_EQ(HAL_startPlayer(player), HAL_OK);
    EXPECT_EQ(state(player), 2);
    EXPECT_EQ(eventNumbers(), (std::vector<int32_t>{kPlayerStopped, kPlayerStarted}));
    EXPECT_EQ(render(10)[0], 1);
    ASSERT_EQ(HAL_pausePlayer(player), HAL_OK);
    EXPECT_EQ(state(player), 1) << "paused reads as prefetched";
    EXPECT_EQ(render(10)[0], 0);
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0], (Event{player, kPlayerPaused, 10 * 1000000 / 44100, 0}));
    events.clear();
    ASSERT_EQ(HAL_stopPlayer(player), HAL_OK);
    EXPECT_EQ(state(player), 0);
    EXPECT_EQ(eventNumbers(), (std::vector<int32_t>{kPlayerStopped}));
    ASSERT_EQ(HAL_pausePlayer(player), HAL_OK);  // not started: the device is untouched
    EXPECT_EQ(state(player), 1);
    ASSERT_EQ(HAL_closePlayer(player), HAL_OK);
    EXPECT_EQ(eventNumbers(), (std::vector<int32_t>{kPlayerPaused, kPlayerStopped, kPlayerClosed}));
    EXPECT_EQ(HAL_getPlayerCount(), 0);
}

// Looping music in the middle of a held note falls silent within 50 ms of output (2205
// frames) after a pause, a stop or a close; no release tail sounds on. A paused tune sounds
// again once started.
TEST_F(Players, MusicFallsSilentAtOnceWhenPausedStoppedOrClosed) {
    enum Operation { kPause, kStop, kClose };
    for (const Operation operation : {kPause, kStop, kClose}) {
        HALPlayer* player = create(noteFile(5000), 6, -1);
        ASSERT_EQ(HAL_startPlayer(player), HAL_OK);
        const std::vector<int16_t> playing = render(4410);
        EXPECT_GT(*std::max_element(playing.begin(), playing.end()), 1000) << operation;
        const int done = operation == kPause ? HAL_pausePlayer(player)
                         : operation == kStop ? HAL_stopPlayer(player)
                                              : HAL_closePlayer(player);
        ASSERT_EQ(done, HAL_OK);
        const std::vector<int16_t> after = render(2205);
        EXPECT_TRUE(std::all_of(after.begin(), after.end(), [](int16_t s) { return s == 0; })) << operation;
        if (operation == kPause) {
            ASSERT_EQ(HAL_startPlayer(player), HAL_OK);
            const std::vector<int16_t> resumed = render(2205);
            EXPECT_GT(*std::max_element(resumed.begin(), resumed.end()), 1000);
        }
        if (operation != kClose) HAL_closePlayer(player);
        events.clear();
    }
}

// A tune that has played out still sounds its last note's release; a pause (every player
// paused as the application goes to the background) silences that too.
TEST_F(Players, APauseAfterTheEndSilencesTheReleaseTail) {
    HALPlayer* player = create(noteFile(100), 6);
    ASSERT_EQ(HAL_startPlayer(player), HAL_OK);
    render(4410 + 1);  // the 100 ms note, and its end handled
    ASSERT_EQ(state(player), 1) << "played out";
    const std::vector<int16_t> tail = render(441);
    ASSERT_GT(*std::max_element(tail.begin(), tail.end()), 100) << "the release sounds after the end";
    ASSERT_EQ(HAL_pausePlayer(player), HAL_OK);
    const std::vector<int16_t> after = render(2205);
    EXPECT_TRUE(std::all_of(after.begin(), after.end(), [](int16_t s) { return s == 0; }));
    HAL_closePlayer(player);
}

TEST_F(Players, TheEndOfMediaReachesThePlayerThroughTheUIThreadsMessage) {
    HALPlayer* player = create(constantWav(7, 100));
    ASSERT_EQ(HAL_startPlayer(player), HAL_OK);
    events.clear();
    std::vector<int16_t> out(200);
    HAL_audioMixer().render(out.data(), 100);
    EXPECT_EQ(state(player), 2) << "the audio thread only posts";
    host::HostMessage m{};
    ASSERT_TRUE(host::hostBackend().queue().takeFirst(host::kMsgAudioFinished, &m));
    EXPECT_EQ(m.wParam, uint64_t(reinterpret_cast<uintptr_t>(player)));
    HAL_applyAudioFinished(m.wParam, m.lParam);
    EXPECT_EQ(state(player), 1);
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0], (Event{player, kPlayerEndOfMedia, 100 * 1000000 / 44100, 0})) << "the media time is the end";
    events.clear();

    HAL_applyAudioFinished(m.wParam, m.lParam);  // reported again: the player is no longer started
    HAL_startPlayer(player);                       // a new play: the old serial is stale
    events.clear();
    HAL_applyAudioFinished(m.wParam, m.lParam);
    EXPECT_EQ(state(player), 2);
    EXPECT_TRUE(events.empty());

    render(100);  // ends the new play; closing before the message is handled drops it
    HALPlayer* other = create(constantWav(7, 100));
    HAL_startPlayer(other);
    HAL_audioMixer().render(out.data(), 100);
    HAL_closePlayer(other);
    events.clear();
    EXPECT_EQ(deliverEnds(), 1);
    EXPECT_TRUE(events.empty());
}

TEST_F(Players, AStopDropsTheEndOfThePlayItStopped) {
    HALPlayer* player = create(constantWav(7, 100));
    HAL_startPlayer(player);
    std::vector<int16_t> out(200);
    HAL_audioMixer().render(out.data(), 100);  // ended on the audio thread, message pending
    HAL_stopPlayer(player);
    HAL_prefetchPlayer(player);
    HAL_pausePlayer(player);
    events.clear();
    EXPECT_EQ(deliverEnds(), 1);
    EXPECT_TRUE(events.empty());
    EXPECT_EQ(state(player), 1);
}

TEST_F(Players, LoopCountsPlayTheirRepeatsAlsoWhenSetAfterRealize) {
    HALPlayer* created = create(constantWav(1, 100), 2, 2);
    HAL_startPlayer(created);
    EXPECT_EQ(framesUntilEnd(created, 10000), 300) << "2 repeats: three plays";

    HALPlayer* set = create(constantWav(1, 100), 2, 0);
    ASSERT_EQ(HAL_setPlayerLoopCount(set, 2), HAL_OK);
    HAL_startPlayer(set);
    EXPECT_EQ(framesUntilEnd(set, 10000), 300) << "set after realize: the same three plays";
    ASSERT_EQ(HAL_setPlayerLoopCount(set, 0), HAL_OK);
    HAL_startPlayer(set);
    EXPECT_EQ(framesUntilEnd(set, 10000), 100);
    ASSERT_EQ(HAL_setPlayerLoopCount(set, -1), HAL_OK);
    HAL_startPlayer(set);
    EXPECT_EQ(framesUntilEnd(set, 10000), 10000) << "for ever";
    EXPECT_EQ(set->fullHeader().plays, kPlaysForever);
    EXPECT_EQ(HAL_setPlayerLoopCount(set, -2), HAL_BAD_ARGUMENT);
}

TEST_F(Players, AMediaTimeStartsPlayInWholeSecondsAndAStopGoesBackToTheStart) {
    std::vector<int16_t> samples(44100, 100);
    samples.resize(88200, 200);  // two seconds: 100, then 200
    HALPlayer* player = create(wav16(samples));
    EXPECT_EQ(HAL_setPlayerMediaTime(player, 2000001), HAL_BAD_ARGUMENT);
    EXPECT_EQ(HAL_setPlayerMediaTime(player, -1), HAL_BAD_ARGUMENT);
    EXPECT_EQ(HAL_setPlayerMediaTime(player, 2000000), HAL_OK) << "the duration itself is accepted";
    ASSERT_EQ(HAL_setPlayerMediaTime(player, 1500000), HAL_OK);
    EXPECT_EQ(eventNumbers(), (std::vector<int32_t>{kPlayerMediaTimeSet, kPlayerMediaTimeSet}));
    EXPECT_EQ(mediaTime(player), 1500000);
    ASSERT_EQ(HAL_startPlayer(player), HAL_OK);
    EXPECT_EQ(render(1)[0], 200) << "from the 1-second point";
    EXPECT_EQ(mediaTime(player), 1500000 + 22);
    HAL_stopPlayer(player);
    EXPECT_EQ(mediaTime(player), 0);
    HAL_startPlayer(player);
    EXPECT_EQ(render(1)[0], 100) << "from the start again";
}

TEST_F(Players, WaveMediaTimeFoldsAtEachLoopAndStaysAtTheEndMidiReportsTheTimePlayed) {
    HALPlayer* clip = create(constantWav(1, 4410), 2, 2);  // 100 ms, three plays
    HAL_startPlayer(clip);
    render(6615);
    EXPECT_EQ(mediaTime(clip), 50000);
    render(6615);
    EXPECT_EQ(state(clip), 1) << "ended";
    EXPECT_EQ(mediaTime(clip), 100000) << "the end, not the start of a fourth play";

    HALPlayer* music = create(noteFile(50, 50), 6, -1);  // 100 ms a play, for ever
    HAL_startPlayer(music);
    render(11025);
    EXPECT_EQ(mediaTime(music), 250000);
    EXPECT_EQ(HAL_setPlayerMediaTime(music, 1), HAL_BAD_ARGUMENT);
}

TEST_F(Players, VolumeIsClampedScalesTheSoundAndIsReadBackAsALevel) {
    HALPlayer* player = create(constantWav(10000, 1000));
    EXPECT_EQ(got(HAL_getPlayerVolume, player), 100);
    for (const auto& [set, read] : {std::pair{150, 100}, std::pair{-5, 0}, std::pair{50, 50}}) {
        ASSERT_EQ(HAL_setPlayerVolume(player, set), HAL_OK);
        EXPECT_EQ(got(HAL_getPlayerVolume, player), read) << set;
    }
    ASSERT_EQ(events.size(), 3u);
    EXPECT_EQ(events[2], (Event{player, kPlayerVolumeChanged, 0, 50}));
    HAL_startPlayer(player);
    const auto out = render(1);
    EXPECT_EQ(out[0], 5000);
    EXPECT_EQ(out[1], 5000);
}

TEST_F(Players, LocatorsReadFilesAndResources) {
    TemporaryFolder folder;
    const Bytes wav = constantWav(1, 10);
    folder.write("clip.wav", std::string(wav.begin(), wav.end()));
    folder.write("rsc/snd/Hit.wav", std::string(wav.begin(), wav.end()));
    folder.write("empty.wav", "");
    HAL_setModuleDirectory(folder.path().c_str());
    const auto file = [&](const std::string& name) {
        const std::string text = "//" + folder.path() + "/" + name;
        return std::u16string(text.begin(), text.end());
    };
    const struct {
        int32_t source;
        std::u16string locator;
        int32_t kind, code;
    } cases[] = {{kSourceFile, file("clip.wav"), 1, HAL_OK},
                 {kSourceResource, u"/snd/hit.wav", 2, HAL_OK},  // letter case is ignored
                 {kSourceFile, file("none.wav"), 2, HAL_NOT_FOUND},
                 {kSourceFile, file("empty.wav"), 2, HAL_IO_ERROR},
                 {kSourceResource, u"/snd/none.wav", 2, HAL_NOT_FOUND},
                 {3, file("clip.wav"), 2, HAL_BAD_ARGUMENT},
                 {kSourceFile, file("clip.wav"), 6, HAL_NOT_IMPLEMENTED},
                 {kSourceFile, u"/", 2, HAL_NOT_FOUND}};
    for (const auto& c : cases) {
        HALPlayer* player = nullptr;
        EXPECT_EQ(HAL_createPlayerWithLocator(&player, c.source, c.locator.data(), int32_t(c.locator.size()), c.kind, 0),
                  c.code)
            << std::string(c.locator.begin(), c.locator.end());
    }
    EXPECT_EQ(got(HAL_getPlayerDuration, HAL_getPlayerAt(0)), 10 * 1000000 / 44100);
    EXPECT_EQ(HAL_getPlayerCount(), 2);
    HAL_setModuleDirectory(nullptr);
}

TEST(PlayersWithoutSoundFont, MidiThatCannotBeSynthesisedIsRefusedWithSix) {
    setenv("OSTREL_SOUNDFONT", "/nonexistent/font.sf2", 1);
    HAL_setManualAudioRendering(true);
    HALPlayer* player = nullptr;
    const Bytes file = noteFile(100);
    EXPECT_EQ(HAL_createPlayerWithData(&player, file.data(), int32_t(file.size()), 6, 0), HAL_BAD_FORMAT);
    EXPECT_EQ(HAL_getPlayerCount(), 0);
}

// At the silent sink's real pace; the end arrives as the UI thread's message. The frames
// played are counted on the audio thread, after the block in which the end was posted:
// however late the test's thread wakes, the count is the one the end came with.
TEST(PlayersOnTheSilentSink, MidiPlaysForItsLengthAndEnds) {
    setenv("OSTREL_AUDIO", "silent", 1);
    host::setHostBackend(std::make_unique<host::HeadlessBackend>());
    HALPlayer* player = nullptr;
    const Bytes file = noteFile(300, 100);  // 400 ms
    ASSERT_EQ(HAL_createPlayerWithData(&player, file.data(), int32_t(file.size()), 6, 0), HAL_OK);
    auto* sink = dynamic_cast<host::SilentAudioOutput*>(HAL_audioMixer().output());
    ASSERT_NE(sink, nullptr);
    // Both on the audio thread: a post during a block's rendering, then the tap after it.
    static bool endPosted;
    static int64_t framesAtEnd;
    endPosted = false;
    framesAtEnd = -1;
    host::hostBackend().queue().setWakeHook([] { endPosted = true; });
    static std::vector<int16_t> heard;
    static std::mutex heardLock;
    sink->setTap([](const int16_t* samples, int frames) {
        std::lock_guard<std::mutex> guard(heardLock);
        heard.insert(heard.end(), samples, samples + frames * 2);
        if (endPosted && framesAtEnd < 0) framesAtEnd = HAL_audioMixer().framesRendered();
    });
    const auto started = std::chrono::steady_clock::now();
    const int64_t framesBefore = HAL_audioMixer().framesRendered();
    ASSERT_EQ(HAL_startPlayer(player), HAL_OK);
    // The voice plays from the first block whose rendering began after the start returned.
    const int64_t framesAfterStart = HAL_audioMixer().framesRendered();
    host::HostMessage m{};
    while (!host::hostBackend().queue().takeFirst(host::kMsgAudioFinished, &m)) host::hostBackend().queue().wait(1000);
    const auto elapsed = std::chrono::steady_clock::now() - started;
    HAL_applyAudioFinished(m.wParam, m.lParam);
    EXPECT_EQ(got(HAL_getPlayerState, player), 1) << "end of media";
    // The message may be taken before the tap has seen the block that posted it.
    const auto endCounted = [] {
        std::lock_guard<std::mutex> guard(heardLock);
        return framesAtEnd >= 0;
    };
    for (const WaitLimit limit; !endCounted() && !limit.reached();) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    sink->setTap(nullptr);
    host::hostBackend().queue().setWakeHook(nullptr);
    EXPECT_GE(framesAtEnd - framesBefore, 17640) << "400 ms of frames";
    EXPECT_LE(framesAtEnd - framesAfterStart, 17640 + host::kAudioBlockFrames) << "ended in the block of its last frame";
    EXPECT_GE(elapsed, std::chrono::milliseconds(300)) << "at a device's pace";
    double energy = 0;
    for (int16_t s : heard) energy += double(s) * s;  // the tap is gone: no lock needed
    EXPECT_GT(std::sqrt(energy / double(std::max<size_t>(heard.size(), 1))), 100.0) << "not silent";
    HAL_releaseAudio();
}

}  // namespace
