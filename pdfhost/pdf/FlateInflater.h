// Whole-buffer inflate of zlib-wrapped Flate data, for callers that need the
// decoded bytes of a stream without going through qpdf (worker threads).
//
// Contract: Decode() returns the decoded bytes of one complete zlib stream
// with a correct checksum, followed by nothing but white space; anything
// else (damaged, truncated or trailing data, or more than kMaxOutput
// decoded bytes) gives nothing, so that the caller can let qpdf decide what
// such data means. The bytes live in the inflater's own buffer, reused by
// the next call (a page loop decodes thousands of streams: one decompressor
// and one buffer for all of them, never cleared before use), so the view is
// valid until then. Engine::Deflate sizes the output by guessing and grows
// the guess a few times, then hands the stream to zlib's streaming inflate,
// which needs no size; Engine::Zlib uses zlib alone. Both give identical
// results. One inflater per thread; Inflate() makes its own and copies.
#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

struct libdeflate_decompressor;

namespace pdfhost::pdf {

class FlateInflater {
  public:
    enum class Engine { Deflate, Zlib };
    static constexpr std::size_t kMaxOutput = std::size_t{1} << 30;

    explicit FlateInflater(Engine engine = Engine::Deflate);
    ~FlateInflater();
    FlateInflater(const FlateInflater&) = delete;
    FlateInflater& operator=(const FlateInflater&) = delete;

    std::optional<std::string_view> Decode(std::string_view zlibData);

    static std::optional<std::string> Inflate(std::string_view zlibData,
                                              Engine engine = Engine::Deflate);

  private:
    struct DecompressorFree {
        void operator()(libdeflate_decompressor* d) const;
    };

    std::optional<std::string_view> WithZlib(std::string_view in);
    std::optional<std::string_view> WithDeflate(std::string_view in);
    // Makes the buffer at least n bytes long; what it held is kept.
    void Reserve(std::size_t n);

    char* Room() { return buffer_.get(); }

    Engine engine_;
    std::unique_ptr<libdeflate_decompressor, DecompressorFree> decompressor_;
    // Never filled before use: every byte handed out was decoded into it.
    std::unique_ptr<char[]> buffer_;
    std::size_t size_ = 0; // the room to decode into
};

} // namespace pdfhost::pdf
