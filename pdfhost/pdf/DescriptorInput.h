// qpdf's view of an open file, read with pread through a window of its
// bytes.
//
// Contract: serves the bytes of `file` from offset 0 to the size it had
// when opened, the way qpdf's in-memory input does (reads past the end
// give nothing, a seek before the start raises std::runtime_error, an
// unread at the start is ignored), without holding the file in memory:
// only the 64 KiB window around the last read. qpdf's own file input seeks
// the stream before every object and token it reads, some sixty system
// calls a page; here a seek is an assignment and most reads a copy. A file
// that comes up short of its size (cut while open) reads as ending there;
// a read error raises std::runtime_error naming the file. The file stays
// open while the input lives.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include <qpdf/InputSource.hh>

namespace pdfhost::pdf {

class OpenFile;

class DescriptorInput : public InputSource {
  public:
    explicit DescriptorInput(std::shared_ptr<const OpenFile> file);

    qpdf_offset_t findAndSkipNextEOL() override;
    std::string const& getName() const override;
    qpdf_offset_t tell() override { return pos_; }
    void seek(qpdf_offset_t offset, int whence) override;
    void rewind() override { pos_ = 0; }
    size_t read(char* buffer, size_t length) override;
    void unreadCh(char) override;

    static constexpr std::size_t kWindow = std::size_t{64} << 10;

  private:
    // The window made to start at `at`; how many bytes it then holds.
    std::size_t Load(qpdf_offset_t at);
    // The byte at `at`, or -1 when the file has none there.
    int ByteAt(qpdf_offset_t at);
    std::size_t ReadAt(qpdf_offset_t at, char* out, std::size_t n);

    std::shared_ptr<const OpenFile> file_;
    qpdf_offset_t size_;
    qpdf_offset_t pos_ = 0;
    std::vector<char> window_;
    qpdf_offset_t windowAt_ = 0;
    std::size_t windowLength_ = 0;
};

} // namespace pdfhost::pdf
