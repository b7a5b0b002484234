#pragma once

// One instance of the application at a time: a lock file in the database folder, held
// with flock for the life of the process (the system releases it if the process dies).

#include <string>

#include "hal/services/DatabaseFolder.h"

// Takes the instance lock for the application name; false when another instance holds it.
bool HAL_acquireInstanceLock(const std::string& applicationName);
void HAL_releaseInstanceLock();
