#pragma once

// The application shell: the process's entry into the platform layer, the single main
// window and its message loop (the UI thread's life), the active state with its pause and
// resume events, the exit sequence and the release order at the end. The runtime is booted
// and destroyed from here, always through the callback table.
//
// Threads: everything runs on the UI thread (the process's first thread) except
// HAL_requestExit, HAL_postMessage and HAL_wakeUIThread, which any thread may call.

#include <cstdint>

#include "hal/host/HostMessages.h"

class HALDisplayable;
class HALString;

// The window's name when the application names none.
constexpr const char* kDefaultWindowName = "_KV_set_your_MIDlet-Name";
constexpr const char* kBootClassName = "com.kelvane.ostrel.AMS";
// Set (to anything), the shell prints kFirstFrameLine on standard output once the first
// frame has reached the window: start-up can be timed from outside.
constexpr const char* kReportFirstFrameVariable = "OSTREL_REPORT_FIRST_FRAME";
constexpr const char* kFirstFrameLine = "first frame presented\n";

// Initialises the platform, runs the message loop, releases everything; the process's exit
// code (1 when initialisation fails or another instance runs).
int HAL_appMain();
bool HAL_appInit();
int HAL_messageLoop();
void HAL_appShutdown();

// Asks the application to exit (posts the exit request); 0.
int HAL_requestExit();
// The exit code the message loop ends with when the window is destroyed (0 unless set; any
// thread), for an application that has to stop because of a failure.
void HAL_setExitCode(int code);
// Keeps the URL to open in the browser at exit; mustExit (when given) becomes 1.
int HAL_openURL(const char16_t* characters, int32_t length, uint8_t* mustExit);
// The URL kept for exit (null when none); owned by the shell.
HALString* HAL_pendingURL();
// Replaces the program that opens the URL at exit (xdg-open; tests record instead).
void HAL_setBrowserLauncher(void (*launcher)(const char* url));

bool HAL_hasMainWindow();
// Brings the main window to the front (when it exists).
void HAL_bringMainWindowToFront();
bool HAL_isMainWindowVisible();
HALDisplayable* HAL_getCurrentDisplayable();
// Makes the displayable the one the main window's messages go to and repaints the window.
void HAL_setWindowDisplayable(HALDisplayable* displayable);
// Forgets the displayable if it is the current one (its owner is deleting it).
void HAL_forgetDisplayable(HALDisplayable* displayable);
void HAL_getMainWindowClientSize(int32_t* width, int32_t* height);

void HAL_setFocused(int focused);
void HAL_setPowerOn(int powered);
bool HAL_isActive();

bool HAL_isUIThread();
// Posts a message to the main window (any thread).
void HAL_postMessage(uint32_t message, uint64_t wParam = 0, int64_t lParam = 0);
// Ends the UI thread's wait so that it copies a pending frame (any thread).
void HAL_wakeUIThread();
// Copies a frame to the main window (UI thread).
void HAL_presentFrame(const uint16_t* pixels, int32_t width, int32_t height, int32_t stride);

// The main window's own message handling, reached through the current displayable.
int64_t HAL_mainWindowProc(HALDisplayable* displayable, uint32_t message, uint64_t wParam, int64_t lParam);
int64_t HAL_defaultWindowProc(uint32_t message, uint64_t wParam, int64_t lParam);
