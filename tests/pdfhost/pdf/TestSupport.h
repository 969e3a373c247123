// Shared helpers for the document engine's tests: calling table entries,
// temporary folders, generated PDFs and JPEGs, and checking results with
// real tools (pdftoppm, qpdf --check).
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "pdfhost/core/HostError.h"
#include "pdfhost/core/HostTableSet.h"
#include "sdk/ASTypes.h"

namespace pdfhost::pdf::test {

// A stubbed table set with the document engine installed.
HostTableSet& Tables();
ASAtom Atom(const std::string& name);

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

class TempDir {
  public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    std::string File(const std::string& name) const { return (path_ / name).string(); }
    const std::filesystem::path& Path() const { return path_; }

  private:
    std::filesystem::path path_;
};

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

// A baseline JPEG of one colour.
std::string MakeJpeg(int width, int height, std::uint8_t r, std::uint8_t g, std::uint8_t b);
void WriteFile(const std::string& path, const std::string& bytes);
std::string ReadFile(const std::string& path);

struct Raster {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgb;
    const std::uint8_t* At(int x, int y) const {
        return &rgb[(static_cast<std::size_t>(y) * width + x) * 3];
    }
};

// Renders one page (1-based) of the crop box at dpi with pdftoppm.
Raster Render(const std::string& pdf, int page, int dpi = 72);
// qpdf --check's exit status (0 clean, 3 warnings, 2 errors).
int QpdfCheck(const std::string& pdf);

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
