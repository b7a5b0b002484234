#pragma once

// java::lang::Runnable: what a thread runs.

#include "lib_src/vm/VMClass.h"

namespace java::lang {

class Runnable : public virtual Object {
    VM_INTERFACE(Runnable)
    virtual void run() = 0;
};

}  // namespace java::lang
