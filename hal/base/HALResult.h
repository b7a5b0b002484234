#pragma once

// Result codes shared by every HAL_ function.
enum HALResult : int {
    HAL_OK = 0,
    HAL_NOT_IMPLEMENTED = 1,
    HAL_BAD_ARGUMENT = 2,   // also a general failure
    HAL_NOTHING_READ = 3,
    HAL_NOT_FOUND = 4,
    HAL_OUT_OF_MEMORY = 5,
    HAL_BAD_FORMAT = 6,
    HAL_IO_ERROR = 7,
    HAL_ORIENTATION_NOT_POSSIBLE = 8,
};
