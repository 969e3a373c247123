// Reads a document on a thread of its own while the caller goes on, so that
// a batch job's start (its window system, plug-ins and dialog) and the
// reading of the file overlap.
//
// Contract: the constructor opens the file on the calling thread and raises
// what DocumentSource::Open raises, so a file that is no PDF, or that needs
// a password, fails at once. A reading thread then walks the page tree,
// loads the file's objects and measures the q/Q balance of the pages'
// content streams in page order (BalancePrefetcher::MeasureAhead); it alone
// touches the qpdf document until Take(). Take() asks the thread to stop
// measuring, waits for it, and returns what it read, raising kErrDocDamaged
// when the page tree could not be walked; it may be called once, on the
// thread that will own the document. A reader destroyed without Take()
// stops and joins its thread and drops what it read. File() and Encrypted()
// answer from what the constructor read, on any thread: the open file may
// be read at explicit offsets while the reading goes on.
#pragma once

#include <exception>
#include <string>
#include <thread>

#include "pdfhost/pdf/DocumentSource.h"

namespace pdfhost::pdf {

class DocumentReader {
  public:
    explicit DocumentReader(const std::string& path);
    ~DocumentReader();
    DocumentReader(const DocumentReader&) = delete;
    DocumentReader& operator=(const DocumentReader&) = delete;

    DocumentSource Take();
    std::shared_ptr<const OpenFile> File() const { return file_; }
    bool Encrypted() const { return encrypted_; }

  private:
    void Read(std::stop_token stop);

    DocumentSource source_;
    std::shared_ptr<const OpenFile> file_;
    bool encrypted_;
    std::exception_ptr failure_;
    bool taken_ = false;
    std::jthread thread_; // last: joined before what it fills goes
};

} // namespace pdfhost::pdf
