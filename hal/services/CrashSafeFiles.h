#pragma once

// The file steps from which the record stores build every change, each relative to an open
// folder descriptor and named by a single path component (never followed through a
// symbolic link).
//
// A file is replaced whole and crash-safely in two steps: writeTemporary puts the new bytes
// into a temporary file and flushes them to the device; replace renames it over the final
// name, which the system does atomically. A crash at any instant therefore leaves the old
// file or the new one, never a mix, plus perhaps a stray temporary file that the owner
// removes later. flush makes the folder's renames and removals durable.
//
// Every function returns 0 or the errno value of the failed step, and passes each step
// through the fault hook (RecordStoreFaults.h) first.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

class CrashSafeFiles {
public:
    // Creates or truncates the file, writes all bytes and flushes them. On failure the
    // temporary file is removed again.
    static int writeTemporary(int folder, const char* name, const void* data, size_t size);

    // Renames the temporary file over the final name.
    static int replace(int folder, const char* temporary, const char* final);

    // Removes a file (ENOENT when it does not exist).
    static int remove(int folder, const char* name);

    // Flushes the folder's entries. A file system that cannot flush folders (EINVAL,
    // ENOTSUP) counts as flushed.
    static int flush(int folder);

    // Reads up to limit bytes of the file into bytes.
    static int readSmall(int folder, const char* name, size_t limit, std::vector<uint8_t>* bytes);

    // The names in the folder, without "." and "..".
    static std::vector<std::string> entriesOf(int folder);
    // The entry is a folder itself (a link to one is not).
    static bool isFolder(int parent, const char* name);
    // Removes the folder with its files and folders (links are removed, never followed).
    static int removeTree(int parent, const char* name);

private:
    static int removeTreeAt(int parent, const char* name, int depth);
};
