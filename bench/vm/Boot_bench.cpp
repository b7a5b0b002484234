// Process start to the boot class's main: runs itself as a child many times; each child
// boots the runtime and ends the process the moment the boot class's main is called.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#include "lib_src/vm/VMClass.h"
#include "lib_src/vm/VMStartup.h"

namespace com::kelvane::ostrel {

class AMS : public virtual java::lang::Object {
    VM_CLASS(AMS, java::lang::Object)
    static void main(VMPtr<VMArray<java::lang::String*, 1>>) { _exit(0); }
};

}  // namespace com::kelvane::ostrel

VM_DEFINE_CLASS(com::kelvane::ostrel::AMS, "com.kelvane.ostrel.AMS", "java.lang.Object", VM_NO_CLINIT)
VM_MAIN_METHOD(com::kelvane::ostrel::AMS)

int main(int argc, char** argv) {
    if (argc > 1 && std::strcmp(argv[1], "child") == 0) {
        vmStartOnThisThread(6 << 20, 58 << 20, "com.kelvane.ostrel.AMS");
        return 1;  // main did not run
    }
    constexpr int kRuns = 30;
    std::vector<double> samples;
    for (int i = 0; i < kRuns; ++i) {
        const auto start = std::chrono::steady_clock::now();
        const pid_t child = fork();
        if (child == 0) {
            execl("/proc/self/exe", argv[0], "child", static_cast<char*>(nullptr));
            _exit(2);
        }
        int status = 0;
        waitpid(child, &status, 0);
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
            std::fprintf(stderr, "child failed\n");
            return 1;
        }
        samples.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    }
    std::sort(samples.begin(), samples.end());
    std::printf("process start to boot main: median %.2f ms, best %.2f ms (%d runs)\n", samples[kRuns / 2], samples[0],
                kRuns);
    return 0;
}
