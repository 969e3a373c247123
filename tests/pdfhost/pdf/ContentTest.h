// The fixture of the page-content tests: a green 16 x 16 JPEG, generated
// documents opened in the engine, saving with qpdf --check, element counts,
// and the render comparison that says a picture landed where kMatrix puts it
// and nothing else changed. Documents still open are closed after each test.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TestSupport.h"
#include "pdfhost/pdf/Document.h"
#include "pdfhost/pdf/DocumentSaver.h"
#include "pdfhost/pdf/Documents.h"

namespace pdfhost::pdf {

inline constexpr std::uint8_t kGreen[3] = {0, 200, 0};
// The picture: 100 x 80 at (300, 400) in default user space.
inline const ASFixedMatrix kMatrix{
    ASInt32ToFixed(100), 0, 0, ASInt32ToFixed(80), ASInt32ToFixed(300), ASInt32ToFixed(400)};
inline const test::Box kImageRect{300, 400, 400, 480};

// A page with the given content streams and the generator's defaults.
inline test::TestPage Page(std::vector<std::string> contents) {
    test::TestPage p;
    p.contents = std::move(contents);
    return p;
}

class ContentTest : public ::testing::Test {
  protected:
    void SetUp() override {
        jpeg_ = dir_.File("green.jpg");
        test::WriteFile(jpeg_, test::MakeJpeg(16, 16, kGreen[0], kGreen[1], kGreen[2]));
    }
    void TearDown() override { Documents::CloseAll(); }

    PDDoc Make(const std::string& name, const std::vector<test::TestPage>& pages,
               const test::PdfOptions& options = {}) {
        test::MakePdf(dir_.File(name), pages, options);
        return Documents::Open(dir_.File(name));
    }
    std::string Save(PDDoc doc, const std::string& name) {
        DocumentSaver::Save(Document::FromHandle(doc), dir_.File(name), false);
        EXPECT_EQ(test::QpdfCheck(dir_.File(name)), 0) << name;
        return dir_.File(name);
    }
    ASInt32 Count(PDDoc doc, int page) {
        PDPage p = test::Ok(test::Tables().pdModel.PDDocAcquirePage, doc, page);
        PDEContent c = test::Ok(test::Tables().pagePDEContent.PDPageAcquirePDEContent, p, nullptr);
        const ASInt32 n = test::Ok(test::Tables().pdfEditRead.PDEContentGetNumElems, c);
        test::Ok(test::Tables().pagePDEContent.PDPageReleasePDEContent, p, nullptr);
        test::Ok(test::Tables().pdModel.PDPageRelease, p);
        return n;
    }
    // The picture covers its rectangle and nothing else changed.
    void ExpectStamped(const std::string& before, const std::string& after, int page,
                       const test::Box& crop, int rotate) {
        const test::Raster a = test::Render(before, page);
        const test::Raster b = test::Render(after, page);
        const test::PixelRect rect = test::ToPixels(kImageRect, crop, rotate, 72);
        EXPECT_EQ(test::DiffOutside(a, b, rect, 2), 0) << after << " page " << page;
        EXPECT_EQ(test::CountUnlike(b, rect, 2, kGreen, 12), 0) << after << " page " << page;
    }

    testsupport::TempFolder dir_;
    std::string jpeg_;
};

} // namespace pdfhost::pdf
