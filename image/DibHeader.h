// The packed device-independent bitmap (DIB) and its 40-byte header.
//
// A DIB block is one contiguous byte buffer: the header, a colour table of
// 4-byte entries (blue, green, red, reserved), then the pixel rows, bottom
// row first, each padded to a multiple of 4 bytes. All fields are
// little-endian. Read and Write convert between the header bytes and the
// record; Read needs at least kSize bytes and checks nothing else.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

using DibBlock = std::vector<std::uint8_t>;

// Compression codes of the header.
inline constexpr std::uint32_t BI_RGB = 0;
inline constexpr std::uint32_t BI_BITFIELDS = 3;

struct DibHeader {
    static constexpr std::size_t kSize = 40;

    std::uint32_t biSize = kSize;
    std::int32_t biWidth = 0;
    std::int32_t biHeight = 0;
    std::uint16_t biPlanes = 1;
    std::uint16_t biBitCount = 0;
    std::uint32_t biCompression = BI_RGB;
    std::uint32_t biSizeImage = 0;
    std::int32_t biXPelsPerMeter = 0;
    std::int32_t biYPelsPerMeter = 0;
    std::uint32_t biClrUsed = 0;
    std::uint32_t biClrImportant = 0;

    static std::optional<DibHeader> Read(std::span<const std::uint8_t> bytes);
    // Writes kSize bytes at out.
    void Write(std::uint8_t* out) const;
};
