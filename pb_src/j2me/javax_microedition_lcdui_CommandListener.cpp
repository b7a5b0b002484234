#include "pb_src/j2me/javax_microedition_lcdui_CommandListener.h"

VM_DEFINE_INTERFACE(javax::microedition::lcdui::CommandListener, "javax.microedition.lcdui.CommandListener", VM_NO_CLINIT)
