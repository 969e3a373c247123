#include "image/JpegFileWriter.h"

#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <sys/stat.h>

#include "image/DibToRgbRows.h"
#include "image/WriteJpegFile.h"
#include "platform/Messages.h"
#include "tests/support/FileBytes.h"
#include "tests/support/JpegCodec.h"
#include "tests/support/TempFolder.h"

namespace {

using platform::BI_BITFIELDS;
using platform::BI_RGB;
using platform::DibHeader;
using testsupport::Bytes;

bool Exists(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0;
}

// A smooth picture (every channel a gentle ramp), so that 4:2:0 sampling and
// the decoder's chroma interpolation add little error, and whose rows differ
// enough that a flipped or shifted decode cannot pass.
QImage TestPicture(int width, int height) {
    QImage picture(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            picture.setPixel(
                x, y, qRgb((40 + 2 * x) % 256, (10 + 4 * y) % 256, (200 + 512 - x - y) % 256));
    return picture;
}

class Messages {
  public:
    Messages() {
        platform::Messages::SetTranscript(nullptr);
        previous_ = platform::Messages::SetResponder([this](const platform::Message& m) {
            seen.push_back(m);
            return 1;
        });
    }
    ~Messages() { platform::Messages::SetResponder(std::move(previous_)); }
    std::vector<platform::Message> seen;

  private:
    platform::MessageResponder previous_;
};

class JpegFileWriterTest : public ::testing::Test {
  protected:
    std::string Path(const char* name) const { return dir_.File(name); }
    testsupport::TempFolder dir_;
};

TEST(BitmapToDib, LaysOutHeaderAndBottomUpRowsExactly) {
    QImage picture(3, 2, QImage::Format_RGB32);
    picture.setPixel(0, 0, qRgb(1, 2, 3));
    picture.setPixel(1, 0, qRgb(4, 5, 6));
    picture.setPixel(2, 0, qRgb(7, 8, 9));
    picture.setPixel(0, 1, qRgb(10, 11, 12));
    picture.setPixel(1, 1, qRgb(13, 14, 15));
    picture.setPixel(2, 1, qRgb(16, 17, 18));
    const auto dib = JpegFileWriter::BitmapToDib(platform::DeviceBitmap(picture), BI_RGB);
    ASSERT_TRUE(dib);
    const Bytes expected = {
        40, 0,  0,  0, 3,  0,  0,  0, 2,  0,  0,  0, // size, width, height
        1,  0,  32, 0, 0,  0,  0,  0, 24, 0,  0,  0, // planes, bit count, BI_RGB, image size
        0,  0,  0,  0, 0,  0,  0,  0, 0,  0,  0,  0, 0, 0, 0, 0, // resolution, colours
        12, 11, 10, 0, 15, 14, 13, 0, 18, 17, 16, 0,             // bottom row first, blue-green-red
        3,  2,  1,  0, 6,  5,  4,  0, 9,  8,  7,  0,
    };
    EXPECT_EQ(*dib, expected);
}

TEST(BitmapToDib, RoundTripsThroughTheRowConverter) {
    const QImage picture = TestPicture(37, 21);
    const auto dib = JpegFileWriter::BitmapToDib(platform::DeviceBitmap(picture), BI_RGB);
    ASSERT_TRUE(dib);
    std::vector<Bytes> rows(21, Bytes(3 * 37));
    std::vector<std::uint8_t*> pointers;
    for (Bytes& r : rows)
        pointers.push_back(r.data());
    std::string error;
    ASSERT_TRUE(DibToRgbRows(*dib, 3 * 37, pointers, &error)) << error;
    for (int y = 0; y < 21; ++y)
        for (int x = 0; x < 37; ++x) {
            const QRgb p = picture.pixel(x, y);
            const std::uint8_t* out = &rows[size_t(y)][3 * size_t(x)];
            ASSERT_EQ(
                (Bytes{out[0], out[1], out[2]}),
                (Bytes{std::uint8_t(qRed(p)), std::uint8_t(qGreen(p)), std::uint8_t(qBlue(p))}))
                << x << "," << y;
        }
}

TEST(BitmapToDib, YieldsNothingForNullBitmapsAndOtherCompressions) {
    const platform::DeviceBitmap picture(TestPicture(4, 4));
    EXPECT_FALSE(JpegFileWriter::BitmapToDib(platform::DeviceBitmap(), BI_RGB));
    EXPECT_FALSE(JpegFileWriter::BitmapToDib(picture, BI_BITFIELDS));
    EXPECT_FALSE(JpegFileWriter::BitmapToDib(picture, 1)); // run-length
}

TEST_F(JpegFileWriterTest, WritesBaselineJfifAtQuality100) {
    const auto dib =
        JpegFileWriter::BitmapToDib(platform::DeviceBitmap(TestPicture(40, 24)), BI_RGB);
    ASSERT_TRUE(dib);
    std::string error;
    ASSERT_TRUE(WriteJpegFile(*dib, 100, Path("out.jpg"), &error)) << error;
    EXPECT_EQ(error, "");

    const auto segments = testsupport::JpegSegments(testsupport::ReadBytes(Path("out.jpg")));
    ASSERT_GE(segments.size(), 3u);
    EXPECT_EQ(segments.front().marker, 0xD8);
    EXPECT_EQ(segments.back().marker, 0xD9);
    EXPECT_EQ(segments[1].marker, 0xE0);
    // "JFIF\0", version 1.01, density unit 0, density 1 x 1, no thumbnail.
    EXPECT_EQ(segments[1].payload, (Bytes{'J', 'F', 'I', 'F', 0, 1, 1, 0, 0, 1, 0, 1, 0, 0}));

    int frames = 0, scans = 0, quantTables = 0;
    for (const auto& s : segments) {
        EXPECT_NE(s.marker, 0xDD) << "restart interval";
        EXPECT_FALSE(s.marker >= 0xC1 && s.marker <= 0xCF && s.marker != 0xC4 && s.marker != 0xCC)
            << "a frame other than baseline: " << int(s.marker);
        if (s.marker == 0xDB) {
            // One or more 8-bit tables of 64 steps, every step 1.
            for (size_t at = 0; at < s.payload.size(); at += 65, ++quantTables) {
                ASSERT_LE(at + 65, s.payload.size());
                EXPECT_EQ(s.payload[at] >> 4, 0) << "16-bit table";
                EXPECT_EQ(
                    Bytes(s.payload.begin() + long(at) + 1, s.payload.begin() + long(at) + 65),
                    Bytes(64, 1));
            }
        }
        if (s.marker == 0xC0) {
            ++frames;
            // 8 bits, 24 high, 40 wide, 3 components: Y 2x2, Cb and Cr 1x1.
            EXPECT_EQ(s.payload, (Bytes{8, 0, 24, 0, 40, 3, 1, 0x22, 0, 2, 0x11, 1, 3, 0x11, 1}));
        }
        scans += s.marker == 0xDA;
    }
    EXPECT_EQ(frames, 1);
    EXPECT_EQ(scans, 1);
    EXPECT_EQ(quantTables, 2);
}

TEST_F(JpegFileWriterTest, DecodesBackTopRowFirstWithinASmallError) {
    const QImage picture = TestPicture(64, 48);
    const auto dib = JpegFileWriter::BitmapToDib(platform::DeviceBitmap(picture), BI_RGB);
    ASSERT_TRUE(dib);
    std::string error;
    ASSERT_TRUE(WriteJpegFile(*dib, 100, Path("out.jpg"), &error)) << error;

    const auto decoded = testsupport::DecodeJpeg(testsupport::ReadBytes(Path("out.jpg")));
    ASSERT_TRUE(decoded);
    ASSERT_EQ(decoded->width, 64);
    ASSERT_EQ(decoded->height, 48);
    ASSERT_EQ(decoded->components, 3);
    int worst = 0;
    for (int y = 0; y < 48; ++y)
        for (int x = 0; x < 64; ++x) {
            const QRgb p = picture.pixel(x, y);
            const std::uint8_t* d = &decoded->samples[3 * (size_t(y) * 64 + size_t(x))];
            worst = std::max({worst, std::abs(d[0] - qRed(p)), std::abs(d[1] - qGreen(p)),
                              std::abs(d[2] - qBlue(p))});
        }
    EXPECT_LE(worst, 6);
    // The first scanline is the top row: green rises by 4 a row.
    EXPECT_NEAR(decoded->samples[1], 10, 3);
    EXPECT_NEAR(decoded->samples[3 * 64 * 47 + 1], 10 + 4 * 47, 3);
}

TEST_F(JpegFileWriterTest, OverwritesAnExistingFile) {
    {
        std::ofstream junk(Path("out.jpg"), std::ios::binary);
        junk << std::string(200000, 'x');
    }
    const auto dib =
        JpegFileWriter::BitmapToDib(platform::DeviceBitmap(TestPicture(16, 16)), BI_RGB);
    std::string error;
    ASSERT_TRUE(WriteJpegFile(*dib, 100, Path("out.jpg"), &error)) << error;
    const Bytes file = testsupport::ReadBytes(Path("out.jpg"));
    ASSERT_LT(file.size(), 200000u);
    EXPECT_EQ(file[0], 0xFF);
    EXPECT_EQ(file[1], 0xD8);
    EXPECT_EQ(file[file.size() - 2], 0xFF);
    EXPECT_EQ(file[file.size() - 1], 0xD9);
    EXPECT_TRUE(testsupport::DecodeJpeg(file));
}

TEST_F(JpegFileWriterTest, RefusesBadInputWithTheUsersText) {
    const auto good =
        JpegFileWriter::BitmapToDib(platform::DeviceBitmap(TestPicture(8, 8)), BI_RGB);
    ASSERT_TRUE(good);
    Bytes twoBit = *good;
    twoBit[14] = 2;
    const std::string missingFolder = Path("no-such-folder/out.jpg");
    const struct {
        const char* name;
        Bytes dib;
        int quality;
        std::string path;
        std::string error;
        bool fileLeft; // an empty, incomplete file stays behind
    } cases[] = {
        {"quality -1", *good, -1, Path("a.jpg"), "Invalid input data", false},
        {"quality 101", *good, 101, Path("b.jpg"), "Invalid input data", false},
        {"no DIB", {}, 100, Path("c.jpg"), "Invalid input data", false},
        {"empty path", *good, 100, "", "Invalid input data", false},
        {"missing folder", *good, 100, missingFolder, "Cannot open " + missingFolder, false},
        {"bit count 2", twoBit, 100, Path("d.jpg"), "Invalid bitmap bit count", true},
        {"DIB cut short", Bytes(good->begin(), good->end() - 4), 100, Path("e.jpg"),
         "Invalid input data", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::string error;
        EXPECT_FALSE(WriteJpegFile(c.dib, c.quality, c.path, &error));
        EXPECT_EQ(error, c.error);
        EXPECT_FALSE(WriteJpegFile(c.dib, c.quality, c.path, nullptr)) << "without a holder";
        if (!c.path.empty()) {
            EXPECT_EQ(Exists(c.path), c.fileLeft);
            if (c.fileLeft) {
                EXPECT_TRUE(testsupport::ReadBytes(c.path).empty());
            }
        }
    }
}

TEST_F(JpegFileWriterTest, AcceptsTheQualityBounds) {
    const auto dib = JpegFileWriter::BitmapToDib(platform::DeviceBitmap(TestPicture(8, 8)), BI_RGB);
    for (int quality : {0, 100}) {
        std::string error;
        EXPECT_TRUE(WriteJpegFile(*dib, quality, Path("q.jpg"), &error)) << quality << error;
        EXPECT_TRUE(testsupport::DecodeJpeg(testsupport::ReadBytes(Path("q.jpg")))) << quality;
    }
}

// Library failures come back as a failed write with the library's reason;
// the process goes on and the next write works.
TEST_F(JpegFileWriterTest, ReportsLibraryErrorsInsteadOfExiting) {
    // Wider than any JPEG may be: the library refuses it when compression starts.
    Bytes wide(DibHeader::kSize + 4 * 70000);
    DibHeader header;
    header.biWidth = 70000;
    header.biHeight = 1;
    header.biBitCount = 32;
    header.Write(wide.data());

    std::string error;
    EXPECT_FALSE(WriteJpegFile(wide, 100, Path("wide.jpg"), &error));
    EXPECT_EQ(error.rfind("Cannot write JPEG file " + Path("wide.jpg") + ": ", 0), 0u) << error;
    EXPECT_NE(error.find("65500"), std::string::npos) << error;

    if (Exists("/dev/full")) {
        const auto dib =
            JpegFileWriter::BitmapToDib(platform::DeviceBitmap(TestPicture(64, 64)), BI_RGB);
        error.clear();
        EXPECT_FALSE(WriteJpegFile(*dib, 100, "/dev/full", &error));
        EXPECT_EQ(error.rfind("Cannot write JPEG file /dev/full: ", 0), 0u) << error;
        EXPECT_FALSE(WriteJpegFile(*dib, 100, "/dev/full", nullptr));
    }

    const auto dib = JpegFileWriter::BitmapToDib(platform::DeviceBitmap(TestPicture(8, 8)), BI_RGB);
    error.clear();
    EXPECT_TRUE(WriteJpegFile(*dib, 100, Path("after.jpg"), &error)) << error;
}

TEST_F(JpegFileWriterTest, SaveBitmapAsJpegShowsFailuresInTheApplicationBox) {
    const platform::DeviceBitmap picture(TestPicture(20, 10));
    const std::string missingFolder = Path("missing/temp.jpg");
    const struct {
        const char* name;
        platform::DeviceBitmap bitmap;
        std::string path;
        std::vector<std::string> messages;
        bool written;
    } cases[] = {
        {"success", picture, Path("temp.jpg"), {}, true},
        {"folder missing", picture, missingFolder, {"Cannot open " + missingFolder}, false},
        {"null bitmap", platform::DeviceBitmap(), Path("null.jpg"), {}, false},
    };
    const JpegFileWriter writer;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Messages messages;
        writer.SaveBitmapAsJpeg(c.path, c.bitmap);
        std::vector<std::string> texts;
        for (const auto& m : messages.seen) {
            EXPECT_EQ(m.kind, platform::MessageKind::AppBox);
            texts.push_back(m.text);
        }
        EXPECT_EQ(texts, c.messages);
        EXPECT_EQ(Exists(c.path), c.written);
        if (c.written) {
            const auto decoded = testsupport::DecodeJpeg(testsupport::ReadBytes(c.path));
            ASSERT_TRUE(decoded);
            EXPECT_EQ(decoded->width, 20);
            EXPECT_EQ(decoded->height, 10);
        }
    }
}

} // namespace
