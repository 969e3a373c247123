#include "pdfhost/pdf/OpenFile.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "pdfhost/core/HostError.h"

namespace pdfhost::pdf {

std::shared_ptr<OpenFile> OpenFile::Open(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        const int e = errno;
        Raise(e == ENOENT ? kErrFileNotFound : kErrFileOpenFailed,
              "Cannot open \"" + path + "\": " + std::strerror(e) + ".");
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        Raise(kErrFileOpenFailed, "Cannot open \"" + path + "\": it is not a regular file.");
    }
    return std::make_shared<OpenFile>(path, fd, static_cast<std::uint64_t>(st.st_size),
                                      static_cast<std::uint64_t>(st.st_dev),
                                      static_cast<std::uint64_t>(st.st_ino));
}

OpenFile::~OpenFile() {
    if (fd_ >= 0)
        ::close(fd_);
}

std::string OpenFile::ReadAt(std::uint64_t offset, std::size_t n) const {
    // Never more than the file holds, whatever a caller asks for.
    n = static_cast<std::size_t>(std::min<std::uint64_t>(n, offset < size_ ? size_ - offset : 0));
    std::string out(n, '\0');
    std::size_t got = 0;
    while (got < n) {
        const ssize_t r = ::pread(fd_, out.data() + got, n - got, static_cast<off_t>(offset + got));
        if (r < 0 && errno == EINTR)
            continue;
        if (r < 0)
            Raise(kErrFileRead, "Cannot read \"" + path_ + "\": " + std::strerror(errno) + ".");
        if (r == 0)
            break;
        got += static_cast<std::size_t>(r);
    }
    out.resize(got);
    return out;
}

} // namespace pdfhost::pdf

namespace pdfhost::pdf {

bool OpenFile::IsSameFileAs(const std::string& path) const {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && static_cast<std::uint64_t>(st.st_dev) == device_ &&
           static_cast<std::uint64_t>(st.st_ino) == inode_;
}

} // namespace pdfhost::pdf
