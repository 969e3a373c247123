// The bytes of small BMP files, for tests that need a file exactly as
// written rather than one an encoder chose.
//
// Contract: every size and offset in the headers is consistent with what
// is passed; nothing is checked, so a test can build a file that lies by
// passing parts that do not fit the header.
#pragma once

#include <cstdint>
#include <filesystem>

#include "FileBytes.h"
#include "Pixels.h"

namespace testsupport {

// `value` as `bytes` little-endian bytes; past the fourth byte, zeros.
Bytes Le(std::uint32_t value, int bytes);
Bytes operator+(Bytes a, const Bytes& b);

// File header and a 40-byte info header; `extra` goes between the headers
// and the pixels (colour table, masks).
Bytes Bmp(int width, int height, int bitCount, std::uint32_t compression, const Bytes& extra,
          const Bytes& pixels);
// File header and the old 12-byte core header: 16-bit sizes, 3-byte colour
// entries in `table`.
Bytes CoreBmp(int width, int height, int bitCount, const Bytes& table, const Bytes& pixels);
// A 24-bit bottom-up BMP of the picture, rows padded to four bytes.
Bytes Bmp24(int width, int height, const PixelFunction& pixel);
void WriteBmp(const std::filesystem::path& path, int width, int height, const PixelFunction& pixel);

} // namespace testsupport
