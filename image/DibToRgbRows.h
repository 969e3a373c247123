// Turns the pixel rows of a DIB block into top-down rows of red, green and
// blue bytes.
//
// Contract: DibToRgbRows reads the block's layout (DibLayout), then fills
// output row i with the picture's row i from the top: 3 bytes per pixel,
// width pixels, the rest of the row untouched. rows must hold at least
// height row pointers, each to rowLength writable bytes, and rowLength must
// be at least 3 x width; otherwise nothing is written. Failure returns false
// with *error set to "Invalid input data" (an empty block, a row length that
// is not positive or too short, too few rows, a layout that does not fit the
// block) or "Invalid bitmap bit count". Without an error holder it returns
// false at once and converts nothing.
#pragma once

#include <cstdint>
#include <span>
#include <string>

bool DibToRgbRows(std::span<const std::uint8_t> dib, int rowLength,
                  std::span<std::uint8_t* const> rows, std::string* error);

// A 5-5-5 pixel (bit 15 ignored) as 0x00RRGGBB. Each 5-bit channel v becomes
// 0 for 0, 255 for 31 and 8 v + 8 otherwise.
std::uint32_t Expand555(std::uint16_t pixel);
