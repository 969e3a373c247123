#include "tests/pdfhost/viewer/ViewerFixture.h"

#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>
#include <qpdf/QPDFWriter.hh>

#include "pdfhost/app/PickerActions.h"
#include "pdfhost/av/ActiveDocument.h"
#include "pdfhost/pdf/Documents.h"
#include "pdfhost/pdf/PdfTables.h"
#include "platform/Dialog.h"
#include "platform/Messages.h"

namespace pdfhost::viewer {
namespace {

void Fill(QPDF& pdf, int pages) {
    pdf.emptyPDF();
    QPDFPageDocumentHelper helper(pdf);
    QPDFObjectHandle content = pdf.newStream(std::string("0 0 1 rg 10 10 20 20 re f\n"));
    for (int i = 0; i < pages; ++i) {
        QPDFObjectHandle page = pdf.makeIndirectObject(
            QPDFObjectHandle::parse("<< /Type /Page /MediaBox [0 0 300 400] /Resources << >> >>"));
        page.replaceKey("/Contents", content);
        helper.addPage(QPDFPageObjectHelper(page), false);
    }
}

} // namespace

void WritePdf(const std::filesystem::path& path, int pages) {
    QPDF pdf;
    Fill(pdf, pages);
    QPDFWriter writer(pdf, path.c_str());
    writer.write();
}

std::string PdfBytes(int pages) {
    QPDF pdf;
    Fill(pdf, pages);
    QPDFWriter writer(pdf);
    writer.setOutputMemory();
    writer.write();
    auto buffer = writer.getBufferSharedPointer();
    return std::string(reinterpret_cast<const char*>(buffer->getBuffer()), buffer->getSize());
}

PersonAtTheDesk::PersonAtTheDesk() {
    platform::DialogDriver::Install(this);
}

PersonAtTheDesk::~PersonAtTheDesk() {
    platform::DialogDriver::Install(nullptr);
}

void PersonAtTheDesk::Opened(platform::Dialog& dialog) {
    dialogOwners.push_back(dialog.Window()->parentWidget());
    dialog.End(2);
}

void PersonAtTheDesk::PickerShown(platform::PickerKind kind, QDialog& picker) {
    ShownPicker shown;
    shown.kind = kind;
    shown.title = picker.windowTitle().toStdString();
    if (auto* filePicker = qobject_cast<QFileDialog*>(&picker)) {
        shown.mustExist = filePicker->fileMode() == QFileDialog::ExistingFile;
        shown.folder = filePicker->directory().absolutePath().toStdString();
        if (auto* name = filePicker->findChild<QLineEdit*>("fileNameEdit"))
            shown.fileName = name->text().toStdString();
    }
    asked.push_back(shown);
    app::PickerAnswer answer;
    if (files.empty()) {
        ADD_FAILURE() << "a picker \"" << shown.title << "\" nobody expected";
        answer.cancelled = true;
    } else {
        answer.cancelled = !files.front();
        answer.path = files.front().value_or("");
        files.pop_front();
    }
    if (const std::string problem = app::PickerActions::Answer(kind, picker, answer);
        !problem.empty())
        ADD_FAILURE() << problem;
}

void ViewerFixture::SetUp() {
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

void ViewerFixture::TearDown() {
    platform::Messages::SetResponder({});
    window_.reset();
    av::ActiveDocument::Clear();
    pdf::Documents::CloseAll();
    session_.reset();
}

pdf::Document& ViewerFixture::Active() {
    return pdf::Document::FromHandle(av::ActiveDocument::Doc());
}

void ViewerFixture::AnswerPrompt(QMessageBox::StandardButton button) {
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

} // namespace pdfhost::viewer
