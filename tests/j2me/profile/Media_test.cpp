// The media manager, the player and the platform extension over the platform's players,
// with the mixer rendered by hand (nothing plays): every operation in every state, the
// checks of the two constructors, loop counts, volume and mute, control names, the source
// bytes let go at realize, and orientation and keep-alive.

#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "hal/audio/HALPlayer.h"
#include "hal/audio/Players.h"
#include "hal/base/KeepAlive.h"
#include "hal/base/VMCallbacks.h"
#include "hal/host/HeadlessBackend.h"
#include "lib_src/vm/VM.h"
#include "pb_src/j2me/com_kelvane_ostrel_media_Player.h"
#include "pb_src/j2me/java_lang_ArrayIndexOutOfBoundsException.h"
#include "pb_src/j2me/java_lang_IllegalArgumentException.h"
#include "pb_src/j2me/java_lang_IllegalStateException.h"
#include "pb_src/j2me/java_lang_NullPointerException.h"
#include "pb_src/j2me/javax_microedition_media_Manager.h"
#include "pb_src/j2me/javax_microedition_media_MediaException.h"
#include "pb_src/j2me/kv_platform_ostrel_KvOstrel.h"
#include "tests/hal/audio/AudioFixtures.h"
#include "tests/vm/TestRuntime.h"

namespace mediatest {

using namespace javax::microedition::media;
using java::lang::String;
using OstrelPlayer = com::kelvane::ostrel::media::Player;
using ByteArray = VMArray<int8_t, 1>;
using Strings = std::vector<std::string>;

constexpr int32_t kFrames = 4410;  // 100 ms at 44100 Hz
constexpr int64_t kWavMicroseconds = 100000;

VMPtr<ByteArray> array(const audio_test::Bytes& bytes) {
    VMPtr<ByteArray> made = ByteArray::_VM_new(int32_t(bytes.size()));
    for (size_t i = 0; i < bytes.size(); ++i) made->elements()[i] = int8_t(bytes[i]);
    return made;
}

VMPtr<String> text(const char* s) { return s ? String::fromUtf8(s) : nullptr; }

VMPtr<ByteArray> wav() { return array(audio_test::constantWav(1000, kFrames)); }

// The outcome of a call as text: its result, or the exception with its message.
std::string outcome(const std::function<std::string()>& call) {
    auto described = [](const char* kind, java::lang::Throwable* e) {
        VMPtr<String> message = e->getMessage();
        return message ? std::string(kind) + ":" + message->toUtf8() : std::string(kind);
    };
    try {
        return call();
    } catch (java::lang::IllegalStateException* e) {
        return described("ISE", e);
    } catch (java::lang::IllegalArgumentException* e) {
        return described("IAE", e);
    } catch (java::lang::ArrayIndexOutOfBoundsException* e) {
        return described("AIOOBE", e);
    } catch (java::lang::NullPointerException* e) {
        return described("NPE", e);
    } catch (MediaException* e) {
        return described("Media", e);
    }
}

class Media : public testing::Test {
protected:
    void SetUp() override {
        host::setHostBackend(std::make_unique<host::HeadlessBackend>());
        HAL_setManualAudioRendering(true);
        vm = testRuntime();
        const VMCallbacks callbacks = VM::callbacks();
        HAL_setVMCallbacks(&callbacks);
    }
    static VMPtr<OstrelPlayer> wavPlayer() {
        VMPtr<ByteArray> bytes = wav();
        return VMPtr<OstrelPlayer>(dynamic_cast<OstrelPlayer*>(Manager::createPlayer(bytes, 0, bytes->length, text("audio/x-wav")).get()));
    }
    VM* vm = nullptr;
};

enum Stage { kUnrealized, kRealized, kPrefetched, kStarted, kClosed, kStages };

VMPtr<OstrelPlayer> playerIn(Stage stage, VMPtr<OstrelPlayer> player) {
    if (stage != kUnrealized) player->realize();
    if (stage == kPrefetched) player->prefetch();
    if (stage == kStarted) player->start();
    if (stage == kClosed) player->close();
    return player;
}

TEST_F(Media, EveryOperationInEveryState) {
    using Call = std::function<std::string(OstrelPlayer*)>;
    auto state = [](OstrelPlayer* p) { return std::to_string(p->getState()); };
    auto then = [state](void (OstrelPlayer::*op)()) { return Call([op, state](OstrelPlayer* p) { (p->*op)(); return state(p); }); };
    const std::string dur = std::to_string(kWavMicroseconds);
    const std::string closedControls = "ISE:Attempting to get controls for a closed player";
    const std::string unrealizedControls = "ISE:Attempting to get controls for an unrealized player";
    struct Row {
        const char* name;
        Call call;
        Strings expected;  // unrealized, realized, prefetched, started, closed
    };
    const std::vector<Row> rows = {
        {"realize", then(&OstrelPlayer::realize), {"200", "200", "300", "400", "ISE:Attempting to realize closed player"}},
        // The platform's prefetch makes even a started player read as prefetched.
        {"prefetch", then(&OstrelPlayer::prefetch), {"100", "300", "300", "300", "ISE:Attempting to prefetch closed player"}},
        {"start", then(&OstrelPlayer::start), {"100", "400", "400", "400", "ISE:Attempting to start closed player"}},
        // The platform's pause reads as prefetched whatever the player was.
        {"stop", then(&OstrelPlayer::stop), {"100", "300", "300", "300", "ISE"}},
        {"deallocate", then(&OstrelPlayer::deallocate), {"100", "200", "200", "200", "ISE:Attempting to deallocate closed player"}},
        {"close", then(&OstrelPlayer::close), {"100", "0", "0", "0", "0"}},
        {"setMediaTime", [](OstrelPlayer* p) { return std::to_string(p->setMediaTime(-5)); },
         {"ISE:Attempting to call setMediaTime on an unrealized player", "0", "0", "0",
          "ISE:Attempting to call setMediaTime on a closed player"}},
        {"getMediaTime", [](OstrelPlayer* p) { return std::to_string(p->getMediaTime()); }, {"-11", "0", "0", "0", "ISE"}},
        {"getDuration", [](OstrelPlayer* p) { return std::to_string(p->getDuration()); }, {"-11", dur, dur, dur, "ISE"}},
        {"getState", state, {"100", "200", "300", "400", "0"}},
        {"getContentType", [](OstrelPlayer* p) { return p->getContentType()->toUtf8(); },
         {"ISE:Player.getContentType called on an unrealized player", "audio/x-wav", "audio/x-wav", "audio/x-wav",
          "ISE:Player.getContentType called on a closed player"}},
        {"setLoopCount(3)", [](OstrelPlayer* p) { p->setLoopCount(3); return std::to_string(p->loopCount); },
         {"3", "3", "3", "3", "ISE:Player.setLoopCount called on a closed player"}},
        {"setLoopCount(0)", [](OstrelPlayer* p) { p->setLoopCount(0); return std::string("stored"); },
         Strings(kStages, "IAE:Player.setLoopCount with an invalid count.")},
        {"getControl", [](OstrelPlayer* p) { return std::to_string(p->getControl(text("VolumeControl")).get() == p); },
         {unrealizedControls, "1", "1", "1", closedControls}},
        {"getControls", [](OstrelPlayer* p) {
             auto controls = p->getControls();
             return std::to_string(controls->length) + std::to_string(controls->elements()[0] == static_cast<Control*>(p));
         },
         {unrealizedControls, "11", "11", "11", closedControls}},
        {"setLevel", [](OstrelPlayer* p) { return std::to_string(p->setLevel(30)); }, Strings(kStages, "30")},
        {"listeners", [](OstrelPlayer* p) { p->addPlayerListener(nullptr); p->removePlayerListener(nullptr); return std::to_string(p->getState()); },
         {"100", "200", "300", "400", "0"}},
    };
    for (const Row& row : rows)
        for (int stage = 0; stage < kStages; ++stage) {
            VMPtr<OstrelPlayer> player = playerIn(Stage(stage), wavPlayer());
            EXPECT_EQ(outcome([&] { return row.call(player.get()); }), row.expected[size_t(stage)]) << row.name << " in stage " << stage;
            player->close();
        }
}

TEST_F(Media, ByteArrayPlayersCheckTheRegionAndTheType) {
    struct Row {
        int32_t arrayLength, offset, length;
        const char* type;
        std::string expected;
    };
    const std::vector<Row> rows = {
        {10, 0, 10, nullptr, "100"},       {10, 9, 1, "audio/x-wav", "100"}, {10, 0, 0, nullptr, "100"},
        {10, 0, 10, "audio/midi", "100"},  {10, 10, 0, nullptr, "AIOOBE"},   {0, 0, 0, nullptr, "AIOOBE"},
        {10, -1, 2, nullptr, "AIOOBE"},    {10, 0, 11, nullptr, "AIOOBE"},   {10, 2, -1, nullptr, "AIOOBE"},
        {10, 1, INT_MAX, nullptr, "AIOOBE"},  // the end would wrap in 32 bits
        {10, 0, 10, "audio/mpeg", "Media"}, {10, 0, 10, "AUDIO/X-WAV", "Media"}, {10, 0, 10, "text/plain", "Media"},
        {-1, 0, 0, nullptr, "NPE"},
    };
    for (const Row& row : rows) {
        VMPtr<ByteArray> data = row.arrayLength < 0 ? nullptr : ByteArray::_VM_new(row.arrayLength);
        EXPECT_EQ(outcome([&] { return std::to_string(Manager::createPlayer(data, row.offset, row.length, text(row.type))->getState()); }),
                  row.expected)
            << row.arrayLength << " " << row.offset << " " << row.length << " " << (row.type ? row.type : "null");
    }
    EXPECT_EQ(outcome([] { return std::to_string(kv::platform::ostrel::KvOstrel::createPlayer(wav(), 0, 1, nullptr)->getState()); }), "100");
    EXPECT_EQ(outcome([] { return std::to_string(kv::platform::ostrel::KvOstrel::createPlayer(wav(), 5, -1, nullptr)->getState()); }),
              "AIOOBE");
}

TEST_F(Media, LocatorPlayersAndTheManagersCodes) {
    const std::vector<std::pair<const char*, std::string>> locators = {
        {nullptr, "IAE:Manager.createPlayer passed null locator"},
        {"file:///tmp/none.wav", "100"}, {"x-jar:/sound.wav", "100"}, {"http://host/a.wav", "Media"},
        {"device://midi", "Media"}, {"sound.wav", "Media"}, {"FILE:/a.wav", "Media"},
    };
    for (const auto& row : locators)
        EXPECT_EQ(outcome([&] { return std::to_string(Manager::createPlayer(text(row.first))->getState()); }), row.second)
            << (row.first ? row.first : "null");
    // A locator player whose file cannot be read fails to realize.
    VMPtr<Player> missing = Manager::createPlayer(text("file:///nonexistent/a.wav"));
    EXPECT_EQ(outcome([&] { missing->realize(); return std::string("realized"); }), "Media:Unable to realize player");
    EXPECT_EQ(missing->getState(), Player::UNREALIZED);

    for (int32_t kind = -1; kind <= 12; ++kind) {
        VMPtr<String> type = Manager::getContentTypeForKind(kind);
        const bool named = (kind >= 2 && kind <= 8) || kind == 11;
        ASSERT_EQ(bool(type), named) << kind;
        if (named) EXPECT_EQ(Manager::getKindForContentType(type), kind);
    }
    EXPECT_EQ(Manager::getKindForContentType(nullptr), 1);
    EXPECT_EQ(Manager::getLocatorProtocolKind(text("x-jar:a:b")), 5);
    EXPECT_EQ(Manager::getLocatorRemainder(text("x-jar:a:b"))->toUtf8(), "a:b");
    EXPECT_FALSE(Manager::getLocatorRemainder(text("none")));
    EXPECT_EQ(Manager::getLocatorProtocolKind(nullptr), 0);
    EXPECT_FALSE(Manager::getLocatorRemainder(nullptr));
    EXPECT_EQ(Manager::getProtocolKind(nullptr), 1);
    EXPECT_EQ(Manager::MIDI_DEVICE_LOCATOR->toUtf8(), "device://midi");
    EXPECT_EQ(Manager::TONE_DEVICE_LOCATOR->toUtf8(), "device://tone");
}

TEST_F(Media, LoopCountsReachThePlatformAsPlays) {
    // count -> the platform's plays: n plays n times, a negative count plays for ever.
    const std::vector<std::pair<int32_t, uint32_t>> rows = {{1, 1}, {3, 3}, {-1, kPlaysForever}, {-5, kPlaysForever}};
    for (const auto& [count, plays] : rows) {
        VMPtr<OstrelPlayer> before = wavPlayer();
        before->setLoopCount(count);
        before->realize();
        EXPECT_EQ(before->nativePlayer->fullHeader().plays, plays) << "set before realize: " << count;
        VMPtr<OstrelPlayer> after = playerIn(kPrefetched, wavPlayer());
        after->setLoopCount(count);
        EXPECT_EQ(after->nativePlayer->fullHeader().plays, plays) << "set after realize: " << count;
        EXPECT_EQ(after->loopCount, count);
    }
}

TEST_F(Media, VolumeIsClampedAndMuteKeepsTheLevel) {
    VMPtr<OstrelPlayer> player = playerIn(kRealized, wavPlayer());
    EXPECT_EQ(player->getLevel(), -1) << "unknown before prefetch";
    player->prefetch();
    EXPECT_EQ(player->getLevel(), 100) << "the platform's level";
    auto platformLevel = [&] {
        int32_t level = -1;
        EXPECT_EQ(HAL_getPlayerVolume(&level, player->nativePlayer), 0);
        return level;
    };
    const std::vector<std::pair<int32_t, int32_t>> levels = {{150, 100}, {-3, 0}, {40, 40}, {100, 100}, {7, 7}};
    for (const auto& [asked, kept] : levels) {
        EXPECT_EQ(player->setLevel(asked), kept) << asked;
        EXPECT_EQ(platformLevel(), kept) << asked;
    }
    player->setMute(true);
    EXPECT_TRUE(player->isMuted());
    EXPECT_EQ(platformLevel(), 0);
    EXPECT_EQ(player->getLevel(), 7) << "the level is kept while muted";
    EXPECT_EQ(player->setLevel(70), 7) << "no change while muted";
    player->setMute(true);
    EXPECT_EQ(platformLevel(), 0);
    player->setMute(false);
    EXPECT_FALSE(player->isMuted());
    EXPECT_EQ(platformLevel(), 7);
    EXPECT_EQ(player->getLevel(), 7);
    player->close();
}

TEST_F(Media, VolumeControlIsFoundByShortAndFullName) {
    VMPtr<OstrelPlayer> player = playerIn(kRealized, wavPlayer());
    const std::vector<std::pair<const char*, bool>> names = {
        {"VolumeControl", true},        {"javax.microedition.media.control.VolumeControl", true},
        {"ToneControl", false},         {"javax.microedition.media.control.ToneControl", false},
        {"volumecontrol", false},       {"other.VolumeControl", false}, {"", false},
    };
    for (const auto& [name, found] : names) {
        VMPtr<Control> control = player->getControl(text(name));
        EXPECT_EQ(control.get() == static_cast<Control*>(player.get()), found) << name;
        EXPECT_EQ(bool(control), found) << name;
    }
    EXPECT_EQ(outcome([&] { return std::to_string(bool(player->getControl(nullptr))); }),
              "IAE:Invalid control type passed to Player.getControl");
    player->close();
}

TEST_F(Media, RealizeLetsTheSourceBytesGoAndACollectedPlayerClosesItsPlatformPlayer) {
    VMPtr<ByteArray> weakBytes(VMWeakScope::instance());
    VMPtr<Player> player = [&] {
        VMPtr<ByteArray> bytes = wav();
        weakBytes = bytes;
        return Manager::createPlayer(bytes, 0, bytes->length, nullptr);
    }();
    vm->collect();
    ASSERT_FALSE(weakBytes.isNull()) << "held by the unrealized player";
    player->realize();
    EXPECT_TRUE(weakBytes.isNull()) << "realize collected the bytes only the player held";
    EXPECT_EQ(player->getDuration(), kWavMicroseconds);
    EXPECT_EQ(HAL_getPlayerCount(), 1);
    player = nullptr;
    vm->collect();
    EXPECT_EQ(HAL_getPlayerCount(), 0);
}

TEST_F(Media, RealizeRefusesBytesThePlatformCannotPlay) {
    const std::vector<std::pair<audio_test::Bytes, const char*>> rows = {
        {{'R', 'I', 'F', 'F', 0, 0}, "audio/x-wav"}, {{'M', 'T', 'h', 'd', 0}, "audio/midi"}, {{1, 2, 3}, nullptr}};
    for (const auto& [bytes, type] : rows) {
        VMPtr<Player> player = Manager::createPlayer(array(bytes), 0, int32_t(bytes.size()), text(type));
        EXPECT_EQ(outcome([&] { player->realize(); return std::string("realized"); }), "Media:Unable to realize player");
        EXPECT_EQ(player->getState(), Player::UNREALIZED);
    }
}

TEST(KvOstrel, OrientationAndTheInvertedKeepAliveFlag) {
    testRuntime();
    using kv::platform::ostrel::KvOstrel;
    const int32_t current = KvOstrel::getOrientation();
    EXPECT_TRUE(KvOstrel::setOrientation(current));
    EXPECT_FALSE(KvOstrel::setOrientation(7));
    EXPECT_EQ(KvOstrel::getOrientation(), current);
    KvOstrel::setFlag(false);
    EXPECT_TRUE(HAL_isKeepAliveOn()) << "false keeps the device awake";
    KvOstrel::setFlag(true);
    EXPECT_FALSE(HAL_isKeepAliveOn());
}

TEST(MediaFatal, TimeBaseOperationsEndTheProcess) {
    EXPECT_EXIT(
        {
            testRuntime();
            Manager::createPlayer(text("x-jar:/a.wav"))->setTimeBase(nullptr);
        },
        testing::ExitedWithCode(1), "Player.setTimeBase is not implemented");
}

}  // namespace mediatest
