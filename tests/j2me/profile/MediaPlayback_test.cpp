// WAV and MIDI players started from a managed thread play to their end through the shell's
// silent output; the end reaches the listener on the UI thread and the player is PREFETCHED.

#include <atomic>

#include "hal/audio/Players.h"
#include "hal/shell/Shell.h"
#include "pb_src/j2me/com_kelvane_ostrel_media_Player.h"
#include "pb_src/j2me/kv_platform_ostrel_KvOstrel.h"
#include "tests/hal/audio/AudioFixtures.h"
#include "tests/j2me/profile/ProfileScenario.h"

namespace {

using javax::microedition::media::Player;
using ByteArray = VMArray<int8_t, 1>;

std::atomic<HALPlayer*> endedPlayer{nullptr};

void recordEnd(void*, HALPlayer* player, int32_t event, int32_t, int32_t, int32_t) {
    if (event == kPlayerEndOfMedia) endedPlayer = player;
}

VMPtr<ByteArray> array(const audio_test::Bytes& bytes) {
    VMPtr<ByteArray> made = ByteArray::_VM_new(int32_t(bytes.size()));
    for (size_t i = 0; i < bytes.size(); ++i) made->elements()[i] = int8_t(bytes[i]);
    return made;
}

struct Clip {
    const char* name;
    audio_test::Bytes bytes;
    const char* type;
    int64_t duration;  // as the platform reports it: none for MIDI
};

TEST(MediaPlayback, WavAndMidiPlayToTheirEndThroughTheSilentOutput) {
    ProfileHarness harness;
    static const std::vector<Clip> clips = {
        {"wav", audio_test::constantWav(500, 4410), "audio/x-wav", 100000},
        {"midi", audio_test::noteFile(100, 20), "audio/midi", 0},
    };
    static std::vector<std::string> log;
    HAL_setPlayerListener(nullptr, &recordEnd);
    onStart = [] {
        startThread([] {
            for (const Clip& clip : clips) {
                endedPlayer = nullptr;
                VMPtr<ByteArray> bytes = array(clip.bytes);
                VMPtr<Player> player =
                    kv::platform::ostrel::KvOstrel::createPlayer(bytes, 0, bytes->length, VMPtr<java::lang::String>::fromLiteral(clip.type));
                player->realize();
                player->prefetch();
                player->start();
                const int32_t started = player->getState();
                for (const WaitLimit limit; endedPlayer == nullptr && !limit.reached();) java::lang::Thread::sleep(1);
                auto* own = dynamic_cast<com::kelvane::ostrel::media::Player*>(player.get());
                log.push_back(std::string(clip.name) + " " + std::to_string(started) + " " + std::to_string(endedPlayer == own->nativePlayer) +
                              " " + std::to_string(player->getState()) + " " + std::to_string(player->getDuration() == clip.duration));
                player->close();
            }
            HAL_requestExit();
        });
    };
    EXPECT_EQ(HAL_appMain(), 0);
    EXPECT_EQ(log, (std::vector<std::string>{"wav 400 1 300 1", "midi 400 1 300 1"}));
}

}  // namespace
