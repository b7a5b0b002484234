// The program's entry: installs the runtime's callback table and runs the application
// shell (window, runtime boot, message loop, exit).

#include "hal/base/VMCallbacks.h"
#include "hal/shell/Shell.h"
#include "lib_src/vm/VM.h"

int main() {
    const VMCallbacks callbacks = VM::callbacks();
    HAL_setVMCallbacks(&callbacks);
    return HAL_appMain();
}
