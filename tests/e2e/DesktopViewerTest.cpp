// `pdfhost view --script` on a real X display: the plug-in's toolbar button
// in the window opens its dialog, the script's steps answer it inside the
// window's loop, the stamp is on screen, the title says so, and Save As
// (answered like any picker) writes the document.
#include <QImage>
#include <cstdlib>
#include <fstream>
#include <sys/wait.h>

#include "StampScenario.h"
#include "tests/support/XvfbDisplay.h"

namespace e2e {
namespace {

namespace fs = std::filesystem;

struct Box {
    int x0 = 1 << 30, y0 = 1 << 30, x1 = -1, y1 = -1; // [x0, x1) x [y0, y1)
    void Add(int x, int y) {
        x0 = std::min(x0, x);
        y0 = std::min(y0, y);
        x1 = std::max(x1, x + 1);
        y1 = std::max(y1, y + 1);
    }
    bool Empty() const { return x1 < 0; }
    int Width() const { return x1 - x0; }
    int Height() const { return y1 - y0; }
};

// The first page on screen: the first run of rows that are mostly pure
// white, and the white pixels in them.
Box PageOf(const QImage& grab) {
    Box box;
    for (int y = 0; y < grab.height(); ++y) {
        int white = 0;
        for (int x = 0; x < grab.width(); ++x)
            white += grab.pixel(x, y) == qRgb(255, 255, 255);
        if (white <= grab.width() / 3) {
            if (!box.Empty())
                break;
            continue;
        }
        for (int x = 0; x < grab.width(); ++x)
            if (grab.pixel(x, y) == qRgb(255, 255, 255))
                box.Add(x, y);
    }
    return box;
}

class DesktopViewerTest : public StampScenario {};

TEST_F(DesktopViewerTest, TheToolbarButtonStampsThePageInTheWindow) {
    testsupport::XvfbDisplay display;
    ASSERT_FALSE(display.Name().empty()) << display.Error();
    UseBlackPicture();
    WritePdf(folder.Path("in.pdf"), NumberedPages(2));
    const std::string input = ReadFile(folder.Path("in.pdf"));
    std::ofstream(folder.Path("view.script")) << "menu FitPage\n"
                                                 "grab-window before.png\n"
                                                 "type 1012 1\n" // the last page to stamp
                                                 "click 1003\n"
                                                 "toolbar ADBE:PDFTalvane\n"
                                                 "title\n"
                                                 "grab-window after.png\n"
                                                 "file out\n"
                                                 "menu SaveAs\n"
                                                 "title\n"
                                                 "page 2\n"
                                                 "page 3\n";
    const std::string command =
        "cd '" + folder.Root().string() + "' && env -u QT_QPA_PLATFORM DISPLAY=" + display.Name() +
        " '" PDFHOST_EXE "' --plugins '" TALVANE_PLUGIN_DIR "' --registry '" +
        folder.Registry().string() + "' view --script view.script in.pdf > out.txt 2> err.txt";
    const int status = std::system(command.c_str());
    const std::string out = ReadFile(folder.Path("out.txt"));
    const std::string err = ReadFile(folder.Path("err.txt"));

    // The script's last line fails (there is no page 3), and with it the run.
    EXPECT_EQ(WEXITSTATUS(status), 1) << err;
    EXPECT_NE(err.find("view.script:12: page 3 is not a page of the document (1 to 2)"),
              std::string::npos)
        << err;
    EXPECT_EQ(ParseTranscript(out), std::vector<TranscriptMessage>{Done()});
    EXPECT_NE(out.find("TITLE \"in.pdf* - pdfhost\"\n"), std::string::npos) << out;
    EXPECT_NE(out.find("TITLE \"out.pdf - pdfhost\"\n"), std::string::npos) << "saved: " << out;
    EXPECT_EQ(QpdfCheck(folder.Path("out.pdf")), 0);
    EXPECT_EQ(StampedPages(folder.Path("out.pdf")), std::vector<int>{0}) << "the typed last page";
    EXPECT_EQ(ReadFile(folder.Path("in.pdf")), input);

    const QImage before(QString::fromStdString(folder.Path("before.png").string()));
    const QImage after(QString::fromStdString(folder.Path("after.png").string()));
    ASSERT_FALSE(before.isNull());
    ASSERT_EQ(before.size(), after.size());
    const Box page = PageOf(before);
    ASSERT_FALSE(page.Empty());
    ASSERT_NEAR(page.Width(), page.Height(), 3) << "the pages are square";
    // What changed in the whole window is the stamp: 80 x 60 of 200 x 200 points, 20 points
    // from the left and bottom edges of the page, black. The status bar and the rest stay.
    Box changed;
    for (int y = 0; y < before.height(); ++y)
        for (int x = 0; x < before.width(); ++x)
            if (before.pixel(x, y) != after.pixel(x, y))
                changed.Add(x, y);
    ASSERT_FALSE(changed.Empty()) << "the stamp is not on screen";
    const double unit = page.Width() / 200.0;
    EXPECT_NEAR(changed.x0 - page.x0, 20 * unit, 2);
    EXPECT_NEAR(page.y1 - changed.y1, 20 * unit, 2);
    EXPECT_NEAR(changed.Width(), 80 * unit, 2);
    EXPECT_NEAR(changed.Height(), 60 * unit, 2);
    const QRgb middle = after.pixel((changed.x0 + changed.x1) / 2, (changed.y0 + changed.y1) / 2);
    EXPECT_LT(qGray(middle), 20);
}

} // namespace
} // namespace e2e
