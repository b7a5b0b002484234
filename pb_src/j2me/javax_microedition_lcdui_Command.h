#pragma once

// javax::microedition::lcdui::Command: a labelled action with a native peer, which lives
// exactly as long as the command (created by the constructor body, deleted by the
// destructor).

#include <cstdint>

#include "lib_src/vm/VMClass.h"

struct HALCommand;
namespace java::lang {
class String;
}

namespace javax::microedition::lcdui {

class Command : public virtual ::java::lang::Object {
    VM_CLASS(Command, ::java::lang::Object)

    static constexpr int32_t SCREEN = 1, BACK = 2, CANCEL = 3, OK = 4, HELP = 5, STOP = 6, EXIT = 7, ITEM = 8;

    VMPtr<Command> _VM_init(VMPtr<::java::lang::String> label, int32_t commandType, int32_t priority);
    // IllegalArgumentException for a type outside 1 to 8, NullPointerException for a null
    // short label (an empty one is accepted); the long label may be null.
    VMPtr<Command> _VM_init(VMPtr<::java::lang::String> shortLabel, VMPtr<::java::lang::String> longLabel,
                            int32_t commandType, int32_t priority);
    ~Command() override;
    void _VM_mark(uint32_t flags) override;

    virtual VMPtr<::java::lang::String> getLabel() { return label; }
    virtual VMPtr<::java::lang::String> getLongLabel() { return longLabel; }
    virtual int32_t getCommandType() { return commandType; }
    virtual int32_t getPriority() { return priority; }

    VMPtr<::java::lang::String> label{vmField()};
    VMPtr<::java::lang::String> longLabel{vmField()};
    int32_t commandType = 0;
    int32_t priority = 0;
    HALCommand* nativeId = nullptr;
};

}  // namespace javax::microedition::lcdui
