// Run-length BMP pixels (8 bits a pixel, or 4 in nibbles).
//
// The codes may skip pixels (deltas, early ends of line or of bitmap), and the
// reader behind the decoder leaves skipped pixels as whatever its allocation
// held, which would carry stray memory into the stamp. So run-length files
// are expanded here, into rows where every skipped pixel is colour index 0,
// and the reader gets an uncompressed file.
//
// Contract: Complete(file, info) says whether the codes reach the
// end-of-bitmap code, or end after end-of-line codes for every row, without a
// code cut short. Expand(file, info) returns the same file with compression 0
// and the expanded rows (headers and colour table unchanged, sizes updated),
// or nullopt when the codes are incomplete, the bit count does not match the
// compression, the rows are stored top-down (not allowed with run lengths),
// the pixels would start inside the headers, or width x height is outside Raster's bitmap limit, in
// which case nothing of that size is allocated. Codes that run past a row or past the last row are
// clipped, never written outside the rows.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "platform/BmpInfo.h"

namespace platform {

class BmpRunLength {
  public:
    static bool Complete(std::span<const std::uint8_t> file, const BmpInfo& info);
    static std::optional<std::vector<std::uint8_t>> Expand(std::span<const std::uint8_t> file,
                                                           const BmpInfo& info);
};

} // namespace platform
