#include "pb_src/j2me/javax_microedition_lcdui_DefaultAlertListener.h"

VM_DEFINE_CLASS(javax::microedition::lcdui::DefaultAlertListener, "javax.microedition.lcdui.DefaultAlertListener",
                "java.lang.Object", VM_NO_CLINIT)
