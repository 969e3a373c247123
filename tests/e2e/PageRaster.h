// Pages of a PDF rendered by pdftoppm, to probe pixels.
//
// Contract: RenderPages renders pages `first` to `last` (1-based,
// inclusive) of the media box at `dpi` in one pdftoppm call, as the
// host's display shows them (page rotation applied; y = 0 is the top row).
// It returns one raster per page, or an empty vector when pdftoppm fails
// or its output is not the PPMs expected.
#pragma once

#include <cstdint>
#include <filesystem>
#include <vector>

#include "PictureFiles.h"

namespace e2e {

struct Raster {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgb;

    Rgb At(int x, int y) const;
    // The mean colour of the pixels [x0, x1) x [y0, y1).
    Rgb Average(int x0, int y0, int x1, int y1) const;
};

std::vector<Raster> RenderPages(const std::filesystem::path& pdf, int first, int last,
                                int dpi = 72);

// Pixels where any channel differs by more than `tolerance`; rasters of
// different sizes count as wholly different.
int CountDifferent(const Raster& a, const Raster& b, int tolerance = 0);

} // namespace e2e
