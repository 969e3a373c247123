// The real tools that check a test's output: pdftoppm renders pages,
// qpdf --check judges a file's structure.
//
// Contract: RenderPages renders pages `first` to `last` (1-based,
// inclusive) of the given page box at `dpi` in one pdftoppm call, page
// rotation applied, and returns one raster per page, or an empty vector
// when pdftoppm fails or its output is not the PPMs expected. RenderPage
// renders one page and fails the running test when it cannot. QpdfCheck
// returns qpdf --check's exit status (0 clean, 3 warnings, 2 errors, -1
// when it did not run to an end).
#pragma once

#include <filesystem>
#include <vector>

#include "Raster.h"

namespace testsupport {

enum class PageBox { Media, Crop };

std::vector<Raster> RenderPages(const std::filesystem::path& pdf, int first, int last, int dpi,
                                PageBox box);
Raster RenderPage(const std::filesystem::path& pdf, int page, int dpi, PageBox box);

int QpdfCheck(const std::filesystem::path& pdf);

} // namespace testsupport
