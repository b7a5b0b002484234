#include "hal/audio/Players.h"

#include <cerrno>
#include <climits>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

#include "hal/audio/AudioMixer.h"
#include "hal/audio/HALPlayer.h"
#include "hal/base/HALResult.h"
#include "hal/base/Memory.h"
#include "hal/host/HostBackend.h"
#include "hal/services/HALPtrArray.h"
#include "hal/services/ResourceFiles.h"
#include "hal/services/Utf8.h"

namespace {

constexpr int32_t kWavKinds[] = {HALPlayer::kKindWav};
constexpr int32_t kMidiKinds[] = {HALPlayer::kKindMidi};

// Guarded by the VM lock.
HALPtrArray* players = nullptr;
void* listenerContext = nullptr;
HALPlayerListener listener = nullptr;
bool manualRendering = false;

// On the audio thread: only a post to the UI thread.
void postFinished(void* owner, uint64_t serial) {
    host::hostBackend().queue().post(host::kMsgAudioFinished, uint64_t(reinterpret_cast<uintptr_t>(owner)), int64_t(serial));
}

bool isOpen(HALPlayer* player) { return players != nullptr && players->indexOf(player) >= 0; }

int addToList(HALPlayer* player, HALPlayer** out) {
    if (players == nullptr) players = HALPtrArray::create();
    if (players == nullptr || players->append(player) != HAL_OK) {
        player->closeSilently();
        HALPlayer::destroy(player);
        return HAL_OUT_OF_MEMORY;
    }
    *out = player;
    return HAL_OK;
}

int createWave(HALPlayer** out, const uint8_t* bytes, int32_t length, int32_t loopCount) {
    if (length < 0 || (bytes == nullptr && length > 0)) return HAL_BAD_ARGUMENT;
    auto* copy = static_cast<uint8_t*>(HAL_malloc(size_t(length)));
    if (copy == nullptr) return HAL_OUT_OF_MEMORY;
    if (length > 0) std::memcpy(copy, bytes, size_t(length));
    return HALPlayer::openWave(copy, length, loopCount, out);
}

// Reads size bytes of the descriptor into a new counted block.
int readAll(int descriptor, size_t size, uint8_t** data) {
    auto* buffer = static_cast<uint8_t*>(HAL_malloc(size));
    if (buffer == nullptr) return HAL_OUT_OF_MEMORY;
    for (size_t done = 0; done < size;) {
        const ssize_t got = pread(descriptor, buffer + done, size - done, off_t(done));
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) {
            HAL_free(buffer);
            return HAL_IO_ERROR;
        }
        done += size_t(got);
    }
    *data = buffer;
    return HAL_OK;
}

}  // namespace

void HAL_setPlayerListener(void* context, HALPlayerListener callback) {
    listenerContext = context;
    listener = callback;
}

void HAL_firePlayerEvent(HALPlayer* player, int32_t event, int32_t argument) {
    if (listener == nullptr) return;
    int64_t time = 0;
    if (player->mediaTime(&time) != HAL_OK) time = 0;
    listener(listenerContext, player, event, int32_t(uint64_t(time) & 0xFFFFFFFF), int32_t(uint64_t(time) >> 32), argument);
}

int HAL_createPlayerWithData(HALPlayer** out, const uint8_t* bytes, int32_t length, int32_t kind, int32_t loopCount) {
    if (out == nullptr) return HAL_BAD_ARGUMENT;
    *out = nullptr;
    HALPlayer* player = nullptr;
    int result;
    if (kind == 1 || kind == HALPlayer::kKindWav) {
        result = createWave(&player, bytes, length, loopCount);
    } else if (kind == HALPlayer::kKindMidi) {
        result = HALPlayer::openMidi(bytes, length, loopCount, &player);
    } else {
        return HAL_NOT_IMPLEMENTED;
    }
    return result != HAL_OK ? result : addToList(player, out);
}

int HAL_createPlayerWithLocator(HALPlayer** out, int32_t source, const char16_t* locator, int32_t length, int32_t kind,
                                int32_t loopCount) {
    if (out == nullptr) return HAL_BAD_ARGUMENT;
    *out = nullptr;
    if (kind != 1 && kind != HALPlayer::kKindWav) return HAL_NOT_IMPLEMENTED;
    uint8_t* data = nullptr;
    int32_t size = 0;
    int result;
    if (source == kSourceFile) {
        result = HAL_readWholeFile(locator, length, &data, &size);
    } else if (source == kSourceResource) {
        result = HAL_loadResource(locator, length, &data, &size);
    } else {
        return HAL_BAD_ARGUMENT;
    }
    if (result != HAL_OK) return result;
    HALPlayer* player = nullptr;
    result = HALPlayer::openWave(data, size, loopCount, &player);  // the read buffer becomes the player's
    return result != HAL_OK ? result : addToList(player, out);
}

int32_t HAL_getSupportedKinds(int32_t code, const int32_t** kinds) {
    const int32_t* list = code == HALPlayer::kKindWav ? kWavKinds : code == HALPlayer::kKindMidi ? kMidiKinds : nullptr;
    if (kinds != nullptr) *kinds = list;
    return list != nullptr ? 1 : 0;
}

bool HAL_isSupportedSource(int32_t source) { return source == kSourceFile || source == kSourceResource; }

int HAL_prefetchPlayer(HALPlayer* player) { return player ? player->prefetch() : HAL_BAD_ARGUMENT; }
int HAL_startPlayer(HALPlayer* player) { return player ? player->start() : HAL_BAD_ARGUMENT; }
int HAL_pausePlayer(HALPlayer* player) { return player ? player->pause() : HAL_BAD_ARGUMENT; }
int HAL_stopPlayer(HALPlayer* player) { return player ? player->stop() : HAL_BAD_ARGUMENT; }

int HAL_closePlayer(HALPlayer* player) {
    if (player == nullptr) return HAL_BAD_ARGUMENT;
    const int result = player->close();
    if (players != nullptr) players->remove(player);
    HALPlayer::destroy(player);
    return result;
}

int HAL_setPlayerLoopCount(HALPlayer* player, int32_t loopCount) {
    if (player == nullptr || loopCount < -1) return HAL_BAD_ARGUMENT;
    player->setLoopCount(loopCount);
    return HAL_OK;
}

int HAL_getPlayerState(int32_t* state, HALPlayer* player) {
    if (state == nullptr || player == nullptr) return HAL_BAD_ARGUMENT;
    const int32_t s = player->state();
    *state = s == HALPlayer::kRealized || s == HALPlayer::kStarted ? s : HALPlayer::kPrefetched;
    return HAL_OK;
}

int HAL_getPlayerKind(int32_t* kind, HALPlayer* player) {
    if (kind == nullptr || player == nullptr) return HAL_BAD_ARGUMENT;
    *kind = player->kind();
    return HAL_OK;
}

int HAL_getPlayerDuration(int64_t* microseconds, HALPlayer* player) {
    if (microseconds == nullptr || player == nullptr) return HAL_BAD_ARGUMENT;
    *microseconds = player->durationMicroseconds();
    return HAL_OK;
}

int HAL_getPlayerMediaTime(int64_t* microseconds, HALPlayer* player) {
    if (microseconds == nullptr || player == nullptr) return HAL_BAD_ARGUMENT;
    return player->mediaTime(microseconds);
}

int HAL_setPlayerMediaTime(HALPlayer* player, int64_t microseconds) {
    return player ? player->setMediaTime(microseconds) : HAL_BAD_ARGUMENT;
}

int HAL_getPlayerVolume(int32_t* level, HALPlayer* player) {
    if (level == nullptr || player == nullptr) return HAL_BAD_ARGUMENT;
    return player->volume(level);
}

int HAL_setPlayerVolume(HALPlayer* player, int32_t level) { return player ? player->setVolume(level) : HAL_BAD_ARGUMENT; }

int HAL_readWholeFile(const char16_t* locator, int32_t length, uint8_t** data, int32_t* size) {
    if (data == nullptr || size == nullptr) return HAL_BAD_ARGUMENT;
    *data = nullptr;
    *size = 0;
    const std::string path = locator != nullptr && length > 2 ? HAL_utf16ToUtf8(locator + 2, size_t(length - 2)) : "";
    if (path.empty() || path.find('\0') != std::string::npos) return HAL_NOT_FOUND;
    const int descriptor = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (descriptor < 0) return HAL_NOT_FOUND;
    struct stat info;
    int result = HAL_IO_ERROR;
    if (fstat(descriptor, &info) == 0 && info.st_size > 0) {
        result = info.st_size > INT32_MAX ? HAL_OUT_OF_MEMORY : readAll(descriptor, size_t(info.st_size), data);
        if (result == HAL_OK) *size = int32_t(info.st_size);
    }
    close(descriptor);
    return result;
}

int32_t HAL_getPlayerCount() { return players != nullptr ? players->size() : 0; }

HALPlayer* HAL_getPlayerAt(int32_t index) { return players != nullptr ? static_cast<HALPlayer*>(players->at(index)) : nullptr; }

void HAL_pauseAllPlayers() {
    for (int32_t i = 0; i < HAL_getPlayerCount(); ++i) HAL_getPlayerAt(i)->pause();
}

void HAL_applyAudioFinished(uint64_t wParam, int64_t lParam) {
    auto* player = reinterpret_cast<HALPlayer*>(uintptr_t(wParam));
    if (isOpen(player)) player->endReported(uint64_t(lParam));
}

void HAL_initAudio() { HAL_audioMixer(); }

void HAL_releaseAudio() {
    for (int32_t i = 0; i < HAL_getPlayerCount(); ++i) {
        HALPlayer* player = HAL_getPlayerAt(i);
        player->closeSilently();
        HALPlayer::destroy(player);
    }
    HALPtrArray::destroy(players);
    players = nullptr;
    AudioMixer::process().stopOutput();
}

AudioMixer& HAL_audioMixer() {
    AudioMixer& mixer = AudioMixer::process();
    mixer.setFinishNotifier(&postFinished);
    if (!manualRendering) mixer.startOutput();
    return mixer;
}

void HAL_setManualAudioRendering(bool manual) { manualRendering = manual; }
