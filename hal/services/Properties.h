#pragma once

// The property lists of the platform layer.
//
// List 0 (system) comes from "sys.prop" and then the device's identity; list 1
// (application, the application descriptor) from "app.prop". Both files live in the folder
// "properties" beside the executable (ModulePath.h), are UTF-8 (a leading byte-order mark
// is skipped) and hold one entry per line:
//
//     key: value
//
// The key is everything before the first ':', which must be followed by one blank (space
// or tab); the value is everything after that blank up to the line end, kept as it is. A
// line ends at LF, CR LF or a lone CR, as in the descriptor and manifest format, so no key
// or value ever holds a line-end character. Lines of any length are read whole. Lines that
// are empty, start with '#' (comments), have no ':' followed by a blank, or have an empty
// key are skipped. A later entry of one key hides an earlier one.
//
// The lists are made at start-up, filled before the runtime starts and only read
// afterwards, so reading needs no lock; keys and values are UTF-16 with explicit lengths.
//
// The built-in system properties, which a property file cannot change, belong to the
// runtime (SystemProperties); System.getProperty asks them first, then list 0.

#include <cstddef>
#include <cstdint>

class HALPtrArray;

constexpr int kSystemPropertyList = 0;
constexpr int kApplicationPropertyList = 1;

// One property: a counted block holding this record followed by the key's and the value's
// units (each with a terminator after its length, so both are also zero-terminated).
struct HALPropertyEntry {
    const char16_t* key;
    int32_t keyLength;
    const char16_t* value;
    int32_t valueLength;
};

// Creates each list that does not exist (empty, capacity 8, growth factor 1.5). Runs from
// a start-up initialiser; after HAL_freeProperties it makes fresh lists.
void HAL_initPropertyLists();

// The list itself (null for a number other than 0 or 1, or a freed list).
HALPtrArray* HAL_getPropertyList(int list);

// Appends the entries of "sys.prop" (list 0) or "app.prop" (list 1). Nothing happens when
// the list does not exist or the file cannot be opened.
void HAL_loadPropertyFile(int list);

// Appends an entry to the list for each property line of the text. 0, 2 for a null list or
// a null text with a size, 5 when memory runs out (the entries so far stay).
int HAL_readPropertyText(HALPtrArray* list, const char* bytes, size_t size);

// The entry of one line (without its line end), or null when the line is not a property
// (see above) or memory runs out. Free it with HAL_free.
HALPropertyEntry* HAL_parsePropertyLine(const char16_t* line, int32_t length);

// Loads list 0 and list 1 from their files, then appends to list 0 "device.manufacturer",
// "device.model", "device.name", "os.name", "os.version" and "os.arch".
void HAL_addPlatformProperties();

// Appends an entry of the two zero-terminated texts; nothing when the list does not exist,
// key or value is null or the key is empty.
void HAL_addProperty(int list, const char16_t* key, const char16_t* value);

// The last entry of the list whose key is exactly keyLength units equal to key; null when
// there is none, the list is missing or the key length is negative. An empty key finds
// nothing.
const HALPropertyEntry* HAL_findProperty(int list, const char16_t* key, int32_t keyLength);
const HALPropertyEntry* HAL_findPropertyIn(const HALPtrArray* list, const char16_t* key, int32_t keyLength);

// The value's length in units; -1 when not found, or when keyLength >= 1 and key is null.
int32_t HAL_getPropertyLength(int list, const char16_t* key, int32_t keyLength);

// Copies min(value length, *length) units of the value to buffer, without a terminator,
// and writes that count back to *length. Without a buffer, only the value's length is
// written to *length (when given). 2 when keyLength >= 1 and key is null, keyLength is
// negative, or a buffer comes without a length or with a negative one; 4 when not found;
// else 0.
int HAL_getProperty(int list, const char16_t* key, int32_t keyLength, char16_t* buffer, int32_t* length);

int32_t HAL_getSystemPropertyLength(const char16_t* key, int32_t keyLength);
int HAL_getSystemProperty(const char16_t* key, int32_t keyLength, char16_t* buffer, int32_t* length);
int32_t HAL_getApplicationPropertyLength(const char16_t* key, int32_t keyLength);
int HAL_getApplicationProperty(const char16_t* key, int32_t keyLength, char16_t* buffer, int32_t* length);

// Frees every entry of a list, last first, and the list itself.
void HAL_freePropertyList(int list);
// Frees list 1, then list 0 (at shutdown).
void HAL_freeProperties();

// The name the window, its class and the single-instance lock take: the application
// property "MIDlet-Name" as a new zero-terminated counted block, or, when it is missing or
// empty (or memory runs out), kDefaultMIDletName itself. Give the result back with
// HAL_releaseMIDletName, which frees it unless it is the default text.
extern const char16_t kDefaultMIDletName[];
const char16_t* HAL_getMIDletName();
void HAL_releaseMIDletName(const char16_t* name);
