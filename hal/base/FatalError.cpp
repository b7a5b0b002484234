#include "hal/base/FatalError.h"

#include <cstdio>
#include <cstring>
#include <unistd.h>

void HAL_fatalError(const char* message) {
    std::fflush(stdout);
    if (message == nullptr) message = "fatal error";
    std::fputs(message, stderr);
    size_t length = std::strlen(message);
    if (length == 0 || message[length - 1] != '\n') std::fputc('\n', stderr);
    std::fflush(stderr);
    _exit(1);
}
