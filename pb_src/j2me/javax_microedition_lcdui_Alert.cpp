#include "pb_src/j2me/javax_microedition_lcdui_Alert.h"

#include "lib_src/vm/VMLiterals.h"
#include "pb_src/j2me/java_lang_String.h"
#include "pb_src/j2me/javax_microedition_lcdui_Command.h"

namespace javax::microedition::lcdui {

VM_DEFINE_CLASS(Alert, "javax.microedition.lcdui.Alert", "javax.microedition.lcdui.Screen", &Alert::_VM_clinit)

VMPtr<Command> Alert::DISMISS_COMMAND{VMStaticScope::instance()};

void Alert::_VM_clinit() {
    VMPtr<Command> dismiss = Command::_VM_new();
    DISMISS_COMMAND = dismiss->_VM_init(VMPtr<java::lang::String>::fromLiteral(""), Command::OK, 0);
}

void Alert::_VM_mark(uint32_t flags) {
    Screen::_VM_mark(flags);
    vmMarkField(next, flags);
}

void Alert::setNext(VMPtr<Displayable> d) { next = d; }

}  // namespace javax::microedition::lcdui
