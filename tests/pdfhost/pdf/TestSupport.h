// Helpers of the document engine's tests alone: calling table entries,
// generated PDFs, the plug-in's stamp run with failures as test failures,
// and comparing crop-box renders. What other folders' tests share too
// (folders, files, JPEGs, renders, qpdf --check) is in tests/support.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include <qpdf/QPDFObjectHandle.hh>

#include "pdfhost/core/HostError.h"
#include "pdfhost/core/HostTableSet.h"
#include "sdk/ASTypes.h"
#include "tests/support/EngineTables.h"
#include "tests/support/FileBytes.h"
#include "tests/support/JpegCodec.h"
#include "tests/support/Raster.h"
#include "tests/support/StampRun.h"
#include "tests/support/TempFolder.h"
#include "tests/support/ToolRuns.h"

namespace pdfhost::pdf::test {

using testsupport::Atom;
using testsupport::QpdfCheck;
using testsupport::Raster;
using testsupport::ReadFile;
using testsupport::WriteFile;

inline HostTableSet& Tables() {
    return testsupport::EngineTables();
}

// Calls an entry that must succeed; a failure fails the test with the
// host's text for the code.
template <typename R, typename... P, typename... A> R Ok(R (*fn)(ASErrorCode*, P...), A&&... args) {
    ASErrorCode err = 0;
    if constexpr (std::is_void_v<R>) {
        fn(&err, std::forward<A>(args)...);
        EXPECT_EQ(err, 0) << ErrorTexts::For(err);
    } else {
        R r = fn(&err, std::forward<A>(args)...);
        EXPECT_EQ(err, 0) << ErrorTexts::For(err);
        return r;
    }
}

// Calls an entry and returns the error code it reported (0 on success).
template <typename R, typename... P, typename... A>
ASErrorCode Err(R (*fn)(ASErrorCode*, P...), A&&... args) {
    ASErrorCode err = 0;
    fn(&err, std::forward<A>(args)...);
    return err;
}

struct Box {
    double llx, lly, urx, ury;
};

// One generated page: its content streams (more than one makes an array),
// and attributes written on the page itself.
struct TestPage {
    std::vector<std::string> contents{"0 0 1 rg 100 100 200 100 re f"};
    std::optional<int> rotate;
    std::optional<Box> mediaBox = Box{0, 0, 612, 792};
    std::optional<Box> cropBox;
    bool ownResources = true; // else inherits the /Pages node's
};

struct PdfOptions {
    std::optional<Box> inheritedMediaBox;
    std::optional<int> inheritedRotate;
    std::optional<Box> inheritedCropBox;
    bool sharedResources = false; // one indirect /Resources for every page
    std::string userPassword;     // encrypts (AES-256) when set or when restricted
    bool encrypt = false;
    bool allowModify = true;
    std::vector<std::pair<std::string, std::string>> info; // key, raw PDF string bytes
};

// Writes a PDF whose pages draw with a font /F1 (Helvetica) and whatever
// their content says.
void MakePdf(const std::string& path, const std::vector<TestPage>& pages,
             const PdfOptions& options = {});

// "/Category/Key" for every entry of the page's resources, its own or
// inherited.
std::set<std::string> ResourceNames(QPDFObjectHandle page);

// A baseline JPEG of one colour at quality 100.
inline std::string MakeJpeg(int width, int height, std::uint8_t r, std::uint8_t g, std::uint8_t b) {
    return testsupport::AsString(
        testsupport::EncodeJpeg(width, height, testsupport::Solid({r, g, b}), {.quality = 100}));
}

// Renders one page (1-based) of the crop box at dpi with pdftoppm.
inline Raster Render(const std::string& pdf, int page, int dpi = 72) {
    return testsupport::RenderPage(pdf, page, dpi, testsupport::PageBox::Crop);
}

// The plug-in's host calls, each failure a non-fatal failure of the
// running test.
class StampRun : public testsupport::StampRun {
  public:
    StampRun(PDDoc doc, const std::string& jpegPath, int width, int height,
             const ASFixedMatrix& matrix, ASFixed opacity = -1)
        : testsupport::StampRun(doc, jpegPath, width, height, matrix, opacity,
                                [](const std::string& failure) { ADD_FAILURE() << failure; }) {}
};

// The pixel rectangle [x0, x1) x [y0, y1) that a user-space rectangle covers
// on a page rendered at dpi, given the page's crop box and rotation.
struct PixelRect {
    int x0, y0, x1, y1;
};
PixelRect ToPixels(const Box& userRect, const Box& crop, int rotate, int dpi);

// Compares two renders: every pixel outside `except` (grown by margin)
// must be equal. Returns the number of differing pixels.
int DiffOutside(const Raster& a, const Raster& b, const PixelRect& except, int margin);
// Pixels inside `rect` (shrunk by margin) farther than tolerance from rgb.
int CountUnlike(const Raster& r, const PixelRect& rect, int margin, const std::uint8_t rgb[3],
                int tolerance);

} // namespace pdfhost::pdf::test
