#pragma once

// com::kelvane::ostrel::AMS: the application manager, the boot class whose static main the
// runtime calls at the end of its boot. It loads the MIDlet that the application property
// "MIDlet-1" names (the class after the second comma), starts it on the first thread while
// the boot runs, and then turns the platform's resume, pause and exit events into the
// MIDlet's startApp, pauseApp and destroyApp. Resume is heard first of all listeners and
// pause and exit last, so the current canvas is shown after startApp and hidden before
// pauseApp.

#include <cstdint>

#include "lib_src/vm/VMArray.h"

namespace java::lang {
class String;
}
namespace javax::microedition::midlet {
class MIDlet;
}

namespace com::kelvane::ostrel {

class AMS : public virtual ::java::lang::Object {
    VM_CLASS(AMS, ::java::lang::Object)
    VMPtr<AMS> _VM_init() = delete;  // no instances

    // Loads and starts MIDlet 1; a missing "MIDlet-1" is fatal (exit code 1). An exception
    // while loading (no such class, not a MIDlet, a failing constructor) leaves main and
    // fails the boot.
    static void main(VMPtr<VMArray<::java::lang::String*, 1>> arguments);
    // Instantiates and starts MIDlet n; false when its property is missing.
    static bool loadMIDlet(int32_t n);
    // The application property's value, or null when it is missing.
    static VMPtr<::java::lang::String> getAppProperty(VMPtr<::java::lang::String> key);
    // InstantiationException "Class not a MIDlet" for another class.
    static VMPtr<::javax::microedition::midlet::MIDlet> instantiateMIDlet(VMPtr<::java::lang::String> className);
    // The class name in a "MIDlet-n" value: after the second comma, trimmed; the whole
    // value, trimmed, when it has fewer than two commas.
    static VMPtr<::java::lang::String> classNameOf(VMPtr<::java::lang::String> value);

    static int onResume(int event, int wordCount, void* words);
    static int onPauseOrExit(int event, int wordCount, void* words);

    // Registers the lifecycle handlers.
    static void _VM_clinit();
    static VMPtr<::javax::microedition::midlet::MIDlet> midlet;
};

}  // namespace com::kelvane::ostrel
