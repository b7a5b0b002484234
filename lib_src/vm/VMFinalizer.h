#pragma once

// The finalizer: a managed thread named "Finalizer" that calls finalize on objects that
// a collection found unreachable while they awaited finalisation, so that a later
// collection can reclaim them. Created at start-up, started by the first collection that
// finds such objects, stopped at shutdown.

#include "pb_src/j2me/java_lang_Thread.h"

namespace com::kelvane::ostrel::vm {

class Finalizer : public ::java::lang::Thread {
    VM_CLASS(Finalizer, ::java::lang::Thread)
    static constexpr int32_t kObjectsBetweenYields = 16;

    VMPtr<Finalizer> _VM_init();

    virtual void setIdle();
    // Called by a collection that found work: ends the idle wait.
    virtual void wake();
    // Called at shutdown: the thread ends after its current pass or wait.
    virtual void requestStop();
    void run() override;

    bool idle = false;
    bool stopRequested = false;

private:
    void finalizePass();
    void runFinalizer(::java::lang::Object* object);
    void waitWhileIdle();
};

}  // namespace com::kelvane::ostrel::vm
