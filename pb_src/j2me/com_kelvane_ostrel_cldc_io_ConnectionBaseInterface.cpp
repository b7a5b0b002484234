#include "pb_src/j2me/com_kelvane_ostrel_cldc_io_ConnectionBaseInterface.h"

VM_DEFINE_INTERFACE(com::kelvane::ostrel::cldc::io::ConnectionBaseInterface,
                    "com.kelvane.ostrel.cldc.io.ConnectionBaseInterface", VM_NO_CLINIT)
