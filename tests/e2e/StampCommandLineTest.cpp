// "pdfhost stamp": one run per input, and a file only when it finished; the
// options that choose the settings without touching the installation folder.
#include <fstream>

#include "StampScenario.h"
#include "tests/support/FileBytes.h"
#include "tests/support/ProcessOutput.h"

namespace e2e {
namespace {

namespace fs = std::filesystem;

class StampCommandLineTest : public StampScenario {};

TEST_F(StampCommandLineTest, WritesTheStampedDocumentOnlyWhenTheRunFinished) {
    WritePdf(folder.Path("in.pdf"), NumberedPages(3));
    WritePdf(folder.Path("locked.pdf"), NumberedPages(3), FixtureOptions{.forbidChanges = true});
    // Opens (its trailer and cross-reference table are sound), but its
    // catalog is a number, so its pages cannot be read.
    const std::string catalogless =
        "%PDF-1.4\n1 0 obj\n42\nendobj\n2 0 obj\n<< /Type /Pages /Count 0 /Kids [] >>\nendobj\n"
        "xref\n0 3\n0000000000 65535 f \n0000000009 00000 n \n0000000027 00000 n \n"
        "trailer\n<< /Size 3 /Root 1 0 R >>\nstartxref\n";
    testsupport::WriteFile(folder.Path("catalogless.pdf").string(),
                           catalogless + std::to_string(catalogless.find("xref")) + "\n%%EOF\n");
    const std::string input = ReadFile(folder.Path("in.pdf"));
    struct Case {
        const char* what;
        std::string document;
        bool pictureMissing;
        int status;
        TranscriptMessage message;
        std::string error; // part of standard error; "" = nothing on it
    } cases[] = {
        {"finished", "in.pdf", false, 0, Done(), ""},
        {"changes forbidden", "locked.pdf", false, 1,
         NoteAlert("PDF Talvane\r\nNo permissions to update PDF, please change permissions in "
                   "'File'-->'Document Security' menu"),
         "pdfhost: locked.pdf: the stamp run did not finish, nothing was written: \"PDF "
         "Talvane\\r\\nNo "
         "permissions to update PDF"},
        {"picture missing",
         "in.pdf",
         true,
         1,
         {"box", "Unable to load image filename", folder.Path("gone.bmp").string()},
         "pdfhost: in.pdf: the stamp run did not finish, nothing was written: \"" +
             folder.Path("gone.bmp").string() + "\""},
        {"pages unreadable", "catalogless.pdf", false, 1, NoteAlert("Please open a pdf first"),
         "pdfhost: catalogless.pdf: The pages of \"catalogless.pdf\" cannot be read"},
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
        if (c.error.empty())
            EXPECT_EQ(testsupport::OwnErrors(r.err), "");
        else
            EXPECT_NE(r.err.find(c.error), std::string::npos) << r.err;
        EXPECT_EQ(fs::exists(folder.Path("out.pdf")), c.status == 0);
        for (const auto& entry : fs::directory_iterator(folder.Path("out.pdf").parent_path()))
            EXPECT_NE(entry.path().filename().string().rfind(".out.pdf", 0), 0u)
                << "a temporary file was left: " << entry.path();
        if (c.status == 0) {
            EXPECT_EQ(QpdfCheck(folder.Path("out.pdf")), 0);
            ExpectBlackStampOn(folder.Path("in.pdf"), folder.Path("out.pdf"), 3, {0, 1, 2});
        }
        EXPECT_EQ(ReadFile(folder.Path("in.pdf")), input) << "the input was changed";
    }
}

} // namespace
} // namespace e2e

namespace e2e {
namespace {

namespace fs = std::filesystem;

class StampOptionsTest : public StampScenario {
  protected:
    void SetUp() override {
        WritePdf(folder.Path("in.pdf"), NumberedPages(3));
        installed = UseBlackPicture();
        settingsBytes = ReadFile(folder.SettingsPath());
    }
    // What the installation folder held before the run, unchanged.
    void ExpectInstallUntouched() {
        EXPECT_EQ(ReadFile(folder.SettingsPath()), settingsBytes);
        EXPECT_EQ(folder.InstallFiles(), std::vector<std::string>{"PDFTalvane.ini"});
    }

    SettingsFile installed;
    std::string settingsBytes;
};

// --params loads a file as "Load Settings" does, --set comes after it, and
// the pages stamped show which values won.
TEST_F(StampOptionsTest, ParametersAndSettingsChooseThePagesInOrder) {
    SettingsFile job = installed;
    job.startProc = 2;
    job.Write(folder.Path("job.tvp"));
    struct Case {
        const char* what;
        std::vector<std::string> options;
        std::vector<int> stamped;
    } cases[] = {
        {"installed settings", {}, {0, 1, 2}},
        {"parameter file", {"--params", "job.tvp"}, {1, 2}},
        {"set over the installed settings", {"--set", "ENDPROC=1"}, {0}},
        {"set after the parameter file", {"--set=STARTPROC=3", "--params", "job.tvp"}, {2}},
        {"sets in order", {"--set", "STARTPROC=1", "--set", "STARTPROC=2", "--set", "1NTH=2"}, {1}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        fs::remove(folder.Path("out.pdf"));
        std::vector<std::string> args = {"stamp"};
        args.insert(args.end(), c.options.begin(), c.options.end());
        args.insert(args.end(), {"in.pdf", "-o", "out.pdf"});
        const HostResult r = folder.Run(args);
        ASSERT_EQ(r.status, 0) << r.Describe();
        EXPECT_EQ(r.messages, std::vector<TranscriptMessage>{Done()});
        ExpectBlackStampOn(folder.Path("in.pdf"), folder.Path("out.pdf"), 3, c.stamped);
        ExpectInstallUntouched();
    }
}

TEST_F(StampOptionsTest, AnUnreadableParameterFileStampsNothing) {
    const HostResult r = folder.Run(
        {"stamp", "--params", "absent.tvp", "in.pdf", "--out-dir", ".", "--set", "OPACITY=50"});
    EXPECT_EQ(r.status, 1) << r.Describe();
    EXPECT_EQ(r.messages, std::vector<TranscriptMessage>{AppBox("Can't open parameters file")});
    EXPECT_NE(r.err.find("pdfhost: in.pdf: the parameter file could not be read, nothing was "
                         "written"),
              std::string::npos)
        << r.err;
    ExpectInstallUntouched();
}

TEST_F(StampOptionsTest, UndoAnswersTheDialogWithUndo) {
    ASSERT_EQ(folder.Run({"stamp", "in.pdf", "-o", "stamped.pdf"}).status, 0);
    const HostResult r = folder.Run({"stamp", "--undo", "stamped.pdf", "-o", "undone.pdf"});
    ASSERT_EQ(r.status, 0) << r.Describe();
    EXPECT_EQ(StampedPages(folder.Path("undone.pdf")), std::vector<int>{});
    ExpectRendersAlike(folder.Path("in.pdf"), folder.Path("undone.pdf"), 3);
    ExpectInstallUntouched();
}

// Several inputs in one process: each written under its own name, a bad one
// reported and skipped, the exit status telling that one failed.
TEST_F(StampOptionsTest, SeveralInputsAreEachWrittenAndABadOneIsSkipped) {
    fs::create_directories(folder.Path("docs"));
    fs::create_directories(folder.Path("out"));
    WritePdf(folder.Path("docs/a.pdf"), NumberedPages(3));
    WritePdf(folder.Path("docs/c.pdf"), NumberedPages(2));
    std::ofstream(folder.Path("docs/b.pdf")) << "not a PDF";

    const HostResult r = folder.Run({"stamp", "--set", "ENDPROC=2", "docs/a.pdf", "docs/b.pdf",
                                     "docs/missing.pdf", "docs/c.pdf", "--out-dir", "out"});
    EXPECT_EQ(r.status, 1) << r.Describe();
    EXPECT_EQ(r.messages, (std::vector<TranscriptMessage>{Done(), Done()}));
    EXPECT_NE(r.err.find("pdfhost: docs/b.pdf: "), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("pdfhost: docs/missing.pdf: "), std::string::npos) << r.err;
    EXPECT_EQ(r.err.find("docs/a.pdf"), std::string::npos) << r.err;
    EXPECT_FALSE(fs::exists(folder.Path("out/b.pdf")));
    EXPECT_FALSE(fs::exists(folder.Path("out/missing.pdf")));
    ExpectBlackStampOn(folder.Path("docs/a.pdf"), folder.Path("out/a.pdf"), 3, {0, 1});
    ExpectBlackStampOn(folder.Path("docs/c.pdf"), folder.Path("out/c.pdf"), 2, {0, 1});
    ExpectInstallUntouched();
}

// The first input is opened before the host starts; when that fails, the
// failure is reported as any other input's, and the next input is stamped.
TEST_F(StampOptionsTest, AFirstInputThatDoesNotOpenIsReportedInItsPlace) {
    fs::create_directories(folder.Path("out"));
    std::ofstream(folder.Path("text.pdf")) << "not a PDF";
    for (const char* first : {"text.pdf", "missing.pdf"}) {
        SCOPED_TRACE(first);
        fs::remove(folder.Path("out/in.pdf"));
        const HostResult r = folder.Run({"stamp", first, "in.pdf", "--out-dir", "out"});
        EXPECT_EQ(r.status, 1) << r.Describe();
        EXPECT_EQ(r.messages, std::vector<TranscriptMessage>{Done()});
        EXPECT_EQ(testsupport::OwnErrors(r.err).rfind("pdfhost: " + std::string(first) + ": ", 0),
                  0u)
            << r.err;
        EXPECT_EQ(r.err.find("in.pdf:"), std::string::npos) << r.err;
        EXPECT_FALSE(fs::exists(folder.Path("out").append(first)));
        ExpectBlackStampOn(folder.Path("in.pdf"), folder.Path("out/in.pdf"), 3, {0, 1, 2});
    }
    ExpectInstallUntouched();
}

} // namespace
} // namespace e2e
