#pragma once

// The profile's media players on the platform side: creating players from bytes, files and
// resources, their operations, the process-wide player list and player listener, and what
// the shell needs (pausing every player, applying a reported end, the release at exit).
//
// Result codes: 0 ok, 1 not implemented (an unsupported kind), 2 a null player or output or
// a bad argument, 4 a file that cannot be opened, 5 out of memory, 6 a sound the platform
// cannot play or a device failure, 7 an empty or unreadable file.
//
// Threads: under the VM lock, as the profile calls them; the shell calls its functions on
// the UI thread under the VM lock too. The audio thread only posts the private message
// kMsgAudioFinished (the player in wParam, the play serial in lParam), which the shell hands
// to HAL_applyAudioFinished.

#include <cstdint>

class HALPlayer;
class AudioMixer;

enum HALPlayerEvent : int32_t {
    kPlayerStarted = 0,
    kPlayerPaused = 1,
    kPlayerEndOfMedia = 2,
    kPlayerStopped = 4,
    kPlayerVolumeChanged = 5,
    kPlayerClosed = 6,
    kPlayerMediaTimeSet = 7,
};

enum HALMediaSource : int32_t { kSourceFile = 4, kSourceResource = 5 };

// Called with (context, player, event, media time low word, high word, argument); the
// argument is the new level for a volume change, else 0.
using HALPlayerListener = void (*)(void* context, HALPlayer* player, int32_t event, int32_t timeLow, int32_t timeHigh,
                                   int32_t argument);
void HAL_setPlayerListener(void* context, HALPlayerListener callback);
void HAL_firePlayerEvent(HALPlayer* player, int32_t event, int32_t argument);

// Kinds 1 and 2: a WAV clip (the bytes are copied); 6: a single-track MIDI file (converted).
// loopCount -1 plays for ever, n repeats n more times. 1 for any other kind.
int HAL_createPlayerWithData(HALPlayer** out, const uint8_t* bytes, int32_t length, int32_t kind, int32_t loopCount);
// A WAV player from a file (source 4: the locator without its first two characters is the
// path) or a resource (source 5: the loader's result is passed on). 1 when the kind is not
// 1 or 2; 2 for another source.
int HAL_createPlayerWithLocator(HALPlayer** out, int32_t source, const char16_t* locator, int32_t length, int32_t kind,
                                int32_t loopCount);
// The kinds playable for a kind code: {2} for 2 (WAV), {6} for 6 (MIDI), none for others;
// the count is returned and *kinds (when given) points at the list.
int32_t HAL_getSupportedKinds(int32_t code, const int32_t** kinds);
bool HAL_isSupportedSource(int32_t source);

int HAL_prefetchPlayer(HALPlayer* player);
int HAL_startPlayer(HALPlayer* player);
int HAL_pausePlayer(HALPlayer* player);
int HAL_stopPlayer(HALPlayer* player);
// Stops (event 4), closes (event 6), frees the player and removes it from the list.
int HAL_closePlayer(HALPlayer* player);
int HAL_setPlayerLoopCount(HALPlayer* player, int32_t loopCount);
// 0 realized, 2 started, 1 for every other state.
int HAL_getPlayerState(int32_t* state, HALPlayer* player);
int HAL_getPlayerKind(int32_t* kind, HALPlayer* player);
// Microseconds (0 for MIDI).
int HAL_getPlayerDuration(int64_t* microseconds, HALPlayer* player);
int HAL_getPlayerMediaTime(int64_t* microseconds, HALPlayer* player);
// 2 for a negative time or one beyond the duration; event 7.
int HAL_setPlayerMediaTime(HALPlayer* player, int64_t microseconds);
int HAL_getPlayerVolume(int32_t* level, HALPlayer* player);
int HAL_setPlayerVolume(HALPlayer* player, int32_t level);

// Reads a file locator's file whole into a new counted block: 4 cannot open, 5 no memory,
// 7 empty or unreadable.
int HAL_readWholeFile(const char16_t* locator, int32_t length, uint8_t** data, int32_t* size);

// The open players in creation order.
int32_t HAL_getPlayerCount();
HALPlayer* HAL_getPlayerAt(int32_t index);
// Pauses every player, in list order (the application became inactive).
void HAL_pauseAllPlayers();
// The UI thread's handling of kMsgAudioFinished: ends the player's play when it is still
// open and the serial is its current one.
void HAL_applyAudioFinished(uint64_t wParam, int64_t lParam);
// At start, on the UI thread (SDL's calls belong to it): starts the sound output.
void HAL_initAudio();
// At exit, after the runtime is gone: frees every player left (no events) and stops the
// sound output.
void HAL_releaseAudio();

// The process's mixer, with its sound output started unless rendering is manual (the
// shell starts it first; programs without the shell get it on first use).
AudioMixer& HAL_audioMixer();
// Tests: the process's mixer gets no output thread; the test renders it by hand.
void HAL_setManualAudioRendering(bool manual);
