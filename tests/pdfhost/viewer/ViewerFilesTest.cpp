// The viewer window's documents as a person handles them: the file pickers,
// the unsaved-changes prompt, saving, a failing open and dropping a file.
#include <QApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>
#include <fstream>

#include "pdfhost/av/ActiveDocument.h"
#include "pdfhost/pdf/Documents.h"
#include "pdfhost/viewer/PageView.h"
#include "platform/Messages.h"
#include "tests/pdfhost/viewer/ViewerFixture.h"
#include "tests/support/FileBytes.h"
#include "tests/support/ToolRuns.h"

namespace pdfhost::viewer {
namespace {

namespace fs = std::filesystem;
using testsupport::QpdfCheck;
using testsupport::ReadFile;

class ViewerFilesTest : public ViewerFixture {
  protected:
    // Opens `path` with a change in it, as a stamp leaves it.
    void OpenChanged(const fs::path& path) {
        ASSERT_TRUE(window_->OpenFile(path.string()));
        Active().NotifyContentsChanged(0, true);
        QApplication::processEvents();
        ASSERT_TRUE(window_->HasUnsavedChanges());
    }
};

TEST_F(ViewerFilesTest, OpenAndSaveAsAskThePlatformsFilePicker) {
    const fs::path input = dir_ / "in.pdf";
    WritePdf(input, 2);
    PersonAtTheDesk person;
    person.files = {std::nullopt, input.string()};
    window_->findChild<QAction*>("Open")->trigger(); // cancelled
    EXPECT_EQ(av::ActiveDocument::Doc(), nullptr);
    window_->findChild<QAction*>("Open")->trigger();
    ASSERT_NE(av::ActiveDocument::Doc(), nullptr);
    EXPECT_EQ(window_->windowTitle(), "in.pdf - pdfhost");

    Active().NotifyContentsChanged(0, true);
    QApplication::processEvents();
    // A name without an extension gets ".pdf", as the picker's rule says.
    person.files = {(dir_ / "copy").string()};
    window_->findChild<QAction*>("SaveAs")->trigger();
    EXPECT_EQ(QpdfCheck(dir_ / "copy.pdf"), 0);
    EXPECT_EQ(window_->windowTitle(), "copy.pdf - pdfhost") << "the document is the copy now";

    ASSERT_EQ(person.asked.size(), 3u);
    EXPECT_EQ(person.asked[0].kind, platform::PickerKind::OpenFile);
    EXPECT_EQ(person.asked[0].title, "Open");
    EXPECT_TRUE(person.asked[0].mustExist);
    EXPECT_EQ(person.asked[2].kind, platform::PickerKind::SaveFile);
    EXPECT_EQ(person.asked[2].title, "Save As");
    EXPECT_EQ(person.asked[2].folder, dir_.string()) << "Save As starts in the document's folder";
    EXPECT_EQ(person.asked[2].fileName, "in.pdf") << "and suggests its name";
}

TEST_F(ViewerFilesTest, UnsavedChangesAskSaveDiscardOrCancel) {
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
    const std::string original = ReadFile(input);
    PersonAtTheDesk person;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        fs::remove(output);
        person.files = {output.string()};
        OpenChanged(input);

        AnswerPrompt(c.answer);
        EXPECT_EQ(window_->CloseDocument(), c.closed);
        EXPECT_TRUE(prompted_);
        EXPECT_EQ(av::ActiveDocument::Doc() == nullptr, c.closed);
        EXPECT_EQ(fs::exists(output), c.written);
        EXPECT_EQ(person.files.empty(), c.written) << "only Save asks where to";
        if (c.written) {
            EXPECT_EQ(QpdfCheck(output), 0);
        }
        EXPECT_EQ(ReadFile(input), original);
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

TEST_F(ViewerFilesTest, SaveNeverReplacesTheInputUnlessTheUserChoseIt) {
    const fs::path input = dir_ / "in.pdf";
    WritePdf(input, 1);
    const std::string original = ReadFile(input);
    OpenChanged(input);

    PersonAtTheDesk person;
    person.files = {std::nullopt, (dir_ / "copy.pdf").string(), input.string()};
    EXPECT_FALSE(window_->Save()) << "the user cancelled the file choice";
    EXPECT_EQ(person.asked.size(), 1u) << "Save asks where to, the first time";
    EXPECT_TRUE(window_->HasUnsavedChanges());

    EXPECT_TRUE(window_->Save());
    EXPECT_EQ(QpdfCheck(dir_ / "copy.pdf"), 0);
    EXPECT_FALSE(window_->HasUnsavedChanges());
    EXPECT_TRUE(window_->Save());
    EXPECT_EQ(person.asked.size(), 2u) << "then it writes to the file chosen";
    EXPECT_EQ(ReadFile(input), original);

    EXPECT_TRUE(window_->SaveAs()); // the user chose the input itself
    EXPECT_NE(ReadFile(input), original);
    EXPECT_EQ(QpdfCheck(input), 0);
    EXPECT_EQ(window_->windowTitle(), "in.pdf - pdfhost");
}

TEST_F(ViewerFilesTest, AFailingOpenShowsTheMessageAndKeepsTheDocument) {
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

// Drags `urls` onto the pages and drops them there, as a person does; the
// window takes them from there. True when the window accepted the drag.
bool DropOn(ViewerWindow& window, const QList<QUrl>& urls) {
    QMimeData mime;
    mime.setUrls(urls);
    QWidget* target = window.View().viewport();
    const QPoint at = target->rect().center();
    QDragEnterEvent enter(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    QDropEvent drop(QPointF(at), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &drop);
    return enter.isAccepted();
}

QUrl FileUrl(const fs::path& path) {
    return QUrl::fromLocalFile(QString::fromStdString(path.string()));
}

TEST_F(ViewerFilesTest, ADroppedPdfOpens) {
    WritePdf(dir_ / "first.pdf", 1);
    WritePdf(dir_ / "dropped.pdf", 3);
    WritePdf(dir_ / "other.pdf", 2);
    std::ofstream(dir_ / "notes.txt") << "not a PDF";
    struct Case {
        const char* what;
        QList<QUrl> urls;
        bool accepted;
    } cases[] = {
        {"a text file", {FileUrl(dir_ / "notes.txt")}, false},
        {"two files", {FileUrl(dir_ / "dropped.pdf"), FileUrl(dir_ / "other.pdf")}, false},
        {"a remote file", {QUrl("https://example.org/dropped.pdf")}, false},
        {"one PDF", {FileUrl(dir_ / "dropped.pdf")}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_TRUE(window_->OpenFile((dir_ / "first.pdf").string()));
        EXPECT_EQ(DropOn(*window_, c.urls), c.accepted);
        QApplication::processEvents();
        EXPECT_EQ(window_->Renderer().PageCount(), c.accepted ? 3 : 1);
        EXPECT_EQ(window_->windowTitle(),
                  c.accepted ? "dropped.pdf - pdfhost" : "first.pdf - pdfhost");
    }

    // With unsaved changes a drop asks first, and Cancel keeps them.
    OpenChanged(dir_ / "first.pdf");
    EXPECT_TRUE(DropOn(*window_, {FileUrl(dir_ / "dropped.pdf")}));
    AnswerPrompt(QMessageBox::Cancel); // the drop opens on the next turn, then asks
    QApplication::processEvents();
    EXPECT_TRUE(prompted_);
    EXPECT_TRUE(window_->HasUnsavedChanges());
    EXPECT_EQ(window_->Renderer().PageCount(), 1);
}

} // namespace
} // namespace pdfhost::viewer
