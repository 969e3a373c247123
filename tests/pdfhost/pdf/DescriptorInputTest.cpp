// The file input qpdf reads documents through must answer every question
// exactly as qpdf's own in-memory input does over the same bytes, across
// the edges of its window, and survive a file cut while it is open.
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <stdexcept>
#include <string>

#include <gtest/gtest.h>

#include <qpdf/BufferInputSource.hh>

#include "pdfhost/pdf/DescriptorInput.h"
#include "pdfhost/pdf/OpenFile.h"
#include "tests/support/TempFolder.h"

namespace pdfhost::pdf {
namespace {

void Write(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

std::string LineOrRefusal(InputSource& input) {
    try {
        return input.readLine(200);
    } catch (const std::exception&) {
        return "(refused)";
    }
}

// Lines of every length and every kind of end, one longer than the window.
std::string MixedLines(std::mt19937& rng) {
    std::string bytes;
    std::uniform_int_distribution<int> kind(0, 9), length(0, 300);
    while (bytes.size() < 3 * DescriptorInput::kWindow) {
        switch (kind(rng)) {
        case 0:
            bytes += "\r\n";
            break;
        case 1:
            bytes += "\r\r\n\n";
            break;
        case 2:
            bytes += '\r';
            break;
        case 3:
            bytes += '\n';
            break;
        default:
            bytes.append(static_cast<std::size_t>(length(rng)),
                         static_cast<char>('a' + length(rng) % 26));
        }
        if (bytes.size() > DescriptorInput::kWindow &&
            bytes.size() < DescriptorInput::kWindow + 400)
            bytes.append(DescriptorInput::kWindow + 100,
                         'x'); // no line end for longer than a window
    }
    return bytes;
}

TEST(DescriptorInputTest, AnswersAsQpdfsMemoryInputOverTheSameBytes) {
    testsupport::TempFolder dir("descriptor-input");
    std::mt19937 rng(14);
    const std::string bytes = MixedLines(rng);
    Write(dir.File("in.bin"), bytes);
    DescriptorInput file(OpenFile::Open(dir.File("in.bin")));
    BufferInputSource memory("memory", bytes);
    const auto size = static_cast<qpdf_offset_t>(bytes.size());

    std::uniform_int_distribution<int> op(0, 7);
    std::uniform_int_distribution<qpdf_offset_t> anywhere(0, size + 10), step(-300, 300);
    const std::size_t lengths[] = {1,
                                   2,
                                   7,
                                   128,
                                   4096,
                                   DescriptorInput::kWindow - 1,
                                   DescriptorInput::kWindow,
                                   3 * DescriptorInput::kWindow};
    std::uniform_int_distribution<std::size_t> pickLength(0, std::size(lengths) - 1);
    std::string a, b;
    for (int round = 0; round < 20000 && !HasFailure(); ++round) {
        const int what = op(rng);
        SCOPED_TRACE("round " + std::to_string(round) + ", operation " + std::to_string(what) +
                     " at " + std::to_string(memory.tell()));
        switch (what) {
        case 0: {
            const qpdf_offset_t to = anywhere(rng);
            file.seek(to, SEEK_SET);
            memory.seek(to, SEEK_SET);
            break;
        }
        case 1: {
            const qpdf_offset_t by = step(rng);
            if (memory.tell() + by < 0) {
                EXPECT_THROW(file.seek(by, SEEK_CUR), std::runtime_error);
                EXPECT_THROW(memory.seek(by, SEEK_CUR), std::runtime_error);
                file.rewind();
                memory.rewind();
            } else {
                file.seek(by, SEEK_CUR);
                memory.seek(by, SEEK_CUR);
            }
            break;
        }
        case 2: {
            const qpdf_offset_t by = -std::abs(step(rng));
            file.seek(by, SEEK_END);
            memory.seek(by, SEEK_END);
            break;
        }
        case 3:
        case 4: {
            const std::size_t n = lengths[pickLength(rng)];
            a.assign(n, '\0');
            b.assign(n, '\0');
            const std::size_t gotA = file.read(a.data(), n);
            const std::size_t gotB = memory.read(b.data(), n);
            ASSERT_EQ(gotA, gotB);
            EXPECT_TRUE(a.compare(0, gotA, b, 0, gotB) == 0);
            break;
        }
        case 5:
            EXPECT_EQ(file.findAndSkipNextEOL(), memory.findAndSkipNextEOL());
            break;
        case 6:
            file.unreadCh('x');
            memory.unreadCh('x');
            break;
        case 7:
            // qpdf's line reader refuses a position past the end, on either.
            EXPECT_EQ(LineOrRefusal(file), LineOrRefusal(memory));
            break;
        }
        EXPECT_EQ(file.tell(), memory.tell());
        EXPECT_EQ(file.getLastOffset(), memory.getLastOffset());
    }
}

TEST(DescriptorInputTest, AFileCutWhileOpenReadsAsEndingWhereItNowEnds) {
    testsupport::TempFolder dir("descriptor-input");
    const std::string bytes(3 * DescriptorInput::kWindow, 'y');
    Write(dir.File("in.bin"), bytes);
    DescriptorInput file(OpenFile::Open(dir.File("in.bin")));
    std::filesystem::resize_file(dir.File("in.bin"), 1000);

    std::string buffer(bytes.size(), '\0');
    EXPECT_EQ(file.read(buffer.data(), buffer.size()), 1000u);
    file.seek(5000, SEEK_SET);
    EXPECT_EQ(file.read(buffer.data(), 10), 0u);
    file.seek(990, SEEK_SET);
    EXPECT_EQ(file.findAndSkipNextEOL(), 1000);
    EXPECT_EQ(file.tell(), 1000);
}

} // namespace
} // namespace pdfhost::pdf
