// Feeds an arbitrary file to the whole document path a stamp run takes:
// open it (from memory), acquire every page's content, append an image
// element with a fill opacity to each, and save it, both as a rewrite and,
// where the document allows, as an incremental update (to memory too).
//
// Beyond "no crash, no out-of-bounds access, no hang" it checks what a user
// relies on after a save: either output opens again with as many pages as
// the document has (when every page is a real page dictionary), and an
// incremental update (only made of a file that needed no repair) opens
// without any.
#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include <qpdf/QPDF.hh>

#include "pdfhost/core/HostError.h"
#include "pdfhost/pdf/Document.h"
#include "pdfhost/pdf/DocumentBytes.h"
#include "pdfhost/pdf/Documents.h"
#include "pdfhost/pdf/IncrementalWriter.h"
#include "tests/support/JpegCodec.h"
#include "tests/support/StampRun.h"

namespace {

using namespace pdfhost::pdf;
using pdfhost::HostError;

// Bytes the engine opens by name without touching the disk: a memory file
// named through /proc/self/fd.
class MemoryFile {
  public:
    MemoryFile(const void* data, std::size_t size) : fd_(memfd_create("fuzz", 0)) {
        if (fd_ < 0 || ::write(fd_, data, size) != static_cast<ssize_t>(size))
            std::abort();
    }
    ~MemoryFile() { ::close(fd_); }
    MemoryFile(const MemoryFile&) = delete;
    MemoryFile& operator=(const MemoryFile&) = delete;
    std::string Path() const { return "/proc/self/fd/" + std::to_string(fd_); }

  private:
    int fd_;
};

const MemoryFile& Picture() {
    static const testsupport::Bytes jpeg =
        testsupport::EncodeJpeg(8, 8, testsupport::Solid({200, 30, 30}));
    static const MemoryFile file(jpeg.data(), jpeg.size());
    return file;
}

// Pages beyond these are opened but not stamped, to keep one run short.
constexpr int kMaxStampedPages = 16;

// Opens saved bytes again; the page count, or -1 when they do not open.
int PagesOf(const std::string& bytes, bool allowRepair) {
    try {
        QPDF pdf;
        pdf.setSuppressWarnings(true);
        pdf.setAttemptRecovery(allowRepair);
        pdf.processMemoryFile("saved", bytes.data(), bytes.size());
        const int pages = static_cast<int>(pdf.getAllPages().size());
        return !allowRepair && !pdf.getWarnings().empty() ? -1 : pages;
    } catch (const std::exception&) {
        return -1;
    }
}

std::string Incremental(Document& doc) {
    char* buffer = nullptr;
    std::size_t length = 0;
    std::FILE* out = open_memstream(&buffer, &length);
    if (!out)
        std::abort();
    bool written = true;
    try {
        IncrementalWriter::Write(doc, out);
    } catch (const std::exception&) {
        written = false;
    }
    std::fclose(out);
    const std::unique_ptr<char, decltype(&std::free)> owned(buffer, &std::free);
    return written ? std::string(buffer, length) : std::string();
}

void Stamp(PDDoc handle) {
    Document& doc = Document::FromHandle(handle);
    // A font found or not makes no difference to the image alone.
    testsupport::StampRun run(handle, Picture().Path(), 8, 8, {0x10000, 0, 0, 0x10000, 0, 0},
                              0x8000, [](const std::string&) {});
    if (!run.Image())
        std::abort();
    for (int i = 0; i < doc.PageCount() && i < kMaxStampedPages; ++i)
        run.TryAppend(i);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const MemoryFile input(data, size);
    PDDoc handle = nullptr;
    try {
        handle = Documents::Open(input.Path());
    } catch (const HostError&) {
        return 0;
    }
    Document& doc = Document::FromHandle(handle);
    Stamp(handle);

    // qpdf takes a page-tree entry that names a missing or null object for a
    // page; a save writes it as a plain null, which no reader takes for a
    // page any more. Such documents have nothing to compare.
    bool realPages = true;
    for (int i = 0; i < doc.PageCount(); ++i)
        realPages = realPages && doc.PageObject(i).isDictionary();

    std::string rewritten;
    try {
        rewritten = DocumentBytes::Write(doc);
    } catch (const HostError&) {
    }
    if (realPages && !rewritten.empty() && PagesOf(rewritten, true) != doc.PageCount())
        std::abort();
    if (IncrementalWriter::WhyNot(doc).empty()) {
        const std::string updated = Incremental(doc);
        if (realPages && !updated.empty() && PagesOf(updated, false) != doc.PageCount())
            std::abort();
    }
    Documents::Close(handle);
    return 0;
}
