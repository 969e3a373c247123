// Undo takes the last stamp off the selected pages, once per stamp, and
// never anything a stamp run did not put there; what it leaves is the page
// as it was, down to its resources and how deep its content nests.
#include "StampScenario.h"

#include "tests/support/SaveDepth.h"

namespace e2e {
namespace {

using testsupport::MaxSaveDepth;

constexpr int kPages = 5;

// A picture busy enough that no other file holds a slice of its JPEG data.
testsupport::Rgb Busy(int x, int y) {
    return {static_cast<std::uint8_t>(x * 37 + y * 11), static_cast<std::uint8_t>(x * y * 5),
            static_cast<std::uint8_t>(255 - y * 8)};
}

// Every page holds the resources it held in `in` and nests its content at
// most one graphics state deeper.
void ExpectPagesAsIn(const std::filesystem::path& in, const std::filesystem::path& out, int pages) {
    EXPECT_EQ(QpdfCheck(out), 0) << out;
    const PdfInspector before(in);
    const PdfInspector after(out);
    for (int page = 0; page < pages; ++page) {
        EXPECT_EQ(after.ResourceNames(page), before.ResourceNames(page)) << "page " << page + 1;
        EXPECT_LE(MaxSaveDepth(after.PageContent(page)), MaxSaveDepth(before.PageContent(page)) + 1)
            << "page " << page + 1;
    }
}

class UndoTest : public StampScenario {
  protected:
    void SetUp() override {
        // Every page ends with an image of its own, which undo must leave.
        WritePdf(folder.Path("in.pdf"), NumberedPages(kPages, FixturePage{.ownImageLast = true}));
        SettingsFile s = UseBlackPicture();
        s.endProc = 3;
        s.Write(folder.SettingsPath());
    }

    std::filesystem::path In() const { return folder.Path("in.pdf"); }

    // "pdfhost stamp" of `in`, then "pdfhost stamp --undo" of what that
    // wrote, each a process of its own with the default save.
    void StampThenUndo(const std::string& in, const std::string& stamped,
                       const std::string& undone) {
        for (const std::vector<std::string>& args :
             {std::vector<std::string>{"stamp", in, "-o", stamped},
              std::vector<std::string>{"stamp", "--undo", stamped, "-o", undone}}) {
            const HostResult r = folder.Run(args);
            ASSERT_EQ(r.status, 0) << r.Describe();
        }
    }
};

TEST_F(UndoTest, UndoTakesTheStampOffOnceAfterEachStamp) {
    const HostResult r = folder.RunScript("open in.pdf\n"
                                          "click 1003\nmenu ADBE:PDFTalvane\nsave stamped.pdf\n"
                                          "click 1032\nmenu ADBE:PDFTalvane\nsave undone.pdf\n"
                                          // Refused, the dialog stays open.
                                          "click 1032\nkey escape\nmenu ADBE:PDFTalvane\n"
                                          "save refused.pdf\n"
                                          "click 1003\nmenu ADBE:PDFTalvane\n"
                                          "click 1032\nmenu ADBE:PDFTalvane\nsave again.pdf\n"
                                          "close\n");
    ASSERT_EQ(r.status, 0) << r.Describe();
    EXPECT_EQ(r.messages, (std::vector<TranscriptMessage>{
                              Done(), Done(), AppBox("Can't undo again, already undone once!"),
                              Done(), Done()}));

    EXPECT_EQ(StampedPages(folder.Path("stamped.pdf")), (std::vector<int>{0, 1, 2}));
    ExpectBlackStampOn(In(), folder.Path("stamped.pdf"), kPages, {0, 1, 2});
    for (const char* name : {"undone.pdf", "refused.pdf", "again.pdf"}) {
        SCOPED_TRACE(name);
        EXPECT_EQ(QpdfCheck(folder.Path(name)), 0);
        EXPECT_EQ(StampedPages(folder.Path(name)), std::vector<int>{});
        ExpectRendersAlike(In(), folder.Path(name), kPages);
    }
}

TEST_F(UndoTest, UndoOnADocumentNeverStampedChangesNothing) {
    const HostResult r =
        folder.RunScript("open in.pdf\nclick 1032\nmenu ADBE:PDFTalvane\nsave out.pdf\nclose\n");
    ASSERT_EQ(r.status, 0) << r.Describe();
    EXPECT_EQ(r.messages, std::vector<TranscriptMessage>{Done()});
    EXPECT_EQ(QpdfCheck(folder.Path("out.pdf")), 0);
    ExpectRendersAlike(In(), folder.Path("out.pdf"), kPages);
    const PdfInspector before(In());
    const PdfInspector after(folder.Path("out.pdf"));
    for (int page = 0; page < kPages; ++page) {
        EXPECT_EQ(after.PageContent(page), before.PageContent(page)) << "page " << page + 1;
        EXPECT_EQ(after.DrawnImages(page).size(), 1u) << "page " << page + 1;
    }
}

TEST_F(UndoTest, AStampSavedByOneProcessIsUndoneByTheNext) {
    const HostResult stamp = folder.RunScript(
        "open in.pdf\nclick 1003\nmenu ADBE:PDFTalvane\nsave stamped.pdf\nclose\n");
    ASSERT_EQ(stamp.status, 0) << stamp.Describe();
    ASSERT_EQ(StampedPages(folder.Path("stamped.pdf")), (std::vector<int>{0, 1, 2}));

    const HostResult undo = folder.RunScript(
        "open stamped.pdf\nclick 1032\nmenu ADBE:PDFTalvane\nsave undone.pdf\nclose\n");
    ASSERT_EQ(undo.status, 0) << undo.Describe();
    EXPECT_EQ(undo.messages, std::vector<TranscriptMessage>{Done()});
    EXPECT_EQ(QpdfCheck(folder.Path("undone.pdf")), 0);
    EXPECT_EQ(StampedPages(folder.Path("undone.pdf")), std::vector<int>{});
    ExpectRendersAlike(In(), folder.Path("undone.pdf"), kPages);
}

TEST_F(UndoTest, AnUndoRefusedByTheDocumentStillUsesUpTheUndo) {
    // The undo run ends at the permission check, before any page; the next
    // Undo is refused all the same, so the stamp stays.
    WritePdf(folder.Path("locked.pdf"), NumberedPages(kPages),
             FixtureOptions{.forbidChanges = true});
    const HostResult r = folder.RunScript("open in.pdf\nclick 1003\nmenu ADBE:PDFTalvane\n"
                                          "save stamped.pdf\nclose\nopen locked.pdf\n"
                                          "click 1032\nmenu ADBE:PDFTalvane\nclose\n"
                                          "open stamped.pdf\n"
                                          "click 1032\nkey escape\nmenu ADBE:PDFTalvane\n"
                                          "save after.pdf\n"
                                          "close\n");
    ASSERT_EQ(r.status, 0) << r.Describe();
    EXPECT_EQ(r.messages,
              (std::vector<TranscriptMessage>{
                  Done(),
                  NoteAlert("PDF Talvane\r\nNo permissions to update PDF, please change "
                            "permissions in 'File'-->'Document Security' menu"),
                  AppBox("Can't undo again, already undone once!")}));
    EXPECT_EQ(StampedPages(folder.Path("after.pdf")), (std::vector<int>{0, 1, 2}));
}

// The picture's bytes go with the stamp: a full save after the undo holds
// no JPEG data of it - neither the stamp's nor that of the picture the undo
// run prepared too - and no resource name the stamp added.
TEST_F(UndoTest, AnUndoneStampLeavesNothingOfThePictureInTheSavedFile) {
    SettingsFile s = StandardSettings(Picture("photo.bmp", 40, 30, Busy), 40, 30);
    s.endProc = 3;
    s.Write(folder.SettingsPath());
    ASSERT_NO_FATAL_FAILURE(StampThenUndo("in.pdf", "stamped.pdf", "undone.pdf"));
    std::string jpeg;
    for (const ImageFacts& image : PdfInspector(folder.Path("stamped.pdf")).Images())
        if (image.stampMarked)
            jpeg = image.rawData;
    ASSERT_GT(jpeg.size(), 600u);

    const std::string undone = ReadFile(folder.Path("undone.pdf"));
    for (const std::size_t at : {std::size_t{0}, jpeg.size() / 2, jpeg.size() - 64})
        EXPECT_EQ(undone.find(jpeg.substr(at, 64)), std::string::npos) << "JPEG bytes at " << at;
    ExpectPagesAsIn(In(), folder.Path("undone.pdf"), kPages);
    ExpectRendersAlike(In(), folder.Path("undone.pdf"), kPages);
}

// Ten rounds of STAMP! and Undo, in one process and with every run a
// process of its own, leave the pages as they were.
TEST_F(UndoTest, TenStampsAndUndosLeaveThePagesAsTheyWere) {
    std::string script = "open in.pdf\n";
    std::vector<TranscriptMessage> expected;
    for (int round = 0; round < 10; ++round) {
        script += "click 1003\nmenu ADBE:PDFTalvane\nclick 1032\nmenu ADBE:PDFTalvane\n";
        expected.insert(expected.end(), {Done(), Done()});
    }
    const HostResult one = folder.RunScript(script + "save one-process.pdf\nclose\n");
    ASSERT_EQ(one.status, 0) << one.Describe();
    EXPECT_EQ(one.messages, expected);

    std::string current = "in.pdf";
    for (int round = 0; round < 10; ++round) {
        SCOPED_TRACE(round);
        const std::string undone = "undone-" + std::to_string(round) + ".pdf";
        ASSERT_NO_FATAL_FAILURE(StampThenUndo(current, "stamped.pdf", undone));
        current = undone;
    }

    for (const std::string& name : {std::string("one-process.pdf"), current}) {
        SCOPED_TRACE(name);
        EXPECT_EQ(StampedPages(folder.Path(name)), std::vector<int>{});
        ExpectPagesAsIn(In(), folder.Path(name), kPages);
        ExpectRendersAlike(In(), folder.Path(name), kPages);
    }
}

// Two pages use one resource dictionary; the stamp on the first put its
// picture's name there, and undoing it must not reach the second page.
TEST_F(UndoTest, UndoLeavesAPageThatSharesItsResourcesUntouched) {
    WritePdf(folder.Path("shared.pdf"), NumberedPages(2, FixturePage{.ownImageLast = true}),
             FixtureOptions{.sharedResources = true});
    SettingsFile s = UseBlackPicture();
    s.endProc = 1;
    s.Write(folder.SettingsPath());
    ASSERT_NO_FATAL_FAILURE(StampThenUndo("shared.pdf", "stamped.pdf", "undone.pdf"));
    EXPECT_EQ(QpdfCheck(folder.Path("undone.pdf")), 0);
    const PdfInspector in(folder.Path("shared.pdf"));
    const PdfInspector stamped(folder.Path("stamped.pdf"));
    const PdfInspector undone(folder.Path("undone.pdf"));
    EXPECT_EQ(undone.ResourceNames(0), in.ResourceNames(0));
    EXPECT_EQ(undone.ResourceNames(1), stamped.ResourceNames(1));
    EXPECT_EQ(undone.PageContent(1), stamped.PageContent(1));
    EXPECT_EQ(undone.DrawnImages(1).size(), 1u);
    ExpectRendersAlike(folder.Path("shared.pdf"), folder.Path("undone.pdf"), 2);
}

} // namespace
} // namespace e2e
