#include "platform/JpegSegments.h"

#include <cstring>

namespace platform {
namespace {

using Bytes = std::span<const std::uint8_t>;

// From the first byte of entropy-coded data, the offset of the next marker
// that is not a restart marker, or the size when there is none.
std::size_t EndOfEntropyData(Bytes b, std::size_t at) {
    while (at < b.size()) {
        const void* found = std::memchr(b.data() + at, 0xFF, b.size() - at);
        if (!found)
            return b.size();
        at = static_cast<std::size_t>(static_cast<const std::uint8_t*>(found) - b.data());
        if (at + 1 >= b.size())
            return b.size();
        const std::uint8_t next = b[at + 1];
        if (next != 0x00 && !JpegSegments::IsRestart(next))
            return at;
        at += 2;
    }
    return b.size();
}

} // namespace

JpegSegments::JpegSegments(Bytes bytes) : bytes_(bytes) {
    if (bytes.size() < 2 || bytes[0] != 0xFF || bytes[1] != kStartOfImage)
        Finish(Step::Broken);
    at_ = 2;
}

JpegSegments::Step JpegSegments::Finish(Step step) {
    finished_ = true;
    last_ = step;
    payload_ = {};
    return step;
}

JpegSegments::Step JpegSegments::Next() {
    if (finished_)
        return last_;
    if (marker_ == kStartOfScan)
        at_ = EndOfEntropyData(bytes_, at_);
    for (;;) {
        if (at_ >= bytes_.size() || bytes_[at_] != 0xFF)
            return Finish(Step::Broken);
        while (at_ < bytes_.size() && bytes_[at_] == 0xFF) // fill bytes before a marker
            ++at_;
        if (at_ >= bytes_.size())
            return Finish(Step::Broken);
        marker_ = bytes_[at_++];
        if (marker_ == kEndOfImage)
            return Finish(Step::End);
        if (marker_ == 0x00)
            return Finish(Step::Broken);
        if (IsStandalone(marker_))
            continue;
        if (at_ + 2 > bytes_.size())
            return Finish(Step::Broken);
        const std::size_t length = (std::size_t{bytes_[at_]} << 8) | bytes_[at_ + 1];
        if (length < 2 || length > bytes_.size() - at_)
            return Finish(Step::Broken);
        payload_ = bytes_.subspan(at_ + 2, length - 2);
        at_ += length;
        return Step::Segment;
    }
}

} // namespace platform
