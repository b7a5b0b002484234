#include "hal/base/ConsoleOutput.h"

#include <cstdio>

#include "hal/base/HALResult.h"

int HAL_putConsoleChar(int character) {
    const unsigned char byte = static_cast<unsigned char>(character);
    bool ok = std::fputc(byte, stdout) != EOF;
    if (byte == '\n') ok = std::fflush(stdout) == 0 && ok;
    return ok ? HAL_OK : HAL_NOTHING_READ;
}
