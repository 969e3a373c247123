// Compresses a DIB block into a baseline JPEG file with libjpeg.
//
// Contract: WriteJpegFile(dib, quality, path, error) writes the picture as a
// JFIF file in YCbCr with the library's defaults (4:2:0 sampling, standard
// Huffman tables, no restart markers, JFIF 1.01, density 1 x 1 without unit)
// and the given quality with baseline tables forced; its first scanline is
// the picture's top row. The file at path is created or truncated.
//
// Returns true exactly when the whole file was written. On false, *error
// (when given) holds the reason:
//   - "Invalid input data": quality outside 0..100, an empty block or an
//     empty path (no file is touched), or a block whose layout is unusable;
//   - "Cannot open " + path: the file cannot be opened for writing;
//   - "Invalid bitmap bit count": a bit count other than 1, 4, 8, 16, 24, 32;
//   - "Cannot write JPEG file " + path + ": " + the library's message: any
//     library failure (a failed write, no memory, a picture too large).
// A library failure never ends the process: the compression is abandoned,
// the file closed, the compressor destroyed. After any failure past opening,
// the file is left in place, incomplete.
#pragma once

#include <cstdint>
#include <span>
#include <string>

bool WriteJpegFile(std::span<const std::uint8_t> dib, int quality, const std::string& path,
                   std::string* error);
