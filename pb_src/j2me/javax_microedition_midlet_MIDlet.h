#pragma once

// javax::microedition::midlet::MIDlet: the application model. A MIDlet's lifecycle state
// changes only through _VM_changeState, which refuses the transitions the lifecycle forbids
// (leaving the state as it was); once destroyed, a MIDlet accepts no further change, so a
// late pause, resume or exit calls nothing.

#include <cstdint>

#include "lib_src/vm/VMClass.h"

namespace java::lang {
class String;
}

namespace javax::microedition::midlet {

class MIDlet : public virtual ::java::lang::Object {
    VM_ABSTRACT_CLASS(MIDlet, ::java::lang::Object)

    enum State : int32_t {
        Paused = 0,
        Active = 1,
        Created = 2,
        Starting = 3,
        Pausing = 4,
        Destroying = 5,
        Destroyed = 6,
    };

    VMPtr<MIDlet> _VM_init();

    virtual void startApp() = 0;
    virtual void pauseApp() = 0;
    // May throw MIDletStateChangeException; the application manager drops it.
    virtual void destroyApp(bool unconditional) = 0;

    // Applies the transition when the lifecycle allows it; true when applied.
    bool _VM_changeState(int32_t newState);
    // Marks the MIDlet destroyed and asks the platform to exit; returns at once, the exit
    // happens later on the UI thread (without a destroyApp call).
    void notifyDestroyed();
    // Keeps the URL for the browser at exit; true means the MIDlet must exit first.
    // NullPointerException for null, ConnectionNotFoundException when the platform cannot
    // serve it.
    bool platformRequest(VMPtr<::java::lang::String> url);

    int32_t state = Created;
};

}  // namespace javax::microedition::midlet
