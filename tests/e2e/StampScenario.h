// The common ground of the end-to-end tests: a test folder, a standard
// stamp on small generated pages, and the checks every scenario makes.
//
// The standard stamp puts a picture 80 x 60 points with its lower-left
// corner at (20, 20) on pages 200 x 200 points; at 72 dpi that is the pixel
// rectangle x 20..100, y 120..180 of a render, clear of the page-number bar
// the fixture pages carry at their top.
#pragma once

#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "HostProcess.h"
#include "PdfFixture.h"
#include "PdfInspector.h"
#include "SettingsFile.h"
#include "TestFolder.h"
#include "tests/support/BmpBuilder.h"
#include "tests/support/FileBytes.h"
#include "tests/support/JpegCodec.h"
#include "tests/support/Pixels.h"
#include "tests/support/Raster.h"
#include "tests/support/ToolRuns.h"

namespace e2e {

using testsupport::DecodeJpeg;
using testsupport::PageBox;
using testsupport::PixelFunction;
using testsupport::QpdfCheck;
using testsupport::Raster;
using testsupport::ReadFile;
using testsupport::RenderPages;
using testsupport::Rgb;
using testsupport::Solid;
using testsupport::TopBottom;
using testsupport::WriteBmp;
using testsupport::WriteJpeg;

constexpr Rgb kBlack{0, 0, 0};
constexpr Rgb kWhite{255, 255, 255};

// The rectangle [x0, x1) x [y0, y1) of a render, in pixels.
struct PixelRect {
    int x0, y0, x1, y1;
    PixelRect Shrunk(int by) const { return {x0 + by, y0 + by, x1 - by, y1 - by}; }
    PixelRect Grown(int by) const { return {x0 - by, y0 - by, x1 + by, y1 + by}; }
    bool Contains(int x, int y) const { return x >= x0 && x < x1 && y >= y0 && y < y1; }
};

constexpr PixelRect kStampPixels{20, 120, 100, 180};

TranscriptMessage Done();
TranscriptMessage NoteAlert(const std::string& text);
TranscriptMessage AppBox(const std::string& text);

class StampScenario : public ::testing::Test {
  protected:
    // A picture file in the test folder; BMP unless the name ends in .jpg
    // or .JPG (then a colour JPEG).
    std::filesystem::path Picture(const std::string& name, int width, int height,
                                  const PixelFunction& pixel);
    // The standard stamp of `picture` (natural size width x height, used
    // as the embedded size) on every page.
    SettingsFile StandardSettings(const std::filesystem::path& picture, int width, int height);
    // Writes a black 40 x 30 BMP and the standard settings for it.
    SettingsFile UseBlackPicture();

    // Pages (0-based) of a saved PDF that paint an image carrying the stamp
    // mark.
    static std::vector<int> StampedPages(const std::filesystem::path& pdf);
    // Every page of `out` renders pixel for pixel as the same page of `in`.
    static void ExpectRendersAlike(const std::filesystem::path& in,
                                   const std::filesystem::path& out, int pages);
    // Page by page: the listed pages (0-based) show the black standard
    // stamp and nothing else new; all others render as in `in`.
    static void ExpectBlackStampOn(const std::filesystem::path& in,
                                   const std::filesystem::path& out, int pages,
                                   const std::vector<int>& stamped);
    // Pixels of `out` outside `except` that differ from `in`.
    static int DifferentOutside(const Raster& in, const Raster& out, const PixelRect& except);

    TestFolder folder;
};

} // namespace e2e
