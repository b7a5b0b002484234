#pragma once

// A hook into every file-system step that changes saved data, for tests: crash tests end
// the process at a chosen step, error tests make a step fail. Without a hook (the normal
// case) every step runs.
//
// The hook is called just before the step with its kind and the file or folder name it
// acts on (relative to its folder). It returns 0 to let the step run, or an errno value
// that the step then fails with, exactly as if the system had reported it. It may also end
// the process there.

enum class RecordStoreStep : int {
    kWriteFile,     // the bytes of a temporary file
    kFlushFile,     // fsync of a temporary file
    kRenameFile,    // a temporary file renamed over its final name
    kRemoveFile,    // a record, a stray temporary file or a file of a deleted store
    kFlushFolder,   // fsync of a folder, after renames and removals
    kMakeFolder,    // a new store folder (or the database folder)
    kRenameFolder,  // a store folder renamed away before its deletion
    kRemoveFolder,  // a deleted store's emptied folder
};

using RecordStoreFaultHook = int (*)(RecordStoreStep step, const char* name);

// Installs the hook (null removes it). Process-wide; meant for tests.
void HAL_setRecordStoreFaultHook(RecordStoreFaultHook hook);

// 0 when the step may run, else the errno value it must fail with.
int HAL_recordStoreStep(RecordStoreStep step, const char* name);
