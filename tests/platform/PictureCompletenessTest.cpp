#include "platform/PictureCompleteness.h"

#include "tests/support/BmpBuilder.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

using platform::PictureCompleteness;
using testsupport::Bmp;
using testsupport::Bytes;
using testsupport::CoreBmp;
using testsupport::operator+;
using testsupport::Le;

const Bytes kSoi{0xFF, 0xD8}, kEoi{0xFF, 0xD9};
const Bytes kApp0{0xFF, 0xE0, 0x00, 0x10, 'J', 'F', 'I', 'F', 0, 1, 1, 0, 0, 1, 0, 1, 0, 0};
const Bytes kFrame{0xFF, 0xC0, 0x00, 0x0B, 8, 0, 16, 0, 16, 1, 1, 0x11, 0};
const Bytes kScanHeader{0xFF, 0xDA, 0x00, 0x08, 1, 1, 0, 0, 0x3F, 0};
// Entropy-coded bytes with a stuffed FF 00 and a restart marker inside: neither
// ends the scan.
const Bytes kEntropy{0x12, 0xFF, 0x00, 0x34, 0xFF, 0xD0, 0x56, 0x78};

const Bytes kGifHead = Bytes{'G', 'I', 'F', '8', '9', 'a'} + Le(2, 2) + Le(2, 2) +
                       Bytes{0x80, 0, 0} + Bytes{0, 0, 0, 255, 255, 255}; // 2-entry table
const Bytes kGifControl{0x21, 0xF9, 0x04, 0x01, 0x00, 0x00, 0x00, 0x00};
const Bytes kGifFrame = Bytes{0x2C} + Le(0, 4) + Le(2, 2) + Le(2, 2) + Bytes{0x00} +
                        Bytes{0x02, 0x02, 0x44, 0x01, 0x00}; // min code size, data, terminator
const Bytes kGifTrailer{0x3B};

struct Case {
    const char* name;
    Bytes bytes;
    bool complete;
};

TEST(PictureCompleteness, Bmp) {
    const Bytes rows24 = Bytes(8, 1) + Bytes(8, 2); // 2 x 2 at 24 bits: 6 bytes padded to 8
    const Bytes masks = Le(0xF800, 4) + Le(0x07E0, 4) + Le(0x001F, 4);
    const Case cases[] = {
        {"24 bit", Bmp(2, 2, 24, 0, {}, rows24), true},
        {"top-down", Bmp(2, -2, 24, 0, {}, rows24), true},
        {"bytes after the rows", Bmp(2, 2, 24, 0, {}, rows24 + Bytes{9, 9}), true},
        {"last row short", Bmp(2, 2, 24, 0, {}, Bytes(15, 1)), false},
        {"bit fields", Bmp(2, 2, 16, 3, masks, Bytes(8, 0)), true},
        {"bit fields short", Bmp(2, 2, 16, 3, masks, Bytes(7, 0)), false},
        {"1 bit, 33 wide: two words a row", Bmp(33, 1, 1, 0, Bytes(8, 0), Bytes(8, 0)), true},
        {"1 bit, 33 wide, one word", Bmp(33, 1, 1, 0, Bytes(8, 0), Bytes(4, 0)), false},
        {"core header", CoreBmp(3, 2, 8, Bytes(3 * 256, 0), Bytes(8, 0)), true},
        {"core header short", CoreBmp(3, 2, 8, Bytes(3 * 256, 0), Bytes(7, 0)), false},
        {"RLE8 with end of bitmap", Bmp(4, 2, 8, 1, Bytes(1024, 0), {4, 1, 0, 0, 0, 1}), true},
        {"RLE8 literal and delta",
         Bmp(4, 3, 8, 1, Bytes(1024, 0), {0, 3, 1, 2, 3, 0, 0, 2, 0, 1, 2, 5, 0, 0, 0, 1}), true},
        {"RLE8 rows ended without end of bitmap",
         Bmp(4, 2, 8, 1, Bytes(1024, 0), {4, 1, 0, 0, 4, 2, 0, 0}), true},
        {"RLE8 cut in a literal", Bmp(4, 2, 8, 1, Bytes(1024, 0), {0, 4, 1, 2}), false},
        {"RLE8 cut after one row", Bmp(4, 2, 8, 1, Bytes(1024, 0), {4, 1, 0, 0}), false},
        {"RLE8 cut in a delta", Bmp(4, 2, 8, 1, Bytes(1024, 0), {0, 2, 1}), false},
        {"RLE4 literal of 5 nibbles (3 bytes, padded to 4)",
         Bmp(5, 1, 4, 2, Bytes(64, 0), {0, 5, 0x12, 0x34, 0x50, 0, 0, 1}), true},
        {"RLE4 literal cut", Bmp(5, 1, 4, 2, Bytes(64, 0), {0, 5, 0x12, 0x34}), false},
        {"no rows at all", Bmp(2, 2, 24, 0, {}, {}), false},
        {"pixel offset past the end", [] {
             Bytes b = Bmp(2, 2, 24, 0, {}, Bytes(16, 0));
             b[11] = 0x10; // offset 54 + 4096
             return b;
         }(),
         false},
        {"header size 7", [] {
             Bytes b = Bmp(2, 2, 24, 0, {}, Bytes(16, 0));
             b[14] = 7;
             return b;
         }(),
         false},
        {"header size past the end", [] {
             Bytes b = Bmp(2, 2, 24, 0, {}, {});
             b[14] = 200;
             return b;
         }(),
         false},
        {"width 0", Bmp(0, 2, 24, 0, {}, rows24), false},
        {"height 0", Bmp(2, 0, 24, 0, {}, rows24), false},
        {"huge claim, few bytes", Bmp(0x7FFFFFFF, 0x7FFFFFFF, 32, 0, {}, Bytes(16, 0)), false},
        {"file header only", {'B', 'M', 0, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0}, false},
        {"embedded PNG is left to the reader", Bmp(2, 2, 0, 5, {}, {1, 2, 3}), true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(PictureCompleteness::Bmp(c.bytes), c.complete) << c.name;

    // Any cut inside the rows of a whole file is noticed.
    const Bytes whole = Bmp(3, 3, 24, 0, {}, Bytes(36, 7));
    for (size_t length = 0; length < whole.size(); ++length)
        EXPECT_FALSE(PictureCompleteness::Bmp(Bytes(whole.begin(), whole.begin() + long(length))))
            << "cut at " << length;
}

TEST(PictureCompleteness, Jpeg) {
    const Bytes whole = kSoi + kApp0 + kFrame + kScanHeader + kEntropy + kEoi;
    const Bytes progressive =
        kSoi + kFrame + kScanHeader + kEntropy + kScanHeader + kEntropy + kEoi;
    const Case cases[] = {
        {"baseline with stuffing and a restart", whole, true},
        {"two scans", progressive, true},
        {"fill bytes before markers",
         kSoi + Bytes{0xFF, 0xFF} + kFrame + kScanHeader + kEntropy + Bytes{0xFF} + kEoi, true},
        {"bytes after the end marker", whole + Bytes{1, 2, 3}, true},
        {"no scan", kSoi + kFrame + kEoi, false},
        {"segment length 0", kSoi + Bytes{0xFF, 0xFE, 0x00, 0x00} + kFrame + kScanHeader + kEoi,
         false},
        {"segment runs past the end", kSoi + Bytes{0xFF, 0xE1, 0x7F, 0xFF, 1, 2}, false},
        {"garbage between segments", kSoi + Bytes{0x00} + kFrame + kScanHeader + kEoi, false},
        {"stuffed zero as a marker", kSoi + Bytes{0xFF, 0x00} + kEoi, false},
        {"start only", kSoi, false},
        {"not a JPEG", {0x00, 0x01, 0x02, 0x03}, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(PictureCompleteness::Jpeg(c.bytes), c.complete) << c.name;

    for (const Bytes& file : {whole, progressive})
        for (size_t length = 0; length < file.size(); ++length)
            EXPECT_FALSE(
                PictureCompleteness::Jpeg(Bytes(file.begin(), file.begin() + long(length))))
                << "cut at " << length;
}

TEST(PictureCompleteness, Gif) {
    const Bytes whole = kGifHead + kGifControl + kGifFrame + kGifTrailer;
    const Bytes localTable = kGifHead + Bytes{0x2C} + Le(0, 4) + Le(2, 2) + Le(2, 2) + Bytes{0x80} +
                             Bytes(6, 0) + Bytes{0x02, 0x01, 0x44, 0x00};
    const Case cases[] = {
        {"one frame", whole, true},
        {"no trailer", kGifHead + kGifFrame, true},
        {"second frame cut", kGifHead + kGifFrame + Bytes{0x2C, 0, 0}, true},
        {"local colour table", localTable, true},
        {"no frame", kGifHead + kGifTrailer, false},
        {"garbage block", kGifHead + Bytes{0x99} + kGifFrame, false},
        {"extension cut", kGifHead + Bytes{0x21, 0xFE, 0x05, 'a'}, false},
        {"colour table cut", Bytes(kGifHead.begin(), kGifHead.end() - 2), false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(PictureCompleteness::Gif(c.bytes), c.complete) << c.name;

    // Every cut before the first frame's last sub-block ends is noticed.
    const size_t frameEnd = whole.size() - kGifTrailer.size();
    for (size_t length = 0; length < frameEnd; ++length)
        EXPECT_FALSE(PictureCompleteness::Gif(Bytes(whole.begin(), whole.begin() + long(length))))
            << "cut at " << length;
}

} // namespace
