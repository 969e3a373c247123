#include "platform/FileFacts.h"

#include <fcntl.h>
#include <sys/stat.h>

#include "platform/FileDescriptor.h"

namespace platform {

std::string FileFacts::Title(const std::string& path) {
    const std::size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

FileTimes FileFacts::Times(const std::string& path) {
    FileTimes times;
    if (path.empty())
        return times;
    FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
    if (fd.get() < 0)
        return times;
    struct statx st {};
    if (::statx(fd.get(), "", AT_EMPTY_PATH, STATX_BTIME | STATX_MTIME, &st) != 0)
        return times;
    if (st.stx_mask & STATX_MTIME)
        times.modified = static_cast<std::time_t>(st.stx_mtime.tv_sec);
    if (st.stx_mask & STATX_BTIME)
        times.birth = static_cast<std::time_t>(st.stx_btime.tv_sec);
    return times;
}

} // namespace platform
