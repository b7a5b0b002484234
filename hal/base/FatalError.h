#pragma once

// Ends the process with exit code 1. The message goes to standard error (so a desktop user
// sees why the program stopped) and buffered console output is flushed. Static destructors
// are not run: other threads may still be running and would see half-destroyed globals.
[[noreturn]] void HAL_fatalError(const char* message);
