// Which pages a run stamps, on a document of seven pages that tell apart.
#include "StampScenario.h"

namespace e2e {
namespace {

constexpr int kPages = 7;

// The host's note when the run asks it for a page it does not have.
TranscriptMessage Refused(long long index) {
    return NoteAlert("Page index " + std::to_string(index) +
                     " is out of range: the document has 7 pages (0 to 6).");
}

class PageSelectionTest : public StampScenario {
  protected:
    void SetUp() override { WritePdf(folder.Path("in.pdf"), NumberedPages(kPages)); }
};

TEST_F(PageSelectionTest, StampsThePagesTheSettingsSelect) {
    struct Case {
        const char* what;
        int startProc, endProc, nth;
        std::vector<int> stamped; // 0-based
        TranscriptMessage message;
    } cases[] = {
        {"a zero step stamps every page", 1, 99999, 0, {0, 1, 2, 3, 4, 5, 6}, Done()},
        {"every second page", 1, 99999, 2, {0, 2, 4, 6}, Done()},
        {"the last page is inclusive", 1, 3, 1, {0, 1, 2}, Done()},
        {"a last page past the end is clamped", 5, 99999, 1, {4, 5, 6}, Done()},
        {"a first page past the end changes nothing", 8, 99999, 1, {}, Done()},
        {"page 0 is refused by the host", 0, 99999, 1, {}, Refused(-1)},
        // Downward from page 5 until the host refuses index -2; the pages
        // done before that keep their stamp.
        {"a negative step", 5, 99999, -2, {0, 2, 4}, Refused(-2)},
        // Extremes of the fields must not wrap into pages nobody selected.
        {"the largest step", 7, 99999, 2147483647, {6}, Done()},
        {"the smallest first page", -2147483647 - 1, 99999, 1, {}, Refused(-2147483648LL)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SettingsFile s = UseBlackPicture();
        s.startProc = c.startProc;
        s.endProc = c.endProc;
        s.nth = c.nth;
        s.Write(folder.SettingsPath());
        std::filesystem::remove(folder.Path("out.pdf"));

        const HostResult r = folder.RunScript(
            "open in.pdf\nclick 1003\nmenu ADBE:PDFTalvane\nsave out.pdf\nclose\n");
        ASSERT_EQ(r.status, 0) << r.Describe();
        EXPECT_EQ(r.messages, std::vector<TranscriptMessage>{c.message});
        EXPECT_EQ(QpdfCheck(folder.Path("out.pdf")), 0);
        EXPECT_EQ(StampedPages(folder.Path("out.pdf")), c.stamped);
        ExpectBlackStampOn(folder.Path("in.pdf"), folder.Path("out.pdf"), kPages, c.stamped);
    }
}

TEST_F(PageSelectionTest, AZeroStepIsStoredBackAsOne) {
    SettingsFile s = UseBlackPicture();
    s.nth = 0;
    s.Write(folder.SettingsPath());
    // The second dialog is closed with "&Close", which writes the settings
    // the process holds and starts no run.
    const HostResult r = folder.RunScript(
        "open in.pdf\nclick 1003\nmenu ADBE:PDFTalvane\nclick 1000\nmenu ADBE:PDFTalvane\n"
        "close\n");
    ASSERT_EQ(r.status, 0) << r.Describe();
    EXPECT_EQ(r.messages, std::vector<TranscriptMessage>{Done()});
    const auto values = SettingsFile::ReadValues(folder.SettingsPath());
    EXPECT_EQ(values.at("1NTH"), "1");
    EXPECT_EQ(values.at("IMAGEFILENAME"), s.imageFileName);
}

} // namespace
} // namespace e2e
