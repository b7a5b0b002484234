#include "pb_src/j2me/javax_microedition_media_MediaException.h"

VM_DEFINE_CLASS(javax::microedition::media::MediaException, "javax.microedition.media.MediaException", "java.lang.Exception", VM_NO_CLINIT)
