#pragma once

// The native peer of a Command of the profile: its label, type and priority. The profile
// creates it with the command and deletes it with the command.

#include <cstdint>

class HALString;

struct HALCommand {
    HALString* label;  // one reference held; never null (an empty label is an empty string)
    int32_t type;
    int32_t priority;
};

// Creates a command whose label is labelLength units of label. 2 when out or label is null,
// labelLength is negative or the command cannot be created; else 0 with *out set. (Nothing
// is created without an out pointer: the command could never be deleted.)
int HAL_createCommand(HALCommand** out, const char16_t* label, int32_t labelLength, int32_t type, int32_t priority);

// Releases the label and frees the command. 2 for null, else 0.
int HAL_deleteCommand(HALCommand* command);
