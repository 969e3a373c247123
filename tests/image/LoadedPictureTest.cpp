#include "image/LoadedPicture.h"

#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <map>
#include <sstream>

#include "tests/support/CorpusManifest.h"
#include "tests/support/HeapFill.h"
#include "tests/support/JpegCodec.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TsvRows.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

const std::string kFixtures = TALVANE_IMAGE_FIXTURES;
const std::string kCorpus = TALVANE_CORPUS_DIR;

std::vector<std::vector<std::string>> ReadTable(const std::string& path) {
    return testsupport::ReadTsvRows(path).value_or(std::vector<testsupport::TsvRow>{});
}

// Compares a bitmap with RRGGBB hex pixels, top row first, allowing each
// channel to differ by up to `tolerance`.
void ExpectPixels(const platform::DeviceBitmap& bitmap, const std::string& hex, int tolerance) {
    ASSERT_EQ(hex.size(), 6u * size_t(bitmap.width()) * size_t(bitmap.height()));
    size_t at = 0;
    for (int y = 0; y < bitmap.height(); ++y)
        for (int x = 0; x < bitmap.width(); ++x, at += 6) {
            const QRgb p = bitmap.image().pixel(x, y);
            const int expected[3] = {std::stoi(hex.substr(at, 2), nullptr, 16),
                                     std::stoi(hex.substr(at + 2, 2), nullptr, 16),
                                     std::stoi(hex.substr(at + 4, 2), nullptr, 16)};
            const int actual[3] = {qRed(p), qGreen(p), qBlue(p)};
            for (int c = 0; c < 3; ++c)
                ASSERT_LE(std::abs(actual[c] - expected[c]), tolerance)
                    << "pixel " << x << "," << y << " channel " << c;
        }
}

void ExpectEmpty(const LoadedPicture& picture) {
    const PictureRect r = picture.GetSize();
    EXPECT_FALSE(picture.IsLoaded());
    EXPECT_EQ(picture.Bitmap(), nullptr);
    EXPECT_EQ(r.left, 0);
    EXPECT_EQ(r.top, 0);
    EXPECT_EQ(r.right, 0);
    EXPECT_EQ(r.bottom, 0);
}

// Loads the file again with every new heap block holding one pattern, then
// another: a decoder that left any pixel unset would show the pattern, and
// the pictures would differ. Where the heap cannot be filled, HeapFill says
// so and the check is not made.
void ExpectSameOnFilledHeap(const std::string& path, const QImage& first) {
    for (std::uint8_t pattern : {0x00, 0xA7}) {
        if (!testsupport::HeapFill::Use(pattern))
            return;
        LoadedPicture again;
        const int loaded = again.Load(path);
        testsupport::HeapFill::Off();
        ASSERT_EQ(loaded, 1);
        EXPECT_TRUE(again.Bitmap()->image() == first)
            << "pixels depend on leftover memory (pattern " << int(pattern) << ")";
    }
}

void WriteFile(const std::string& path, const Bytes& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

// Every committed fixture, each loaded into an instance that already holds a
// picture: a load replaces it, a failure leaves the instance empty.
TEST(LoadedPicture, LoadsFixturesByContentAndRejectsTheRest) {
    const auto rows = ReadTable(kFixtures + "/expected.tsv");
    ASSERT_GT(rows.size(), 20u);
    for (const auto& row : rows) {
        ASSERT_EQ(row.size(), 6u);
        SCOPED_TRACE(row[0]);
        LoadedPicture picture;
        ASSERT_EQ(picture.Load(kFixtures + "/pal8.bmp"), 1);
        if (row[1] == "load") {
            ASSERT_EQ(picture.Load(kFixtures + "/" + row[0]), 1);
            const PictureRect r = picture.GetSize();
            EXPECT_EQ(r.left, 0);
            EXPECT_EQ(r.top, 0);
            EXPECT_EQ(r.right, std::stoi(row[2]));
            EXPECT_EQ(r.bottom, std::stoi(row[3]));
            EXPECT_EQ(picture.Bitmap()->image().format(), QImage::Format_RGB32);
            ExpectPixels(*picture.Bitmap(), row[5], std::stoi(row[4]));
            ExpectSameOnFilledHeap(kFixtures + "/" + row[0], picture.Bitmap()->image());
        } else {
            EXPECT_EQ(picture.Load(kFixtures + "/" + row[0]), 0);
            ExpectEmpty(picture);
        }
    }
}

TEST(LoadedPicture, FailsForPathsThatAreNotPictureFiles) {
    for (const std::string& path : {kFixtures + "/no-such-file.bmp", kFixtures, std::string()}) {
        SCOPED_TRACE(path);
        LoadedPicture picture;
        EXPECT_EQ(picture.Load(path), 0);
        ExpectEmpty(picture);
    }
}

TEST(LoadedPicture, StartsEmptyAndReleaseEmptiesIt) {
    LoadedPicture picture;
    ExpectEmpty(picture);
    EXPECT_EQ(picture.Release(), 1);
    ASSERT_EQ(picture.Load(kFixtures + "/rgb24.bmp"), 1);
    EXPECT_EQ(picture.GetSize().right, 11);
    ASSERT_EQ(picture.Load(kFixtures + "/plain.gif"), 1);
    EXPECT_EQ(picture.GetSize().right, 8);
    EXPECT_EQ(picture.GetSize().bottom, 10);
    EXPECT_EQ(picture.Release(), 1);
    ExpectEmpty(picture);
}

// JPEG variants come from libjpeg itself, so they are made here rather than
// committed.
TEST(LoadedPicture, LoadsJpegVariantsAndRejectsCutOnes) {
    QImage source(45, 30, QImage::Format_RGB32);
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 45; ++x)
            source.setPixel(x, y, qRgb(x * 5, y * 8, 100));
    testsupport::TempFolder dir;
    const auto path = [&](const char* name) { return dir.File(name); };

    const testsupport::PixelFunction pixels = [&](int x, int y) {
        const QRgb p = source.pixel(x, y);
        return testsupport::Rgb{std::uint8_t(qRed(p)), std::uint8_t(qGreen(p)),
                                std::uint8_t(qBlue(p))};
    };
    const auto encode = [&](const testsupport::JpegOptions& options) {
        return testsupport::EncodeJpeg(45, 30, pixels, options);
    };
    const Bytes baseline = encode({});
    const Bytes progressive = encode({.progressive = true});
    const Bytes gray = encode({.grey = true});
    const Bytes restarts = encode({.restartRows = 1});
    ASSERT_FALSE(baseline.empty());
    ASSERT_FALSE(progressive.empty());
    ASSERT_FALSE(gray.empty());
    ASSERT_FALSE(restarts.empty());
    Bytes trailing = baseline;
    trailing.insert(trailing.end(), {'t', 'a', 'i', 'l'});

    const struct {
        const char* name;
        Bytes bytes;
        bool loads;
    } cases[] = {
        {"baseline.jpg", baseline, true},
        {"progressive.jpg", progressive, true},
        {"gray.jpg", gray, true},
        {"restarts.jpg", restarts, true},
        {"trailing-bytes.jpg", trailing, true},
        {"named.gif", baseline, true},
        {"half.jpg", Bytes(baseline.begin(), baseline.begin() + long(baseline.size() / 2)), false},
        {"no-end-marker.jpg", Bytes(baseline.begin(), baseline.end() - 2), false},
        {"progressive-cut.jpg",
         Bytes(progressive.begin(), progressive.begin() + long(progressive.size() * 3 / 4)), false},
        {"soi-only.jpg", Bytes{0xFF, 0xD8, 0xFF, 0xD9}, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        WriteFile(path(c.name), c.bytes);
        LoadedPicture picture;
        EXPECT_EQ(picture.Load(path(c.name)), c.loads ? 1 : 0);
        if (!c.loads) {
            ExpectEmpty(picture);
            continue;
        }
        ASSERT_TRUE(picture.IsLoaded());
        EXPECT_EQ(picture.GetSize().right, 45);
        EXPECT_EQ(picture.GetSize().bottom, 30);
        const QRgb p = picture.Bitmap()->image().pixel(40, 20);
        if (std::string(c.name) == "gray.jpg") {
            EXPECT_EQ(qRed(p), qGreen(p));
            EXPECT_EQ(qGreen(p), qBlue(p));
        } else {
            EXPECT_NEAR(qRed(p), 200, 12);
            EXPECT_NEAR(qGreen(p), 160, 12);
            EXPECT_NEAR(qBlue(p), 100, 12);
        }
    }
}

// A GIF whose first frame is smaller than its logical screen gives the whole
// screen; the reference sizes of the corpus are frame sizes.
const std::map<std::string, std::pair<int, int>> kScreenSizes = {
    {"gif/artificial/background-color.gif", {4, 1}},
};

bool IsPictureEntry(const std::string& path) {
    for (const char* folder : {"bmp/", "gif/", "jpeg/", "reject/"})
        if (path.rfind(folder, 0) == 0)
            return true;
    return false;
}

TEST(LoadedPicture, FollowsTheCorpusManifest) {
    using Expect = testsupport::CorpusEntry::Expect;
    const testsupport::CorpusManifest manifest(kCorpus);
    if (!manifest.Present())
        GTEST_SKIP() << "no corpus at " << kCorpus;
    int loads = 0, rejects = 0, survived = 0;
    LoadedPicture picture;
    for (const testsupport::CorpusEntry& row : manifest.Entries()) {
        if (!IsPictureEntry(row.path))
            continue;
        const Expect expect = row.expect;
        if (expect != Expect::Load && expect != Expect::Reject && expect != Expect::NoCrash)
            continue;
        SCOPED_TRACE(row.path + " (" + row.expectWord + ")");
        const int result = picture.Load(row.file.string());
        if (expect == Expect::Load) {
            ++loads;
            ASSERT_EQ(result, 1);
            int width = 0, height = 0;
            ASSERT_EQ(std::sscanf(row.facts.c_str(), "%dx%d", &width, &height), 2) << row.facts;
            if (auto screen = kScreenSizes.find(row.path); screen != kScreenSizes.end())
                std::tie(width, height) = screen->second;
            EXPECT_EQ(picture.GetSize().right, width);
            EXPECT_EQ(picture.GetSize().bottom, height);
        } else if (expect == Expect::Reject) {
            ++rejects;
            EXPECT_EQ(result, 0);
            ExpectEmpty(picture);
        } else {
            ++survived;
            EXPECT_EQ(picture.IsLoaded(), result == 1);
            if (result == 1) {
                EXPECT_GT(picture.GetSize().right, 0);
                EXPECT_GT(picture.GetSize().bottom, 0);
            }
        }
        if (result == 1)
            ExpectSameOnFilledHeap(row.file.string(), picture.Bitmap()->image());
    }
    EXPECT_GT(loads, 0);
    EXPECT_GT(rejects, 0);
    EXPECT_GT(survived, 0);
}

// Both treescap files decode to the reference bytes, interlaced or not.
TEST(LoadedPicture, DecodesCorpusGifsToTheReferencePixels) {
    std::ifstream in(kCorpus + "/gif/treescap.rgb", std::ios::binary);
    if (!in)
        GTEST_SKIP() << "no corpus at " << kCorpus;
    const Bytes reference{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    ASSERT_EQ(reference.size(), 40u * 40u * 3u);
    for (const char* name : {"gif/treescap.gif", "gif/treescap-interlaced.gif"}) {
        SCOPED_TRACE(name);
        LoadedPicture picture;
        ASSERT_EQ(picture.Load(kCorpus + "/" + name), 1);
        Bytes decoded;
        const QImage& image = picture.Bitmap()->image();
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                const QRgb p = image.pixel(x, y);
                decoded.insert(decoded.end(), {std::uint8_t(qRed(p)), std::uint8_t(qGreen(p)),
                                               std::uint8_t(qBlue(p))});
            }
        EXPECT_EQ(decoded, reference);
    }
}

} // namespace
