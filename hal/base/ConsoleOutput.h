#pragma once

// Writes one byte of console text (the low 8 bits of the value: text arrives already
// encoded as UTF-8) to standard output; a line feed flushes the stream. 0 on success, 3
// when the write or the flush fails.
int HAL_putConsoleChar(int character);
