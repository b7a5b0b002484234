#include "src/kv/FrameClock.h"

#include "lib_src/vm/VMMonitor.h"
#include "pb_src/j2me/java_lang_System.h"
#include "pb_src/j2me/java_lang_Thread.h"

namespace kv {

namespace {

FrameClock systemClock;
FrameClock* installed = &systemClock;

}  // namespace

int64_t FrameClock::now() { return java::lang::System::currentTimeMillis(); }

void FrameClock::sleep(int32_t milliseconds) { java::lang::Thread::sleep(milliseconds < 0 ? 0 : milliseconds); }

void FrameClock::sleepUntilSet(int32_t milliseconds, const bool& done, java::lang::Object* signal) {
    if (milliseconds <= 0) return sleep(0);
    VM_SYNCHRONIZED(signal);
    if (!done) signal->wait(milliseconds);
}

FrameClock& FrameClock::current() { return *installed; }

void FrameClock::install(FrameClock* clock) { installed = clock ? clock : &systemClock; }

}  // namespace kv
