#include "platform/FileDraft.h"

#include <cassert>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

FileDraft::FileDraft(const std::string& path, const FileReplacement::Options& options, Fill fill)
    : target_(path.empty() ? std::string() : FileReplacement::Target(path)) {
    if (target_.empty())
        return;
    struct stat existing {};
    const bool exists = ::stat(target_.c_str(), &existing) == 0;
    if (exists && (!S_ISREG(existing.st_mode) || ::access(target_.c_str(), W_OK) != 0))
        return;
    auto [fd, temp] = FileReplacement::TemporaryBeside(target_);
    if (fd < 0)
        return;
    fd_ = fd;
    temp_ = std::move(temp);
    if (::fchmod(fd_, FileReplacement::NewMode(exists ? &existing : nullptr, options)) != 0)
        return;
    thread_ = std::jthread([this, fill = std::move(fill)] {
        try {
            fill(fd_);
        } catch (const std::exception&) {
            return;
        }
        const off_t end = ::lseek(fd_, 0, SEEK_CUR);
        if (end < 0 || ::fdatasync(fd_) != 0)
            return;
        size_ = static_cast<std::uint64_t>(end);
        ok_ = true;
    });
}

FileDraft::~FileDraft() {
    if (thread_.joinable())
        thread_.join();
    if (fd_ >= 0)
        ::close(fd_);
    if (!temp_.empty())
        ::unlink(temp_.c_str());
}

std::optional<std::uint64_t> FileDraft::Ready() {
    if (thread_.joinable())
        thread_.join();
    if (!ok_ || fd_ < 0)
        return std::nullopt;
    return size_;
}

std::pair<int, std::string> FileDraft::Take() {
    assert(ok_ && fd_ >= 0 && !thread_.joinable());
    std::pair<int, std::string> taken{fd_, std::move(temp_)};
    fd_ = -1;
    temp_.clear();
    return taken;
}

} // namespace platform
