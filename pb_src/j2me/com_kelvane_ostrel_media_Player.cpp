#include "pb_src/j2me/com_kelvane_ostrel_media_Player.h"

#include <algorithm>
#include <string>

#include "hal/audio/Players.h"
#include "hal/base/FatalError.h"
#include "hal/base/VMCallbacks.h"
#include "lib_src/vm/VMException.h"
#include "pb_src/j2me/java_lang_ArrayIndexOutOfBoundsException.h"
#include "pb_src/j2me/java_lang_IllegalArgumentException.h"
#include "pb_src/j2me/java_lang_IllegalStateException.h"
#include "pb_src/j2me/java_lang_NullPointerException.h"
#include "pb_src/j2me/javax_microedition_media_Manager.h"
#include "pb_src/j2me/javax_microedition_media_MediaException.h"

namespace com::kelvane::ostrel::media {

VM_DEFINE_CLASS(Player, "com.kelvane.ostrel.media.Player", "java.lang.Object", VM_NO_CLINIT)
VM_IMPLEMENTS(Player, "javax.microedition.media.Player")
VM_IMPLEMENTS(Player, "javax.microedition.media.control.VolumeControl")

namespace {

using ::javax::microedition::media::Manager;
using ::javax::microedition::media::MediaException;
using LiteralString = VMPtr<::java::lang::String>;

constexpr int kNotImplemented = 1;
constexpr char kVolumeControlType[] = "javax.microedition.media.control.VolumeControl";

enum class Failure { Exception, Fatal };

// 0 passes; 1 (the platform lacks the operation) ends the process with notImplemented; any
// other result throws MediaException with the failure message, or ends the process with it.
void check(int result, const char* notImplemented, const char* failure, Failure how) {
    if (result == 0) return;
    if (result == kNotImplemented || how == Failure::Fatal) HAL_fatalError(result == kNotImplemented ? notImplemented : failure);
    ::vm::throwNew<MediaException>(LiteralString::fromLiteral(failure));
}

[[noreturn]] void throwIllegalState(const char* message) {
    if (message == nullptr) ::vm::throwNew<::java::lang::IllegalStateException>();
    ::vm::throwNew<::java::lang::IllegalStateException>(LiteralString::fromLiteral(message));
}

// The platform's loop argument: -1 plays for ever, n repeats n more times.
int32_t platformLoops(int32_t count) { return count < 0 ? -1 : count - 1; }

}  // namespace

VMPtr<Player> Player::_VM_init(VMPtr<String> locator) {
    Object::_VM_init();
    sourceKind = Manager::getLocatorProtocolKind(locator);
    sourcePath = Manager::getLocatorRemainder(locator);
    if (!HAL_isSupportedSource(sourceKind)) ::vm::throwNew<MediaException>();
    return this;
}

VMPtr<Player> Player::_VM_init(VMPtr<ByteArray> bytes, int32_t offset, int32_t length, VMPtr<String> type) {
    Object::_VM_init();
    if (!bytes) ::vm::throwNew<::java::lang::NullPointerException>();
    // Subtraction form: offset + length could wrap in 32 bits.
    if (offset < 0 || offset >= bytes->length || length < 0 || length > bytes->length - offset)
        ::vm::throwNew<::java::lang::ArrayIndexOutOfBoundsException>();
    const int32_t kind = Manager::getKindForContentType(type);
    if (kind != 1 && HAL_getSupportedKinds(kind, nullptr) == 0) ::vm::throwNew<MediaException>();
    data = bytes;
    dataOffset = offset;
    dataLength = length;
    contentType = type;
    return this;
}

Player::~Player() {
    if (nativePlayer != nullptr) HAL_closePlayer(nativePlayer);
}

void Player::_VM_mark(uint32_t flags) {
    vmMarkField(data, flags);
    vmMarkField(sourcePath, flags);
    vmMarkField(contentType, flags);
}

bool Player::unrealizedOrThrow(const char* closedMessage) {
    if (nativePlayer != nullptr) return false;
    if (realized) throwIllegalState(closedMessage);
    return true;
}

void Player::realize() {
    if (nativePlayer != nullptr) return;
    if (realized) throwIllegalState("Attempting to realize closed player");
    createNativePlayer();
    realized = true;
    data = nullptr;
    sourcePath = nullptr;
    HAL_callbackCollect();  // the source bytes may go now: the platform keeps its own copy
}

void Player::createNativePlayer() {
    HALPlayer* made = nullptr;
    int result;
    if (!data) {
        const char16_t* path = sourcePath ? sourcePath->chars() : nullptr;
        result = HAL_createPlayerWithLocator(&made, sourceKind, path, sourcePath ? sourcePath->length() : 0, 1,
                                             platformLoops(loopCount));
    } else {
        const auto* bytes = reinterpret_cast<const uint8_t*>(data->elements() + dataOffset);
        result = HAL_createPlayerWithData(&made, bytes, dataLength, Manager::getKindForContentType(contentType),
                                          platformLoops(loopCount));
    }
    check(result, "Unable to realize with input type: method not implemented", "Unable to realize player", Failure::Exception);
    nativePlayer = made;
}

void Player::prefetch() {
    if (unrealizedOrThrow("Attempting to prefetch closed player")) return;
    check(HAL_prefetchPlayer(nativePlayer), "Unable to prefetch player: method not implemented", "Unable to prefetch player",
          Failure::Exception);
    if (level != -1) return;
    int32_t platformLevel = 0;
    level = HAL_getPlayerVolume(&platformLevel, nativePlayer) == 0 ? std::clamp(platformLevel, 0, 100) : 100;
}

void Player::start() {
    if (unrealizedOrThrow("Attempting to start closed player")) return;
    check(HAL_startPlayer(nativePlayer), "Unable to start player: method not implemented", "Unable to start player",
          Failure::Exception);
}

void Player::stop() {
    if (unrealizedOrThrow(nullptr)) return;
    check(HAL_pausePlayer(nativePlayer), "Unable to stop player: method not implemented", "Unable to stop player",
          Failure::Exception);
}

void Player::deallocate() {
    if (unrealizedOrThrow("Attempting to deallocate closed player")) return;
    check(HAL_stopPlayer(nativePlayer), "Unable to deallocate player: method not implemented", "Unable to deallocate player!",
          Failure::Fatal);
}

void Player::close() {
    if (nativePlayer == nullptr) return;
    const int result = HAL_closePlayer(nativePlayer);
    if (result == kNotImplemented) HAL_fatalError("Unable to close player: method not implemented");
    // The platform frees its player whatever the device said: keeping the handle after a
    // failed close would leave it pointing at freed memory.
    nativePlayer = nullptr;
}

void Player::setTimeBase(VMPtr<TimeBase>) { HAL_fatalError("Player.setTimeBase is not implemented"); }

VMPtr<::javax::microedition::media::TimeBase> Player::getTimeBase() { HAL_fatalError("Player.getTimeBase is not implemented"); }

int64_t Player::setMediaTime(int64_t now) {
    if (unrealizedOrThrow("Attempting to call setMediaTime on a closed player"))
        throwIllegalState("Attempting to call setMediaTime on an unrealized player");
    check(HAL_setPlayerMediaTime(nativePlayer, std::max<int64_t>(now, 0)), "Unable to set the player time: method not implemented",
          "Unable to set the media time for the player", Failure::Exception);
    return getMediaTime();
}

int64_t Player::getMediaTime() {
    if (unrealizedOrThrow(nullptr)) return kTimeUnknown;
    int64_t time = 0;
    check(HAL_getPlayerMediaTime(&time, nativePlayer), "Unable to get the media time: method not implemented",
          "Unable to get the media time!", Failure::Fatal);
    return time;
}

int64_t Player::getDuration() {
    if (unrealizedOrThrow(nullptr)) return kTimeUnknown;
    int64_t duration = 0;
    check(HAL_getPlayerDuration(&duration, nativePlayer), "Unable to get the player duration: method not implemented",
          "Unable to get the player duration!", Failure::Fatal);
    return duration;
}

int32_t Player::getState() {
    if (nativePlayer == nullptr) return realized ? CLOSED : UNREALIZED;
    int32_t state = 0;
    check(HAL_getPlayerState(&state, nativePlayer), "Unable to get the player state: method not implemented",
          "Unable to get the player state!", Failure::Fatal);
    return state == 2 ? STARTED : state == 1 ? PREFETCHED : REALIZED;
}

VMPtr<::java::lang::String> Player::getContentType() {
    if (unrealizedOrThrow("Player.getContentType called on a closed player"))
        throwIllegalState("Player.getContentType called on an unrealized player");
    if (contentType) return contentType;
    int32_t kind = 0;
    check(HAL_getPlayerKind(&kind, nativePlayer), "Unable to get the content type!", "Unable to get the content type!",
          Failure::Fatal);
    return kind == 0 || kind == 1 ? nullptr : Manager::getContentTypeForKind(kind);
}

void Player::setLoopCount(int32_t count) {
    if (count == 0)
        ::vm::throwNew<::java::lang::IllegalArgumentException>(LiteralString::fromLiteral("Player.setLoopCount with an invalid count."));
    if (!unrealizedOrThrow("Player.setLoopCount called on a closed player"))
        check(HAL_setPlayerLoopCount(nativePlayer, platformLoops(count)),
              "Unable to set the loop count for a realize player: method not implemented",
              "Unable to set the loop count for a realize player!", Failure::Fatal);
    loopCount = count;
}

VMPtr<::javax::microedition::media::Control> Player::getControl(VMPtr<String> controlType) {
    if (!controlType)
        ::vm::throwNew<::java::lang::IllegalArgumentException>(LiteralString::fromLiteral("Invalid control type passed to Player.getControl"));
    if (unrealizedOrThrow("Attempting to get controls for a closed player"))
        throwIllegalState("Attempting to get controls for an unrealized player");
    const std::string type = controlType->toUtf8();
    const std::string full = type.find('.') == std::string::npos ? "javax.microedition.media.control." + type : type;
    return full == kVolumeControlType ? VMPtr<Control>(static_cast<Control*>(this)) : nullptr;
}

VMPtr<VMArray<::javax::microedition::media::Control*, 1>> Player::getControls() {
    if (unrealizedOrThrow("Attempting to get controls for a closed player"))
        throwIllegalState("Attempting to get controls for an unrealized player");
    VMPtr<VMArray<Control*, 1>> controls = VMArray<Control*, 1>::_VM_new(1);
    controls->set(0, VMPtr<Control>(static_cast<Control*>(this)));
    return controls;
}

int32_t Player::setVolume(int32_t v) {
    if (nativePlayer == nullptr || !realized) return v;
    const int applied = HAL_setPlayerVolume(nativePlayer, v);
    if (applied != 0 && applied != kNotImplemented) HAL_fatalError("HAL_setPlayerVolume() failed in setVolume()!");
    int32_t reported = 0;
    const int read = HAL_getPlayerVolume(&reported, nativePlayer);
    if (read == kNotImplemented) return v;
    if (read != 0) HAL_fatalError("HAL_getPlayerVolume() failed in setVolume()!");
    return reported;
}

int32_t Player::setLevel(int32_t value) {
    if (!muted) level = setVolume(std::clamp(value, 0, 100));
    return level;
}

void Player::setMute(bool mute) {
    if (mute == muted) return;
    if (mute) {
        setVolume(0);
    } else {
        level = setVolume(level);
    }
    muted = mute;
}

}  // namespace com::kelvane::ostrel::media
