// The info header of a device-independent bitmap (DIB), the one reader and
// writer of it for BMP files and for packed DIB blocks alike.
//
// A packed DIB block is one contiguous byte buffer: the header, a colour
// table of 4-byte entries (blue, green, red, reserved), then the pixel rows,
// bottom row first, each padded to a multiple of 4 bytes. A BMP file is the
// 14-byte file header followed by such a block. All fields are little-endian.
//
// Contract: Read(bytes) reads the header at the start of bytes, whose first
// field (biSize) is its own length: 12 for the old core header (16-bit width,
// height, planes and bit count; compression BI_RGB), 16 or more for the
// later ones, whose fields past biSize keep their defaults. It returns nullopt
// when fewer than 4 bytes are given, or biSize is below 12, between 12 and 16,
// or past the bytes; nothing else is judged, values come back as stated.
// Write puts the 40-byte header (biSize as set) at out, which must hold kSize
// bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace platform {

using DibBlock = std::vector<std::uint8_t>;

// Compression codes of the header.
inline constexpr std::uint32_t BI_RGB = 0;
inline constexpr std::uint32_t BI_RLE8 = 1;
inline constexpr std::uint32_t BI_RLE4 = 2;
inline constexpr std::uint32_t BI_BITFIELDS = 3;
inline constexpr std::uint32_t BI_ALPHABITFIELDS = 6;

struct DibHeader {
    static constexpr std::size_t kCoreSize = 12;
    static constexpr std::size_t kSize = 40;

    std::uint32_t biSize = kSize;
    std::int32_t biWidth = 0;
    std::int32_t biHeight = 0; // negative: rows stored top-down
    std::uint16_t biPlanes = 1;
    std::uint16_t biBitCount = 0;
    std::uint32_t biCompression = BI_RGB;
    std::uint32_t biSizeImage = 0;
    std::int32_t biXPelsPerMeter = 0;
    std::int32_t biYPelsPerMeter = 0;
    std::uint32_t biClrUsed = 0;
    std::uint32_t biClrImportant = 0;

    static std::optional<DibHeader> Read(std::span<const std::uint8_t> bytes);
    void Write(std::uint8_t* out) const;

    // Bytes per stored row of uncompressed pixels: every row is padded to
    // whole 32-bit words.
    std::int64_t Stride() const { return (std::int64_t{biWidth} * biBitCount + 31) / 32 * 4; }
};

} // namespace platform
