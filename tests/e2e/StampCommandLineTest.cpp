// "pdfhost stamp IN -o OUT": one run, and a file only when it finished.
#include "StampScenario.h"

namespace e2e {
namespace {

namespace fs = std::filesystem;

class StampCommandLineTest : public StampScenario {};

TEST_F(StampCommandLineTest, WritesTheStampedDocumentOnlyWhenTheRunFinished) {
    WritePdf(folder.Path("in.pdf"), NumberedPages(3));
    WritePdf(folder.Path("locked.pdf"), NumberedPages(3), FixtureOptions{.forbidChanges = true});
    const std::string input = ReadFile(folder.Path("in.pdf"));
    struct Case {
        const char* what;
        std::string document;
        bool pictureMissing;
        int status;
        TranscriptMessage message;
        std::string error; // on standard error
    } cases[] = {
        {"finished", "in.pdf", false, 0, Done(), ""},
        {"changes forbidden", "locked.pdf", false, 1,
         NoteAlert("PDF Talvane\r\nNo permissions to update PDF, please change permissions in "
                   "'File'-->'Document Security' menu"),
         "pdfhost: the stamp run did not finish, nothing was written: \"PDF Talvane\\r\\nNo "
         "permissions to update PDF"},
        {"picture missing",
         "in.pdf",
         true,
         1,
         {"box", "Unable to load image filename", folder.Path("gone.bmp").string()},
         "pdfhost: the stamp run did not finish, nothing was written: \"" +
             folder.Path("gone.bmp").string() + "\""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SettingsFile s = UseBlackPicture();
        if (c.pictureMissing) {
            s.imageFileName = folder.Path("gone.bmp").string();
            s.Write(folder.SettingsPath());
        }
        fs::remove(folder.Path("out.pdf"));

        const HostResult r = folder.Run({"stamp", c.document, "-o", "out.pdf"});
        EXPECT_EQ(r.status, c.status) << r.Describe();
        EXPECT_EQ(r.messages, std::vector<TranscriptMessage>{c.message});
        EXPECT_NE(r.err.find(c.error), std::string::npos) << r.err;
        EXPECT_EQ(fs::exists(folder.Path("out.pdf")), c.status == 0);
        if (c.status == 0) {
            EXPECT_EQ(QpdfCheck(folder.Path("out.pdf")), 0);
            ExpectBlackStampOn(folder.Path("in.pdf"), folder.Path("out.pdf"), 3, {0, 1, 2});
        }
        EXPECT_EQ(ReadFile(folder.Path("in.pdf")), input) << "the input was changed";
    }
}

} // namespace
} // namespace e2e
