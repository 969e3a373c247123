#include "platform/FileReplacement.h"

#include "platform/FileDraft.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <stdexcept>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {
namespace {

namespace fs = std::filesystem;

std::string ErrnoText() {
    return std::string(std::strerror(errno)) + ".";
}

// An open stream over a file being written; closes it when it goes, and
// removes it too when it is a temporary that was not renamed into place.
class Output {
  public:
    Output(int fd, std::string removeOnFailure)
        : fd_(fd), file_(fd >= 0 ? ::fdopen(fd, "wb") : nullptr),
          removeOnFailure_(std::move(removeOnFailure)) {}
    ~Output() {
        if (file_)
            std::fclose(file_);
        else if (fd_ >= 0)
            ::close(fd_);
        if (!removeOnFailure_.empty())
            ::unlink(removeOnFailure_.c_str());
    }
    Output(const Output&) = delete;
    Output& operator=(const Output&) = delete;

    std::FILE* Stream() const { return file_; }
    int Fd() const { return fd_; }
    // Flushes, syncs and closes; false on any error, with errno set.
    bool Finish() {
        const bool ok = std::fflush(file_) == 0 && !std::ferror(file_) && ::fsync(fd_) == 0;
        const int savedErrno = errno;
        const bool closed = std::fclose(file_) == 0;
        file_ = nullptr;
        fd_ = -1;
        if (!ok)
            errno = savedErrno;
        return ok && closed;
    }
    void Keep() { removeOnFailure_.clear(); }

  private:
    int fd_;
    std::FILE* file_;
    std::string removeOnFailure_;
};

bool Fail(std::string* why, const std::string& reason) {
    if (why)
        *why = reason;
    return false;
}

// Runs the writer into `out`; false with the reason when it fails.
bool Fill(Output& out, const FileReplacement::Writer& writer, std::string* why) {
    if (!out.Stream())
        return Fail(why, ErrnoText());
    try {
        writer(out.Stream());
    } catch (const std::exception& e) {
        return Fail(why, e.what());
    }
    if (!out.Finish())
        return Fail(why, ErrnoText());
    return true;
}

// Runs the writer into the temporary file and renames it over the target.
bool FillAndRename(Output& out, const FileReplacement::Writer& writer, const std::string& temp,
                   const std::string& target, std::string* why) {
    if (!Fill(out, writer, why))
        return false;
    if (::rename(temp.c_str(), target.c_str()) != 0)
        return Fail(why, ErrnoText());
    out.Keep();
    return true;
}

} // namespace

mode_t FileReplacement::NewMode(const struct stat* existing, const Options& options) {
    if (existing)
        return existing->st_mode & 07777;
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return options.newFileMode & ~mask;
}

std::pair<int, std::string> FileReplacement::TemporaryBeside(const std::string& target) {
    const fs::path t(target);
    std::string temp = (t.parent_path() / ("." + t.filename().string() + ".XXXXXX")).string();
    const int fd = ::mkstemp(temp.data());
    return {fd, std::move(temp)};
}

std::string FileReplacement::Target(const std::string& path) {
    // Followed by hand: canonical() would refuse a link to nowhere, and
    // weakly_canonical() would stop at it.
    std::error_code ec;
    fs::path target(path);
    for (int hops = 0; hops < 40 && fs::is_symlink(fs::symlink_status(target, ec)); ++hops) {
        const fs::path next = fs::read_symlink(target, ec);
        if (ec)
            break;
        target = next.is_absolute() ? next : target.parent_path() / next;
    }
    target = target.lexically_normal();
    if (target.parent_path().empty())
        target = fs::path(".") / target;
    return target.string();
}

bool FileReplacement::Write(const std::string& path, const Writer& writer, const Options& options,
                            std::string* why, FileDraft* draft) {
    if (path.empty())
        return Fail(why, "no file name was given.");
    const std::string target = Target(path);
    struct stat existing {};
    const bool exists = ::stat(target.c_str(), &existing) == 0;
    if (exists && S_ISDIR(existing.st_mode))
        return Fail(why, "it is a folder.");
    if (exists && !S_ISREG(existing.st_mode))
        return Fail(why, "it is not a regular file.");
    if (exists && ::access(target.c_str(), W_OK) != 0)
        return Fail(why, "the file may not be written: " + ErrnoText());

    if (draft && draft->Target() == target && draft->Ready()) {
        auto [fd, temp] = draft->Take();
        Output out(fd, temp);
        if (!out.Stream() || std::fseek(out.Stream(), 0, SEEK_END) != 0)
            return Fail(why, ErrnoText());
        return FillAndRename(out, writer, temp, target, why);
    }
    const auto [fd, temp] = TemporaryBeside(target);
    if (fd < 0) {
        const int noTemp = errno;
        if (!(exists && options.inPlaceWhenFolderIsClosed &&
              (noTemp == EACCES || noTemp == EPERM || noTemp == EROFS))) {
            errno = noTemp;
            return Fail(why, ErrnoText());
        }
        // Last resort: the folder is closed to new files, the file itself
        // is not; its mode and owner stay as they are.
        Output out(::open(target.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC), "");
        return Fill(out, writer, why);
    }
    Output out(fd, temp);
    if (::fchmod(fd, NewMode(exists ? &existing : nullptr, options)) != 0)
        return Fail(why, ErrnoText());
    return FillAndRename(out, writer, temp, target, why);
}

bool FileReplacement::Write(const std::string& path, std::string_view content,
                            const Options& options, std::string* why) {
    return Write(
        path,
        [content](std::FILE* out) {
            if (!content.empty() &&
                std::fwrite(content.data(), 1, content.size(), out) != content.size())
                throw std::runtime_error(ErrnoText());
        },
        options, why);
}

} // namespace platform
