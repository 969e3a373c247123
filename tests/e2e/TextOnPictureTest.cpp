// The line of text on the stamp picture, end to end: the real pdfhost runs
// the real plug-in; pages are rendered with pdftoppm and the embedded JPEG
// is compared with one this test prepares from the expected line.
#include <QGuiApplication>
#include <cstdlib>
#include <fcntl.h>
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFWriter.hh>
#include <qpdf/QUtil.hh>
#include <sys/stat.h>

#include "StampScenario.h"
#include "image/BitmapScaler.h"
#include "image/JpegFileWriter.h"
#include "image/LoadedPicture.h"
#include "image/TextOverlay.h"
#include "platform/Messages.h"

namespace e2e {
namespace {

namespace fs = std::filesystem;
using testsupport::Near;

constexpr Rgb kGreen{0, 160, 0};
constexpr unsigned kRedColour = 0x000000ff; // 0x00bbggrr

// A 200 x 200 point page with the picture 160 x 120 points at (20, 20): at
// 180 dpi a 400 x 300 picture maps one to one onto the render's pixels
// x 50..450, y 150..450.
constexpr int kDpi = 180;
constexpr int kStampX = 50, kStampY = 150;

struct Box {
    int x0 = 1 << 30, y0 = 1 << 30, x1 = -1, y1 = -1;
    bool Empty() const { return x1 < 0; }
    int Width() const { return x1 - x0 + 1; }
    int Height() const { return y1 - y0 + 1; }
};

bool IsWhite(const Rgb& c) {
    return c.r > 215 && c.g > 215 && c.b > 215;
}
bool IsRed(const Rgb& c) {
    return c.r > 170 && c.g < 90 && c.b < 90;
}

// Pixels of the picture area (picture coordinates) that satisfy `is`.
template <typename Is>
Box Where(const Raster& page, int originX, int originY, int width, int height, Is is, int* n) {
    Box box;
    *n = 0;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            if (is(page.At(originX + x, originY + y))) {
                ++*n;
                box = {std::min(box.x0, x), std::min(box.y0, y), std::max(box.x1, x),
                       std::max(box.y1, y)};
            }
    return box;
}

class TextOnPictureTest : public StampScenario {
  protected:
    SettingsFile TextSettings(const fs::path& picture, int width, int height,
                              const std::string& text) {
        SettingsFile s = StandardSettings(picture, width, height);
        s.imageWidthPdf = 160;
        s.imageHeightPdf = 120;
        s.textOnImage = true;
        s.text = text;
        return s;
    }

    // Runs the script over in.pdf with `s` as the settings file; every run
    // in it must end with "Done.".
    void Run(const SettingsFile& s, const std::string& script, int runs,
             const std::vector<std::string>& options = {}) {
        s.Write(folder.SettingsPath());
        const HostResult r = folder.RunScript(script, options);
        ASSERT_EQ(r.status, 0) << r.Describe();
        EXPECT_EQ(r.messages,
                  std::vector<TranscriptMessage>(static_cast<std::size_t>(runs), Done()));
    }

    fs::path StampOnce(const SettingsFile& s, const std::vector<std::string>& options = {}) {
        Run(s, "open in.pdf\nclick 1003\nmenu ADBE:PDFTalvane\nsave out.pdf\nclose\n", 1, options);
        EXPECT_EQ(QpdfCheck(folder.Path("out.pdf")), 0);
        return folder.Path("out.pdf");
    }

    static std::vector<std::string> StampJpegs(const fs::path& pdf) {
        std::vector<std::string> out;
        for (const ImageFacts& f : PdfInspector(pdf).Images())
            if (f.stampMarked)
                out.push_back(f.rawData);
        return out;
    }

    // The JPEG the plug-in should embed: the picture with `line` drawn as
    // the settings say, scaled to the embedded size, written by the same
    // writer.
    std::string Expected(const SettingsFile& s, const std::string& line) {
        LoadedPicture picture;
        EXPECT_EQ(picture.Load(s.imageFileName), 1);
        TextOnImageSettings text;
        text.szText = line;
        text.nTransparent = s.transparent ? 1 : 0;
        text.nHorizPos = s.horizPos;
        text.nVertPos = s.vertPos;
        text.crTextColor = s.textColor;
        platform::FontDescription d;
        d.height = s.fontHeight;
        d.weight = s.fontWeight;
        d.quality = static_cast<uint8_t>(s.fontQuality);
        d.faceName = s.fontFace;
        const platform::RasterFont font(d);
        const TextOverlay overlay(text, &font, [](std::string t) { return t; });
        auto bitmap = overlay.DrawTextOnBitmap(*picture.Bitmap());
        if (bitmap->width() != s.imageWidth || bitmap->height() != s.imageHeight)
            bitmap = BitmapScaler().ScaleBitmap(*bitmap, s.imageWidth, s.imageHeight);
        const fs::path jpg = folder.Path("expected.jpg");
        JpegFileWriter().SaveBitmapAsJpeg(jpg.string(), *bitmap);
        return ReadFile(jpg);
    }
};

TEST_F(TextOnPictureTest, TextInItsColourOnEveryPageOpaqueOrTransparent) {
    WritePdf(folder.Path("in.pdf"), NumberedPages(2));
    const fs::path green = Picture("green.bmp", 400, 300, Solid(kGreen));
    for (bool transparent : {false, true}) {
        SCOPED_TRACE(transparent ? "transparent" : "opaque");
        SettingsFile s = TextSettings(green, 400, 300, "HELLO");
        s.transparent = transparent;
        s.textColor = kRedColour;
        s.horizPos = 20;
        s.vertPos = 20;
        const fs::path out = StampOnce(s);
        const std::vector<Raster> pages = RenderPages(out, 1, 2, kDpi, PageBox::Media);
        ASSERT_EQ(pages.size(), 2u);
        for (const Raster& page : pages) {
            int red = 0, white = 0, other = 0;
            const Box text = Where(page, kStampX, kStampY, 400, 300, IsRed, &red);
            const Box box = Where(page, kStampX, kStampY, 400, 300, IsWhite, &white);
            ASSERT_GT(red, 150);
            // The glyphs start just right of and below the cell's top-left
            // corner (20, 20), and are about the 40-pixel character height.
            EXPECT_NEAR(text.x0, 22, 3);
            EXPECT_NEAR(text.y0, 27, 5);
            EXPECT_NEAR(text.Height(), 29, 4);
            if (transparent) {
                EXPECT_LT(white, 5);
            } else {
                EXPECT_GT(white, 2000);
                EXPECT_NEAR(box.x0, 20, 1);
                EXPECT_NEAR(box.y0, 20, 1);
                EXPECT_NEAR(box.Height(), 46, 3);
                EXPECT_GE(box.x1, text.x1);
            }
            // Far from the line the picture is unchanged.
            Where(
                page, kStampX, kStampY + 100, 400, 200,
                [](const Rgb& c) { return !Near(c, kGreen, 24); }, &other);
            EXPECT_EQ(other, 0);
        }
        EXPECT_EQ(StampJpegs(out), std::vector<std::string>{Expected(s, "HELLO")});
    }
}

TEST_F(TextOnPictureTest, TextIsDrawnBeforeScalingSoItScalesWithThePicture) {
    WritePdf(folder.Path("in.pdf"), NumberedPages(1));
    const fs::path green = Picture("green.bmp", 800, 600, Solid(kGreen));
    // The same 800 x 600 picture with a 40-pixel line at (10, 10), embedded
    // at full size and at half size over the same 160 x 120 points, so that
    // 360 and 180 dpi each show one embedded pixel per render pixel.
    struct Run {
        int width, height, dpi;
        Box box;
    } runs[] = {{800, 600, 2 * kDpi, {}}, {400, 300, kDpi, {}}};
    for (Run& r : runs) {
        SettingsFile s = TextSettings(green, r.width, r.height, "HELLO");
        const fs::path out = StampOnce(s);
        const std::vector<Raster> pages = RenderPages(out, 1, 1, r.dpi, PageBox::Media);
        ASSERT_EQ(pages.size(), 1u);
        const int scale = r.dpi / kDpi;
        int n = 0;
        r.box = Where(pages[0], kStampX * scale, kStampY * scale, r.width, r.height, IsWhite, &n);
        ASSERT_FALSE(r.box.Empty()) << r.width;
        EXPECT_EQ(StampJpegs(out), std::vector<std::string>{Expected(s, "HELLO")});
    }
    const Box& full = runs[0].box;
    const Box& half = runs[1].box;
    EXPECT_NEAR(full.x0, 10, 1);
    EXPECT_NEAR(full.y0, 10, 1);
    EXPECT_GE(full.Height(), 40);
    EXPECT_NEAR(half.x0, 5, 1);
    EXPECT_NEAR(half.y0, 5, 1);
    EXPECT_NEAR(half.Width(), full.Width() / 2.0, 2);
    EXPECT_NEAR(half.Height(), full.Height() / 2.0, 2);
}

TEST_F(TextOnPictureTest, TwoRunsInOneHostTakeTheValueListInTurn) {
    WritePdf(folder.Path("in.pdf"), NumberedPages(1));
    const fs::path green = Picture("green.bmp", 400, 300, Solid(kGreen));
    const SettingsFile s = TextSettings(green, 400, 300, "[VAR(AAAA,BBBB)]");
    Run(s,
        "open in.pdf\nclick 1003\nmenu ADBE:PDFTalvane\nsave one.pdf\nclick 1003\nmenu "
        "ADBE:PDFTalvane\nsave two.pdf\n"
        "close\n",
        2);
    const std::vector<std::string> first = StampJpegs(folder.Path("one.pdf"));
    const std::vector<std::string> both = StampJpegs(folder.Path("two.pdf"));
    ASSERT_EQ(first.size(), 1u);
    ASSERT_EQ(both.size(), 2u);
    const std::string a = Expected(s, "AAAA");
    const std::string b = Expected(s, "BBBB");
    EXPECT_NE(a, b);
    EXPECT_EQ(first[0], a);
    EXPECT_TRUE((both == std::vector<std::string>{a, b}) ||
                (both == std::vector<std::string>{b, a}));
}

// `pdfhost stamp` over several documents is one host process: the list
// steps from one document to the next, and a --set text is the one drawn.
TEST_F(TextOnPictureTest, SeveralInputsOfOneStampJobTakeTheValueListInTurn) {
    const fs::path green = Picture("green.bmp", 400, 300, Solid(kGreen));
    SettingsFile s = TextSettings(green, 400, 300, "installed text");
    s.Write(folder.SettingsPath());
    fs::create_directories(folder.Path("out"));
    for (const char* name : {"a.pdf", "b.pdf", "c.pdf", "d.pdf"})
        WritePdf(folder.Path(name), NumberedPages(1));
    const HostResult r = folder.Run({"stamp", "--set", "T_TEXT=[VAR(AAAA,BBBB,CCCC)]", "a.pdf",
                                     "b.pdf", "c.pdf", "d.pdf", "--out-dir", "out"});
    ASSERT_EQ(r.status, 0) << r.Describe();
    const std::string a = Expected(s, "AAAA");
    const std::string b = Expected(s, "BBBB");
    const std::string c = Expected(s, "CCCC");
    EXPECT_NE(a, b);
    EXPECT_NE(b, c);
    EXPECT_EQ(StampJpegs(folder.Path("out/a.pdf")), std::vector<std::string>{a});
    EXPECT_EQ(StampJpegs(folder.Path("out/b.pdf")), std::vector<std::string>{b});
    EXPECT_EQ(StampJpegs(folder.Path("out/c.pdf")), std::vector<std::string>{c});
    EXPECT_EQ(StampJpegs(folder.Path("out/d.pdf")), std::vector<std::string>{a});
}

// Gives in.pdf a title (a UTF-16 text string) and a modification time.
void SetTitleAndTime(const fs::path& pdf, const std::string& utf16Title) {
    QPDF q;
    q.processFile(pdf.string().c_str());
    QPDFObjectHandle info = QPDFObjectHandle::newDictionary();
    info.replaceKey("/Title", QPDFObjectHandle::newString(utf16Title));
    q.getTrailer().replaceKey("/Info", q.makeIndirectObject(info));
    // The writer keeps the file name it was given: it must outlive it.
    const std::string tmp = pdf.string() + ".tmp";
    QPDFWriter w(q, tmp.c_str());
    w.write();
    fs::rename(tmp, pdf);
    const timespec times[2] = {{1141032600, 0}, {1141032600, 0}}; // 2006-02-27 09:30:00 UTC
    ASSERT_EQ(::utimensat(AT_FDCWD, pdf.c_str(), times, 0), 0);
}

TEST_F(TextOnPictureTest, PlaceholdersComeFromTheDocumentItsFileAndThePinnedClock) {
    const fs::path green = Picture("green.bmp", 400, 300, Solid(kGreen));
    // "Ärger €" in UTF-16BE with its byte-order mark.
    const std::string title("\xFE\xFF\x00\xC4\x00r\x00g\x00"
                            "e\x00r\x00 \x20\xAC",
                            16);
    // A folder path of more than 300 characters.
    const fs::path deep =
        fs::path(std::string(120, 'd')) / std::string(120, 'e') / std::string(70, 'f');
    fs::create_directories(folder.Path(deep.string()));
    const std::string deepPdf = (folder.Root() / deep / "in.pdf").string();
    ASSERT_GT(deepPdf.size(), 300u);

    struct Case {
        const char* what;
        std::string pdf;
        std::string text;
        std::string line;
    } cases[] = {
        {"clock and title", folder.Path("in.pdf").string(),
         "[FILETITLEEXT] [DD]-[MM]-[YYYY] [hh]:[mm]:[ss][AMPM] [DN] [TITLE] [MODIFIEDTIME]",
         "in.pdf 01-03-2006 14:05:09PM Wednesday \xC3\x84rger \xE2\x82\xAC 2006-02-27 09:30:00"},
        {"no placeholders", folder.Path("in.pdf").string(), "Total: 100% [page] [PAGE] [VAR(",
         "Total: 100% [page] [PAGE] [VAR("},
        {"a path over 300 characters", deepPdf, "[TOPFOLDERPATH]/[FILETITLE]",
         std::string(70, 'f') + "/in"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        WritePdf(c.pdf, NumberedPages(1));
        SetTitleAndTime(c.pdf, title);
        const SettingsFile s = TextSettings(green, 400, 300, c.text);
        Run(s, "open " + c.pdf + "\nclick 1003\nmenu ADBE:PDFTalvane\nsave out.pdf\nclose\n", 1,
            {"--clock", "2006-03-01T14:05:09"});
        EXPECT_EQ(StampJpegs(folder.Path("out.pdf")),
                  std::vector<std::string>{Expected(s, c.line)});
    }
}

TEST_F(TextOnPictureTest, AClockThatIsNoTimeIsRefused) {
    const HostResult r = folder.Run({"--clock", "yesterday", "info"});
    EXPECT_NE(r.status, 0);
    EXPECT_NE(r.err.find("--clock needs a local time"), std::string::npos) << r.Describe();
}

} // namespace
} // namespace e2e

int main(int argc, char** argv) {
    // The runs and the expected pictures share one time zone.
    setenv("TZ", "UTC", 1);
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QGuiApplication app(argc, argv);
    platform::Messages::SetHeadless(true);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
