#include "pdfhost/pdf/DescriptorInput.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <stdexcept>
#include <unistd.h>

#include "pdfhost/pdf/OpenFile.h"

namespace pdfhost::pdf {

DescriptorInput::DescriptorInput(std::shared_ptr<const OpenFile> file)
    : file_(std::move(file)), size_(static_cast<qpdf_offset_t>(file_->Size())) {}

std::string const& DescriptorInput::getName() const {
    return file_->Path();
}

std::size_t DescriptorInput::ReadAt(qpdf_offset_t at, char* out, std::size_t n) {
    std::size_t got = 0;
    while (got < n) {
        const ssize_t r = ::pread(file_->Descriptor(), out + got, n - got,
                                  static_cast<off_t>(at) + static_cast<off_t>(got));
        if (r < 0 && errno == EINTR)
            continue;
        if (r < 0)
            throw std::runtime_error(file_->Path() + ": read failed: " + std::strerror(errno));
        if (r == 0)
            break;
        got += static_cast<std::size_t>(r);
    }
    return got;
}

std::size_t DescriptorInput::Load(qpdf_offset_t at) {
    window_.resize(kWindow);
    const std::size_t want = static_cast<std::size_t>(
        std::min<qpdf_offset_t>(static_cast<qpdf_offset_t>(kWindow), size_ - at));
    windowAt_ = at;
    windowLength_ = 0; // nothing valid should the read fail
    windowLength_ = ReadAt(at, window_.data(), want);
    return windowLength_;
}

int DescriptorInput::ByteAt(qpdf_offset_t at) {
    if (at < windowAt_ || at >= windowAt_ + static_cast<qpdf_offset_t>(windowLength_)) {
        if (at >= size_ || Load(at) == 0)
            return -1;
    }
    return static_cast<unsigned char>(window_[static_cast<std::size_t>(at - windowAt_)]);
}

size_t DescriptorInput::read(char* buffer, size_t length) {
    if (pos_ < 0)
        throw std::logic_error("DescriptorInput: negative offset");
    if (pos_ >= size_) {
        last_offset = size_;
        return 0;
    }
    last_offset = pos_;
    const std::size_t n = std::min<std::size_t>(length, static_cast<std::size_t>(size_ - pos_));
    std::size_t got = 0;
    if (n >= kWindow) {
        got = ReadAt(pos_, buffer, n);
    } else {
        const qpdf_offset_t windowEnd = windowAt_ + static_cast<qpdf_offset_t>(windowLength_);
        if (pos_ < windowAt_ || pos_ + static_cast<qpdf_offset_t>(n) > windowEnd)
            Load(pos_);
        const std::size_t offset = static_cast<std::size_t>(pos_ - windowAt_);
        got = offset < windowLength_ ? std::min(n, windowLength_ - offset) : 0;
        std::memcpy(buffer, window_.data() + offset, got);
    }
    pos_ += static_cast<qpdf_offset_t>(got);
    return got;
}

void DescriptorInput::seek(qpdf_offset_t offset, int whence) {
    switch (whence) {
    case SEEK_SET:
        pos_ = offset;
        break;
    case SEEK_CUR:
        pos_ += offset;
        break;
    case SEEK_END:
        pos_ = size_ + offset;
        break;
    default:
        throw std::logic_error("DescriptorInput: invalid seek");
    }
    if (pos_ < 0)
        throw std::runtime_error(file_->Path() + ": seek before beginning of buffer");
}

void DescriptorInput::unreadCh(char) {
    if (pos_ > 0)
        --pos_;
}

qpdf_offset_t DescriptorInput::findAndSkipNextEOL() {
    if (pos_ < 0)
        throw std::logic_error("DescriptorInput: negative offset");
    if (pos_ >= size_) {
        last_offset = size_;
        pos_ = size_;
        return size_;
    }
    qpdf_offset_t at = pos_;
    int c = ByteAt(at);
    while (c >= 0 && c != '\r' && c != '\n')
        c = ByteAt(++at);
    if (c < 0) {
        pos_ = at;
        return at;
    }
    const qpdf_offset_t eol = at;
    pos_ = at + 1;
    while ((c = ByteAt(pos_)) == '\r' || c == '\n')
        ++pos_;
    return eol;
}

} // namespace pdfhost::pdf
