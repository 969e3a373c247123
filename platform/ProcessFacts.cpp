#include "platform/ProcessFacts.h"

#include <cerrno>
#include <csignal>
#include <sys/types.h>

namespace platform {

bool ProcessExists(long pid) {
    if (pid <= 0 || static_cast<long>(static_cast<pid_t>(pid)) != pid)
        return true;
    return ::kill(static_cast<pid_t>(pid), 0) == 0 || errno != ESRCH;
}

} // namespace platform
