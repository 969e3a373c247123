// Where the colour table and each pixel row of a DIB block lie.
//
// Contract: Read accepts only a block it can convert without reading past its
// end: a header of at least 40 bytes (biSize between 40 and the block size),
// a positive width and height (bottom-up rows), compression BI_RGB, a bit
// count of 1, 4, 8, 16, 24 or 32, and a block that holds the whole colour
// table and every row. Otherwise it returns nullopt and sets *error (when
// given) to kInvalidBitCount for a bit count outside that list, else to
// kInvalidInputData. The colour table has the full 2, 16 or 256 entries for
// 1, 4 and 8 bits whatever biClrUsed says, and none above 8 bits.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

inline constexpr const char* kInvalidInputData = "Invalid input data";
inline constexpr const char* kInvalidBitCount = "Invalid bitmap bit count";

struct DibLayout {
    int width = 0;
    int height = 0;
    int bitCount = 0;
    int colours = 0;             // colour-table entries
    std::size_t colourTable = 0; // offset of the colour table
    std::size_t pixels = 0;      // offset of the first stored (bottom) row
    std::size_t stride = 0;      // bytes per stored row, padding included

    static std::optional<DibLayout> Read(std::span<const std::uint8_t> dib, std::string* error);

    // Offset of the stored row that holds picture row `row` (0 is the top).
    std::size_t RowOffset(int row) const {
        return pixels + stride * static_cast<std::size_t>(height - 1 - row);
    }
};
