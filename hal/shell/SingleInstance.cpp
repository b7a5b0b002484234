#include "hal/shell/SingleInstance.h"

#include <cctype>
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

int lockFile = -1;

// A file name for any application name: letters and digits kept, everything else '_'.
std::string lockFileName(const std::string& applicationName) {
    std::string name;
    for (char c : applicationName) name += (std::isalnum(static_cast<unsigned char>(c)) ? c : '_');
    return name + ".instance";
}

}  // namespace

bool HAL_acquireInstanceLock(const std::string& applicationName) {
    const std::string folder = HAL_databaseDirectory();
    mkdir(folder.c_str(), 0755);
    const std::string path = folder + "/" + lockFileName(applicationName);
    const int fd = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0) return true;  // no lock file can be made: nothing to check against
    if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
        close(fd);
        return errno != EWOULDBLOCK;
    }
    lockFile = fd;
    return true;
}

void HAL_releaseInstanceLock() {
    if (lockFile < 0) return;
    flock(lockFile, LOCK_UN);
    close(lockFile);
    lockFile = -1;
}
