// The marker segments of a JPEG file, walked without decoding anything.
//
// Contract: a JpegSegments over the bytes of a file first checks the
// start-of-image marker; then each Next() moves to the next marker segment
// and returns Step::Segment, with Marker() and Payload() (the bytes after the
// segment's length field) valid until the following call. Fill bytes, the
// markers that stand alone (kStandalone: TEM and the eight restart markers)
// and the entropy-coded data after a start-of-scan segment (up to the next
// marker that is not a restart marker) are passed over. Next() returns
// Step::End at the end-of-image marker and Step::Broken when the bytes do not
// start with the start-of-image marker, end early, lack a marker where one
// must stand, hold 0xFF 0x00 outside entropy-coded data, or give a segment a
// length below 2 or past their end; after End or Broken it keeps returning
// the same. The walker only borrows the bytes and reads nothing outside them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace platform {

class JpegSegments {
  public:
    static constexpr std::uint8_t kStartOfImage = 0xD8;
    static constexpr std::uint8_t kEndOfImage = 0xD9;
    static constexpr std::uint8_t kStartOfScan = 0xDA;

    // Markers without a length field that may stand between segments.
    static bool IsStandalone(std::uint8_t marker) { return marker == 0x01 || IsRestart(marker); }
    static bool IsRestart(std::uint8_t marker) { return marker >= 0xD0 && marker <= 0xD7; }

    enum class Step { Segment, End, Broken };

    explicit JpegSegments(std::span<const std::uint8_t> bytes);

    Step Next();
    std::uint8_t Marker() const { return marker_; }
    std::span<const std::uint8_t> Payload() const { return payload_; }

  private:
    Step Finish(Step step);

    std::span<const std::uint8_t> bytes_;
    std::size_t at_ = 0;
    bool finished_ = false;
    Step last_ = Step::Segment;
    std::uint8_t marker_ = 0;
    std::span<const std::uint8_t> payload_;
};

} // namespace platform
