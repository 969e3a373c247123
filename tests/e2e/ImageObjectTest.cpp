// The image object a run stores in the document: once, as a DCT-encoded
// RGB picture of the chosen pixel size, taken from the picture file itself
// only when that file is a JPEG the object can declare unchanged.
#include "StampScenario.h"

namespace e2e {
namespace {

constexpr Rgb kRust{200, 60, 30};

class ImageObjectTest : public StampScenario {
  protected:
    // One stamp run of in.pdf with `picture` at the given pixel size; the
    // image objects of its output, or none when the run or its output failed.
    std::vector<ImageFacts> StampAndReadImages(const std::filesystem::path& picture, int width,
                                               int height) {
        StandardSettings(picture, width, height).Write(folder.SettingsPath());
        std::filesystem::remove(folder.Path("out.pdf"));
        const HostResult r = folder.RunScript(
            "open in.pdf\nclick 1003\nmenu ADBE:PDFTalvane\nsave out.pdf\nclose\n");
        EXPECT_EQ(r.status, 0) << r.Describe();
        EXPECT_EQ(r.messages, std::vector<TranscriptMessage>{Done()});
        if (r.status != 0 || r.messages != std::vector<TranscriptMessage>{Done()})
            return {};
        EXPECT_EQ(QpdfCheck(folder.Path("out.pdf")), 0);
        return PdfInspector(folder.Path("out.pdf")).Images();
    }
};

TEST_F(ImageObjectTest, ThePictureIsStoredOnceAndDrawnOnEveryPage) {
    WritePdf(folder.Path("in.pdf"), NumberedPages(7));
    StandardSettings(Picture("rust.bmp", 40, 30, Solid(kRust)), 40, 30)
        .Write(folder.SettingsPath());

    const HostResult r =
        folder.RunScript("open in.pdf\nclick 1003\nmenu ADBE:PDFTalvane\nsave out.pdf\nclose\n");
    ASSERT_EQ(r.status, 0) << r.Describe();
    ASSERT_EQ(r.messages, std::vector<TranscriptMessage>{Done()});
    EXPECT_EQ(QpdfCheck(folder.Path("out.pdf")), 0);

    PdfInspector out(folder.Path("out.pdf"));
    const std::vector<ImageFacts> images = out.Images();
    ASSERT_EQ(images.size(), 1u);
    const ImageFacts& image = images[0];
    EXPECT_EQ(image.filter, "/DCTDecode");
    EXPECT_EQ(image.colorSpace, "/DeviceRGB");
    EXPECT_EQ(image.bitsPerComponent, 8);
    EXPECT_EQ(image.width, 40);
    EXPECT_EQ(image.height, 30);
    EXPECT_TRUE(image.stampMarked);
    for (int page = 0; page < 7; ++page)
        EXPECT_EQ(out.DrawnImages(page), std::vector<int>{image.objectId}) << "page " << page + 1;

    const auto decoded = DecodeJpeg(image.rawData);
    ASSERT_TRUE(decoded);
    EXPECT_EQ(decoded->components, 3);
    EXPECT_TRUE(Near(decoded->At(20, 15), kRust, 6)) << decoded->At(20, 15);
}

TEST_F(ImageObjectTest, TheImageDeclaresTheSizeOfTheJpegItHolds) {
    // A pixel size past 16 bits is scaled to its low 16 bits; an object that
    // declared the settings' number would not match its own data.
    struct Case {
        const char* what;
        int width, height; // IMAGEWIDTH x IMAGEHEIGHT
        int jpegWidth, jpegHeight;
    } cases[] = {
        {"a width past 16 bits", 65536 + 160, 80, 160, 80},
        {"both past 16 bits", 2 * 65536 + 50, 65536 + 40, 50, 40},
    };
    WritePdf(folder.Path("in.pdf"), NumberedPages(2));
    const auto picture = Picture("rust.bmp", 40, 30, Solid(kRust));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::vector<ImageFacts> images = StampAndReadImages(picture, c.width, c.height);
        ASSERT_EQ(images.size(), 1u);
        const auto decoded = DecodeJpeg(images[0].rawData);
        ASSERT_TRUE(decoded);
        EXPECT_EQ(decoded->width, c.jpegWidth);
        EXPECT_EQ(decoded->height, c.jpegHeight);
        EXPECT_EQ(images[0].width, c.jpegWidth);
        EXPECT_EQ(images[0].height, c.jpegHeight);
    }
}

TEST_F(ImageObjectTest, OnlyAnUnchangedFittingJpgIsEmbeddedAsItIs) {
    const auto jpg = Picture("rust.jpg", 40, 30, Solid(kRust));
    const auto upper = Picture("rust.JPG", 40, 30, Solid(kRust));
    const auto bmp = Picture("rust.jpg.bmp", 40, 30, Solid(kRust));
    const auto grey = folder.Path("grey.jpg");
    WriteJpeg(grey, 40, 30, Solid({128, 128, 128}), {.quality = 95, .grey = true});

    struct Case {
        const char* what;
        std::filesystem::path picture;
        int width, height; // IMAGEWIDTH x IMAGEHEIGHT
        bool embeddedAsItIs;
        Rgb colour;
    } cases[] = {
        {"a .jpg at its own size", jpg, 40, 30, true, kRust},
        {"the same .jpg at another size", jpg, 20, 15, false, kRust},
        {"an upper-case .JPG", upper, 40, 30, false, kRust},
        {"a grey JPEG named .jpg", grey, 40, 30, false, {128, 128, 128}},
        {"a BMP whose name holds .jpg", bmp, 40, 30, false, kRust},
    };
    WritePdf(folder.Path("in.pdf"), NumberedPages(1));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::vector<ImageFacts> images = StampAndReadImages(c.picture, c.width, c.height);
        ASSERT_EQ(images.size(), 1u);
        const ImageFacts& image = images[0];
        EXPECT_EQ(image.width, c.width);
        EXPECT_EQ(image.height, c.height);
        EXPECT_EQ(image.colorSpace, "/DeviceRGB");
        EXPECT_EQ(image.rawData == ReadFile(c.picture), c.embeddedAsItIs);
        // Whichever file went in, it is a colour JPEG of the declared size
        // showing the picture.
        const auto decoded = DecodeJpeg(image.rawData);
        ASSERT_TRUE(decoded);
        EXPECT_EQ(decoded->components, 3);
        EXPECT_EQ(decoded->width, c.width);
        EXPECT_EQ(decoded->height, c.height);
        EXPECT_TRUE(Near(decoded->At(c.width / 2, c.height / 2), c.colour, 6))
            << decoded->At(c.width / 2, c.height / 2);
    }
}

} // namespace
} // namespace e2e
