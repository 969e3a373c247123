// Whole-buffer inflate of zlib-wrapped Flate data, for callers that need the
// decoded bytes of a stream without going through qpdf (worker threads).
//
// Contract: Inflate() returns the decoded bytes of one complete zlib stream
// with a correct checksum, followed by nothing but white space; anything
// else (damaged, truncated or trailing data, or more than kMaxOutput
// decoded bytes) gives nothing, so that the caller can let qpdf decide what
// such data means. Engine::Deflate sizes the output by guessing and grows
// the guess a few times, then hands the stream to zlib's streaming inflate,
// which needs no size; Engine::Zlib uses zlib alone. Both give identical
// results. Thread-safe: every call uses its own decompressor.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace pdfhost::pdf {

class FlateInflater {
  public:
    enum class Engine { Deflate, Zlib };
    static constexpr std::size_t kMaxOutput = std::size_t{1} << 30;

    static std::optional<std::string> Inflate(std::string_view zlibData,
                                              Engine engine = Engine::Deflate);
};

} // namespace pdfhost::pdf
