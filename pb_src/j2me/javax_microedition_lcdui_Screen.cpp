#include "pb_src/j2me/javax_microedition_lcdui_Screen.h"

VM_DEFINE_ABSTRACT_CLASS(javax::microedition::lcdui::Screen, "javax.microedition.lcdui.Screen",
                         "javax.microedition.lcdui.Displayable", VM_NO_CLINIT)
