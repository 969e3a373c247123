// The fields of a BMP file's headers that decide where its pixels lie.
//
// Contract: Read(bytes) takes a whole BMP file ("BM", the 14-byte file
// header, then an info header of 12 bytes (the old core header, 16-bit
// sizes) or of 16 bytes and more). It returns nullopt when the headers are
// cut short or the info header size is below 12 or past the file. Nothing
// else is judged here: sizes and offsets come back as the file states them.
#pragma once

#include <cstdint>
#include <optional>
#include <span>

namespace platform {

struct BmpInfo {
    static constexpr std::uint32_t kRgb = 0, kRle8 = 1, kRle4 = 2, kBitFields = 3,
                                   kAlphaBitFields = 6;
    static constexpr std::size_t kFileHeaderSize = 14;

    std::uint32_t pixelOffset = 0;
    std::uint32_t headerSize = 0;
    std::int64_t width = 0;
    std::int64_t height = 0; // negative: rows stored top-down
    std::uint32_t bitCount = 0;
    std::uint32_t compression = kRgb;

    static std::optional<BmpInfo> Read(std::span<const std::uint8_t> bytes);

    std::int64_t Rows() const { return height < 0 ? -height : height; }
    bool RunLength() const { return compression == kRle8 || compression == kRle4; }
    // Bytes per stored row of uncompressed pixels, padded to 32 bits.
    std::int64_t Stride() const { return (width * bitCount + 31) / 32 * 4; }
};

} // namespace platform
