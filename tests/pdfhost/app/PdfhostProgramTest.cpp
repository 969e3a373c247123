// The pdfhost executable as a user runs it: exit codes, transcript and the
// info report.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "tests/support/ProcessOutput.h"

namespace {

namespace fs = std::filesystem;

struct Result {
    int status = -1;
    std::string out;
    std::string err;
};

std::string Slurp(const fs::path& path) {
    std::ifstream in(path);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

class PdfhostProgramTest : public ::testing::Test {
  protected:
    void SetUp() override {
        dir = fs::path(::testing::TempDir()) /
              ("pdfhost-" +
               std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::create_directories(dir);
    }

    fs::path Script(const std::string& text) {
        const fs::path path = dir / "script.txt";
        std::ofstream(path) << text;
        return path;
    }

    Result Run(const std::string& args) {
        const std::string command = "'" PDFHOST_EXE "' " + args + " >'" + (dir / "out").string() +
                                    "' 2>'" + (dir / "err").string() + "' </dev/null";
        Result r;
        const int raw = std::system(command.c_str());
        r.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
        r.out = Slurp(dir / "out");
        r.err = Slurp(dir / "err");
        return r;
    }

    fs::path dir;
};

const char* const kNote = "MESSAGE note-alert \"pdfhost\" \"Please open a pdf first\"\n";

TEST_F(PdfhostProgramTest, InfoReportsThePluginAndItsEntries) {
    // Found through the default folder beside the executable.
    const Result r = Run("info");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(
        r.out,
        R"(plug-in "Talvane.api" name "ADBE:PDFTalvane" version 2.0 entry ok setup ok handshake ok export ok import ok init ok
  table "AcroSupport" 5.0
  table "Cos" 5.0
  table "PDModel" 5.0
  table "PDFEditWrite" 5.0
  table "PDFEditRead" 5.0
  table "PDSysFont" 5.0
  table "PagePDEContent" 5.0
  table "AcroView" 5.0
  table "PDSWrite" 5.0
  table "PDSRead" 5.0
  table "Win" 5.0
  table "ASExtra" 5.0
  table "AcroViewSweetPea" 5.0
  table "PDMetadata" 5.0
menu "File" title "&File"
menu "Edit" title "&Edit"
menu "View" title "&View"
menu "Extensions" title "E&xtensions"
  item "ADBE:PDFTalvane" title "&Talvane" help "" enabled
menu "Help" title "&Help"
menu "AboutExtensions" title "About E&xtensions"
  item "ADBE:AboutPDFTalvane" title "About PDF Talvane..." help "" enabled
toolbar
  button "open" help "Open" enabled
  button "save" help "Save" enabled
  button "print" help "Print" enabled
  button "ADBE:PDFTalvane" help "PDF Talvane" enabled icon 21x22 4-bit
  button "endToolsGroup" help "" enabled
  button "zoomIn" help "Zoom In" enabled
  button "zoomOut" help "Zoom Out" enabled
)");
}

TEST_F(PdfhostProgramTest, InfoShowsAHostThatOffersTooLittle) {
    const Result r = Run("--offer AcroView=4.5 --withhold PDMetadata info");
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.out.find("plug-in \"Talvane.api\" name \"\" version 2.0 entry ok setup failed "
                         "handshake not-run export not-run import not-run init not-run\n"),
              std::string::npos)
        << r.out;
    EXPECT_NE(r.out.find("  table \"PagePDEContent\" 5.0\nmenu \"File\""), std::string::npos);
    EXPECT_EQ(r.out.find("item \""), std::string::npos);
    EXPECT_NE(r.err.find("pdfhost: setup of plug-in Talvane.api failed"), std::string::npos);
}

TEST_F(PdfhostProgramTest, RunExitsZeroOneOrTwo) {
    struct Case {
        const char* what;
        std::string options;
        std::string script; // "" = no script written; use options as is
        int status;
        std::string out;
        std::string err; // substring; "" = nothing on standard error
    } cases[] = {
        {"menu and toolbar", "",
         "# both reach the command\n\nclick 1003\nmenu ADBE:PDFTalvane\n"
         "click 1003\n  toolbar ADBE:PDFTalvane\nclick 1000\nmenu ADBE:AboutPDFTalvane\n",
         0, std::string(kNote) + kNote, ""},
        {"unknown item", "",
         "click 1003\nmenu ADBE:PDFTalvane\nmenu ADBE:Nothing\nmenu ADBE:PDFTalvane\n", 1, kNote,
         "script.txt:3: there is no menu item named \"ADBE:Nothing\""},
        {"unknown command", "", "# c\nfrobnicate now\n", 1, "",
         "script.txt:2: unknown command \"frobnicate\""},
        {"host button without action", "", "toolbar open\n", 1, "",
         "script.txt:1: the toolbar button \"open\" has nothing to run"},
        {"no Extensions menu", "--no-menu Extensions", "menu ADBE:PDFTalvane\n", 1, "",
         "script.txt:1: there is no menu item named \"ADBE:PDFTalvane\""},
        {"command raises", "--fault AVAlertNote=0x40010003", "click 1003\nmenu ADBE:PDFTalvane\n",
         1, "",
         "script.txt:2: the menu item \"ADBE:PDFTalvane\" failed: AVAlertNote failed (injected "
         "fault)"},
        {"usage: no script", "run", "", 2, "", "pdfhost: run needs one SCRIPT"},
        {"usage: bad option", "--offer Nope=1.0 info", "", 2, "",
         "--offer: the host has no table named \"Nope\""},
        {"unreadable script", "run /nonexistent/script.txt", "", 2, "",
         "cannot read the script /nonexistent/script.txt"},
    };
    for (const auto& c : cases) {
        std::string args = c.options;
        if (!c.script.empty())
            args += " run '" + Script(c.script).string() + "'";
        const Result r = Run(args);
        EXPECT_EQ(r.status, c.status) << c.what << "\n" << r.err;
        EXPECT_EQ(r.out, c.out) << c.what;
        if (c.err.empty())
            EXPECT_EQ(testsupport::OwnErrors(r.err), "") << c.what;
        else
            EXPECT_NE(r.err.find(c.err), std::string::npos) << c.what << "\n" << r.err;
    }
}

TEST_F(PdfhostProgramTest, APluginThatUnbalancesFramesMakesTheRunFail) {
    const Result info = Run("--plugins '" PROBE_PLUGIN_DIR "' info");
    EXPECT_EQ(info.status, 3);
    EXPECT_NE(info.err.find("FRAME VIOLATION: init callback of TEST:Probe"), std::string::npos);
    EXPECT_NE(info.out.find("item \"TEST:Disabled\" title \"TEST:Disabled\" help \"\" disabled\n"),
              std::string::npos)
        << info.out;

    const Result disabled = Run("--plugins '" PROBE_PLUGIN_DIR "' run '" +
                                Script("menu TEST:Disabled\n").string() + "'");
    EXPECT_EQ(disabled.status, 1);
    EXPECT_NE(disabled.err.find("script.txt:1: the menu item \"TEST:Disabled\" is disabled"),
              std::string::npos)
        << disabled.err;
}

TEST_F(PdfhostProgramTest, HelpDocumentsTheTestOnlyOptions) {
    const Result r = Run("--help");
    EXPECT_EQ(r.status, 0);
    for (const char* option : {"--plugins DIR", "--registry FILE", "--offer NAME=MAJOR.MINOR",
                               "--withhold NAME", "--no-menu NAME", "--fault OP=CODE[@N]"})
        EXPECT_NE(r.out.find(option), std::string::npos) << option;
}

} // namespace
