// Runs that end before or during the page loop: each shows exactly its own
// message (or none), and the document keeps everything the run did not get
// to change.
#include "StampScenario.h"

#include <fstream>
#include <regex>

#include "tests/support/CorpusManifest.h"

namespace e2e {
namespace {

namespace fs = std::filesystem;

const std::string kScript = "open in.pdf\nclick 1003\nmenu ADBE:PDFTalvane\nsave out.pdf\nclose\n";
const std::string kPermissionNote = "PDF Talvane\r\nNo permissions to update PDF, please change "
                                    "permissions in 'File'-->'Document Security' menu";
const std::string kFontNote = "Font or Font Type error!, please see help for font details\n\n";
const std::string kTextRunNote =
    "Font,Font Type or Flag error!, please see help for font details\n\nPDETextAdd failed "
    "(injected fault): The object is not of the kind this operation needs.";

// Messages with the process id in a run's JPEG name ("temp-4242.jpg") as
// "temp-PID.jpg".
std::vector<TranscriptMessage> WithoutProcessIds(std::vector<TranscriptMessage> messages) {
    static const std::regex kRunJpeg("temp-[0-9]+\\.jpg");
    for (TranscriptMessage& m : messages)
        m.text = std::regex_replace(m.text, kRunJpeg, "temp-PID.jpg");
    return messages;
}

class EarlyExitTest : public StampScenario {
  protected:
    void SetUp() override { WritePdf(folder.Path("in.pdf"), NumberedPages(3)); }

    // Temporary JPEG files left in the installation folder.
    std::vector<std::string> LeftoverJpegs() const {
        std::vector<std::string> left;
        for (const std::string& name : folder.InstallFiles())
            if (name != "PDFTalvane.ini")
                left.push_back(name);
        return left;
    }
};

TEST_F(EarlyExitTest, WithoutADocumentTheRunAsksForOne) {
    UseBlackPicture();
    const HostResult r = folder.RunScript("click 1003\nmenu ADBE:PDFTalvane\n");
    ASSERT_EQ(r.status, 0) << r.Describe();
    EXPECT_EQ(r.messages, std::vector<TranscriptMessage>{NoteAlert("Please open a pdf first")});
    EXPECT_EQ(LeftoverJpegs(), std::vector<std::string>{});
}

TEST_F(EarlyExitTest, EachEarlyEndShowsItsMessageAndChangesNothing) {
    WritePdf(folder.Path("locked.pdf"), NumberedPages(3), FixtureOptions{.forbidChanges = true});
    std::ofstream(folder.Path("notes.txt")) << "not a picture\n";
    const std::string missing = folder.Path("missing.bmp").string();
    const std::string notPicture = folder.Path("notes.txt").string();
    const std::string noFont = "No system font matches the requested font.";
    auto fault = [](const std::string& what) { return std::vector<std::string>{"--fault", what}; };
    auto loadFailed = [](const std::string& name) {
        return std::vector<TranscriptMessage>{{"box", "Unable to load image filename", name}};
    };
    struct Case {
        const char* what;
        std::string dialog; // script lines answering the dialog
        std::vector<std::string> options;
        std::string document;
        std::string picture; // "" = the black BMP
        std::vector<TranscriptMessage> messages;
    } cases[] = {
        {"dialog escaped", "key escape\n", {}, "in.pdf", "", {}},
        {"dialog closed", "click 1000\n", {}, "in.pdf", "", {}},
        {"changes forbidden", "click 1003\n", {}, "locked.pdf", "", {NoteAlert(kPermissionNote)}},
        {"no system font",
         "click 1003\n",
         fault("PDFindSysFont=0x400E0001"),
         "in.pdf",
         "",
         {NoteAlert(kFontNote + "PDFindSysFont failed (injected fault): " + noFont)}},
        {"font not made",
         "click 1003\n",
         fault("PDEFontCreateFromSysFont=0x400E0001"),
         "in.pdf",
         "",
         {NoteAlert(kFontNote + "PDEFontCreateFromSysFont failed (injected fault): " + noFont)}},
        {"picture missing", "click 1003\n", {}, "in.pdf", missing, loadFailed(missing)},
        {"picture not a picture", "click 1003\n", {}, "in.pdf", notPicture, loadFailed(notPicture)},
        // The JPEG cannot be opened or the image not made: the run ends
        // without a word, and still takes its temporary JPEG with it.
        {"JPEG not opened",
         "click 1003\n",
         fault("ASFileSysOpenFile=0x400A0011"),
         "in.pdf",
         "",
         {}},
        {"image not made", "click 1003\n", fault("PDEImageCreate=0x400C0005"), "in.pdf", "", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        for (const std::string& name : LeftoverJpegs())
            fs::remove(folder.Install() / name);
        SettingsFile s = UseBlackPicture();
        if (!c.picture.empty()) {
            s.imageFileName = c.picture;
            s.Write(folder.SettingsPath());
        }
        fs::remove(folder.Path("out.pdf"));

        const HostResult r = folder.RunScript("open " + c.document + "\n" + c.dialog +
                                                  "menu ADBE:PDFTalvane\nsave out.pdf\nclose\n",
                                              c.options);
        ASSERT_EQ(r.status, 0) << r.Describe();
        EXPECT_EQ(r.messages, c.messages);
        EXPECT_EQ(LeftoverJpegs(), std::vector<std::string>{});
        EXPECT_EQ(QpdfCheck(folder.Path("out.pdf")), 0);
        EXPECT_EQ(StampedPages(folder.Path("out.pdf")), std::vector<int>{});
        ExpectRendersAlike(folder.Path(c.document), folder.Path("out.pdf"), 3);
    }
}

TEST_F(EarlyExitTest, ImpossiblePixelSizesEndTheRunHarmlessly) {
    // The pixel size comes from the settings file as it stands; sizes that
    // no bitmap or JPEG can have end the run before any page is touched.
    struct Case {
        const char* what;
        int width, height;
        std::vector<TranscriptMessage> messages;
    } cases[] = {
        {"zero by zero", 0, 0, {}},
        // 65531 wide: a bitmap can be that wide, a JPEG cannot.
        {"a negative width, taken as its low 16 bits",
         -5,
         30,
         {AppBox("Cannot write JPEG file " + (folder.Install() / "temp-PID.jpg").string() +
                 ": Maximum supported image dimension is 65500 pixels")}},
        {"past what a bitmap may hold", 65535, 65535, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SettingsFile s = UseBlackPicture();
        s.imageWidth = c.width;
        s.imageHeight = c.height;
        s.Write(folder.SettingsPath());
        fs::remove(folder.Path("out.pdf"));

        const HostResult r = folder.RunScript(kScript);
        ASSERT_EQ(r.status, 0) << r.Describe();
        EXPECT_EQ(WithoutProcessIds(r.messages), c.messages);
        EXPECT_EQ(LeftoverJpegs(), std::vector<std::string>{});
        EXPECT_EQ(StampedPages(folder.Path("out.pdf")), std::vector<int>{});
        ExpectRendersAlike(folder.Path("in.pdf"), folder.Path("out.pdf"), 3);
    }
}

TEST_F(EarlyExitTest, CorpusDocumentsThatForbidChangesAreRefused) {
    const testsupport::CorpusManifest manifest(TALVANE_CORPUS_DIR);
    if (!manifest.Present())
        GTEST_SKIP() << "the corpus is not at " << manifest.Folder();
    std::vector<fs::path> refused;
    for (const testsupport::CorpusEntry& e : manifest.Entries())
        if (e.expect == testsupport::CorpusEntry::Expect::Refuse)
            refused.push_back(e.file);
    ASSERT_FALSE(refused.empty());
    UseBlackPicture();
    for (const fs::path& path : refused) {
        SCOPED_TRACE(path);
        fs::copy_file(path, folder.Path("in.pdf"), fs::copy_options::overwrite_existing);
        fs::remove(folder.Path("out.pdf"));
        const HostResult r = folder.RunScript(kScript);
        ASSERT_EQ(r.status, 0) << r.Describe();
        EXPECT_EQ(r.messages, std::vector<TranscriptMessage>{NoteAlert(kPermissionNote)});
        EXPECT_EQ(StampedPages(folder.Path("out.pdf")), std::vector<int>{});
    }
}

TEST_F(EarlyExitTest, APageTheHostRefusesDoesNotStopTheOthers) {
    // Each stamped page takes two appends: the empty text element, then the
    // image. A refused image is passed over silently; a refused text
    // element is a host error that ends the run with the host's text. A text
    // run the host refuses is told once per page, and the page still gets
    // its picture.
    struct Case {
        const char* what;
        std::string fault;
        std::vector<TranscriptMessage> messages;
        std::vector<int> stamped;
    } cases[] = {
        {"the image on page 2", "PDEContentAddElem=0x400C0003@4", {Done()}, {0, 2}},
        {"the text element on page 2",
         "PDEContentAddElem=0x400C0003@3",
         {NoteAlert("PDEContentAddElem failed (injected fault): The object is not of the kind "
                    "this operation needs.")},
         {0}},
        {"the text run on every page",
         "PDETextAdd=0x400C0003",
         {NoteAlert(kTextRunNote), NoteAlert(kTextRunNote), NoteAlert(kTextRunNote), Done()},
         {0, 1, 2}},
    };
    UseBlackPicture();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        fs::remove(folder.Path("out.pdf"));
        const HostResult r = folder.RunScript(kScript, {"--fault", c.fault});
        ASSERT_EQ(r.status, 0) << r.Describe();
        EXPECT_EQ(r.messages, c.messages);
        EXPECT_EQ(QpdfCheck(folder.Path("out.pdf")), 0);
        EXPECT_EQ(StampedPages(folder.Path("out.pdf")), c.stamped);
        ExpectBlackStampOn(folder.Path("in.pdf"), folder.Path("out.pdf"), 3, c.stamped);
        EXPECT_EQ(LeftoverJpegs(), std::vector<std::string>{});
    }
}

TEST_F(EarlyExitTest, AFailedRunDoesNotAffectTheNext) {
    UseBlackPicture();
    // The first run's image cannot be made; the second run's can.
    const HostResult r = folder.RunScript("open in.pdf\nclick 1003\nmenu ADBE:PDFTalvane\n"
                                          "save first.pdf\nclick 1003\nmenu ADBE:PDFTalvane\n"
                                          "save second.pdf\nclose\n",
                                          {"--fault", "PDEImageCreate=0x400C0005@1"});
    ASSERT_EQ(r.status, 0) << r.Describe();
    EXPECT_EQ(r.messages, std::vector<TranscriptMessage>{Done()});
    EXPECT_EQ(StampedPages(folder.Path("first.pdf")), std::vector<int>{});
    EXPECT_EQ(StampedPages(folder.Path("second.pdf")), (std::vector<int>{0, 1, 2}));
    ExpectBlackStampOn(folder.Path("in.pdf"), folder.Path("second.pdf"), 3, {0, 1, 2});
}

} // namespace
} // namespace e2e
