#include "hal/services/HALCommand.h"

#include <new>

#include "hal/base/HALResult.h"
#include "hal/base/HALString.h"
#include "hal/base/Memory.h"

int HAL_createCommand(HALCommand** out, const char16_t* label, int32_t labelLength, int32_t type, int32_t priority) {
    if (out == nullptr || label == nullptr || labelLength < 0) return HAL_BAD_ARGUMENT;
    HALString* text = new (std::nothrow) HALString(label, uint32_t(labelLength));
    if (text == nullptr) return HAL_BAD_ARGUMENT;
    void* block = HAL_malloc(sizeof(HALCommand));
    if (block == nullptr) {
        text->release();
        return HAL_BAD_ARGUMENT;
    }
    auto* command = new (block) HALCommand{text, type, priority};
    command->label->addRef();
    text->release();  // the temporary reference; the command keeps its own
    *out = command;
    return HAL_OK;
}

int HAL_deleteCommand(HALCommand* command) {
    if (command == nullptr) return HAL_BAD_ARGUMENT;
    command->label->release();
    HAL_free(command);
    return HAL_OK;
}
