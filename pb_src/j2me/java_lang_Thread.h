#pragma once

// java::lang::Thread: a managed thread. Creating one creates its record and a suspended
// platform thread; start releases it, and the platform thread runs run() under the VM lock.

#include "pb_src/j2me/java_lang_Runnable.h"
#include "pb_src/j2me/java_lang_String.h"

struct VMThread;

namespace java::lang {

class Thread : public virtual Object, public virtual Runnable {
    VM_CLASS(Thread, Object)

    VMPtr<Thread> _VM_init() { return _VM_init(VMPtr<Runnable>(), VMPtr<String>()); }
    VMPtr<Thread> _VM_init(VMPtr<Runnable> target) { return _VM_init(target, VMPtr<String>()); }
    VMPtr<Thread> _VM_init(VMPtr<Runnable> target, VMPtr<String> name);
    // Makes this the Thread of the already running start-up thread.
    void _VM_initStartupThread(VMPtr<String> name, VMThread* record);
    ~Thread() override;

    static VMPtr<Thread> currentThread();
    static void sleep(int64_t milliseconds);

    virtual void start();
    virtual void interrupt();
    void run() override;
    bool isAlive() const;
    VMPtr<String> getName() { return name; }
    int32_t getPriority() const { return priority; }
    VMPtr<String> toString() override;
    void _VM_mark(uint32_t flags) override;

    VMThread* vmThread = nullptr;
    int32_t priority = 0;
    VMPtr<Runnable> target{vmField()};
    VMPtr<String> name{vmField()};
};

}  // namespace java::lang
