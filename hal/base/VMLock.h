#pragma once

// The VM lock: one global, recursive, fair lock. Only the thread that holds it runs managed
// code. Every blocking call of the platform layer leaves all its levels first and, after
// taking it back at the same depth, calls the make-current callback (slot 3) so that the
// runtime knows which thread holds it.

class FairRecursiveLock;

void HAL_enterVMLock();
void HAL_leaveVMLock();
// Leaves the VM lock, lets every thread already waiting for it have a turn first, takes it
// back at the same depth and calls slot 3. Returns at once when nobody waits.
void HAL_yieldVMLock();
// Like HAL_yieldVMLock, but when nobody waits yet it waits briefly (about a millisecond)
// for the next thread that asks for the lock and lets it in first. For a thread that has
// just passed a lock on to a thread that will need the VM lock to go on.
void HAL_handOverVMLock();
void HAL_yield();

// Leaves every level of the VM lock the caller holds; returns the depth (0 if not held).
unsigned HAL_releaseVMLock();
// Takes the VM lock back at the given depth and, when the depth is not 0, calls slot 3.
void HAL_restoreVMLock(unsigned depth);

bool HAL_holdsVMLock();

FairRecursiveLock& HAL_vmLock();

// Scoped release of the VM lock around a blocking operation.
class VMLockReleased {
public:
    VMLockReleased() : depth_(HAL_releaseVMLock()) {}
    ~VMLockReleased() { HAL_restoreVMLock(depth_); }
    VMLockReleased(const VMLockReleased&) = delete;
    VMLockReleased& operator=(const VMLockReleased&) = delete;

private:
    unsigned depth_;
};
