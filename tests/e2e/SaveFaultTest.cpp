// A save that runs out of room: the output named is either the file it was
// before or the complete new one, never a part, and the user is told why.
#include "StampScenario.h"

#include "tests/support/FileBytes.h"

namespace e2e {
namespace {

namespace fs = std::filesystem;

class SaveFaultTest : public StampScenario {};

TEST_F(SaveFaultTest, AFullDiskLeavesThePreviousOutputAndNoDebris) {
    // Big enough that no save of it fits under the limit, while the small
    // files of a run (settings, the temporary JPEG) still do.
    WritePdf(folder.Path("in.pdf"), NumberedPages(600));
    UseBlackPicture();
    const auto input = testsupport::ReadFile(folder.Path("in.pdf"));
    const long limit = static_cast<long>(input.size() / 2);
    ASSERT_GT(limit, 64 * 1024);
    const std::string previous = "the output of an earlier run\n";

    struct Case {
        const char* what;
        std::vector<std::string> args;
    } cases[] = {
        {"an incremental update", {"stamp", "in.pdf", "-o", "out.pdf"}},
        {"a full rewrite", {"stamp", "--rewrite", "in.pdf", "-o", "out.pdf"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        testsupport::WriteFile(folder.Path("out.pdf"), previous);

        const HostResult r = folder.Run(c.args, limit);
        EXPECT_EQ(r.status, 1) << r.Describe();
        EXPECT_NE(r.err.find("File too large"), std::string::npos) << r.Describe();
        EXPECT_EQ(testsupport::ReadFile(folder.Path("out.pdf")), previous);
        EXPECT_EQ(testsupport::ReadFile(folder.Path("in.pdf")), input);
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(folder.Root()))
            if (entry.path().extension() != ".out" && entry.path().extension() != ".err")
                names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        EXPECT_EQ(names, (std::vector<std::string>{"black.bmp", "in.pdf", "install", "out.pdf",
                                                   "registry.reg"}));
    }

    // The same run with room to spare writes the output, so the limit is
    // what stopped the runs above.
    const HostResult r = folder.Run({"stamp", "in.pdf", "-o", "out.pdf"});
    ASSERT_EQ(r.status, 0) << r.Describe();
    EXPECT_EQ(QpdfCheck(folder.Path("out.pdf")), 0);
}

} // namespace
} // namespace e2e
