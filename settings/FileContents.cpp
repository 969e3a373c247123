#include "settings/FileContents.h"

#include "platform/FileDescriptor.h"
#include "platform/WholeFile.h"

#include <atomic>
#include <cerrno>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using platform::FileDescriptor;

bool WriteAll(int fd, std::string_view content) {
    while (!content.empty()) {
        const ssize_t n = ::write(fd, content.data(), content.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        content.remove_prefix(static_cast<size_t>(n));
    }
    return true;
}

std::string TemporaryName(const std::string& target) {
    static std::atomic<unsigned> counter{0};
    return target + ".tmp" + std::to_string(::getpid()) + "-" + std::to_string(counter++);
}

} // namespace

std::optional<std::string> FileContents::Read(const std::string& path, size_t maxBytes) {
    const auto bytes = platform::WholeFile::Read(path, maxBytes);
    if (!bytes)
        return std::nullopt;
    return std::string(bytes->begin(), bytes->end());
}

bool FileContents::Replace(const std::string& path, std::string_view content) {
    namespace fs = std::filesystem;
    if (path.empty())
        return false; // would otherwise leave a temporary in the current folder
    std::error_code ec;
    std::string target = path;
    if (fs::is_symlink(path, ec)) {
        const fs::path resolved = fs::weakly_canonical(path, ec);
        if (ec)
            return false;
        target = resolved.string();
    }
    struct stat existing;
    const bool exists = ::stat(target.c_str(), &existing) == 0;
    if (exists && !S_ISREG(existing.st_mode))
        return false;

    const std::string temp = TemporaryName(target);
    FileDescriptor fd(::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
    if (fd.get() < 0)
        return false;
    const bool written = (!exists || ::fchmod(fd.get(), existing.st_mode & 07777) == 0) &&
                         WriteAll(fd.get(), content) && ::fsync(fd.get()) == 0;
    if (!fd.Close() || !written || ::rename(temp.c_str(), target.c_str()) != 0) {
        ::unlink(temp.c_str());
        return false;
    }
    return true;
}
