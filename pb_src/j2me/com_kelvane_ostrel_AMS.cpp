#include "pb_src/j2me/com_kelvane_ostrel_AMS.h"

#include "hal/base/FatalError.h"
#include "hal/base/HALResult.h"
#include "hal/services/Properties.h"
#include "lib_src/vm/VMEvents.h"
#include "lib_src/vm/VMException.h"
#include "lib_src/vm/VMLiterals.h"
#include "pb_src/j2me/java_lang_Class.h"
#include "pb_src/j2me/java_lang_InstantiationException.h"
#include "pb_src/j2me/java_lang_String.h"
#include "pb_src/j2me/javax_microedition_midlet_MIDlet.h"
#include "pb_src/j2me/javax_microedition_midlet_MIDletStateChangeException.h"

using javax::microedition::midlet::MIDlet;

namespace com::kelvane::ostrel {

VM_DEFINE_CLASS(AMS, "com.kelvane.ostrel.AMS", "java.lang.Object", &AMS::_VM_clinit)
VM_MAIN_METHOD(AMS)

VMPtr<MIDlet> AMS::midlet{VMStaticScope::instance()};

namespace {

constexpr uint32_t kResumeMask = 1u << kEventResume;
constexpr uint32_t kPauseOrExitMask = (1u << kEventPause) | (1u << kEventExit);

// Runs startApp when the MIDlet may start (from created or paused).
void start(MIDlet* target) {
    VMPtr<MIDlet> m(target);
    if (!m->_VM_changeState(MIDlet::Starting)) return;
    m->startApp();
    m->_VM_changeState(MIDlet::Active);
}

void pause(MIDlet* target) {
    VMPtr<MIDlet> m(target);
    if (!m->_VM_changeState(MIDlet::Pausing)) return;
    m->pauseApp();
    m->_VM_changeState(MIDlet::Paused);
}

void destroy(MIDlet* target) {
    VMPtr<MIDlet> m(target);
    if (!m->_VM_changeState(MIDlet::Destroying)) return;
    try {
        m->destroyApp(true);
    } catch (javax::microedition::midlet::MIDletStateChangeException* refused) {
        VMPtr<javax::microedition::midlet::MIDletStateChangeException> dropped(refused);
    }
    m->_VM_changeState(MIDlet::Destroyed);
}

}  // namespace

void AMS::_VM_clinit() {
    HAL_addEventListener(&AMS::onResume, kResumeMask, 0);
    HAL_addEventListener(&AMS::onPauseOrExit, kPauseOrExitMask, 2);
}

void AMS::main(VMPtr<VMArray<::java::lang::String*, 1>>) {
    ::vm::ensureInitialized(_VM_getClass());
    if (!loadMIDlet(1)) HAL_fatalError("Failed to load MIDlet!");
}

bool AMS::loadMIDlet(int32_t n) {
    ::vm::ensureInitialized(_VM_getClass());
    VMPtr<::java::lang::String> value = getAppProperty(::java::lang::String::withNumber("MIDlet-", n));
    if (!value) return false;
    midlet = instantiateMIDlet(classNameOf(value));
    start(midlet.get());
    return true;
}

VMPtr<::java::lang::String> AMS::classNameOf(VMPtr<::java::lang::String> value) {
    const int32_t firstComma = value->indexOf(',');
    const int32_t secondComma = firstComma < 0 ? -1 : value->indexOf(',', firstComma + 1);
    return (secondComma < 0 ? value : value->substring(secondComma + 1))->trim();
}

VMPtr<::java::lang::String> AMS::getAppProperty(VMPtr<::java::lang::String> key) {
    const int32_t length = HAL_getApplicationPropertyLength(key->chars(), key->length());
    if (length < 0) return nullptr;
    VMPtr<::java::lang::String::CharArray> characters = ::java::lang::String::CharArray::_VM_new(length);
    // The platform copies at most the room given and answers how much it copied.
    int32_t copied = length;
    const int result = HAL_getApplicationProperty(key->chars(), key->length(), characters->elements(), &copied);
    if (result == HAL_NOT_FOUND) return nullptr;
    if (result != HAL_OK) HAL_fatalError("HAL_getApplicationProperty() failed!");
    VMPtr<::java::lang::String> text = ::java::lang::String::_VM_new();
    return text->_VM_init(characters, 0, copied);
}

VMPtr<MIDlet> AMS::instantiateMIDlet(VMPtr<::java::lang::String> className) {
    VMPtr<::java::lang::Object> instance = ::java::lang::Class::forName(className)->newInstance();
    VMPtr<MIDlet> loaded(dynamic_cast<MIDlet*>(instance.get()));
    if (!loaded) ::vm::throwNew<::java::lang::InstantiationException>(VMPtr<java::lang::String>::fromLiteral("Class not a MIDlet"));
    return loaded;
}

int AMS::onResume(int event, int, void*) {
    if (event == kEventResume && midlet) start(midlet.get());
    return 0;
}

int AMS::onPauseOrExit(int event, int, void*) {
    if (!midlet) return 0;
    if (event == kEventPause) pause(midlet.get());
    if (event == kEventExit) destroy(midlet.get());
    return 0;
}

}  // namespace com::kelvane::ostrel
