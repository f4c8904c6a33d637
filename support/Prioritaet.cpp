#include "support/Prioritaet.h"

#if defined(__linux__)
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>
#endif

bool NiedrigePrioritaet() {
#if defined(__linux__)
    // On Linux every thread has a nice value of its own.
    const auto tid = static_cast<id_t>(syscall(SYS_gettid));
    return setpriority(PRIO_PROCESS, tid, 19) == 0;
#else
    return false;
#endif
}
