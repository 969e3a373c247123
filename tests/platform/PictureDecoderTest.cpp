#include "platform/PictureDecoder.h"

#include "tests/support/BmpBuilder.h"

#include <QImageReader>
#include <gtest/gtest.h>
#include <vector>

namespace {

using platform::PictureDecoder;
using platform::PictureFormat;
using testsupport::Bmp;
using testsupport::Bytes;
using testsupport::Le;

TEST(PictureDecoder, SniffsTheFormatFromTheFirstBytes) {
    const struct {
        const char* name;
        Bytes bytes;
        PictureFormat format;
    } cases[] = {
        {"BMP", {'B', 'M', 0}, PictureFormat::Bmp},
        {"OS/2 bitmap array", {'B', 'A', 0}, PictureFormat::Unknown},
        {"JPEG", {0xFF, 0xD8, 0xFF, 0xE0}, PictureFormat::Jpeg},
        {"JPEG start without a marker", {0xFF, 0xD8, 0x00}, PictureFormat::Unknown},
        {"GIF87a", {'G', 'I', 'F', '8', '7', 'a'}, PictureFormat::Gif},
        {"GIF89a", {'G', 'I', 'F', '8', '9', 'a'}, PictureFormat::Gif},
        {"GIF88a", {'G', 'I', 'F', '8', '8', 'a'}, PictureFormat::Unknown},
        {"PNG", {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'}, PictureFormat::Unknown},
        {"icon", {0, 0, 1, 0, 1, 0}, PictureFormat::Unknown},
        {"TIFF", {'I', 'I', 42, 0}, PictureFormat::Unknown},
        {"one byte", {'B'}, PictureFormat::Unknown},
        {"nothing", {}, PictureFormat::Unknown},
    };
    for (const auto& c : cases)
        EXPECT_EQ(PictureDecoder::Sniff(c.bytes), c.format) << c.name;
}

TEST(PictureDecoder, DecodesIntoTheDeviceFormat) {
    // 2 x 2 at 24 bits, bottom row first: blue-green-red, rows padded to 8.
    const Bytes rows{1, 2, 3, 4, 5, 6, 0, 0, 7, 8, 9, 10, 11, 12, 0, 0};
    const auto bitmap = PictureDecoder::Decode(Bmp(2, 2, 24, 0, {}, rows));
    ASSERT_TRUE(bitmap);
    EXPECT_EQ(bitmap->image().format(), QImage::Format_RGB32);
    EXPECT_EQ(bitmap->width(), 2);
    EXPECT_EQ(bitmap->height(), 2);
    EXPECT_EQ(bitmap->image().pixel(0, 0), qRgb(9, 8, 7));
    EXPECT_EQ(bitmap->image().pixel(1, 1), qRgb(6, 5, 4));
}

// A run-length file is short whatever size it claims, so only the bound
// stands between its header and the allocation.
TEST(PictureDecoder, RefusesClaimsPastTheBitmapLimitAndRestoresTheReaderLimit) {
    const int before = QImageReader::allocationLimit();
    const Bytes table(1024, 0);
    const Bytes endOfBitmap{0, 1};
    EXPECT_EQ(PictureDecoder::Decode(Bmp(12000, 12000, 8, 1, table, endOfBitmap)), nullptr);
    // Sizes whose byte count does not fit 64 bits must not wrap into "fits".
    EXPECT_EQ(PictureDecoder::Decode(Bmp(0x7FFFFFFF, 0x7FFFFFFF, 8, 1, table, endOfBitmap)),
              nullptr);
    EXPECT_EQ(PictureDecoder::Decode(Bmp(0x7FFFFFFF, 0x6A000030, 4, 2, table, endOfBitmap)),
              nullptr);
    const auto wide = PictureDecoder::Decode(Bmp(65535, 2, 8, 1, table, endOfBitmap));
    ASSERT_NE(wide, nullptr);
    EXPECT_EQ(wide->width(), 65535);
    EXPECT_EQ(QImageReader::allocationLimit(), before);
}

TEST(PictureDecoder, FailsForUnknownAndIncompleteBytes) {
    const Bytes rows(16, 0);
    const Bytes whole = Bmp(2, 2, 24, 0, {}, rows);
    EXPECT_EQ(PictureDecoder::Decode({}), nullptr);
    EXPECT_EQ(PictureDecoder::Decode(Bytes{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'}), nullptr);
    EXPECT_EQ(PictureDecoder::Decode(Bytes(whole.begin(), whole.end() - 1)), nullptr);
    EXPECT_NE(PictureDecoder::Decode(whole), nullptr);
}

} // namespace
