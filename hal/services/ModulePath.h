#pragma once

// The folders the application reads from its own installation, beside the executable:
// "rsc" (resources), "properties" (the property files) and "database" (record stores).
//
// The module directory is the executable's folder (from /proc/self/exe), without a
// trailing slash, found once and cached. Tests and tools may put another folder in its
// place with HAL_setModuleDirectory. Paths are byte strings (UTF-8) as the system takes
// them; a subfolder carries its own leading and trailing slash.

#include <cstddef>

constexpr char kResourceFolder[] = "/rsc/";
constexpr char kPropertiesFolder[] = "/properties/";
constexpr char kDatabaseFolder[] = "/database/";

// The module directory. When the executable's path cannot be read, the process ends
// through the fatal exit. The text stays valid until the next HAL_setModuleDirectory.
const char* HAL_getModuleDirectory();

// Puts directory in place of the executable's folder (a trailing slash is dropped); null
// goes back to the executable's folder. Meant for start-up and tests, before other
// threads build paths.
void HAL_setModuleDirectory(const char* directory);

// A new counted block holding module directory + subfolder + name, zero-terminated; null
// when memory runs out or an argument is null. The caller frees it with HAL_free.
char* HAL_allocModulePath(const char* subfolder, const char* name);

// Writes the same path into buffer and returns 1 when the path with its terminator fits
// in capacity bytes; otherwise (or for a null argument) leaves the buffer untouched and
// returns 0.
int HAL_formatModulePath(char* buffer, size_t capacity, const char* subfolder, const char* name);
