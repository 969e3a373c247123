// A file opened for reading, shared by its ASFile and the streams read from it.
//
// Contract: Open() returns the file or raises kErrFileNotFound (no such file)
// or kErrFileOpenFailed (anything else, including a folder), with a text that
// names the path and the system's reason. ReadAt() reads up to n bytes from
// an offset and raises kErrFileRead on a read error. The descriptor is closed
// when the last holder lets go, so closing an ASFile before its streams is
// harmless.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

namespace pdfhost::pdf {

class OpenFile {
  public:
    static std::shared_ptr<OpenFile> Open(const std::string& path);
    ~OpenFile();
    OpenFile(const OpenFile&) = delete;
    OpenFile& operator=(const OpenFile&) = delete;

    const std::string& Path() const { return path_; }
    std::uint64_t Size() const { return size_; }
    std::string ReadAt(std::uint64_t offset, std::size_t n) const;
    // The descriptor, for readers that dup() it; it stays owned here.
    int Descriptor() const { return fd_; }
    // Whether path names this same file (the same inode, now).
    bool IsSameFileAs(const std::string& path) const;

    // Takes over fd; use Open().
    OpenFile(std::string path, int fd, std::uint64_t size, std::uint64_t device,
             std::uint64_t inode)
        : path_(std::move(path)), fd_(fd), size_(size), device_(device), inode_(inode) {}

  private:
    std::string path_;
    int fd_ = -1;
    std::uint64_t size_ = 0;
    std::uint64_t device_ = 0;
    std::uint64_t inode_ = 0;
};

} // namespace pdfhost::pdf
