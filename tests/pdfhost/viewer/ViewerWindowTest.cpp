// The viewer window on real widgets (offscreen), over the real plug-in: the
// menus and toolbar, what is rendered when, and the windows the plug-in opens.
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <qpdf/QPDFPageDocumentHelper.hh>

#include "pdfhost/viewer/PageView.h"
#include "tests/pdfhost/viewer/ViewerFixture.h"

namespace pdfhost::viewer {
namespace {

namespace fs = std::filesystem;

class ViewerWindowTest : public ViewerFixture {};

std::vector<std::string> Names(const QList<QAction*>& actions) {
    std::vector<std::string> names;
    for (QAction* a : actions)
        names.push_back(a->menu() ? "menu:" + a->menu()->objectName().toStdString()
                                  : a->objectName().toStdString());
    return names;
}

QMenu* MenuNamed(QWidget& parent, const char* name) {
    return parent.findChild<QMenu*>(name);
}

TEST_F(ViewerWindowTest, MenusAndToolbarShowTheModelWithThePluginsEntries) {
    std::vector<std::string> titles;
    for (QAction* a : window_->menuBar()->actions())
        titles.push_back(a->text().toStdString());
    EXPECT_EQ(titles,
              (std::vector<std::string>{"&File", "&Edit", "&View", "E&xtensions", "&Help"}));

    QMenu* file = MenuNamed(*window_, "File");
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(Names(file->actions()),
              (std::vector<std::string>{"Open", "Save", "SaveAs", "Close", "Quit"}));
    const std::pair<const char*, QKeySequence> keys[] = {{"Open", QKeySequence::Open},
                                                         {"Save", QKeySequence::Save},
                                                         {"SaveAs", QKeySequence("Ctrl+Shift+S")},
                                                         {"Close", QKeySequence("Ctrl+W")},
                                                         {"Quit", QKeySequence("Ctrl+Q")}};
    for (const auto& [name, key] : keys) {
        SCOPED_TRACE(name);
        auto* action = file->findChild<QAction*>(name);
        ASSERT_NE(action, nullptr);
        EXPECT_EQ(action->shortcut(), key);
    }

    QMenu* extensions = MenuNamed(*window_, "Extensions");
    ASSERT_NE(extensions, nullptr);
    ASSERT_EQ(Names(extensions->actions()), std::vector<std::string>{"ADBE:PDFTalvane"});
    EXPECT_EQ(extensions->actions()[0]->text(), "&Talvane");

    QMenu* help = MenuNamed(*window_, "Help");
    ASSERT_NE(help, nullptr);
    EXPECT_EQ(Names(help->actions()), std::vector<std::string>{"menu:AboutExtensions"});
    QMenu* about = MenuNamed(*help, "AboutExtensions");
    ASSERT_NE(about, nullptr);
    ASSERT_EQ(Names(about->actions()), std::vector<std::string>{"ADBE:AboutPDFTalvane"});
    EXPECT_EQ(about->actions()[0]->text(), "About PDF Talvane...");

    auto* tools = window_->findChild<QToolBar*>("toolbar");
    ASSERT_NE(tools, nullptr);
    EXPECT_EQ(Names(tools->actions()),
              (std::vector<std::string>{"open", "save", "print", "ADBE:PDFTalvane", "endToolsGroup",
                                        "zoomIn", "zoomOut"}));
    auto* stamp = tools->findChild<QAction*>("ADBE:PDFTalvane");
    ASSERT_NE(stamp, nullptr);
    EXPECT_EQ(stamp->toolTip(), "PDF Talvane");
    EXPECT_FALSE(stamp->icon().isNull());
    EXPECT_EQ(stamp->icon().availableSizes().value(0), QSize(21, 22));
    EXPECT_TRUE(tools->findChild<QAction*>("endToolsGroup")->isSeparator());

    // Enabled state follows the enable procedures: the plug-in's item is
    // enabled without a document, the host's document items are not.
    auto enabled = [&](const char* name) {
        return window_->findChild<QAction*>(name)->isEnabled();
    };
    EXPECT_TRUE(enabled("ADBE:PDFTalvane"));
    EXPECT_FALSE(enabled("Save"));
    EXPECT_FALSE(enabled("Close"));
    EXPECT_FALSE(tools->findChild<QAction*>("print")->isEnabled()) << "nothing prints";
    WritePdf(dir_ / "one.pdf", 1);
    ASSERT_TRUE(window_->OpenFile((dir_ / "one.pdf").string()));
    EXPECT_TRUE(enabled("Save"));
    EXPECT_TRUE(enabled("Close"));
}

TEST_F(ViewerWindowTest, ALargeDocumentRendersOnlyThePagesInView) {
    WritePdf(dir_ / "big.pdf", 2000);
    ASSERT_TRUE(window_->OpenFile((dir_ / "big.pdf").string()));
    ASSERT_TRUE(window_->WaitForPages(60000));
    PageRenderer& r = window_->Renderer();
    EXPECT_EQ(r.PageCount(), 2000);
    EXPECT_TRUE(r.IsRendered(0));
    EXPECT_FALSE(r.IsRendered(5));
    EXPECT_FALSE(r.IsRendered(1999));
    const int firstView = r.Requests();
    EXPECT_GE(firstView, 1);
    EXPECT_LE(firstView, 3) << "only the pages in the window are rendered";
    EXPECT_EQ(window_->findChild<QLabel*>("pageStatus")->text(), "Page 1 of 2000");

    window_->View().ShowPage(1999);
    ASSERT_TRUE(window_->WaitForPages(60000));
    EXPECT_TRUE(r.IsRendered(1999));
    EXPECT_LE(r.Requests() - firstView, 3) << "jumping renders the destination, not the way there";
    EXPECT_EQ(window_->findChild<QLabel*>("pageStatus")->text(), "Page 2000 of 2000");

    // Going back uses the cache of this zoom; another zoom renders anew.
    const int before = r.Requests();
    window_->View().ShowPage(0);
    ASSERT_TRUE(window_->WaitForPages(60000));
    EXPECT_EQ(r.Requests(), before);
    window_->View().SetZoom(ZoomMode::Percent, 400);
    ASSERT_TRUE(window_->WaitForPages(60000));
    EXPECT_GT(r.Requests(), before);
    EXPECT_EQ(window_->View().EffectivePercent(), 400);
    EXPECT_EQ(window_->findChild<QLabel*>("zoomStatus")->text(), "400 %");
    window_->View().SetZoom(ZoomMode::Percent, 1000);
    EXPECT_EQ(window_->View().EffectivePercent(), PageView::kMaxPercent);
}

TEST_F(ViewerWindowTest, AChangedPageIsRenderedAgainFromTheDocumentInMemory) {
    const fs::path input = dir_ / "three.pdf";
    WritePdf(input, 3);
    ASSERT_TRUE(window_->OpenFile(input.string()));
    window_->View().SetZoom(ZoomMode::FitPage);
    ASSERT_TRUE(window_->WaitForPages(60000));
    EXPECT_EQ(window_->windowTitle(), "three.pdf - pdfhost");
    // Without its file the document can only come from memory.
    fs::remove(input);

    pdf::Document& doc = Active();
    QPDFPageObjectHelper page = QPDFPageDocumentHelper(doc.Pdf()).getAllPages()[0];
    page.addPageContents(doc.Pdf().newStream(std::string("0 0 0 rg 0 0 300 400 re f\n")), false);
    doc.NotifyContentsChanged(0, true);
    ASSERT_TRUE(window_->WaitForPages(60000));

    EXPECT_EQ(window_->windowTitle(), "three.pdf* - pdfhost");
    const QRect rect = window_->View().PageRect(0);
    const QImage* image = window_->Renderer().Request(0, rect.width());
    ASSERT_NE(image, nullptr) << "page 1 was rendered again";
    EXPECT_LT(qGray(image->pixel(image->width() / 2, image->height() / 2)), 30)
        << "the change is on screen";
    EXPECT_FALSE(fs::exists(input)) << "nothing was written";
}

TEST_F(ViewerWindowTest, ThePluginsDialogsBelongToTheWindow) {
    WritePdf(dir_ / "one.pdf", 1);
    ASSERT_TRUE(window_->OpenFile((dir_ / "one.pdf").string()));
    auto* tools = window_->findChild<QToolBar*>("toolbar");
    QMenu* about = MenuNamed(*MenuNamed(*window_, "Help"), "AboutExtensions");
    ASSERT_NE(about, nullptr);
    const std::pair<const char*, QAction*> entries[] = {
        {"the toolbar button's stamp dialog", tools->findChild<QAction*>("ADBE:PDFTalvane")},
        {"the About item's dialog", about->findChild<QAction*>("ADBE:AboutPDFTalvane")},
    };
    for (const auto& [what, action] : entries) {
        SCOPED_TRACE(what);
        ASSERT_NE(action, nullptr);
        PersonAtTheDesk person;
        action->trigger();
        ASSERT_EQ(person.dialogOwners.size(), 1u) << "the dialog opened once";
        EXPECT_EQ(person.dialogOwners[0], window_.get());
    }
    EXPECT_FALSE(window_->HasUnsavedChanges()) << "the stamp dialog was cancelled";
}

} // namespace
} // namespace pdfhost::viewer
