// Undo takes the last stamp off the selected pages, once per stamp, and
// never anything a stamp run did not put there.
#include "StampScenario.h"

namespace e2e {
namespace {

constexpr int kPages = 5;

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

} // namespace
} // namespace e2e
