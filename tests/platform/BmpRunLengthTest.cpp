#include "platform/BmpRunLength.h"

#include <gtest/gtest.h>
#include <vector>

#include "platform/PictureDecoder.h"
#include "tests/support/BmpBuilder.h"
#include "tests/support/HeapFill.h"

namespace {

using platform::BmpInfo;
using platform::BmpRunLength;
using platform::PictureDecoder;
using testsupport::Bmp;
using testsupport::Bytes;

// Entry 0 is (1, 2, 3); entry i > 0 is (10 i, 0, 0).
Bytes Palette(int entries) {
    Bytes table;
    for (int i = 0; i < entries; ++i) {
        const Bytes entry = i == 0 ? Bytes{3, 2, 1, 0} : Bytes{0, 0, std::uint8_t(10 * i), 0};
        table.insert(table.end(), entry.begin(), entry.end());
    }
    return table;
}

Bytes RleBmp(int width, int height, int bitCount, const Bytes& codes) {
    return Bmp(width, height, bitCount, bitCount == 8 ? 1 : 2, Palette(1 << bitCount), codes);
}

// Palette indices of the decoded picture, top row first; -1 for a colour
// that is no entry of Palette().
std::vector<std::vector<int>> DecodeIndices(const Bytes& file) {
    const auto bitmap = PictureDecoder::Decode(file);
    if (!bitmap)
        return {};
    std::vector<std::vector<int>> rows;
    for (int y = 0; y < bitmap->height(); ++y) {
        rows.emplace_back();
        for (int x = 0; x < bitmap->width(); ++x) {
            const QRgb p = bitmap->image().pixel(x, y);
            const bool entry0 = qRed(p) == 1 && qGreen(p) == 2 && qBlue(p) == 3;
            const bool red = qGreen(p) == 0 && qBlue(p) == 0 && qRed(p) % 10 == 0;
            rows.back().push_back(entry0 ? 0 : red ? qRed(p) / 10 : -1);
        }
    }
    return rows;
}

TEST(BmpRunLength, SkippedPixelsBecomeIndexZero) {
    const struct {
        const char* name;
        int width, height, bitCount;
        Bytes codes;
        std::vector<std::vector<int>> expected; // top row first
    } cases[] = {
        {"runs and a literal fill everything",
         4,
         2,
         8,
         {4, 5, 0, 0, 0, 4, 1, 2, 3, 4, 0, 1},
         {{1, 2, 3, 4}, {5, 5, 5, 5}}},
        {"early end of line", 4, 2, 8, {2, 5, 0, 0, 1, 6, 0, 1}, {{6, 0, 0, 0}, {5, 5, 0, 0}}},
        {"early end of bitmap", 3, 3, 8, {3, 7, 0, 1}, {{0, 0, 0}, {0, 0, 0}, {7, 7, 7}}},
        {"delta skips right and up",
         4,
         2,
         8,
         {1, 5, 0, 2, 2, 1, 1, 6, 0, 1},
         {{0, 0, 0, 6}, {5, 0, 0, 0}}},
        {"runs past the row and past the last row are cut off",
         2,
         1,
         8,
         {200, 9, 0, 0, 5, 8, 0, 1},
         {{9, 9}}},
        {"nibble runs alternate, high nibble first", 5, 1, 4, {5, 0x12, 0, 1}, {{1, 2, 1, 2, 1}}},
        {"nibble literal of 3, padded to 2 bytes",
         4,
         1,
         4,
         {0, 3, 0x34, 0x50, 0, 1},
         {{3, 4, 5, 0}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        // Every new block holds a colour that is no palette entry, so a
        // pixel the decode left unset would show as -1.
        testsupport::HeapFill::Use(0x5A);
        const auto indices = DecodeIndices(RleBmp(c.width, c.height, c.bitCount, c.codes));
        testsupport::HeapFill::Off();
        EXPECT_EQ(indices, c.expected);
    }
}

TEST(BmpRunLength, ExpandsIntoAnUncompressedFile) {
    const Bytes file = RleBmp(3, 2, 8, {3, 7, 0, 0, 1, 9, 0, 1});
    const auto info = BmpInfo::Read(file);
    ASSERT_TRUE(info);
    const auto expanded = BmpRunLength::Expand(file, *info);
    ASSERT_TRUE(expanded);
    const auto out = BmpInfo::Read(*expanded);
    ASSERT_TRUE(out);
    EXPECT_EQ(out->header.biCompression, platform::BI_RGB);
    EXPECT_EQ(out->pixelOffset, info->pixelOffset);
    // Rows stay bottom-up and are padded to 4 bytes.
    EXPECT_EQ(Bytes(expanded->begin() + out->pixelOffset, expanded->end()),
              (Bytes{7, 7, 7, 0, 9, 0, 0, 0}));
    EXPECT_EQ(expanded->size(), size_t(out->pixelOffset) + 8);
    const auto at = [&](size_t i) { return std::uint32_t((*expanded)[i]); };
    EXPECT_EQ(at(2) | at(3) << 8 | at(4) << 16 | at(5) << 24, expanded->size()) << "file size";
}

TEST(BmpRunLength, RefusesWhatItCannotExpandSafely) {
    const Bytes endOfBitmap{0, 1};
    const struct {
        const char* name;
        Bytes file;
    } cases[] = {
        {"codes end early", RleBmp(4, 2, 8, {4, 1, 0, 0})},
        {"literal cut", RleBmp(4, 2, 8, {0, 4, 1, 2})},
        {"top-down", RleBmp(4, -2, 8, endOfBitmap)},
        {"run-length 8 with 4-bit pixels",
         [] {
             Bytes b = RleBmp(4, 2, 4, {0, 1});
             b[30] = 1;
             return b;
         }()},
        {"past the bitmap limit", RleBmp(30000, 30000, 8, endOfBitmap)},
        {"width 0", RleBmp(0, 2, 8, endOfBitmap)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const auto info = BmpInfo::Read(c.file);
        ASSERT_TRUE(info);
        EXPECT_FALSE(BmpRunLength::Expand(c.file, *info));
        EXPECT_EQ(PictureDecoder::Decode(c.file), nullptr);
    }
}

TEST(BmpRunLength, RefusesPixelsThatStartInsideTheHeaders) {
    // The offset field points at itself: its own bytes, and the headers after
    // them, read as codes that reach an end. Expanding would write the new
    // header over and past a 10-byte prefix plus two 4-byte rows.
    Bytes file = RleBmp(1, 2, 8, {0, 1});
    file[10] = 10;
    file[11] = file[12] = file[13] = 0;
    const auto info = BmpInfo::Read(file);
    ASSERT_TRUE(info);
    ASSERT_TRUE(BmpRunLength::Complete(file, *info));
    EXPECT_FALSE(BmpRunLength::Expand(file, *info));
    EXPECT_EQ(PictureDecoder::Decode(file), nullptr);
}

} // namespace
