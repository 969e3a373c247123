// One line of text into a device bitmap: where it lands, how high, in which
// colour, on which background, and what is cut off.
#include <QGuiApplication>
#include <QImage>
#include <gtest/gtest.h>
#include <set>

#include "platform/RasterText.h"

namespace platform {
namespace {

constexpr QRgb kGreenPage = 0xff00ff00;

DeviceBitmap Page(int w = 200, int h = 80, QRgb fill = kGreenPage) {
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(fill);
    return DeviceBitmap(image);
}

FontDescription Arial(int height, uint8_t quality = 3) {
    FontDescription d;
    d.faceName = "Arial";
    d.height = height;
    d.quality = quality;
    return d;
}

// The bounding box of pixels that are not `background`; empty when none.
QRect Ink(const DeviceBitmap& b, QRgb background = kGreenPage) {
    QRect box;
    for (int y = 0; y < b.height(); ++y)
        for (int x = 0; x < b.width(); ++x)
            if ((b.image().pixel(x, y) & 0xffffff) != (background & 0xffffff))
                box |= QRect(x, y, 1, 1);
    return box;
}

std::set<QRgb> Colours(const DeviceBitmap& b) {
    std::set<QRgb> colours;
    for (int y = 0; y < b.height(); ++y)
        for (int x = 0; x < b.width(); ++x)
            colours.insert(b.image().pixel(x, y) & 0xffffff);
    return colours;
}

TEST(RasterFont, ArialResolvesToAnInstalledMetricCompatibleFamily) {
    const RasterFont font(Arial(-20));
    EXPECT_EQ(font.ResolvedFamily(), "Liberation Sans");
    EXPECT_EQ(RasterFont(FontDescription{}).Font().pixelSize(), RasterFont::kDefaultPixelHeight);
}

TEST(RasterText, TransparentTextLeavesThePictureBetweenTheGlyphs) {
    DeviceBitmap b = Page();
    RasterText::DrawLine(b, RasterFont(Arial(-20)), 10, 10, "Hello", 0x000000ff, false);
    const QRect ink = Ink(b);
    ASSERT_FALSE(ink.isEmpty());
    // The cell's top-left is (10, 10): capitals start a little below it.
    EXPECT_GE(ink.left(), 10);
    EXPECT_LE(ink.left(), 13);
    EXPECT_GE(ink.top(), 10);
    EXPECT_LE(ink.top(), 16);
    EXPECT_LE(ink.bottom(), 10 + 20 + 2);
    // Non-antialiased red (0x000000ff is red in the platform's byte order)
    // on the picture: exactly two colours.
    EXPECT_EQ(Colours(b), (std::set<QRgb>{0x00ff00, 0xff0000}));
}

TEST(RasterText, OpaqueTextFillsItsCellsWhite) {
    DeviceBitmap b = Page();
    const RasterFont font(Arial(-20));
    RasterText::DrawLine(b, font, 10, 10, "Hello", 0x00ff0000, true);
    const QRect box = Ink(b);
    // The white box starts exactly at the position and is the cell high.
    EXPECT_EQ(box.topLeft(), QPoint(10, 10));
    EXPECT_GE(box.height(), 20);
    EXPECT_LE(box.height(), 26);
    EXPECT_EQ(b.image().pixel(10, 10) & 0xffffff, 0xffffffu);
    EXPECT_EQ(Colours(b), (std::set<QRgb>{0x00ff00, 0xffffff, 0x0000ff}));
    // Outside the box the picture is untouched.
    EXPECT_EQ(b.image().pixel(9, 10) & 0xffffff, 0x00ff00u);
    EXPECT_EQ(b.image().pixel(10, 9) & 0xffffff, 0x00ff00u);
}

TEST(RasterText, NegativeHeightIsTheCharacterHeightPositiveTheCellHeight) {
    DeviceBitmap em = Page(200, 120);
    DeviceBitmap cell = Page(200, 120);
    RasterText::DrawLine(em, RasterFont(Arial(-40)), 0, 0, "H", 0, true);
    RasterText::DrawLine(cell, RasterFont(Arial(40)), 0, 0, "H", 0, true);
    // Opaque boxes are the cell height: 40 for +40, more for -40.
    EXPECT_NEAR(Ink(cell).height(), 40, 1);
    EXPECT_GT(Ink(em).height(), 43);
}

TEST(RasterText, AntialiasingFollowsTheQuality) {
    DeviceBitmap smooth = Page();
    RasterText::DrawLine(smooth, RasterFont(Arial(-30, 0)), 5, 5, "Sow", 0, false);
    EXPECT_GT(Colours(smooth).size(), 2u);
}

TEST(RasterText, WeightItalicUnderlineAndStrikeOutChangeTheGlyphs) {
    auto inkCount = [](const FontDescription& d) {
        DeviceBitmap b = Page();
        RasterText::DrawLine(b, RasterFont(d), 5, 5, "Text", 0, false);
        int n = 0;
        for (int y = 0; y < b.height(); ++y)
            for (int x = 0; x < b.width(); ++x)
                n += (b.image().pixel(x, y) & 0xffffff) == 0;
        return n;
    };
    const int plain = inkCount(Arial(-30));
    FontDescription bold = Arial(-30);
    bold.weight = 700;
    FontDescription underline = Arial(-30);
    underline.underline = true;
    FontDescription strike = Arial(-30);
    strike.strikeOut = true;
    EXPECT_GT(inkCount(bold), plain * 5 / 4);
    EXPECT_GT(inkCount(underline), plain);
    EXPECT_GT(inkCount(strike), plain);
    FontDescription italic = Arial(-30);
    italic.italic = true;
    EXPECT_NE(inkCount(italic), plain);
}

TEST(RasterText, ClippedAtTheEdgesAndUnchangedWhenOutside) {
    const struct {
        int x, y;
        bool visible;
    } cases[] = {
        {-8, -8, true}, {190, 70, true}, {200, 10, false}, {10, 80, false}, {-400, 10, false}};
    for (const auto& c : cases) {
        DeviceBitmap b = Page();
        RasterText::DrawLine(b, RasterFont(Arial(-20)), c.x, c.y, "Wide text", 0, true);
        EXPECT_EQ(!Ink(b).isEmpty(), c.visible) << c.x << "," << c.y;
    }
}

TEST(RasterText, LineBreaksDoNotStartANewLine) {
    DeviceBitmap b = Page(300, 100);
    RasterText::DrawLine(b, RasterFont(Arial(-20)), 0, 0, "one\ntwo", 0, true);
    EXPECT_LT(Ink(b).bottom(), 30);
    EXPECT_GT(Ink(b).width(), 50);
}

TEST(RasterText, NonAsciiTextIsDrawn) {
    DeviceBitmap b = Page();
    RasterText::DrawLine(b, RasterFont(Arial(-20)), 0, 0, "\xC3\x84\xC3\xB6\xE2\x82\xAC", 0, false);
    EXPECT_FALSE(Ink(b).isEmpty());
}

} // namespace
} // namespace platform

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QGuiApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
