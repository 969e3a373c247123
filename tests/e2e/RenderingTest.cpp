// How a stamped page looks: the picture's opacity over the page (opaque when
// the host refuses the opacity), and where the placement switches put it, on
// plain and rotated pages.
#include "StampScenario.h"

namespace e2e {
namespace {

constexpr Rgb kRed{255, 0, 0};
constexpr Rgb kBlue{0, 0, 255};

class RenderingTest : public StampScenario {
  protected:
    // Stamps page 1 of in.pdf with the settings and renders the result.
    Raster StampAndRender(const SettingsFile& s, const std::vector<std::string>& options = {}) {
        s.Write(folder.SettingsPath());
        std::filesystem::remove(folder.Path("out.pdf"));
        const HostResult r = folder.RunScript(
            "open in.pdf\nclick 1003\nmenu ADBE:PDFTalvane\nsave out.pdf\nclose\n", options);
        EXPECT_EQ(r.status, 0) << r.Describe();
        EXPECT_EQ(r.messages, std::vector<TranscriptMessage>{Done()});
        EXPECT_EQ(QpdfCheck(folder.Path("out.pdf")), 0);
        std::vector<Raster> pages = RenderPages(folder.Path("out.pdf"), 1, 1, 72, PageBox::Media);
        EXPECT_EQ(pages.size(), 1u);
        return pages.empty() ? Raster{} : pages[0];
    }
};

TEST_F(RenderingTest, OpacityBlendsTheBlackPictureIntoTheWhitePage) {
    WritePdf(folder.Path("in.pdf"), NumberedPages(1));
    const Raster original = RenderPages(folder.Path("in.pdf"), 1, 1, 72, PageBox::Media).at(0);
    struct Case {
        int opacity;
        Rgb seen;
    } cases[] = {{100, kBlack}, {50, {128, 128, 128}}, {0, kWhite}};
    for (const Case& c : cases) {
        SCOPED_TRACE("OPACITY " + std::to_string(c.opacity));
        SettingsFile s = UseBlackPicture();
        s.opacity = c.opacity;
        const Raster page = StampAndRender(s);
        ASSERT_GT(page.width, 0);
        const PixelRect inner = kStampPixels.Shrunk(2);
        const Rgb seen = page.Average(inner.x0, inner.y0, inner.x1, inner.y1);
        EXPECT_TRUE(Near(seen, c.seen, 10)) << seen;
        EXPECT_EQ(DifferentOutside(original, page, kStampPixels.Grown(1)), 0);
    }
}

TEST_F(RenderingTest, AnOpacityTheHostRefusesLeavesThePictureOpaqueAndSaysNothing) {
    WritePdf(folder.Path("in.pdf"), NumberedPages(1));
    const Raster original = RenderPages(folder.Path("in.pdf"), 1, 1, 72, PageBox::Media).at(0);
    for (const char* step :
         {"PDEExtGStateCreateNew", "PDEExtGStateSetOpacityFill", "PDEElementSetGState"}) {
        SCOPED_TRACE(step);
        SettingsFile s = UseBlackPicture();
        s.opacity = 50;
        const Raster page = StampAndRender(s, {"--fault", std::string(step) + "=0x400C0003"});
        ASSERT_GT(page.width, 0);
        const PixelRect inner = kStampPixels.Shrunk(2);
        const Rgb seen = page.Average(inner.x0, inner.y0, inner.x1, inner.y1);
        EXPECT_TRUE(Near(seen, kBlack, 10)) << seen;
        EXPECT_EQ(DifferentOutside(original, page, kStampPixels.Grown(1)), 0);
        EXPECT_EQ(PdfInspector(folder.Path("out.pdf")).PageContent(0).find(" gs"),
                  std::string::npos);
    }
}

TEST_F(RenderingTest, ThePictureLandsWhereTheSwitchesPutIt) {
    // A 200 x 200 page; the picture is 60 x 40 points. With CALCRIGHT the
    // corner is HORIZONTAL left of the right edge, with CALCTOP VERTICAL
    // below the top edge; the picture's own size is never subtracted.
    WritePdf(folder.Path("in.pdf"), NumberedPages(1));
    const Raster original = RenderPages(folder.Path("in.pdf"), 1, 1, 72, PageBox::Media).at(0);
    const auto black = Picture("black.bmp", 30, 20, Solid(kBlack));
    struct Case {
        const char* what;
        bool calcRight, calcTop;
        int horizontal, vertical;
        int left, bottom; // where the lower-left corner lands, user space
    } cases[] = {
        {"from left and bottom", false, false, 30, 20, 30, 20},
        {"from the right edge", true, false, 100, 20, 100, 20},
        {"from the top edge", false, true, 30, 60, 30, 140},
        {"from right and top", true, true, 100, 60, 100, 140},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SettingsFile s = StandardSettings(black, 30, 20);
        s.imageWidthPdf = 60;
        s.imageHeightPdf = 40;
        s.calcRight = c.calcRight;
        s.calcTop = c.calcTop;
        s.horizontal = c.horizontal;
        s.vertical = c.vertical;
        const Raster page = StampAndRender(s);
        ASSERT_GT(page.width, 0);
        const PixelRect at{c.left, 200 - (c.bottom + 40), c.left + 60, 200 - c.bottom};
        const PixelRect inner = at.Shrunk(1);
        EXPECT_TRUE(Near(page.Average(inner.x0, inner.y0, inner.x1, inner.y1), kBlack, 8));
        EXPECT_TRUE(Near(page.At(inner.x0, inner.y0), kBlack, 8));
        EXPECT_TRUE(Near(page.At(inner.x1 - 1, inner.y1 - 1), kBlack, 8));
        EXPECT_EQ(DifferentOutside(original, page, at.Grown(1)), 0);
    }
}

TEST_F(RenderingTest, ForcePortraitKeepsThePictureUprightOnARotatedPage) {
    // A page 200 wide and 300 high, shown turned a quarter clockwise: the
    // display is 300 wide and 200 high. The picture, red over blue, is 60 x
    // 40 points with HORIZONTAL 30 and VERTICAL 20.
    WritePdf(folder.Path("in.pdf"),
             NumberedPages(1, FixturePage{.width = 200, .height = 300, .rotate = 90}));
    const Raster original = RenderPages(folder.Path("in.pdf"), 1, 1, 72, PageBox::Media).at(0);
    const auto picture = Picture("redblue.bmp", 30, 20, TopBottom(kRed, kBlue, 20));
    struct Probe {
        int x, y;
        Rgb colour;
    };
    struct Case {
        const char* what;
        bool forcePortrait;
        PixelRect area; // in the display
        std::vector<Probe> probes;
    } cases[] = {
        // Upright, its corner 30 from the displayed left and 20 from the
        // displayed bottom: red above blue.
        {"force portrait", true, {30, 140, 90, 180}, {{60, 145, kRed}, {60, 175, kBlue}}},
        // Turned with the page: the picture's top is on the right.
        {"no force portrait", false, {20, 30, 60, 90}, {{55, 60, kRed}, {25, 60, kBlue}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SettingsFile s = StandardSettings(picture, 30, 20);
        s.imageWidthPdf = 60;
        s.imageHeightPdf = 40;
        s.horizontal = 30;
        s.vertical = 20;
        s.forcePortrait = c.forcePortrait;
        const Raster page = StampAndRender(s);
        ASSERT_EQ(page.width, 300);
        ASSERT_EQ(page.height, 200);
        for (const Probe& p : c.probes)
            EXPECT_TRUE(Near(page.At(p.x, p.y), p.colour, 40))
                << "at " << p.x << "," << p.y << ": " << page.At(p.x, p.y);
        EXPECT_EQ(DifferentOutside(original, page, c.area.Grown(2)), 0);
    }
}

TEST_F(RenderingTest, EveryPageTakesThePlacementOfTheFirst) {
    // Measured from the right and top edges of the 200 x 200 first page,
    // the corner is at (100, 140) on the 300 x 300 second page too.
    WritePdf(folder.Path("in.pdf"),
             {FixturePage{.number = 1}, FixturePage{.width = 300, .height = 300, .number = 2}});
    SettingsFile s = StandardSettings(Picture("black.bmp", 30, 20, Solid(kBlack)), 30, 20);
    s.imageWidthPdf = 60;
    s.imageHeightPdf = 40;
    s.calcRight = true;
    s.calcTop = true;
    s.horizontal = 100;
    s.vertical = 60;
    s.Write(folder.SettingsPath());
    const HostResult r =
        folder.RunScript("open in.pdf\nclick 1003\nmenu ADBE:PDFTalvane\nsave out.pdf\nclose\n");
    ASSERT_EQ(r.status, 0) << r.Describe();
    ASSERT_EQ(r.messages, std::vector<TranscriptMessage>{Done()});

    const std::vector<Raster> before = RenderPages(folder.Path("in.pdf"), 1, 2, 72, PageBox::Media);
    const std::vector<Raster> after = RenderPages(folder.Path("out.pdf"), 1, 2, 72, PageBox::Media);
    ASSERT_EQ(after.size(), 2u);
    ASSERT_EQ(before.size(), 2u);
    for (int page = 0; page < 2; ++page) {
        SCOPED_TRACE("page " + std::to_string(page + 1));
        const int height = page == 0 ? 200 : 300;
        const PixelRect at{100, height - 180, 160, height - 140};
        const PixelRect inner = at.Shrunk(1);
        EXPECT_TRUE(Near(after[page].Average(inner.x0, inner.y0, inner.x1, inner.y1), kBlack, 8));
        EXPECT_EQ(DifferentOutside(before[page], after[page], at.Grown(1)), 0);
    }
}

} // namespace
} // namespace e2e
