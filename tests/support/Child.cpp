#include "Child.h"

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>

namespace pixmere::test {

int InChild(const std::function<int()>& work) {
    const pid_t child = ::fork();
    if (child == 0) {
        int code = 2;
        try {
            code = work();
        } catch (...) {
        }
        ::_exit(code);
    }
    int status = 0;
    return child > 0 && ::waitpid(child, &status, 0) == child ? status : 0x100;
}

void LimitAddressSpaceGrowth(std::size_t bytes) {
    long pages = 0;
    std::ifstream("/proc/self/statm") >> pages;
    const rlim_t most = static_cast<rlim_t>(pages * ::sysconf(_SC_PAGESIZE)) + bytes;
    const rlimit limit{most, most};
    ::setrlimit(RLIMIT_AS, &limit);
}

}  // namespace pixmere::test
