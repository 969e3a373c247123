#include "image/DibToRgbRows.h"

#include <array>
#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "platform/DibHeader.h"

namespace {

using platform::BI_BITFIELDS;
using platform::BI_RGB;
using platform::DibHeader;
using Bytes = std::vector<std::uint8_t>;
using Rgb = std::array<std::uint8_t, 3>;

// A hand-built DIB: header, the full colour table for the bit count (entry i
// is given by `colours` or else a filler that no case expects), then the
// stored rows exactly as given, bottom row first, padding included.
Bytes MakeDib(int width, int height, int bitCount, const std::vector<Rgb>& colours,
              const std::vector<Bytes>& storedRows, std::uint32_t compression = BI_RGB) {
    DibHeader header;
    header.biWidth = width;
    header.biHeight = height;
    header.biBitCount = static_cast<std::uint16_t>(bitCount);
    header.biCompression = compression;
    Bytes dib(DibHeader::kSize);
    header.Write(dib.data());
    const int entries = bitCount <= 8 ? 1 << bitCount : 0;
    for (int i = 0; i < entries; ++i) {
        const Rgb c = size_t(i) < colours.size() ? colours[size_t(i)] : Rgb{0x77, 0x66, 0x55};
        dib.insert(dib.end(), {c[2], c[1], c[0], 0xCC}); // blue, green, red, reserved
    }
    for (const Bytes& row : storedRows)
        dib.insert(dib.end(), row.begin(), row.end());
    return dib;
}

// Output rows of exactly 3 x width bytes plus one guard byte each.
struct Rows {
    Rows(int count, int width) : buffers(size_t(count), Bytes(3 * size_t(width) + 1, 0xA5)) {
        for (Bytes& b : buffers)
            pointers.push_back(b.data());
    }
    std::vector<Bytes> buffers;
    std::vector<std::uint8_t*> pointers;
};

Bytes Flatten(const std::vector<Rgb>& pixels) {
    Bytes out;
    for (const Rgb& p : pixels)
        out.insert(out.end(), p.begin(), p.end());
    return out;
}

const Rgb kA{10, 20, 30}, kB{200, 100, 50}, kC{1, 2, 3}, kD{250, 251, 252};

struct LayoutCase {
    const char* name;
    int width;
    int bitCount;
    std::vector<Rgb> colours;
    std::vector<Bytes> storedRows;  // bottom-up, padded
    std::vector<Bytes> expectedTop; // top-down RGB rows
};

std::vector<LayoutCase> LayoutCases() {
    const Bytes a = Flatten({kA}), b = Flatten({kB}), c = Flatten({kC}), d = Flatten({kD});
    auto cat = [](std::initializer_list<Bytes> parts) {
        Bytes out;
        for (const Bytes& p : parts)
            out.insert(out.end(), p.begin(), p.end());
        return out;
    };
    return {
        // 10 pixels: a full byte, then a byte whose two top bits are the last
        // two pixels; padding bits and bytes are set to catch stray reads.
        {"1 bit, MSB first, partial last byte",
         10,
         1,
         {kA, kB},
         {{0b10110010, 0b01111111, 0xFF, 0xFF}, {0b00000000, 0b10111111, 0xFF, 0xFF}},
         {cat({a, a, a, a, a, a, a, a, b, a}), cat({b, a, b, b, a, a, b, a, a, b})}},
        {"4 bit, high nibble first",
         3,
         4,
         {kA, kB, kC, kD, {}, {}, {}, {}, {}, {}, {}, {}, {}, {}, {}, {9, 9, 9}},
         {{0x1F, 0x3E, 0xEE, 0xEE}, {0x23, 0x0F, 0xEE, 0xEE}},
         {cat({c, d, a}), cat({b, Flatten({{9, 9, 9}}), d})}},
        {"8 bit, every index reaches the table",
         3,
         8,
         [] {
             std::vector<Rgb> t(256, Rgb{0x77, 0x66, 0x55});
             t[0] = kA;
             t[7] = kC;
             t[255] = kD;
             return t;
         }(),
         {{0, 255, 7, 0xEE}, {7, 7, 0, 0xEE}},
         {cat({c, c, a}), cat({a, d, c})}},
        {"16 bit 5-5-5, bit 15 ignored",
         3,
         16,
         {},
         {{0x00, 0x00, 0x21, 0x04, 0xFF, 0xFF, 0xEE, 0xEE},
          {0x00, 0x7C, 0xE0, 0x83, 0x1F, 0x00, 0xEE, 0xEE}},
         {Flatten({{255, 0, 0}, {0, 255, 0}, {0, 0, 255}}),
          Flatten({{0, 0, 0}, {16, 16, 16}, {255, 255, 255}})}},
        {"24 bit, blue-green-red, 9 bytes padded to 12",
         3,
         24,
         {},
         {{1, 2, 3, 4, 5, 6, 7, 8, 9, 0xEE, 0xEE, 0xEE},
          {11, 12, 13, 14, 15, 16, 17, 18, 19, 0xEE, 0xEE, 0xEE}},
         {{13, 12, 11, 16, 15, 14, 19, 18, 17}, {3, 2, 1, 6, 5, 4, 9, 8, 7}}},
        {"32 bit, no table, fourth byte ignored",
         2,
         32,
         {},
         {{1, 2, 3, 0xAB, 4, 5, 6, 0xCD}, {7, 8, 9, 0xEF, 10, 11, 12, 0x01}},
         {{9, 8, 7, 12, 11, 10}, {3, 2, 1, 6, 5, 4}}},
    };
}

TEST(DibToRgbRows, ConvertsEveryLayoutTopDown) {
    for (const LayoutCase& k : LayoutCases()) {
        SCOPED_TRACE(k.name);
        const int height = static_cast<int>(k.storedRows.size());
        const Bytes dib = MakeDib(k.width, height, k.bitCount, k.colours, k.storedRows);
        Rows rows(height, k.width);
        std::string error;
        ASSERT_TRUE(DibToRgbRows(dib, 3 * k.width, rows.pointers, &error)) << error;
        EXPECT_EQ(error, "");
        for (int i = 0; i < height; ++i) {
            const Bytes& out = rows.buffers[size_t(i)];
            EXPECT_EQ(Bytes(out.begin(), out.end() - 1), k.expectedTop[size_t(i)]) << "row " << i;
            EXPECT_EQ(out.back(), 0xA5) << "wrote past the pixels of row " << i;
        }
    }
}

TEST(DibToRgbRows, LeavesBytesPastThePixelsAlone) {
    // A row length longer than 3 x width: only the pixels are written.
    const Bytes dib = MakeDib(1, 1, 24, {}, {{1, 2, 3, 0}});
    Rows rows(1, 3);
    std::string error;
    ASSERT_TRUE(DibToRgbRows(dib, 9, rows.pointers, &error));
    EXPECT_EQ(rows.buffers[0], (Bytes{3, 2, 1, 0xA5, 0xA5, 0xA5, 0xA5, 0xA5, 0xA5, 0xA5}));
}

TEST(Expand555, MapsEachChannelByTheFiveBitRule) {
    const struct {
        unsigned five;
        std::uint8_t eight;
    } cases[] = {{0, 0},    {1, 16},   {2, 24},   {3, 32},  {15, 128},
                 {16, 136}, {29, 240}, {30, 248}, {31, 255}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.five);
        EXPECT_EQ(Expand555(static_cast<std::uint16_t>(c.five << 10)),
                  std::uint32_t{c.eight} << 16);
        EXPECT_EQ(Expand555(static_cast<std::uint16_t>(c.five << 5)), std::uint32_t{c.eight} << 8);
        EXPECT_EQ(Expand555(static_cast<std::uint16_t>(c.five)), c.eight);
        EXPECT_EQ(
            Expand555(static_cast<std::uint16_t>(0x8000 | c.five << 10 | c.five << 5 | c.five)),
            Expand555(static_cast<std::uint16_t>(c.five << 10 | c.five << 5 | c.five)));
    }
    EXPECT_EQ(Expand555(0x0421), 0x101010u);
    EXPECT_EQ(Expand555(0x7FFF), 0xFFFFFFu);
}

struct RefusalCase {
    const char* name;
    Bytes dib;
    int rowLength;
    int rowCount;
    const char* error;
};

Bytes WithField(Bytes dib, size_t at, std::uint32_t value, int bytes = 4) {
    for (int i = 0; i < bytes; ++i)
        dib[at + size_t(i)] = static_cast<std::uint8_t>(value >> (8 * i));
    return dib;
}

TEST(DibToRgbRows, RefusesWhatItCannotReadSafely) {
    const Bytes good = MakeDib(2, 2, 24, {}, {Bytes(8, 1), Bytes(8, 2)});
    const Bytes eightBit = MakeDib(2, 1, 8, {}, {Bytes(4, 0)});
    const RefusalCase cases[] = {
        {"empty block", {}, 6, 2, "Invalid input data"},
        {"row length 0", good, 0, 2, "Invalid input data"},
        {"negative row length", good, -6, 2, "Invalid input data"},
        {"row length below 3 x width", good, 5, 2, "Invalid input data"},
        {"fewer rows than the height", good, 6, 1, "Invalid input data"},
        {"bit count 2", WithField(good, 14, 2, 2), 6, 2, "Invalid bitmap bit count"},
        {"bit count 0", WithField(good, 14, 0, 2), 6, 2, "Invalid bitmap bit count"},
        {"bit count 64", WithField(good, 14, 64, 2), 6, 2, "Invalid bitmap bit count"},
        {"shorter than a header", Bytes(good.begin(), good.begin() + 39), 6, 2,
         "Invalid input data"},
        {"header size below 40", WithField(good, 0, 12), 6, 2, "Invalid input data"},
        {"header size past the block", WithField(good, 0, 4000), 6, 2, "Invalid input data"},
        {"width 0", WithField(good, 4, 0), 6, 2, "Invalid input data"},
        {"negative width", WithField(good, 4, 0xFFFFFFFE), 6, 2, "Invalid input data"},
        {"height 0", WithField(good, 8, 0), 6, 2, "Invalid input data"},
        {"top-down height", WithField(good, 8, 0xFFFFFFFE), 6, 2, "Invalid input data"},
        {"bit fields", WithField(good, 16, BI_BITFIELDS), 6, 2, "Invalid input data"},
        {"last row one byte short", Bytes(good.begin(), good.end() - 1), 6, 2,
         "Invalid input data"},
        {"colour table cut short", Bytes(eightBit.begin(), eightBit.begin() + 40 + 400), 6, 1,
         "Invalid input data"},
        {"width claims far more than the block", WithField(good, 4, 0x7FFFFFFF), 0x7FFFFFFF, 2,
         "Invalid input data"},
        {"height claims far more than the block", WithField(good, 8, 0x7FFFFFFF), 6, 2,
         "Invalid input data"},
    };
    for (const RefusalCase& c : cases) {
        SCOPED_TRACE(c.name);
        Rows rows(c.rowCount, 2);
        std::string error;
        EXPECT_FALSE(DibToRgbRows(c.dib, c.rowLength, rows.pointers, &error));
        EXPECT_EQ(error, c.error);
        for (const Bytes& row : rows.buffers)
            EXPECT_EQ(row, Bytes(row.size(), 0xA5)) << "wrote into a row";
    }
}

TEST(DibToRgbRows, WithoutAnErrorHolderConvertsNothing) {
    const Bytes dib = MakeDib(2, 1, 24, {}, {Bytes(8, 1)});
    Rows rows(1, 2);
    EXPECT_FALSE(DibToRgbRows(dib, 6, rows.pointers, nullptr));
    EXPECT_EQ(rows.buffers[0], Bytes(7, 0xA5));
}

} // namespace
