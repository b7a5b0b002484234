#include "pb_src/j2me/javax_microedition_midlet_MIDlet.h"

#include "hal/base/FatalError.h"
#include "hal/base/HALResult.h"
#include "hal/shell/Shell.h"
#include "lib_src/vm/VMException.h"
#include "pb_src/j2me/java_lang_NullPointerException.h"
#include "pb_src/j2me/java_lang_String.h"
#include "pb_src/j2me/javax_microedition_io_ConnectionNotFoundException.h"

namespace javax::microedition::midlet {

VM_DEFINE_ABSTRACT_CLASS(MIDlet, "javax.microedition.midlet.MIDlet", "java.lang.Object", VM_NO_CLINIT)

namespace {

// The targets refused from each state: a resume while active, a pause while paused or not
// yet started, anything but the end while destroying, anything at all once destroyed.
bool refused(int32_t current, int32_t target) {
    switch (current) {
    case MIDlet::Paused:
    case MIDlet::Created: return target == MIDlet::Pausing;
    case MIDlet::Active: return target == MIDlet::Created || target == MIDlet::Starting;
    case MIDlet::Destroying: return target != MIDlet::Destroyed;
    case MIDlet::Destroyed: return true;
    default: return false;
    }
}

}  // namespace

VMPtr<MIDlet> MIDlet::_VM_init() {
    Object::_VM_init();
    state = Created;
    return this;
}

bool MIDlet::_VM_changeState(int32_t newState) {
    if (refused(state, newState)) return false;
    state = newState;
    return true;
}

void MIDlet::notifyDestroyed() {
    _VM_changeState(Destroyed);
    HAL_requestExit();
}

bool MIDlet::platformRequest(VMPtr<::java::lang::String> url) {
    if (!url) vm::throwNew<::java::lang::NullPointerException>();
    uint8_t mustExit = 0;
    const int result = HAL_openURL(url->chars(), url->length(), &mustExit);
    if (result == HAL_NOT_FOUND) vm::throwNew<::javax::microedition::io::ConnectionNotFoundException>();
    if (result != HAL_OK) HAL_fatalError("Unexpected error from HAL_openURL() in platformRequest!");
    return mustExit != 0;
}

}  // namespace javax::microedition::midlet
