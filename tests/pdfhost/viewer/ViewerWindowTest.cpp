// The viewer window on real widgets (offscreen), over the real plug-in.
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QToolBar>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>
#include <qpdf/QPDFWriter.hh>

#include "pdfhost/app/HostSession.h"
#include "pdfhost/av/ActiveDocument.h"
#include "pdfhost/pdf/Document.h"
#include "pdfhost/pdf/Documents.h"
#include "pdfhost/pdf/PdfTables.h"
#include "pdfhost/viewer/PageView.h"
#include "pdfhost/viewer/ViewerWindow.h"
#include "platform/Messages.h"
#include "tests/support/FileBytes.h"
#include "tests/support/TempFolder.h"
#include "tests/support/ToolRuns.h"

namespace pdfhost::viewer {
namespace {

namespace fs = std::filesystem;

// White pages of 300 x 400 points.
void WritePdf(const fs::path& path, int pages) {
    QPDF pdf;
    pdf.emptyPDF();
    QPDFPageDocumentHelper helper(pdf);
    QPDFObjectHandle content = pdf.newStream(std::string("0 0 1 rg 10 10 20 20 re f\n"));
    for (int i = 0; i < pages; ++i) {
        QPDFObjectHandle page = pdf.makeIndirectObject(
            QPDFObjectHandle::parse("<< /Type /Page /MediaBox [0 0 300 400] /Resources << >> >>"));
        page.replaceKey("/Contents", content);
        helper.addPage(QPDFPageObjectHelper(page), false);
    }
    QPDFWriter writer(pdf, path.c_str());
    writer.write();
}

std::string Read(const fs::path& path) {
    return testsupport::ReadFile(path);
}

int QpdfCheck(const fs::path& path) {
    return testsupport::QpdfCheck(path);
}

class ViewerWindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        dir_ = folder_.Path();
        platform::Messages::SetTranscript(nullptr);
        app::SessionOptions options;
        options.loader.folder = TALVANE_PLUGIN_DIR;
        session_ = std::make_unique<app::HostSession>(options);
        pdf::InstallPdfTables(session_->Tables());
        session_->LoadPlugins();
        window_ = std::make_unique<ViewerWindow>();
        window_->show();
    }
    void TearDown() override {
        platform::Messages::SetResponder({});
        window_.reset();
        av::ActiveDocument::Clear();
        pdf::Documents::CloseAll();
        session_.reset();
    }

    pdf::Document& Active() { return pdf::Document::FromHandle(av::ActiveDocument::Doc()); }

    // Answers the unsaved-changes prompt with `button` once it is shown.
    void AnswerPrompt(QMessageBox::StandardButton button) {
        prompted_ = false;
        QTimer::singleShot(0, [this, button] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            EXPECT_EQ(box->objectName(), "unsavedPrompt");
            EXPECT_EQ(box->parent(), window_.get()) << "the prompt belongs to the window";
            prompted_ = true;
            box->button(button)->click();
        });
    }

    testsupport::TempFolder folder_{"viewer", testsupport::TempFolder::OnFailure::Keep};
    fs::path dir_;
    std::unique_ptr<app::HostSession> session_;
    std::unique_ptr<ViewerWindow> window_;
    bool prompted_ = false;
};

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

TEST_F(ViewerWindowTest, UnsavedChangesAskSaveDiscardOrCancel) {
    struct Case {
        const char* what;
        QMessageBox::StandardButton answer;
        bool closed;
        bool written;
    } cases[] = {
        {"cancel", QMessageBox::Cancel, false, false},
        {"discard", QMessageBox::Discard, true, false},
        {"save", QMessageBox::Save, true, true},
    };
    const fs::path input = dir_ / "in.pdf";
    const fs::path output = dir_ / "saved.pdf";
    WritePdf(input, 2);
    const std::string original = Read(input);
    window_->SetFileChooser([&](ViewerWindow::Choice c, const std::string& suggestion) {
        EXPECT_EQ(c, ViewerWindow::Choice::SaveAs);
        EXPECT_EQ(suggestion, input.string());
        return output.string();
    });
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        fs::remove(output);
        ASSERT_TRUE(window_->OpenFile(input.string()));
        Active().NotifyContentsChanged(1, true);
        QApplication::processEvents();
        ASSERT_TRUE(window_->HasUnsavedChanges());

        AnswerPrompt(c.answer);
        EXPECT_EQ(window_->CloseDocument(), c.closed);
        EXPECT_TRUE(prompted_);
        EXPECT_EQ(av::ActiveDocument::Doc() == nullptr, c.closed);
        EXPECT_EQ(fs::exists(output), c.written);
        if (c.written) {
            EXPECT_EQ(QpdfCheck(output), 0);
        }
        EXPECT_EQ(Read(input), original);
        if (!c.closed) {
            // Quitting asks too, and Cancel keeps the window.
            AnswerPrompt(QMessageBox::Cancel);
            EXPECT_FALSE(window_->close());
            EXPECT_TRUE(prompted_);
            EXPECT_TRUE(window_->isVisible());
            AnswerPrompt(QMessageBox::Discard);
            ASSERT_TRUE(window_->CloseDocument());
        }
    }
}

TEST_F(ViewerWindowTest, SaveNeverReplacesTheInputUnlessTheUserChoseIt) {
    const fs::path input = dir_ / "in.pdf";
    WritePdf(input, 1);
    const std::string original = Read(input);
    ASSERT_TRUE(window_->OpenFile(input.string()));
    Active().NotifyContentsChanged(0, true);
    QApplication::processEvents();

    std::vector<std::string> answers = {"", (dir_ / "copy.pdf").string(), input.string()};
    int asked = 0;
    window_->SetFileChooser([&](ViewerWindow::Choice, const std::string&) {
        return answers.at(static_cast<std::size_t>(asked++));
    });
    EXPECT_FALSE(window_->Save()) << "the user cancelled the file choice";
    EXPECT_EQ(asked, 1) << "Save asks where to, the first time";
    EXPECT_TRUE(window_->HasUnsavedChanges());

    EXPECT_TRUE(window_->Save());
    EXPECT_EQ(QpdfCheck(dir_ / "copy.pdf"), 0);
    EXPECT_FALSE(window_->HasUnsavedChanges());
    EXPECT_EQ(window_->windowTitle(), "in.pdf - pdfhost");
    EXPECT_TRUE(window_->Save());
    EXPECT_EQ(asked, 2) << "then it writes to the file chosen";
    EXPECT_EQ(Read(input), original);

    EXPECT_TRUE(window_->SaveAs()); // the user chose the input itself
    EXPECT_NE(Read(input), original);
    EXPECT_EQ(QpdfCheck(input), 0);
}

TEST_F(ViewerWindowTest, AFailingOpenShowsTheMessageAndKeepsTheDocument) {
    std::vector<platform::Message> shown;
    platform::Messages::SetResponder([&](const platform::Message& m) {
        shown.push_back(m);
        return 1;
    });
    WritePdf(dir_ / "good.pdf", 2);
    std::ofstream(dir_ / "bad.pdf") << "this is not a PDF";
    ASSERT_TRUE(window_->OpenFile((dir_ / "good.pdf").string()));

    for (const char* name : {"missing.pdf", "bad.pdf"}) {
        SCOPED_TRACE(name);
        shown.clear();
        EXPECT_FALSE(window_->OpenFile((dir_ / name).string()));
        ASSERT_EQ(shown.size(), 1u);
        EXPECT_EQ(shown[0].kind, platform::MessageKind::CautionAlert);
        EXPECT_NE(shown[0].text.find(name), std::string::npos) << shown[0].text;
        EXPECT_EQ(window_->windowTitle(), "good.pdf - pdfhost");
        EXPECT_EQ(window_->Renderer().PageCount(), 2);
    }
    WritePdf(dir_ / "next.pdf", 3);
    EXPECT_TRUE(window_->OpenFile((dir_ / "next.pdf").string()));
    EXPECT_EQ(window_->Renderer().PageCount(), 3);
    EXPECT_EQ(pdf::Documents::Count(), 1u) << "the previous document was closed";
}

} // namespace
} // namespace pdfhost::viewer

int main(int argc, char** argv) {
    // Real widgets, never a display: also when ctest lists the tests.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
