#include "pb_src/j2me/javax_microedition_lcdui_Command.h"

#include "hal/base/FatalError.h"
#include "hal/services/HALCommand.h"
#include "lib_src/vm/VMException.h"
#include "pb_src/j2me/java_lang_IllegalArgumentException.h"
#include "pb_src/j2me/java_lang_NullPointerException.h"
#include "pb_src/j2me/java_lang_String.h"

namespace javax::microedition::lcdui {

VM_DEFINE_CLASS(Command, "javax.microedition.lcdui.Command", "java.lang.Object", VM_NO_CLINIT)

VMPtr<Command> Command::_VM_init(VMPtr<::java::lang::String> label, int32_t commandType, int32_t priority) {
    return _VM_init(label, nullptr, commandType, priority);
}

VMPtr<Command> Command::_VM_init(VMPtr<::java::lang::String> shortLabel, VMPtr<::java::lang::String> longLabel,
                                 int32_t commandType, int32_t priority) {
    Object::_VM_init();
    if (commandType < SCREEN || commandType > ITEM) vm::throwNew<::java::lang::IllegalArgumentException>();
    if (!shortLabel) vm::throwNew<::java::lang::NullPointerException>();
    label = shortLabel;
    this->longLabel = longLabel;
    this->commandType = commandType;
    this->priority = priority;
    if (HAL_createCommand(&nativeId, shortLabel->chars(), shortLabel->length(), commandType, priority) != 0)
        HAL_fatalError("HAL_createCommand() failed.");
    return this;
}

Command::~Command() {
    if (nativeId) HAL_deleteCommand(nativeId);
}

void Command::_VM_mark(uint32_t flags) {
    vmMarkField(label, flags);
    vmMarkField(longLabel, flags);
}

}  // namespace javax::microedition::lcdui
