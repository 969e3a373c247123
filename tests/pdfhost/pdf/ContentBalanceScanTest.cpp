// The balance scan against the word-by-word walk it replaced: both must
// give the same answer on every content stream of the shared corpus and on
// content built to trip a scan that jumps between candidate bytes.
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include <qpdf/Pl_String.hh>
#include <qpdf/QPDF.hh>

#include "pdfhost/pdf/ContentBalance.h"
#include "pdfhost/pdf/ContentLexer.h"
#include "tests/support/BalanceWalk.h"
#include "tests/support/CorpusManifest.h"

namespace pdfhost::pdf {
namespace {

namespace fs = std::filesystem;

void ExpectSameAsWalk(std::string_view content, const std::string& what) {
    const ContentBalance walked = testsupport::WalkBalance(content);
    const ContentBalance scanned = ContentBalance::Measure(content);
    EXPECT_EQ(scanned.unmatchedRestores, walked.unmatchedRestores) << what;
    EXPECT_EQ(scanned.openSaves, walked.openSaves) << what;
}

TEST(ContentBalanceScanTest, AgreesWithTheWalkOnAwkwardContent) {
    const std::string cases[] = {
        "q",
        "Q",
        "qQ",
        "q Q",
        "Qq",
        " q\tQ\fq\rQ\nq",
        std::string("q\0Q\0q", 5),
        // strings, with nesting, escapes and no end
        "(q) Q",
        "(a(q)Q) q",
        "(\\) q Q) Q",
        "(\\\\) q",
        "(unterminated q Q",
        "(a\\",
        ")q",
        // hex strings and dictionaries
        "<q> Q",
        "<<q>> Q",
        "<<<q>Q",
        "<q",
        "<",
        ">q>>Q",
        "<</Q 1>>q",
        // comments
        "%q\nQ",
        "%q\rQ",
        "% q Q",
        "q%\nQ",
        "q% Q\r\nQ",
        "%",
        // names
        "/q Q",
        "/Q",
        "//q",
        "/#51 q",
        "/q/Q q",
        "/ q",
        // glued to operands and delimiters
        "q[1]Q",
        "[q]",
        "{q}Q",
        "q(x)Q",
        "1 0 0 1 0 0 cm q",
        "0q",
        "q0",
        "q.",
        "-q",
        "Tq",
        "qa",
        "BT/F1 1 Tf(x)Tj ET q",
        "q<00>Tj Q",
        "]Q",
        "}q",
        // inline images, their data holding Q, EI look-alikes and no EI at all
        "BI /W 1 /H 1 ID Q EI q",
        "q BI /W 1 ID QEIQ EI Q",
        "BI ID \nQ\nEI Q",
        "BI/W 1 ID Q",
        "BI /W 1 ID xEI Q EI q",
        "BI %ID\n ID Q EI Q",
        "BI (ID) Q EI q",
        "BI /ID q ID Q EI Q",
        "BIq",
        "qBI",
        "/BI ID Q EI q",
        "(BI) ID Q EI q",
        "BI",
        "BI ID",
        "BI ID ",
        "BI ID Q EI",
        "q BI ID EIEI Q EI q",
        "BI ID\tQ\tEI\tQ",
        // high bytes and a lone B
        "\xff q \x80Q",
        "B q",
        "BB Q",
        "ABI q",
    };
    for (const std::string& c : cases)
        ExpectSameAsWalk(c, "\"" + c + "\"");
}

// Random content made of the pieces above, so that they meet in orders
// nobody thought of; seeded, so a failure repeats.
TEST(ContentBalanceScanTest, AgreesWithTheWalkOnShuffledPieces) {
    const std::vector<std::string> pieces = {
        "q", "Q", " ", "\n", "\r", "(", ")", "\\", "<", ">", "<<", ">>", "%", "/", "[", "]", "BI",
        "ID", "EI", "cm", "1", "x", "B", "I", "E", "{", "}", "\t", "/q", "(q)", "<51>",
        // runs longer than the scan's sixteen-byte strides, so that what
        // matters falls at every offset of a stride, in strings and out
        "1.25 3.5 7 8 9 c\n", "0000000000000000000000000000000", "jumps over the lazy dog"};
    std::mt19937 rng(14);
    std::uniform_int_distribution<std::size_t> pick(0, pieces.size() - 1);
    std::uniform_int_distribution<int> length(0, 60);
    for (int round = 0; round < 20000; ++round) {
        std::string content;
        for (int k = length(rng); k > 0; --k)
            content += pieces[pick(rng)];
        ExpectSameAsWalk(content, "\"" + content + "\"");
        if (HasFailure())
            return;
    }
}

TEST(ContentBalanceScanTest, AgreesWithTheWalkOnEveryCorpusStream) {
    const testsupport::CorpusManifest corpus(TALVANE_CORPUS_DIR);
    if (!corpus.Present())
        GTEST_SKIP() << "the shared corpus is absent";
    std::size_t streams = 0;
    for (const testsupport::CorpusEntry& entry : corpus.All()) {
        if (!entry.path.starts_with("pdf/"))
            continue;
        const fs::path& file = entry.file;
        QPDF pdf;
        pdf.setSuppressWarnings(true);
        pdf.setAttemptRecovery(true);
        try {
            pdf.processFile(file.c_str());
        } catch (const std::exception&) {
            continue; // unreadable or password-protected: no streams to compare
        }
        std::vector<QPDFObjectHandle> objects;
        try {
            objects = pdf.getAllObjects();
        } catch (const std::exception&) {
            continue;
        }
        // Every decodable stream, not only page contents: forms and other
        // streams only make the comparison harder.
        for (QPDFObjectHandle& object : objects) {
            std::string data;
            try {
                if (!object.isStream())
                    continue;
                Pl_String sink("data", nullptr, data);
                if (!object.pipeStreamData(&sink, 0, qpdf_dl_specialized, true, false))
                    continue;
            } catch (const std::exception&) {
                continue;
            }
            ++streams;
            ExpectSameAsWalk(data, file.string() + " object " + object.getObjGen().unparse(' '));
        }
    }
    EXPECT_GT(streams, 0u);
}

} // namespace
} // namespace pdfhost::pdf
