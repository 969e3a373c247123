// A document read on a thread of its own: what it gives is what an open
// gives, its failures come where a caller can report them, and a reader
// that is dropped takes its thread with it.
#include <thread>

#include <gtest/gtest.h>

#include "TestSupport.h"
#include "pdfhost/pdf/ContentStreams.h"
#include "pdfhost/pdf/Document.h"
#include "pdfhost/pdf/DocumentReader.h"
#include "pdfhost/pdf/Documents.h"

namespace pdfhost::pdf {
namespace {

class DocumentReaderTest : public ::testing::Test {
  protected:
    void TearDown() override { Documents::CloseAll(); }

    // Pages with their own streams, one shared by every other page, and
    // saves left open, so that balances differ from stream to stream.
    std::string Sample(int pageCount) {
        std::vector<test::TestPage> pages;
        for (int i = 0; i < pageCount; ++i) {
            test::TestPage p;
            p.contents = {std::string(static_cast<std::size_t>(i % 4), 'q') + " 0 0 1 rg " +
                              std::to_string(i) + " 0 10 10 re f",
                          i % 2 ? "Q" : "q (Q) Tj % Q\n"};
            pages.push_back(p);
        }
        const std::string path = dir_.File("sample.pdf");
        test::MakePdf(path, pages);
        return path;
    }

    testsupport::TempFolder dir_{"reader"};
};

TEST_F(DocumentReaderTest, GivesThePagesAnOpenGivesAndOnlyTrueBalances) {
    const std::string path = Sample(40);
    DocumentReader reader(path);
    Document& read = Document::FromHandle(Documents::Adopt(reader.Take()));
    Document& opened = Document::FromHandle(Documents::Open(path));

    ASSERT_EQ(read.PageCount(), 40);
    ASSERT_EQ(read.PageCount(), opened.PageCount());
    for (int i = 0; i < read.PageCount(); ++i)
        EXPECT_EQ(read.PageObject(i).getObjGen(), opened.PageObject(i).getObjGen()) << i;
    // Take() may stop the measuring early: what was measured must be right.
    for (int i = 0; i < read.PageCount(); ++i) {
        for (QPDFObjectHandle s : ContentStreams::Of(read.PageObject(i))) {
            const std::optional<ContentBalance> known = read.KnownBalance(s);
            if (!known)
                continue;
            const ContentBalance expected = ContentBalance::Measure(*ContentStreams::Decode(s));
            EXPECT_EQ(known->openSaves, expected.openSaves) << "page " << i + 1;
            EXPECT_EQ(known->unmatchedRestores, expected.unmatchedRestores) << "page " << i + 1;
        }
    }
    EXPECT_EQ(read.Warnings(), opened.Warnings());
}

// A file that is no PDF fails as the reader is made, before any thread
// runs; one whose catalog is missing can only fail once it is read.
TEST_F(DocumentReaderTest, FailuresComeAtOnceOrAtTheTake) {
    const std::string catalogless =
        "%PDF-1.4\n1 0 obj\n42\nendobj\n2 0 obj\n<< /Type /Pages /Count 0 /Kids [] >>\nendobj\n"
        "xref\n0 3\n0000000000 65535 f \n0000000009 00000 n \n0000000027 00000 n \n"
        "trailer\n<< /Size 3 /Root 1 0 R >>\nstartxref\n";
    struct Case {
        const char* what;
        std::string bytes; // empty: no file at all
        bool atOnce;
        ASErrorCode code;
    } cases[] = {
        {"no file", "", true, kErrDocOpenFailed},
        {"not a PDF", "not a PDF at all", true, kErrDocOpenFailed},
        {"no catalog", catalogless + std::to_string(catalogless.find("xref")) + "\n%%EOF\n", false,
         kErrDocDamaged},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string path = dir_.File(std::string(c.what) + ".pdf");
        if (!c.bytes.empty())
            testsupport::WriteFile(path, c.bytes);
        std::unique_ptr<DocumentReader> reader;
        try {
            reader = std::make_unique<DocumentReader>(path);
        } catch (const HostError& e) {
            EXPECT_TRUE(c.atOnce) << e.what();
            EXPECT_EQ(e.code(), c.code) << e.what();
            continue;
        }
        ASSERT_FALSE(c.atOnce) << "the reader was made";
        try {
            reader->Take();
            ADD_FAILURE() << "Take() gave a document";
        } catch (const HostError& e) {
            EXPECT_EQ(e.code(), c.code) << e.what();
            EXPECT_NE(std::string(e.what()).find(path), std::string::npos) << e.what();
        }
    }
    EXPECT_EQ(Documents::Count(), 0u);
}

// Readers dropped while they read, at every stage: none hangs, and each
// lets its file and its qpdf document go (the sanitizer build sees leaks).
TEST_F(DocumentReaderTest, AReaderDroppedWhileReadingLetsGo) {
    const std::string path = Sample(300);
    for (int round = 0; round < 20; ++round) {
        DocumentReader reader(path);
        if (round % 2)
            std::this_thread::yield();
    }
    DocumentReader last(path);
    EXPECT_EQ(Document::FromHandle(Documents::Adopt(last.Take())).PageCount(), 300);
}

} // namespace
} // namespace pdfhost::pdf
