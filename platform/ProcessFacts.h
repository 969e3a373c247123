// Whether a process still exists, for files named after the process that
// made them.
//
// Contract: ProcessExists(pid) is false only when the system says no process
// has that id (ESRCH); a process of another user, which cannot be signalled,
// exists. Ids of 0 or below, or past what a process id can hold, give true,
// so a caller never treats a file it did not name as left by a gone process. The answer is a
// snapshot: an id can be reused.
#pragma once

namespace platform {

bool ProcessExists(long pid);

} // namespace platform
