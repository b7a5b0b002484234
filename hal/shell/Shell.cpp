#include "hal/shell/Shell.h"

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <spawn.h>
#include <string>
#include <thread>
#include <utility>

#include "hal/audio/Players.h"
#include "hal/base/FatalError.h"
#include "hal/base/HALString.h"
#include "hal/base/HALThread.h"
#include "hal/base/KeepAlive.h"
#include "hal/base/Memory.h"
#include "hal/base/MemoryBudget.h"
#include "hal/base/VMCallbacks.h"
#include "hal/base/VMLock.h"
#include "hal/display/Displays.h"
#include "hal/display/FontCache.h"
#include "hal/display/HALDisplayable.h"
#include "hal/display/HALScreenBuffer.h"
#include "hal/host/HostBackend.h"
#include "hal/input/DeviceLibraries.h"
#include "hal/net/InternetSession.h"
#include "hal/services/Properties.h"
#include "hal/services/RecordStoreLock.h"
#include "hal/services/Utf8.h"
#include "hal/shell/SingleInstance.h"
#include "lib_src/vm/VMEvents.h"

extern char** environ;

using namespace host;

namespace {

constexpr uint32_t kSettingChangeRotation = 0x3002;

struct ShellState {
    std::thread::id uiThread;
    HALThread* mainThread = nullptr;
    HALString* pendingUrl = nullptr;
    bool active = true, focused = true, powered = true;
    bool opticalMouse = false;  // the optional optical mouse was found at start
    HALDisplayable* current = nullptr;
    bool windowExists = false;
};

ShellState shell;
// What the loop ends with once the window is destroyed.
std::atomic<int> exitCode{0};
// Whether the next frame presented is reported (kReportFirstFrameVariable).
bool reportNextFrame = false;

std::string applicationName() {
    const char16_t* name = HAL_getMIDletName();
    size_t length = 0;
    while (name && name[length]) ++length;
    const std::string utf8 = HAL_utf16ToUtf8(name, length);
    HAL_releaseMIDletName(name);
    return utf8.empty() ? kDefaultWindowName : utf8;
}

std::string windowFailure() {
    const std::string& reason = hostBackend().openFailure();
    return reason.empty() ? std::string("The window could not be opened (") + hostBackend().name() + " backend)." : reason;
}

bool createAppWindow() {
    const std::string name = applicationName();
    if (!HAL_acquireInstanceLock(name)) {
        std::fprintf(stderr, "%s is already running.\n", name.c_str());
        return false;  // another instance runs: this one ends
    }
    shell.windowExists = hostBackend().openWindow(name);
    if (!shell.windowExists) std::fprintf(stderr, "%s\n", windowFailure().c_str());
    return shell.windowExists;
}

void bootRuntime() {
    HAL_enterVMLock();
    uint64_t first, heapLimit, heapCeiling;
    HAL_getMemoryBudget(&first, &heapLimit, &heapCeiling);
    const int result = HAL_vmCallbacks().initVM(heapLimit, heapCeiling, shell.mainThread, kBootClassName, 0);
    if (result == CALLBACK_INITIALIZATION_FAILED) HAL_fatalError("init() failed with CALLBACK_INITIALIZATION_FAILED error (probably a bad boot class name).");
    if (result == CALLBACK_UNCAUGHT_EXCEPTION) HAL_fatalError("init() failed with CALLBACK_UNCAUGHT_EXCEPTION.");
    if (result != 0) HAL_fatalError("init() failed with an unknown error!");
    HAL_vmCallbacks().collect();
    HAL_leaveVMLock();
}

void destroyMainWindow() {
    if (!shell.windowExists) return;
    shell.windowExists = false;
    hostBackend().closeWindow();
    HAL_postMessage(kMsgQuit, uint64_t(exitCode.load()), 0);  // the window's destruction ends the loop
}

// On the UI thread: from now on no event but the exit event reaches the runtime, which is
// then destroyed (its threads get their bounded time to stop).
void exitSequence() {
    HAL_setExiting(true);
    HAL_enterVMLock();
    HAL_vmCallbacks().makeCurrent();
    HAL_vmCallbacks().dispatchEvent(kEventExit, 0, nullptr);
    HAL_vmCallbacks().destroyVM();
    HAL_leaveVMLock();
}

void pauseAllPlayers() {
    HAL_enterVMLock();
    HAL_vmCallbacks().makeCurrent();
    HAL_pauseAllPlayers();
    HAL_leaveVMLock();
}

// Becoming inactive pauses every player, in list order, before the pause event.
void updateActiveState() {
    const bool nowActive = shell.focused && shell.powered;
    if (nowActive == shell.active) return;
    shell.active = nowActive;
    if (!nowActive) pauseAllPlayers();
    HAL_postEvent(nowActive ? kEventResume : kEventPause, 0, nullptr, 1);
}

int64_t windowProc(uint32_t message, uint64_t wParam, int64_t lParam) {
    if (shell.current != nullptr) return shell.current->handleMessage(message, wParam, lParam);
    return HAL_defaultWindowProc(message, wParam, lParam);
}

// A player's end, posted by the audio thread; no player event reaches a runtime that is
// going away.
void applyAudioFinished(const HostMessage& m) {
    if (!HAL_isExiting()) HAL_applyAudioFinished(m.wParam, m.lParam);
}

// The project's own messages, handled before any window procedure.
bool handleOwnMessage(const HostMessage& m) {
    switch (m.message) {
    case kMsgRunSerially: HAL_runSerialCalls(); return true;
    case kMsgKeepAwake: hostBackend().keepAwake(m.wParam != 0); return true;
    case kMsgAudioFinished: applyAudioFinished(m); return true;
    case kMsgWake: return true;
    default: return false;
    }
}

// Key messages: the character messages the key produced are handled first, so the key
// handling knows the character.
void dispatch(const HostMessage& m) {
    if (handleOwnMessage(m)) return;
    if (m.message == kMsgKeyDown || m.message == kMsgKeyUp) {
        HostMessage character{};
        while (hostBackend().queue().takeFirst(kMsgChar, &character)) windowProc(character.message, character.wParam, character.lParam);
    }
    windowProc(m.message, m.wParam, m.lParam);
}

bool framePending() {
    return shell.current && shell.current->screenBuffer && shell.current->screenBuffer->isFlushPending();
}

// Active pass: every queued message under the VM lock, then the pending frame. Returns
// true when the loop is done (*result set from the quit message).
bool activePass(int* result) {
    MessageQueue& queue = hostBackend().queue();
    hostBackend().waitForMessages(0);  // host input becomes messages
    bool done = false;
    HAL_enterVMLock();
    HAL_vmCallbacks().makeCurrent();
    HostMessage m{};
    while (!done && queue.take(&m)) {
        if (m.message == kMsgQuit) {
            *result = int(m.wParam);
            done = true;
        } else {
            dispatch(m);
        }
    }
    if (shell.active && !done && shell.current) HAL_flushPendingScreenBuffer(shell.current->screenBuffer);
    // Read under the VM lock: other threads switch and delete displayables while holding
    // it. A frame flushed after the lock is left wakes the wait below.
    const bool pending = framePending();
    HAL_leaveVMLock();
    // Nothing to do: sleep (without the VM lock) until a message arrives or a frame is flushed.
    if (!done && shell.active && queue.empty() && !pending) hostBackend().waitForMessages(-1);
    return done;
}

// Inactive pass: wait for one message without the VM lock, then dispatch it. A quit met
// here ends the loop with the result left at 1.
bool inactivePass() {
    MessageQueue& queue = hostBackend().queue();
    HostMessage m{};
    while (!queue.take(&m)) hostBackend().waitForMessages(-1);
    if (m.message == kMsgQuit) return true;
    HAL_enterVMLock();
    HAL_vmCallbacks().makeCurrent();
    dispatch(m);
    HAL_leaveVMLock();
    return false;
}

void defaultBrowser(const char* url) {
    pid_t child;
    const char* argv[] = {"xdg-open", url, nullptr};
    posix_spawnp(&child, "xdg-open", nullptr, nullptr, const_cast<char* const*>(argv), environ);
}

std::atomic<void (*)(const char*)> browser{&defaultBrowser};

void launchPendingURL() {
    HALString* url = shell.pendingUrl;
    shell.pendingUrl = nullptr;
    if (url == nullptr) return;
    if (url->length() > 0) browser.load()(HAL_utf16ToUtf8(url->chars(), url->length()).c_str());
    url->release();
}

}  // namespace

void HAL_setBrowserLauncher(void (*launcher)(const char* url)) { browser = launcher ? launcher : &defaultBrowser; }

bool HAL_appInit() {
    shell = ShellState{};
    exitCode = 0;
    shell.uiThread = std::this_thread::get_id();
    reportNextFrame = std::getenv(kReportFirstFrameVariable) != nullptr;
    HAL_reserveMemory();
    HAL_initPropertyLists();
    HAL_addPlatformProperties();  // reads both property files first
    if (!createAppWindow()) return false;
    HAL_initAudio();
    shell.mainThread = HAL_getCurrentThread();
    if (shell.mainThread == nullptr && HAL_createMainThreadRecord(&shell.mainThread) != 0) return false;
    HAL_setSerialCallNotifier([] { HAL_postMessage(kMsgRunSerially); });
    // Keeping the display awake is the window's business: any thread asks, the UI thread acts.
    HAL_setKeepAliveSink([](bool enabled, uint32_t) { HAL_postMessage(kMsgKeepAwake, enabled ? 1 : 0); });
    HAL_createRecordStoreLock();
    HAL_initRotationTable();
    HAL_createFontCache();
    HAL_loadSamsungSdk();
    shell.opticalMouse = HAL_hasOpticalMouse();
    if (shell.opticalMouse) HAL_setOpticalMouseMode(1);
    HAL_loadTiltSensor();
    bootRuntime();
    return true;
}

int HAL_messageLoop() {
    int result = 1;
    for (bool done = false; !done;) done = shell.active ? activePass(&result) : inactivePass();
    return result;
}

void HAL_appShutdown() {
    launchPendingURL();
    HAL_setKeepAliveSink(nullptr);  // the loop has ended: let the display sleep directly
    HAL_setKeepAlive(0);
    hostBackend().keepAwake(false);
    HAL_closeInternet();
    HAL_releaseAudio();
    HAL_setSerialCallNotifier(nullptr);
    HAL_closeTiltSensor();
    HAL_deleteFontCache();
    HAL_deleteMainThreadRecord(shell.mainThread);
    shell.mainThread = nullptr;
    HAL_releaseInstanceLock();
    HAL_freeProperties();
    HAL_releaseReserveMemory();
}

int HAL_appMain() {
    if (!HAL_appInit()) return 1;
    const int result = HAL_messageLoop();
    HAL_appShutdown();
    return result;
}

void HAL_setExitCode(int code) { exitCode = code; }

int HAL_requestExit() {
    HAL_postMessage(kMsgExitRequest);
    return 0;
}

int HAL_openURL(const char16_t* characters, int32_t length, uint8_t* mustExit) {
    HALString* url = new HALString(characters, uint32_t(length < 0 ? 0 : length));
    if (shell.pendingUrl) shell.pendingUrl->release();
    shell.pendingUrl = url;
    if (mustExit) *mustExit = 1;
    return 0;
}

HALString* HAL_pendingURL() { return shell.pendingUrl; }

bool HAL_hasMainWindow() { return shell.windowExists; }

void HAL_bringMainWindowToFront() {
    if (shell.windowExists) hostBackend().raiseWindow();
}

bool HAL_isMainWindowVisible() { return shell.windowExists && hostBackend().isWindowOpen(); }

HALDisplayable* HAL_getCurrentDisplayable() { return shell.current; }

void HAL_setWindowDisplayable(HALDisplayable* displayable) {
    shell.current = displayable;
    HAL_postMessage(kMsgPaint);  // repaint with the new content
}

void HAL_forgetDisplayable(HALDisplayable* displayable) {
    if (shell.current == displayable) shell.current = nullptr;
}

void HAL_getMainWindowClientSize(int32_t* width, int32_t* height) {
    if (width) *width = kScreenWidth;
    if (height) *height = kScreenHeight;
}

void HAL_setFocused(int focused) {
    if (bool(focused) == shell.focused) return;
    shell.focused = focused != 0;
    if (shell.focused && shell.opticalMouse) HAL_setOpticalMouseMode(1);  // another application may have changed it
    updateActiveState();
}

void HAL_setPowerOn(int powered) {
    if (bool(powered) == shell.powered) return;
    shell.powered = powered != 0;
    updateActiveState();
}

bool HAL_isActive() { return shell.active; }

bool HAL_isUIThread() { return std::this_thread::get_id() == shell.uiThread; }

void HAL_postMessage(uint32_t message, uint64_t wParam, int64_t lParam) {
    hostBackend().queue().post(message, wParam, lParam);
}

void HAL_wakeUIThread() { hostBackend().queue().wake(); }

void HAL_presentFrame(const uint16_t* pixels, int32_t width, int32_t height, int32_t stride) {
    if (!shell.windowExists) return;
    hostBackend().presentFrame(pixels, width, height, stride);
    if (!std::exchange(reportNextFrame, false)) return;
    std::fputs(kFirstFrameLine, stdout);
    std::fflush(stdout);
}

int64_t HAL_defaultWindowProc(uint32_t message, uint64_t, int64_t) {
    switch (message) {
    case kMsgClose:
    case kMsgExitRequest:  // closing asks to exit at any time, also before anything is shown
        exitSequence();
        destroyMainWindow();
        return 0;
    case kMsgDestroy:
        HAL_postMessage(kMsgQuit, 0, 0);
        return 0;
    case kMsgActivate:
        return 0;
    default:
        return 0;
    }
}

int64_t HAL_mainWindowProc(HALDisplayable* displayable, uint32_t message, uint64_t wParam, int64_t lParam) {
    switch (message) {
    case kMsgSize:
        HAL_reapplyOrientation();
        displayable->updateSize();
        return 0;
    case kMsgSettingChange:
        if (wParam == kSettingChangeRotation) {
            HAL_reapplyOrientation();
            displayable->updateSize();
        }
        return 0;
    case kMsgActivate: {
        const uint32_t state = uint32_t(wParam & 0xFFFF), minimized = uint32_t(wParam >> 16);
        if (minimized == 0 && (state == kActive || state == kClickActive)) {
            HAL_setFocused(1);
            displayable->setFullScreenMode(displayable->fullScreen);
        } else {
            HAL_setFocused(0);
        }
        return 0;
    }
    case kMsgPaint:
    case kMsgPhoneStatusChanged:
    case kMsgUnreadMessagesChanged:
    case kMsgSetOrientation:  // this display cannot rotate
        return 0;
    case kMsgEraseBackground:
        return -1;
    case kMsgCollect:
        HAL_vmCallbacks().collect();
        return 0;
    case kMsgPowerChanged:
        HAL_setPowerOn(wParam == 1 ? 1 : 0);
        return 0;
    default:
        return HAL_defaultWindowProc(message, wParam, lParam);
    }
}
