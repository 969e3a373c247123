// How "pdfhost stamp" saves: an incremental update by default, a full
// rewrite with --rewrite and for an undo, and an undo that works on an
// update made by an earlier process.
#include "StampScenario.h"

namespace e2e {
namespace {

namespace fs = std::filesystem;

bool StartsWith(const fs::path& file, const fs::path& prefix) {
    const std::string bytes = ReadFile(file), head = ReadFile(prefix);
    return bytes.size() > head.size() && bytes.compare(0, head.size(), head) == 0;
}

class IncrementalStampTest : public StampScenario {
  protected:
    void SetUp() override {
        WritePdf(folder.Path("in.pdf"), NumberedPages(3));
        UseBlackPicture();
    }
    void Stamp(const std::vector<std::string>& args) {
        std::vector<std::string> all = {"stamp"};
        all.insert(all.end(), args.begin(), args.end());
        const HostResult r = folder.Run(all);
        ASSERT_EQ(r.status, 0) << r.Describe();
        EXPECT_EQ(r.messages, std::vector<TranscriptMessage>{Done()});
    }
    fs::path In() const { return folder.Path("in.pdf"); }
};

TEST_F(IncrementalStampTest, AStampIsAppendedUnlessARewriteIsAsked) {
    Stamp({"in.pdf", "-o", "inc.pdf"});
    Stamp({"--rewrite", "in.pdf", "-o", "full.pdf"});
    EXPECT_TRUE(StartsWith(folder.Path("inc.pdf"), In()));
    EXPECT_FALSE(StartsWith(folder.Path("full.pdf"), In()));
    for (const char* name : {"inc.pdf", "full.pdf"}) {
        SCOPED_TRACE(name);
        EXPECT_EQ(QpdfCheck(folder.Path(name)), 0);
        ExpectBlackStampOn(In(), folder.Path(name), 3, {0, 1, 2});
    }
}

// The undo runs in a process of its own, on the update the first one
// wrote: rewritten by default, appended to it when asked.
TEST_F(IncrementalStampTest, UndoOfAnUpdateRewritesUnlessAskedToAppend) {
    Stamp({"in.pdf", "-o", "stamped.pdf"});
    Stamp({"--undo", "stamped.pdf", "-o", "undone.pdf"});
    Stamp({"--undo", "--incremental", "stamped.pdf", "-o", "appended.pdf"});

    EXPECT_FALSE(StartsWith(folder.Path("undone.pdf"), folder.Path("stamped.pdf")));
    EXPECT_TRUE(StartsWith(folder.Path("appended.pdf"), folder.Path("stamped.pdf")));
    for (const char* name : {"undone.pdf", "appended.pdf"}) {
        SCOPED_TRACE(name);
        EXPECT_EQ(QpdfCheck(folder.Path(name)), 0);
        EXPECT_EQ(StampedPages(folder.Path(name)), std::vector<int>{});
        ExpectRendersAlike(In(), folder.Path(name), 3);
    }
}

} // namespace
} // namespace e2e
