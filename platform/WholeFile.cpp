#include "platform/WholeFile.h"

#include "platform/FileDescriptor.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

std::optional<std::vector<std::uint8_t>> WholeFile::Read(const std::string& path,
                                                         std::size_t maxBytes) {
    // O_NONBLOCK keeps the open itself from waiting on a pipe with no writer;
    // the type check below then refuses it.
    FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    if (fd.get() < 0)
        return std::nullopt;
    struct stat info {};
    if (::fstat(fd.get(), &info) != 0 || !S_ISREG(info.st_mode) || info.st_size < 0 ||
        static_cast<std::uintmax_t>(info.st_size) > maxBytes)
        return std::nullopt;

    std::vector<std::uint8_t> bytes(static_cast<size_t>(info.st_size));
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t got = ::read(fd.get(), bytes.data() + done, bytes.size() - done);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            return std::nullopt; // an error, or the file shrank under us
        done += static_cast<size_t>(got);
    }
    return bytes;
}

} // namespace platform
