// A rendered page as 8-bit RGB pixels, y = 0 the top row, and ways of
// comparing two of them.
#pragma once

#include <cstdint>
#include <vector>

#include "Pixels.h"

namespace testsupport {

struct Raster {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgb;

    const std::uint8_t* Pixel(int x, int y) const {
        return &rgb[(static_cast<std::size_t>(y) * width + x) * 3];
    }
    Rgb At(int x, int y) const;
    // The mean colour of the pixels [x0, x1) x [y0, y1).
    Rgb Average(int x0, int y0, int x1, int y1) const;
};

// Pixels where any channel differs by more than `tolerance`; rasters of
// different sizes count as wholly different.
int CountDifferent(const Raster& a, const Raster& b, int tolerance = 0);

} // namespace testsupport
