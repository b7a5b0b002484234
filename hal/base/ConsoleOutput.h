#pragma once

// Writes one UTF-16 unit to standard output as UTF-8 (a surrogate pair becomes one
// four-byte sequence; a lone surrogate becomes U+FFFD). A line feed flushes the stream.
// 0 on success, 3 when the write or the flush fails.
int HAL_putConsoleChar(int character);
