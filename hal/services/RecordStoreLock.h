#pragma once

// The record-store lock: one process-wide re-entrant lock, made at start-up (or at first
// use) and never deleted. Every record-store function holds it for its whole body, so
// store creation and deletion, record changes, reads and listings never interleave, and the
// counters shared by the handles of one store stay consistent.
//
// Lock order: callers may hold the VM lock when they take it; nothing done under it waits
// for the VM lock or calls back into the runtime.

#include <mutex>

std::recursive_mutex& HAL_recordStoreLock();

// Makes the lock (the shell does so during start-up); nothing when it exists.
void HAL_createRecordStoreLock();
