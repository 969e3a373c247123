#include "image/BitmapScaler.h"

#include <gtest/gtest.h>

namespace {

// Every pixel names its own position: red and green the column, blue the row.
platform::DeviceBitmap Numbered(int width, int height) {
    QImage picture(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            picture.setPixel(x, y, qRgb(x % 256, x / 256, y % 256));
    return platform::DeviceBitmap(picture);
}

int Column(QRgb p) {
    return qRed(p) + 256 * qGreen(p);
}

TEST(BitmapScaler, StretchesWithoutSmoothingOrAspect) {
    const BitmapScaler scaler;
    const platform::DeviceBitmap source = Numbered(400, 300);

    // 400 x 300 to 200 x 300: squeezed horizontally only; each target pixel
    // is the source pixel under its centre, never a blend.
    const auto squeezed = scaler.ScaleBitmap(source, 200, 300);
    ASSERT_TRUE(squeezed);
    EXPECT_EQ(squeezed->width(), 200);
    EXPECT_EQ(squeezed->height(), 300);
    for (int x : {0, 1, 100, 199}) {
        const QRgb p = squeezed->image().pixel(x, 7);
        EXPECT_EQ(Column(p), 2 * x + 1) << x;
        EXPECT_EQ(qBlue(p), 7);
    }

    // 4 x 2 to 8 x 6: each source pixel becomes an exact 2 x 3 block.
    const platform::DeviceBitmap small = Numbered(4, 2);
    const auto grown = scaler.ScaleBitmap(small, 8, 6);
    ASSERT_TRUE(grown);
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 8; ++x)
            EXPECT_EQ(grown->image().pixel(x, y), small.image().pixel(x / 2, y / 3))
                << x << "," << y;
}

TEST(BitmapScaler, SameSizeGivesAnEqualCopyAndLeavesTheSourceAlone) {
    const BitmapScaler scaler;
    const platform::DeviceBitmap source = Numbered(31, 17);
    const QImage before = source.image().copy();
    const auto copy = scaler.ScaleBitmap(source, 31, 17);
    ASSERT_TRUE(copy);
    EXPECT_NE(copy.get(), &source);
    EXPECT_EQ(copy->image(), before);
    EXPECT_EQ(source.image(), before);
}

TEST(BitmapScaler, CountsOnlyTheLow16BitsOfTheSize) {
    const BitmapScaler scaler;
    const auto scaled = scaler.ScaleBitmap(Numbered(10, 10), 65536 + 12, 2 * 65536 + 5);
    ASSERT_TRUE(scaled);
    EXPECT_EQ(scaled->width(), 12);
    EXPECT_EQ(scaled->height(), 5);
}

// The caller sees nullptr whenever no bitmap can be made.
TEST(BitmapScaler, GivesNothingWhenNoBitmapCanBeMade) {
    const BitmapScaler scaler;
    const platform::DeviceBitmap source = Numbered(10, 10);
    const struct {
        const char* name;
        long width, height;
    } cases[] = {
        {"width 0", 0, 10},
        {"height 0", 10, 0},
        {"both 0", 0, 0},
        {"65536 wide", 65536, 10},
        {"past the bitmap limit", 65535, 65535},
    };
    for (const auto& c : cases)
        EXPECT_EQ(scaler.ScaleBitmap(source, c.width, c.height), nullptr) << c.name;
    EXPECT_EQ(scaler.ScaleBitmap(platform::DeviceBitmap(), 10, 10), nullptr) << "null source";
}

} // namespace
