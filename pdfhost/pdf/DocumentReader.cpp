#include "pdfhost/pdf/DocumentReader.h"

#include <cassert>

namespace pdfhost::pdf {

DocumentReader::DocumentReader(const std::string& path)
    : source_(DocumentSource::Open(path)), file_(source_.file), encrypted_(source_.encrypted),
      thread_([this](std::stop_token stop) { Read(std::move(stop)); }) {}

DocumentReader::~DocumentReader() {
    thread_.request_stop();
    if (thread_.joinable())
        thread_.join();
}

void DocumentReader::Read(std::stop_token stop) {
    try {
        source_.ReadPages();
        // A stamp run's first new object would make qpdf load them all, on
        // the thread that then waits for it.
        source_.LoadObjects();
        source_.prefetcher->MeasureAhead(source_.pages, source_.balances, stop);
    } catch (...) {
        failure_ = std::current_exception();
    }
}

DocumentSource DocumentReader::Take() {
    assert(!taken_ && "a document reader gives its document once");
    taken_ = true;
    thread_.request_stop();
    thread_.join();
    if (failure_)
        std::rethrow_exception(failure_);
    return std::move(source_);
}

} // namespace pdfhost::pdf
