// Owns one POSIX file descriptor and closes it when it goes.
//
// Contract: takes any value open() returned, a negative one included (then
// owns nothing). Close() gives the descriptor up early and reports whether
// close() succeeded, for writers whose data is only safe once that is known;
// afterwards the object owns nothing. Not copyable.
#pragma once

#include <unistd.h>

namespace platform {

class FileDescriptor {
  public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    ~FileDescriptor() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;

    int get() const { return fd_; }
    bool Close() {
        const int fd = fd_;
        fd_ = -1;
        return fd >= 0 && ::close(fd) == 0;
    }

  private:
    int fd_;
};

} // namespace platform
