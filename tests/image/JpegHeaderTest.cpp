// Which JPEG files may be embedded unchanged as an 8-bit DeviceRGB image.
#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

#include "image/JpegHeader.h"

namespace {

const std::filesystem::path kCorpus = TALVANE_CORPUS_DIR;
const std::filesystem::path kFixtures = TALVANE_IMAGE_FIXTURES;

TEST(JpegHeaderTest, CorpusFramesAndWhetherTheyMayBeEmbedded) {
    if (!std::filesystem::exists(kCorpus / "jpeg"))
        GTEST_SKIP() << "corpus absent";
    struct Row {
        const char* file;
        int sof, precision, width, height, components;
        bool direct;
    };
    const Row rows[] = {
        {"jpeg/peacock.default.jpeg", 0xC0, 8, 100, 75, 3, true},
        {"jpeg/peacock.progressive.jpeg", 0xC2, 8, 100, 75, 3, true},
        {"jpeg/peacock.grayscale.jpeg", 0xC0, 8, 100, 75, 1, false},
        {"jpeg/hippopotamus-sof-dht-swap.jpeg", 0xC0, 8, 36, 28, 3, true},
        {"jpeg/testimgari.jpg", 0xC9, 8, 227, 149, 3, false},
        {"jpeg/monkey12.jpg", 0xC1, 12, 0, 0, 3, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.file);
        const auto info = JpegHeader::Probe((kCorpus / row.file).string());
        ASSERT_TRUE(info.has_value());
        EXPECT_EQ(info->sofMarker, row.sof);
        EXPECT_EQ(info->precision, row.precision);
        EXPECT_EQ(info->components, row.components);
        if (row.width) {
            EXPECT_EQ(info->width, row.width);
            EXPECT_EQ(info->height, row.height);
        }
        EXPECT_EQ(JpegHeader::SuitableForDirectEmbedding(*info, info->width, info->height),
                  row.direct);
    }
}

TEST(JpegHeaderTest, SizeMustMatchTheEmbeddedSize) {
    JpegFrameInfo info{0xC0, 8, 100, 75, 3};
    EXPECT_TRUE(JpegHeader::SuitableForDirectEmbedding(info, 100, 75));
    EXPECT_FALSE(JpegHeader::SuitableForDirectEmbedding(info, 75, 100));
    EXPECT_FALSE(JpegHeader::SuitableForDirectEmbedding(info, 100, 76));
}

TEST(JpegHeaderTest, NonJpegAndDamagedHeadersAreRejectedWithoutReadingPastTheEnd) {
    // Files that are not JPEG at all, whatever their name.
    for (const char* name : {"gif-named.jpg", "picture.png", "rgb24.bmp", "empty.bmp"}) {
        SCOPED_TRACE(name);
        EXPECT_FALSE(JpegHeader::Probe((kFixtures / name).string()).has_value());
    }
    EXPECT_FALSE(JpegHeader::Probe((kFixtures / "no-such-file.jpg").string()).has_value());

    using Bytes = std::vector<std::uint8_t>;
    const Bytes sof0 = {0xFF, 0xD8, 0xFF, 0xC0, 0x00, 0x11, 8, 0, 2,    0, 3,
                        3,    1,    0x22, 0,    2,    0x11, 1, 3, 0x11, 1};
    EXPECT_TRUE(JpegHeader::ProbeBytes(sof0.data(), sof0.size()).has_value());
    // Every cut of a valid header fails cleanly (ASan watches the reads).
    for (std::size_t n = 0; n < sof0.size(); ++n) {
        const Bytes cut(sof0.begin(), sof0.begin() + static_cast<std::ptrdiff_t>(n));
        EXPECT_FALSE(JpegHeader::ProbeBytes(cut.data(), cut.size()).has_value()) << n;
    }
    // A segment whose length runs past the end, and one shorter than its
    // own length field.
    const Bytes overlong = {0xFF, 0xD8, 0xFF, 0xE0, 0xFF, 0xFF, 0, 0};
    EXPECT_FALSE(JpegHeader::ProbeBytes(overlong.data(), overlong.size()).has_value());
    const Bytes tooShort = {0xFF, 0xD8, 0xFF, 0xE0, 0x00, 0x01, 0, 0};
    EXPECT_FALSE(JpegHeader::ProbeBytes(tooShort.data(), tooShort.size()).has_value());
    // A scan before any frame.
    const Bytes scanFirst = {0xFF, 0xD8, 0xFF, 0xDA, 0x00, 0x02};
    EXPECT_FALSE(JpegHeader::ProbeBytes(scanFirst.data(), scanFirst.size()).has_value());

    // Between SOI and the frame, the same markers count as standalone as in
    // the completeness check; a stuffed zero outside a scan is no marker.
    const Bytes frame(sof0.begin() + 2, sof0.end());
    const struct {
        const char* name;
        Bytes before;
        bool found;
    } between[] = {
        {"fill bytes", {0xFF, 0xFF}, true},
        {"TEM", {0xFF, 0x01}, true},
        {"restart markers", {0xFF, 0xD0, 0xFF, 0xD7}, true},
        {"stuffed zero", {0xFF, 0x00}, false},
        {"end of image", {0xFF, 0xD9}, false},
    };
    for (const auto& c : between) {
        Bytes file = {0xFF, 0xD8};
        file.insert(file.end(), c.before.begin(), c.before.end());
        file.insert(file.end(), frame.begin(), frame.end());
        EXPECT_EQ(JpegHeader::ProbeBytes(file.data(), file.size()).has_value(), c.found) << c.name;
    }
}

} // namespace
