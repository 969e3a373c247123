#include "pdfhost/pdf/DocumentSaver.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

#include <qpdf/QPDFWriter.hh>

#include "pdfhost/core/HostError.h"
#include "pdfhost/pdf/Document.h"
#include "pdfhost/pdf/OpenFile.h"

namespace pdfhost::pdf {
namespace {

namespace fs = std::filesystem;

[[noreturn]] void Fail(const std::string& path, const std::string& reason) {
    Raise(kErrDocSaveFailed, "Cannot save \"" + path + "\": " + reason);
}

// Removes the temporary file unless it was renamed into place.
class TempFile {
  public:
    explicit TempFile(const fs::path& target) {
        std::string pattern =
            (target.parent_path() / ("." + target.filename().string() + ".XXXXXX")).string();
        fd_ = ::mkstemp(pattern.data());
        if (fd_ < 0)
            Fail(target.string(), std::string(std::strerror(errno)) + ".");
        path_ = pattern;
    }
    ~TempFile() {
        if (file_)
            std::fclose(file_);
        else if (fd_ >= 0)
            ::close(fd_);
        if (!kept_)
            ::unlink(path_.c_str());
    }
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;

    FILE* Stream() {
        if (!file_)
            file_ = ::fdopen(fd_, "wb");
        return file_;
    }
    int Fd() const { return fd_; }
    const std::string& Path() const { return path_; }
    // Flushes, syncs and closes; false on any error.
    bool Finish() {
        const bool ok = std::fflush(file_) == 0 && ::fsync(fd_) == 0;
        const bool closed = std::fclose(file_) == 0;
        file_ = nullptr;
        fd_ = -1;
        return ok && closed;
    }
    void Keep() { kept_ = true; }

  private:
    int fd_ = -1;
    FILE* file_ = nullptr;
    std::string path_;
    bool kept_ = false;
};

mode_t ModeFor(const fs::path& target) {
    struct stat st {};
    if (::stat(target.c_str(), &st) == 0)
        return st.st_mode & 07777;
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

} // namespace

void DocumentSaver::Save(Document& doc, const std::string& path, bool replaceInput) {
    if (path.empty())
        Fail(path, "no file name was given.");
    if (!replaceInput && doc.FileData().IsSameFileAs(path))
        Fail(path, "it is the file the document was read from; replacing it must be asked for "
                   "explicitly.");
    fs::path target(path);
    std::error_code ec;
    // A link is followed, so that the file it names is replaced, not the link.
    if (fs::symlink_status(target, ec).type() == fs::file_type::symlink) {
        target = fs::canonical(target, ec);
        if (ec)
            Fail(path, ec.message() + ".");
    }
    if (target.parent_path().empty())
        target = fs::path(".") / target;
    if (fs::status(target, ec).type() == fs::file_type::directory)
        Fail(path, "it is a folder.");

    TempFile temp(target);
    FILE* out = temp.Stream();
    if (!out)
        Fail(path, std::string(std::strerror(errno)) + ".");
    try {
        QPDFWriter writer(doc.Pdf());
        writer.setOutputFile(temp.Path().c_str(), out, false);
        writer.setCompressStreams(false);
        writer.setDecodeLevel(qpdf_dl_none);
        writer.setObjectStreamMode(qpdf_o_preserve);
        writer.setPreserveEncryption(true);
        writer.setNewlineBeforeEndstream(true);
        if (doc.UsesTransparency())
            writer.setMinimumPDFVersion("1.4");
        writer.write();
    } catch (const std::exception& e) {
        Fail(path, e.what());
    }
    if (::fchmod(temp.Fd(), ModeFor(target)) != 0 || !temp.Finish())
        Fail(path, std::string(std::strerror(errno)) + ".");
    if (::rename(temp.Path().c_str(), target.c_str()) != 0)
        Fail(path, std::string(std::strerror(errno)) + ".");
    temp.Keep();
}

} // namespace pdfhost::pdf
