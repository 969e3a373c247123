// The corpus reader itself: a manifest's words become expectations, and a
// word it does not know is a failure rather than a quiet weaker check.
#include "tests/support/CorpusManifest.h"

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include "tests/support/FileBytes.h"
#include "tests/support/TempFolder.h"

namespace testsupport {
namespace {

using Expect = CorpusEntry::Expect;

TEST(CorpusManifest, ReadsEveryKnownWordAndFailsOnAnUnknownOne) {
    TempFolder corpus("manifest");
    WriteFile(corpus.Path() / "MANIFEST.tsv",
              std::string("path\tbytes\tsha256\texpect\tfacts\texercises\n"
                          "# a comment\n"
                          "\n"
                          "pdf/a.pdf\t1\tx\tstamp\tpages=3\twhy\n"
                          "pdf/b.pdf\t1\tx\tno-crash\t\twhy\n"
                          "bmp/c.bmp\t1\tx\tload\t2x3\twhy\n"
                          "pdf/d.pdf\t1\tx\tstmap\t\ta typo\n"));
    const CorpusManifest manifest(corpus.Path());
    ASSERT_TRUE(manifest.Present());
    ASSERT_EQ(manifest.All().size(), 4u);
    EXPECT_EQ(manifest.All()[0].expect, Expect::Stamp);
    EXPECT_EQ(manifest.All()[0].facts, "pages=3");
    EXPECT_EQ(manifest.All()[0].file, corpus.Path() / "pdf/a.pdf");
    EXPECT_EQ(manifest.All()[1].expect, Expect::NoCrash);
    EXPECT_EQ(manifest.All()[3].expect, Expect::Unknown);
    EXPECT_EQ(manifest.All()[3].expectWord, "stmap");

    // Only the entries asked for are judged.
    EXPECT_EQ(manifest.Entries("bmp/").size(), 1u);
    std::vector<CorpusEntry> pdfs;
    EXPECT_NONFATAL_FAILURE(pdfs = manifest.Entries("pdf/"), "\"stmap\"");
    EXPECT_EQ(pdfs.size(), 3u);
}

TEST(CorpusManifest, AbsentCorpusHasNoEntries) {
    TempFolder corpus("manifest");
    const CorpusManifest manifest(corpus.Path() / "missing");
    EXPECT_FALSE(manifest.Present());
    EXPECT_TRUE(manifest.Entries().empty());
}

} // namespace
} // namespace testsupport
