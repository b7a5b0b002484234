#pragma once

// For the profile's end-to-end tests: the shell runs headless in the test's process and
// boots the real application manager, which loads the MIDlet that the test's app.prop
// names. ScenarioMIDlet records its lifecycle calls and runs the test's scenario from
// startApp; RecordingCanvas records the callbacks it receives. Include it in exactly one
// file of a test executable: it defines and registers the classes.

#include <fstream>

#include "hal/host/HostBackend.h"
#include "hal/shell/Shell.h"
#include "lib_src/vm/VMClass.h"
#include "pb_src/j2me/java_lang_Runnable.h"
#include "pb_src/j2me/java_lang_Thread.h"
#include "pb_src/j2me/javax_microedition_lcdui_game_GameCanvas.h"
#include "pb_src/j2me/javax_microedition_midlet_MIDlet.h"
#include "tests/hal/shell/ShellHarness.h"
#include "tests/j2me/ClassLibrary.h"
#include "tests/support/WaitLimit.h"

// Written under the VM lock only.
inline std::vector<std::string> lifecycleLog;
inline std::function<void()> onStart;
inline std::function<void()> onDestroy;
// Called by a RecordingCanvas after each callback it records.
inline std::function<void(const std::string&)> onCanvasCall;

inline void logCall(std::string call) { lifecycleLog.push_back(std::move(call)); }

inline void logCanvasCall(std::string call) {
    logCall(call);
    if (onCanvasCall) onCanvasCall(call);
}

namespace test {

class ScenarioMIDlet : public javax::microedition::midlet::MIDlet {
    VM_CLASS(ScenarioMIDlet, javax::microedition::midlet::MIDlet)
    void startApp() override {
        logCall("startApp");
        if (auto scenario = std::exchange(onStart, nullptr)) scenario();
    }
    void pauseApp() override { logCall("pauseApp"); }
    void destroyApp(bool) override {
        logCall("destroyApp");
        if (onDestroy) onDestroy();
    }
};

class RecordingCanvas : public javax::microedition::lcdui::game::GameCanvas {
    VM_CLASS(RecordingCanvas, javax::microedition::lcdui::game::GameCanvas)
    VMPtr<RecordingCanvas> _VM_init() { return GameCanvas::_VM_init(false), this; }
    void showNotify() override { logCanvasCall(name + " show"); }
    void hideNotify() override { logCanvasCall(name + " hide"); }
    void keyPressed(int32_t code) override { logCanvasCall(name + " key " + std::to_string(code)); }
    void pointerPressed(int32_t x, int32_t y) override { logCanvasCall(name + " press " + point(x, y)); }
    void pointerDragged(int32_t x, int32_t y) override { logCanvasCall(name + " drag " + point(x, y)); }
    void sizeChanged(int32_t w, int32_t h) override { logCanvasCall(name + " size " + point(w, h)); }
    static std::string point(int32_t x, int32_t y) { return std::to_string(x) + "," + std::to_string(y); }
    std::string name = "canvas";
};

class NativeRunnable : public virtual java::lang::Object, public virtual java::lang::Runnable {
    VM_CLASS(NativeRunnable, java::lang::Object)
    VMPtr<NativeRunnable> _VM_init() { return this; }
    void run() override { body(); }
    std::function<void()> body;
};

}  // namespace test

VM_DEFINE_CLASS(test::ScenarioMIDlet, "test.ScenarioMIDlet", "javax.microedition.midlet.MIDlet", VM_NO_CLINIT)
VM_DEFINE_CLASS(test::RecordingCanvas, "test.RecordingCanvas", "javax.microedition.lcdui.game.GameCanvas",
                VM_NO_CLINIT)
VM_DEFINE_CLASS(test::NativeRunnable, "test.NativeRunnable", "java.lang.Object", VM_NO_CLINIT)
VM_IMPLEMENTS(test::NativeRunnable, "java.lang.Runnable")

inline VMPtr<test::NativeRunnable> runnable(std::function<void()> body) {
    VMPtr<test::NativeRunnable> made = test::NativeRunnable::_VM_new();
    made->_VM_init();
    made->body = std::move(body);
    return made;
}

// Starts a managed thread that runs the body.
inline VMPtr<java::lang::Thread> startThread(std::function<void()> body) {
    VMPtr<java::lang::Thread> thread = java::lang::Thread::_VM_new();
    thread->_VM_init(runnable(std::move(body)));
    thread->start();
    return thread;
}

inline VMPtr<test::RecordingCanvas> recordingCanvas(const std::string& name) {
    VMPtr<test::RecordingCanvas> canvas = test::RecordingCanvas::_VM_new();
    canvas->_VM_init();
    canvas->name = name;
    return canvas;
}

// The headless shell with an app.prop whose "MIDlet-1" is the given value (none when empty).
struct ProfileHarness : ShellHarness {
    explicit ProfileHarness(const std::string& midlet = "Scenario,/icon.png,test.ScenarioMIDlet")
        : ShellHarness("ProfileTest") {
        std::ofstream prop(folder / "properties" / "app.prop");
        prop << "MIDlet-Name: ProfileTest\n";
        if (!midlet.empty()) prop << "MIDlet-1: " << midlet << "\n";
        lifecycleLog.clear();
    }
};

// Lets the UI thread handle every message posted so far (it handles them holding the VM
// lock, which the calling managed thread holds whenever it looks).
inline void settle() {
    for (const WaitLimit limit; !host::hostBackend().queue().empty() && !limit.reached();) java::lang::Thread::sleep(1);
}
