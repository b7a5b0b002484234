#include "pb_src/j2me/com_kelvane_ostrel_cldc_io_ConsoleOutputStream.h"

#include "hal/base/ConsoleOutput.h"

namespace com::kelvane::ostrel::cldc::io {

VM_DEFINE_CLASS(ConsoleOutputStream, "com.kelvane.ostrel.cldc.io.ConsoleOutputStream", "java.io.OutputStream",
                VM_NO_CLINIT)

// Console failures are ignored: there is nowhere else to report them.
void ConsoleOutputStream::write(int32_t b) { HAL_putConsoleChar(b); }

}  // namespace com::kelvane::ostrel::cldc::io
