#pragma once

// The application's resource files: each file below the folder "rsc" beside the
// executable (ModulePath.h) is a resource, named by its path below that folder with "/"
// between folders ("\" is taken as "/" too, as the phone's file system did). When no file
// has the exact name, each part of the path is matched without regard to ASCII letter case
// (the phone's file system ignored case); when several entries of a folder match, the first
// in byte order is taken. A name with a ".." part or a U+0000 names no resource.
//
// Result codes: 0 ok, 2 bad argument, 4 not found, 5 out of memory, 7 input or output
// failure.

#include <cstdint>

// An open file, read by position (never by a shared file pointer), so one handle may be read
// from any thread.
struct HALFile;

// Opens the resource named by exactly nameLength UTF-16 units of name (no terminator is
// needed or read). 2 when out or name is null or nameLength is not positive; 4 when no
// regular file has the name (or it cannot be opened); 5 when memory runs out. On failure
// *out is null.
int HAL_openResource(HALFile** out, const char16_t* name, int32_t nameLength);

// The file's size in bytes (at most INT32_MAX); -1 for null or when it cannot be read.
int32_t HAL_getResourceSize(HALFile* handle);

// Reads up to *count bytes from byte offset into buffer and writes the number read into
// *count (smaller than asked at the end of the file, 0 beyond it). 2 when handle, buffer or
// count is null or *count is negative; 7 for a negative offset or a failed read (then
// *count is 0); else 0.
int HAL_readResource(HALFile* handle, void* buffer, int32_t offset, int32_t* count);

// Closes the handle; nothing for null.
void HAL_closeFile(HALFile* handle);

// The whole resource as a new counted block: 2 when an out pointer is null; 4 when the open
// fails; 7 when the file is empty or cannot be read whole; 5 when the block cannot be
// allocated. On success the caller owns *data and frees it with HAL_free; on failure *data
// is null and *size 0.
int HAL_loadResource(const char16_t* name, int32_t nameLength, uint8_t** data, int32_t* size);
