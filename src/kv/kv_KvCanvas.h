#pragma once

// kv::KvCanvas: the framework canvas, a GameCanvas that runs the game loop on a thread of
// its own. The loop waits (50 ms polls, the first showing ends a poll at once) until the
// canvas is first shown, notifies loadStep(0), then runs one frame every 50 ms of the frame
// clock: the clock tick (dt, the measured time, at most 200 ms), the key snapshot, update,
// and while shown the paint into the game area's translated Graphics and the flush; while
// hidden it sleeps 100 ms instead of painting. Loop state 4 ends the loop; an exit asked for
// by the game then destroys the MIDlet. A pause notifies loadStep(1); a resume only marks
// the canvas shown.
//
// Pointer events are queued in game-area coordinates (the Graphics is translated by the
// same offsets). Keys fill a table by key index (KeyIndexMap.h): pressed since the last
// snapshot, and held now, where a press since the last snapshot counts as held.
//
// Record slots: slot n is the record store named by n's decimal text, its records joined in
// id order. A save replaces the records in place (each write crash-safe) and creates the
// store only when it is missing, so the previous data survives a crash during a save.
//
// Static services: image helpers, alpha classification, indexed pixels, the little-endian
// output buffer (plain static fields that a caller may save, replace and restore; a put
// beyond the buffer's end throws ArrayIndexOutOfBoundsException and writes nothing),
// decimal text with padding, the entry fields that a resource pack's selectEntry publishes.

#include "lib_src/vm/VMArray.h"
#include "pb_src/j2me/java_lang_StringBuffer.h"
#include "pb_src/j2me/javax_microedition_lcdui_Image.h"
#include "pb_src/j2me/java_lang_Runnable.h"
#include "pb_src/j2me/javax_microedition_lcdui_game_GameCanvas.h"
#include "pb_src/j2me/javax_microedition_midlet_MIDlet.h"
#include "src/kv/input/KeyIndexMap.h"

namespace kv::util::text {
class RichFont;
}

namespace kv {

class KvCanvas : public ::javax::microedition::lcdui::game::GameCanvas, public virtual ::java::lang::Runnable {
    VM_ABSTRACT_CLASS(KvCanvas, ::javax::microedition::lcdui::game::GameCanvas)
    using ByteArray = VMArray<int8_t, 1>;
    using IntArray = VMArray<int32_t, 1>;
    using Image = ::javax::microedition::lcdui::Image;
    using MIDlet = ::javax::microedition::midlet::MIDlet;

    static constexpr int32_t kFrameMillis = 50, kMaxFrameMillis = 200, kShowPollMillis = 50,
                             kHiddenSleepMillis = 100;
    static constexpr int32_t kLoopRunning = 0, kLoopEnd = 4;
    static constexpr int32_t kEventPause = 1, kEventResume = 2, kEventExit = 3;
    static constexpr int32_t kRecordChunk = 4096;

    // Full screen, the game area the whole screen; becomes the running instance and starts
    // the loop thread.
    VMPtr<KvCanvas> _VM_init(VMPtr<MIDlet> owner);
    void _VM_mark(uint32_t flags) override;

    // The loop thread's body.
    void run() override;
    // One frame: clock tick, key snapshot, update and, while shown, paint and flush.
    void tick(int32_t dt);
    // Notifies loadStep(0) the first time only.
    void startLoop();
    // What the game does at the canvas's notifications: 0 the loop starts, 1 a pause.
    virtual void loadStep(int32_t code) {}
    // The game's frame step, before painting.
    virtual void update(int32_t dt) {}
    // 1 pause (loadStep(1)), 2 resume (shown again), 3 exit: loop state 4, and the MIDlet is
    // destroyed when the loop ends.
    virtual void handleEvent(int32_t type);
    // Loop state 4 without destroying the MIDlet (the application is already being destroyed).
    void endLoop() { loopState = kLoopEnd; }
    bool isLoopEnding() const { return loopState == kLoopEnd; }
    bool isShownNow() const { return shown; }
    bool hasStarted() const { return started; }

    // The game area: its size (a value below 1 takes the screen's), centred on the screen.
    void setGameArea(int32_t width, int32_t height);
    void setGameY(int32_t offset) { gameY = offset; }
    int32_t getGameWidth() const { return gameWidth; }
    int32_t getGameHeight() const { return gameHeight; }
    int32_t getGameX() const { return gameX; }
    int32_t getGameY() const { return gameY; }
    int32_t getViewOffsetX() const { return gameX; }
    int32_t getViewOffsetY() const { return gameY; }

    // The key table by index (false for an index outside it).
    bool isKeyPressed(int32_t index) const;
    bool isKeyHeld(int32_t index) const;
    bool isAnyKeyPressed() const;
    // Moves the presses seen since the last snapshot into the table.
    void snapshotKeys();

    // Sets the sound switch and the three sound settings to 1 on the first call only.
    static void initSoundSettings();
    static bool soundSwitch;
    static int8_t soundSettings[3];
    static bool soundSettingsDone;

    void keyPressed(int32_t keyCode) override;
    void keyReleased(int32_t keyCode) override;
    void pointerPressed(int32_t x, int32_t y) override;
    void pointerReleased(int32_t x, int32_t y) override;
    void pointerDragged(int32_t x, int32_t y) override;
    void showNotify() override;
    void hideNotify() override;
    // A system repaint shows the last frame; scenes paint only on the loop thread.
    void dispatchPaint(VMPtr<::javax::microedition::lcdui::Graphics> g) override;

    VMPtr<MIDlet> midlet{vmField()};
    // Notified when the canvas is first shown, which ends the loop's show poll.
    VMPtr<::java::lang::Object> showSignal{vmField()};
    int32_t loopState = kLoopRunning;
    bool shown = false;
    bool shownOnce = false;
    bool started = false;
    bool destroyOnEnd = false;
    int32_t frameMillis = 0;
    int64_t elapsedMillis = 0;
    int32_t gameWidth = 0, gameHeight = 0, gameX = 0, gameY = 0;
    bool keysDown[input::kKeyIndexCount] = {};
    bool keysPressedSince[input::kKeyIndexCount] = {};
    bool keysPressed[input::kKeyIndexCount] = {};
    bool keysHeld[input::kKeyIndexCount] = {};

    static VMPtr<Image> createRGBImage(VMPtr<IntArray> argb, int32_t width, int32_t height, bool processAlpha);
    static void getRGB(VMPtr<Image> image, VMPtr<IntArray> argb, int32_t offset, int32_t scanlength, int32_t x,
                       int32_t y, int32_t width, int32_t height);
    // Whether some pixel's alpha byte is below 0xF0.
    static bool hasTranslucentPixel(VMPtr<IntArray> argb);
    // 3 at the first pixel whose top alpha bits are neither 0xF nor 0, else 2 when some are 0,
    // else 1 (also for a height below 1).
    static int32_t getAlphaType(VMPtr<IntArray> argb, int32_t offset, int32_t scanlength, int32_t x, int32_t y,
                                int32_t width, int32_t height);
    // One palette index per pixel, row by row. New colours are appended to palette while it
    // has room; the first near-magenta colour takes index 0; a colour found when the palette
    // is full takes the index of the nearest colour already in it.
    static VMPtr<ByteArray> toIndexedPixels(VMPtr<Image> image, VMPtr<IntArray> palette);
    static void putShortLE(int32_t value);
    static void putIntLE(int32_t value);
    static void putByte(int32_t value);
    // Inserts value's decimal text into sb at `at`: '-' first for a negative value, then the
    // digits padded with '0' to minDigits, unpadded from a magnitude of 65536 on.
    static void appendNumber(VMPtr<::java::lang::StringBuffer> sb, int32_t value, int32_t minDigits, int32_t at);
    static void setEntry(VMPtr<ByteArray> data, int32_t offset);

    // All records of the record store named by the slot's decimal number, joined in id
    // order, or null when the store does not exist.
    virtual VMPtr<ByteArray> loadRecord(int32_t slot);
    // Stores data as the slot's record store: records of at most 4096 bytes, each replacing
    // the record in its place; the store is created only when missing.
    virtual void saveRecord(int32_t slot, VMPtr<ByteArray> data);
    // The default rich font (system font, plain, medium), made on first use and kept.
    virtual VMPtr<util::text::RichFont> getRichFont();

    static VMPtr<ByteArray> outputBuffer;
    static int32_t outputPosition;
    static VMPtr<ByteArray> entryData;
    static int32_t entryOffset;
    // The running canvas: set by the canvas when it starts, read by the resource layer.
    static VMPtr<KvCanvas> instance;
    static VMPtr<util::text::RichFont> defaultRichFont;

private:
    static void put(int32_t value, int32_t count);
    void awaitFirstShowing();
    void runFrames();
    void queuePointer(int8_t type, int32_t x, int32_t y);
};

}  // namespace kv
