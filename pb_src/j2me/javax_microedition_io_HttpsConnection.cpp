#include "pb_src/j2me/javax_microedition_io_HttpsConnection.h"

VM_DEFINE_INTERFACE(javax::microedition::io::HttpsConnection, "javax.microedition.io.HttpsConnection", VM_NO_CLINIT)
VM_IMPLEMENTS(javax::microedition::io::HttpsConnection, "javax.microedition.io.HttpConnection")
