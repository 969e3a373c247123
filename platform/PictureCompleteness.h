// Tells whether the bytes of a picture file hold a whole picture.
//
// Contract: each check walks the file's own structure (BMP headers and row
// data, or run-length codes through BmpRunLength; JPEG marker segments up to
// the end-of-image marker; GIF blocks up to the end of the first frame)
// without decoding pixels, reads nothing outside the given bytes, and
// returns false for a file that ends early or whose structure does not hold
// together. The readers behind the decoder fill what a cut file lacks with
// grey or with whatever the allocation held, so a file is decoded only once
// it has passed.
//
// Bmp leaves compressions it cannot measure (embedded JPEG or PNG, OS/2
// Huffman or 24-bit runs) to the decoder and answers true for them.
#pragma once

#include <cstdint>
#include <span>

namespace platform {

class PictureCompleteness {
  public:
    static bool Bmp(std::span<const std::uint8_t> bytes);
    static bool Jpeg(std::span<const std::uint8_t> bytes);
    // Only the first frame has to be whole: it is the only one decoded.
    static bool Gif(std::span<const std::uint8_t> bytes);
};

} // namespace platform
