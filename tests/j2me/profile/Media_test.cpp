// The media manager, the player and the platform extension, the mixer rendered by hand:
// states, checks, loop counts, volume, controls, source bytes, orientation and keep-alive.

#include <algorithm>
#include <memory>
#include <tuple>

#include "hal/audio/HALPlayer.h"
#include "hal/audio/Players.h"
#include "hal/base/KeepAlive.h"
#include "hal/base/VMCallbacks.h"
#include "hal/host/HeadlessBackend.h"
#include "pb_src/j2me/com_kelvane_ostrel_media_Player.h"
#include "pb_src/j2me/javax_microedition_media_Manager.h"
#include "pb_src/j2me/kv_platform_ostrel_KvOstrel.h"
#include "tests/hal/audio/AudioFixtures.h"
#include "tests/j2me/ClassLibrary.h"

namespace mediatest {

using namespace javax::microedition::media;
using java::lang::String;
using kv::platform::ostrel::KvOstrel;
using OstrelPlayer = com::kelvane::ostrel::media::Player;
using ByteArray = VMArray<int8_t, 1>;
using Strings = std::vector<std::string>;

constexpr int64_t kWavMicroseconds = 100000;  // 4410 frames at 44100 Hz

VMPtr<ByteArray> wav() {
    const audio_test::Bytes bytes = audio_test::constantWav(1000, 4410);
    VMPtr<ByteArray> made = ByteArray::_VM_new(int32_t(bytes.size()));
    std::copy(bytes.begin(), bytes.end(), made->elements());
    return made;
}

VMPtr<String> text(const char* s) { return s ? String::fromUtf8(s) : nullptr; }

// The call's result, or the exception's class (without its package) and message.
std::string outcome(const std::function<std::string()>& call) {
    try {
        return call();
    } catch (java::lang::Throwable* e) {
        const std::string described = e->toString()->toUtf8();
        return described.substr(described.rfind('.', described.find(':')) + 1);
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
    VM* vm = nullptr;
};

enum Stage { kUnrealized, kRealized, kPrefetched, kStarted, kClosed, kStages };

VMPtr<OstrelPlayer> wavPlayer(Stage stage = kUnrealized) {
    VMPtr<ByteArray> bytes = wav();
    VMPtr<OstrelPlayer> player(dynamic_cast<OstrelPlayer*>(Manager::createPlayer(bytes, 0, bytes->length, text("audio/x-wav")).get()));
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
    const std::string d = std::to_string(kWavMicroseconds), ise = "IllegalStateException";
    const std::string closedControls = ise + ": Attempting to get controls for a closed player";
    const std::string unrealizedControls = ise + ": Attempting to get controls for an unrealized player";
    struct Row {
        const char* name;
        Call call;
        Strings expected;  // unrealized, realized, prefetched, started, closed
    };
    const std::vector<Row> rows = {
        {"realize", then(&OstrelPlayer::realize), {"200", "200", "300", "400", ise + ": Attempting to realize closed player"}},
        // The platform's prefetch and pause read as prefetched whatever the player was.
        {"prefetch", then(&OstrelPlayer::prefetch), {"100", "300", "300", "300", ise + ": Attempting to prefetch closed player"}},
        {"start", then(&OstrelPlayer::start), {"100", "400", "400", "400", ise + ": Attempting to start closed player"}},
        {"stop", then(&OstrelPlayer::stop), {"100", "300", "300", "300", ise}},
        {"deallocate", then(&OstrelPlayer::deallocate), {"100", "200", "200", "200", ise + ": Attempting to deallocate closed player"}},
        {"close", then(&OstrelPlayer::close), {"100", "0", "0", "0", "0"}},
        {"setMediaTime", [](OstrelPlayer* p) { return std::to_string(p->setMediaTime(-5)); },
         {ise + ": Attempting to call setMediaTime on an unrealized player", "0", "0", "0",
          ise + ": Attempting to call setMediaTime on a closed player"}},
        {"getMediaTime", [](OstrelPlayer* p) { return std::to_string(p->getMediaTime()); }, {"-11", "0", "0", "0", ise}},
        {"getDuration", [](OstrelPlayer* p) { return std::to_string(p->getDuration()); }, {"-11", d, d, d, ise}},
        {"getContentType", [](OstrelPlayer* p) { return p->getContentType()->toUtf8(); },
         {ise + ": Player.getContentType called on an unrealized player", "audio/x-wav", "audio/x-wav", "audio/x-wav",
          ise + ": Player.getContentType called on a closed player"}},
        {"setLoopCount(3)", [](OstrelPlayer* p) { p->setLoopCount(3); return std::to_string(p->loopCount); },
         {"3", "3", "3", "3", ise + ": Player.setLoopCount called on a closed player"}},
        {"setLoopCount(0)", [](OstrelPlayer* p) { p->setLoopCount(0); return std::string("stored"); },
         Strings(kStages, "IllegalArgumentException: Player.setLoopCount with an invalid count.")},
        {"getControls", [](OstrelPlayer* p) {
             auto all = p->getControls();
             return std::to_string(all->length) + std::to_string(all->elements()[0] == static_cast<Control*>(p));
         },
         {unrealizedControls, "11", "11", "11", closedControls}},
        {"getControl", [](OstrelPlayer* p) { return std::to_string(p->getControl(text("VolumeControl")).get() == p); },
         {unrealizedControls, "1", "1", "1", closedControls}},
        {"setLevel and listeners", [state](OstrelPlayer* p) {
             p->addPlayerListener(nullptr);
             p->removePlayerListener(nullptr);
             return std::to_string(p->setLevel(30)) + " " + state(p);
         },
         {"30 100", "30 200", "30 300", "30 400", "30 0"}},
        // Clamped to 0..100 by the player itself, also where no platform player clamps it.
        {"setLevel(-5)", [](OstrelPlayer* p) { return std::to_string(p->setLevel(-5)); }, Strings(kStages, "0")},
        {"setLevel(150)", [](OstrelPlayer* p) { return std::to_string(p->setLevel(150)); }, Strings(kStages, "100")},
    };
    for (const Row& row : rows)
        for (int stage = 0; stage < kStages; ++stage) {
            VMPtr<OstrelPlayer> player = wavPlayer(Stage(stage));
            EXPECT_EQ(outcome([&] { return row.call(player.get()); }), row.expected[size_t(stage)]) << row.name << ", stage " << stage;
            player->close();
        }
}

TEST_F(Media, ConstructionChecksAndRealizeOfBytesThePlatformCannotPlay) {
    struct Row {
        int32_t arrayLength, offset, length;
        const char* type;
        std::string expected;
    };
    const std::string accepted = "MediaException: Unable to realize player";  // zeros are no sound
    const std::vector<Row> rows = {
        {10, 0, 10, nullptr, accepted},   {10, 9, 1, "audio/x-wav", accepted}, {10, 0, 10, "audio/midi", accepted},
        {10, 10, 0, nullptr, "ArrayIndexOutOfBoundsException"}, {0, 0, 0, nullptr, "ArrayIndexOutOfBoundsException"},
        {10, -1, 2, nullptr, "ArrayIndexOutOfBoundsException"}, {10, 0, 11, nullptr, "ArrayIndexOutOfBoundsException"},
        {10, 1, INT_MAX, nullptr, "ArrayIndexOutOfBoundsException"},  // the end would wrap in 32 bits
        {10, 0, 10, "audio/mpeg", "MediaException"}, {10, 0, 10, "AUDIO/X-WAV", "MediaException"},
        {-1, 0, 0, nullptr, "NullPointerException"},
    };
    for (const Row& row : rows) {
        VMPtr<ByteArray> data = row.arrayLength < 0 ? nullptr : ByteArray::_VM_new(row.arrayLength);
        EXPECT_EQ(outcome([&] {
                      KvOstrel::createPlayer(data, row.offset, row.length, text(row.type))->realize();
                      return std::string("realized");
                  }),
                  row.expected)
            << row.arrayLength << " " << row.offset << " " << row.length << " " << (row.type ? row.type : "null");
    }
    const std::vector<std::pair<const char*, std::string>> locators = {
        {nullptr, "IllegalArgumentException: Manager.createPlayer passed null locator"},
        {"file:///nonexistent/a.wav", accepted}, {"x-jar:/nonexistent.wav", accepted}, {"http://host/a.wav", "MediaException"},
        {"device://midi", "MediaException"}, {"sound.wav", "MediaException"}, {"FILE:/a.wav", "MediaException"},
    };
    for (const auto& row : locators)
        EXPECT_EQ(outcome([&] { Manager::createPlayer(text(row.first))->realize(); return std::string("realized"); }), row.second)
            << (row.first ? row.first : "null");
}

TEST_F(Media, ManagerCodes) {
    for (int32_t kind = -1; kind <= 12; ++kind) {
        VMPtr<String> type = Manager::getContentTypeForKind(kind);
        ASSERT_EQ(bool(type), (kind >= 2 && kind <= 8) || kind == 11) << kind;
        if (type) {
            EXPECT_EQ(Manager::getKindForContentType(type), kind);
        }
    }
    EXPECT_EQ(Manager::getKindForContentType(nullptr), 1);
    EXPECT_EQ(Manager::getLocatorProtocolKind(text("x-jar:a:b")), 5);
    EXPECT_EQ(Manager::getLocatorRemainder(text("x-jar:a:b"))->toUtf8(), "a:b");
    EXPECT_EQ(Manager::getLocatorProtocolKind(nullptr), 0);
    EXPECT_FALSE(Manager::getLocatorRemainder(nullptr));
    vm::ensureInitialized(Manager::_VM_classRecord);  // as a reader of a static field must
    EXPECT_EQ(Manager::MIDI_DEVICE_LOCATOR->toUtf8(), "device://midi");
}

TEST_F(Media, LoopCountsReachThePlatformAsPlays) {
    const std::vector<std::pair<int32_t, uint32_t>> rows = {{1, 1}, {3, 3}, {-1, kPlaysForever}, {-5, kPlaysForever}};
    for (const auto& [count, plays] : rows) {
        VMPtr<OstrelPlayer> before = wavPlayer();
        before->setLoopCount(count);
        before->realize();
        VMPtr<OstrelPlayer> after = wavPlayer(kPrefetched);
        after->setLoopCount(count);
        EXPECT_EQ(before->nativePlayer->fullHeader().plays, plays) << "set before realize: " << count;
        EXPECT_EQ(after->nativePlayer->fullHeader().plays, plays) << "set after realize: " << count;
    }
}

TEST_F(Media, VolumeControlIsFoundByShortAndFullNameItsLevelIsClampedAndMuteKeepsTheLevel) {
    VMPtr<OstrelPlayer> player = wavPlayer(kRealized);
    const std::vector<std::pair<const char*, bool>> names = {
        {"VolumeControl", true}, {"javax.microedition.media.control.VolumeControl", true}, {"ToneControl", false},
        {"javax.microedition.media.control.ToneControl", false}, {"volumecontrol", false}, {"other.VolumeControl", false},
    };
    for (const auto& [name, found] : names)
        EXPECT_EQ(player->getControl(text(name)).get(), found ? static_cast<Control*>(player.get()) : nullptr) << name;
    EXPECT_EQ(outcome([&] { return std::to_string(bool(player->getControl(nullptr))); }),
              "IllegalArgumentException: Invalid control type passed to Player.getControl");
    EXPECT_EQ(player->getLevel(), -1) << "unknown before prefetch";
    player->prefetch();
    EXPECT_EQ(player->getLevel(), 100) << "the platform's level";
    auto platformLevel = [&] {
        int32_t level = -1;
        HAL_getPlayerVolume(&level, player->nativePlayer);
        return level;
    };
    for (const auto& [asked, kept] : std::vector<std::pair<int32_t, int32_t>>{{150, 100}, {-3, 0}, {40, 40}, {7, 7}}) {
        EXPECT_EQ(player->setLevel(asked), kept) << asked;
        EXPECT_EQ(platformLevel(), kept) << asked;
    }
    player->setMute(true);
    EXPECT_EQ(player->setLevel(70), 7) << "no change while muted";
    EXPECT_EQ(std::make_tuple(player->isMuted(), platformLevel(), player->getLevel()), std::make_tuple(true, 0, 7));
    player->setMute(false);
    EXPECT_EQ(std::make_tuple(player->isMuted(), platformLevel(), player->getLevel()), std::make_tuple(false, 7, 7));
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
    EXPECT_EQ(HAL_getPlayerCount(), 1);
    player = nullptr;
    vm->collect();
    EXPECT_EQ(HAL_getPlayerCount(), 0);
}

TEST(KvOstrel, OrientationAndTheInvertedKeepAliveFlag) {
    testRuntime();
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
    EXPECT_EXIT((testRuntime(), Manager::createPlayer(text("x-jar:/a.wav"))->setTimeBase(nullptr)), testing::ExitedWithCode(1),
                "Player.setTimeBase is not implemented");
    EXPECT_EXIT((testRuntime(), Manager::createPlayer(text("x-jar:/a.wav"))->getTimeBase()), testing::ExitedWithCode(1),
                "Player.getTimeBase is not implemented");
}

}  // namespace mediatest
