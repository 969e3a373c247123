// Where the pixels of a BMP file lie: its file header and its DIB header.
//
// Contract: Read(bytes) takes a whole BMP file ("BM", the 14-byte file
// header, then a DIB header read by DibHeader::Read: 12 bytes (the old core
// header, 16-bit sizes) or 16 bytes and more). It returns nullopt when the
// headers are cut short or the DIB header's size is below 12 or past the
// file. Nothing else is judged here: sizes and offsets come back as the file
// states them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

#include "platform/DibHeader.h"

namespace platform {

struct BmpInfo {
    static constexpr std::size_t kFileHeaderSize = 14;

    std::uint32_t pixelOffset = 0;
    DibHeader header;

    static std::optional<BmpInfo> Read(std::span<const std::uint8_t> bytes);

    std::int64_t Width() const { return header.biWidth; }
    std::int64_t Height() const { return header.biHeight; } // negative: rows stored top-down
    std::int64_t Rows() const { return Height() < 0 ? -Height() : Height(); }
    bool RunLength() const {
        return header.biCompression == BI_RLE8 || header.biCompression == BI_RLE4;
    }
    std::int64_t Stride() const { return header.Stride(); }
};

} // namespace platform
