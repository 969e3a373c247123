#include "pdfhost/viewer/ViewerWindow.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QElapsedTimer>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QUrl>
#include <filesystem>
#include <functional>

#include "pdfhost/av/ActiveDocument.h"
#include "pdfhost/av/Menu.h"
#include "pdfhost/av/MenuItem.h"
#include "pdfhost/av/Menubar.h"
#include "pdfhost/av/ToolBar.h"
#include "pdfhost/av/ToolButton.h"
#include "pdfhost/av/Viewer.h"
#include "pdfhost/core/HostError.h"
#include "pdfhost/pdf/Document.h"
#include "pdfhost/pdf/DocumentBytes.h"
#include "pdfhost/pdf/DocumentSaver.h"
#include "pdfhost/pdf/Documents.h"
#include "pdfhost/pdf/OpenFile.h"
#include "pdfhost/viewer/ModelWidgets.h"
#include "pdfhost/viewer/PageView.h"
#include "platform/FilePicker.h"
#include "platform/Messages.h"
#include "platform/OwnerWindow.h"

namespace pdfhost::viewer {
namespace {

constexpr const char* kAppName = "pdfhost";

pdf::Document* ActiveDoc() {
    PDDoc doc = av::ActiveDocument::Doc();
    return doc ? &pdf::Document::FromHandle(doc) : nullptr;
}

bool IsPdfFile(const QUrl& url) {
    return url.isLocalFile() && url.toLocalFile().endsWith(".pdf", Qt::CaseInsensitive);
}

} // namespace

ViewerWindow::ViewerWindow() {
    setObjectName("pdfhost");
    setAcceptDrops(true);
    view_ = new PageView(renderer_, this);
    setCentralWidget(view_);
    pageLabel_ = new QLabel(this);
    pageLabel_->setObjectName("pageStatus");
    zoomLabel_ = new QLabel(this);
    zoomLabel_->setObjectName("zoomStatus");
    statusBar()->addWidget(pageLabel_, 1);
    statusBar()->addPermanentWidget(zoomLabel_);
    connect(view_, &PageView::currentPageChanged, this, [this] { UpdateStatus(); });
    // A zoom from a script or a resize changes what the status bar says.
    connect(view_, &PageView::laidOut, this, [this] { UpdateStatus(); });

    InstallHostItems();
    widgets_ =
        std::make_unique<ModelWidgets>([this](const av::MenuItem& item) { RunItem(item); },
                                       [this](const av::ToolButton& button) { RunButton(button); });
    widgets_->Build(*menuBar());
    QToolBar* tools = addToolBar("Tools");
    tools->setObjectName("toolbar");
    tools->setMovable(false);
    widgets_->FillToolBar(*tools);

    pdf::Document::SetChangeListener([this](pdf::Document& doc, int pageIndex, bool) {
        if (doc.Serial() == shown_)
            ContentsChanged(pageIndex);
    });
    platform::OwnerWindow::SetMain(this);
    resize(900, 1000);
    ShowActiveDocument();
}

ViewerWindow::~ViewerWindow() {
    if (platform::OwnerWindow::Main() == this)
        platform::OwnerWindow::SetMain(nullptr);
    pdf::Document::SetChangeListener({});
}

void ViewerWindow::InstallHostItems() {
    av::Menubar& bar = av::Viewer::Bar();
    const auto hasDoc = [] { return av::ActiveDocument::Doc() != nullptr; };
    struct HostItem {
        const char* menu;
        const char* title;
        const char* name;
        const char* keys;
        std::function<void()> run;
        std::function<bool()> enabled;
    };
    const HostItem items[] = {
        {"File", "&Open...", "Open", "Ctrl+O", [this] { OpenFile(Choose(Choice::Open)); }, {}},
        {"File", "&Save", "Save", "Ctrl+S", [this] { Save(); }, hasDoc},
        {"File", "Save &As...", "SaveAs", "Ctrl+Shift+S", [this] { SaveAs(); }, hasDoc},
        {"File", "&Close", "Close", "Ctrl+W", [this] { CloseDocument(); }, hasDoc},
        {"File", "&Quit", "Quit", "Ctrl+Q", [this] { close(); }, {}},
        {"View", "Fit &Width", "FitWidth", "Ctrl+2", [this] { view_->SetZoom(ZoomMode::FitWidth); },
         hasDoc},
        {"View", "Fit &Page", "FitPage", "Ctrl+1", [this] { view_->SetZoom(ZoomMode::FitPage); },
         hasDoc},
        {"View", "&Actual Size", "ActualSize", "Ctrl+0",
         [this] { view_->SetZoom(ZoomMode::Percent, 100); }, hasDoc},
        {"View", "Zoom &In", "ZoomIn", "Ctrl++", [this] { view_->ZoomIn(); }, hasDoc},
        {"View", "Zoom &Out", "ZoomOut", "Ctrl+-", [this] { view_->ZoomOut(); }, hasDoc},
    };
    for (const HostItem& h : items) {
        av::Menu* menu = bar.AcquireMenu(h.menu);
        if (!menu || bar.FindItem(h.name))
            continue;
        av::MenuItem* item = bar.NewItem(h.title, h.name, kAppName);
        item->SetShortcut(h.keys);
        item->SetHostProcs(h.run, h.enabled);
        menu->Add(item, static_cast<ASInt32>(menu->Items().size()));
    }
    av::ToolBar& tools = av::Viewer::Tools();
    const std::pair<const char*, std::function<void()>> buttons[] = {
        {"open", [this] { OpenFile(Choose(Choice::Open)); }},
        {"save", [this] { Save(); }},
        {"zoomIn", [this] { view_->ZoomIn(); }},
        {"zoomOut", [this] { view_->ZoomOut(); }},
    };
    for (const auto& [name, run] : buttons) {
        if (av::ToolButton* button = tools.Find(name))
            button->SetHostProcs(run, std::string(name) == "open"
                                          ? std::function<bool()>([] { return true; })
                                          : std::function<bool()>(hasDoc));
    }
}

void ViewerWindow::RunItem(const av::MenuItem& item) {
    if (!item.IsEnabled())
        return;
    if (const ASErrorCode raised = item.Execute())
        Report(ErrorTexts::For(raised));
    Refresh();
}

void ViewerWindow::RunButton(const av::ToolButton& button) {
    if (!button.IsEnabled())
        return;
    if (const ASErrorCode raised = button.Execute())
        Report(ErrorTexts::For(raised));
    Refresh();
}

void ViewerWindow::Report(const std::string& text) {
    platform::Messages::Show(
        platform::Message{platform::MessageKind::CautionAlert, kAppName, text, {}});
}

std::string ViewerWindow::Choose(Choice choice, const std::string& suggested) {
    platform::FilePickerOptions options;
    if (!suggested.empty()) {
        const std::filesystem::path where = std::filesystem::absolute(suggested);
        options.folder = where.parent_path().string();
        options.fileName = where.filename().string();
    }
    options.title = choice == Choice::Open ? "Open" : "Save As";
    options.filters = {{"PDF Files", "*.pdf"}, {"All Files", "*.*"}};
    options.defaultExtension = "pdf";
    options.mustExist = choice == Choice::Open;
    options.maxPath = 4096; // a Linux path, not the plug-in's buffer
    const std::optional<std::string> path = choice == Choice::Open
                                                ? platform::FilePicker::Open(options)
                                                : platform::FilePicker::Save(options);
    return path.value_or("");
}

void ViewerWindow::ShowActiveDocument() {
    pdf::Document* doc = ActiveDoc();
    const std::uint64_t serial = doc ? doc->Serial() : 0;
    if (serial != shown_) {
        shown_ = serial;
        target_.clear();
        changed_.clear();
        unsaved_ = false;
        renderer_.Clear();
        if (doc) {
            try {
                if (!renderer_.SetDocument(pdf::DocumentBytes::Write(*doc)))
                    Report("The pages of \"" + doc->Path() + "\" cannot be shown.");
            } catch (const HostError& e) {
                Report(e.what());
            }
        }
        view_->Layout();
        view_->ShowPage(0);
    }
    Refresh();
}

void ViewerWindow::ContentsChanged(int pageIndex) {
    changed_.insert(pageIndex);
    unsaved_ = true;
    if (refreshQueued_)
        return;
    // A run changes many pages without yielding; they are shown together.
    refreshQueued_ = true;
    QTimer::singleShot(0, this, [this] {
        refreshQueued_ = false;
        pdf::Document* doc = ActiveDoc();
        if (!doc || doc->Serial() != shown_)
            return;
        try {
            renderer_.Replace(pdf::DocumentBytes::Write(*doc), changed_);
        } catch (const HostError& e) {
            Report(e.what());
        }
        changed_.clear();
        view_->Layout();
        Refresh();
    });
}

void ViewerWindow::Refresh() {
    widgets_->Refresh();
    UpdateTitle();
    UpdateStatus();
}

void ViewerWindow::UpdateTitle() {
    pdf::Document* doc = ActiveDoc();
    if (!doc) {
        setWindowTitle(kAppName);
        return;
    }
    // After Save As the document is the file it was saved to.
    const std::string& file = target_.empty() ? doc->Path() : target_;
    const std::string name = std::filesystem::path(file).filename().string();
    setWindowTitle(QString::fromStdString(name + (unsaved_ ? "*" : "") + " - " + kAppName));
}

void ViewerWindow::UpdateStatus() {
    const int count = renderer_.PageCount();
    pageLabel_->setText(
        count == 0 ? QString() : QString("Page %1 of %2").arg(view_->CurrentPage() + 1).arg(count));
    zoomLabel_->setText(count == 0 ? QString() : QString("%1 %").arg(view_->EffectivePercent()));
}

bool ViewerWindow::OpenFile(const std::string& path) {
    if (path.empty() || !ConfirmDiscard())
        return false;
    PDDoc opened = nullptr;
    try {
        opened = pdf::Documents::Open(path);
    } catch (const HostError& e) {
        // The document shown before stays as it was.
        Report(e.what());
        return false;
    }
    if (PDDoc old = av::ActiveDocument::Doc()) {
        av::ActiveDocument::Clear();
        pdf::Documents::Close(old);
    }
    av::ActiveDocument::Set(opened);
    ShowActiveDocument();
    return true;
}

bool ViewerWindow::SaveTo(const std::string& path) {
    pdf::Document* doc = ActiveDoc();
    if (!doc)
        return false;
    try {
        // The user chose this file, so it may be the one the document came from.
        pdf::DocumentSaver::Save(*doc, path, true);
    } catch (const HostError& e) {
        Report(e.what());
        return false;
    }
    target_ = path;
    MarkSaved();
    return true;
}

bool ViewerWindow::Save() {
    if (!ActiveDoc())
        return false;
    return target_.empty() ? SaveAs() : SaveTo(target_);
}

bool ViewerWindow::SaveAs() {
    pdf::Document* doc = ActiveDoc();
    if (!doc)
        return false;
    // Suggest the file the window shows, in its folder.
    const std::string path = Choose(Choice::SaveAs, target_.empty() ? doc->Path() : target_);
    return !path.empty() && SaveTo(path);
}

void ViewerWindow::MarkSaved() {
    unsaved_ = false;
    Refresh();
}

bool ViewerWindow::CloseDocument() {
    PDDoc doc = av::ActiveDocument::Doc();
    if (!doc || !ConfirmDiscard())
        return false;
    av::ActiveDocument::Clear();
    pdf::Documents::Close(doc);
    ShowActiveDocument();
    return true;
}

bool ViewerWindow::ConfirmDiscard() {
    if (!unsaved_ || !ActiveDoc())
        return true;
    QMessageBox box(
        QMessageBox::Warning, kAppName,
        QString::fromStdString("Save the changes to \"" +
                               std::filesystem::path(ActiveDoc()->Path()).filename().string() +
                               "\" before closing it?"),
        QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, this);
    box.setObjectName("unsavedPrompt");
    box.setDefaultButton(QMessageBox::Save);
    switch (box.exec()) {
    case QMessageBox::Save:
        return Save();
    case QMessageBox::Discard:
        return true;
    default:
        return false;
    }
}

void ViewerWindow::CloseWithoutPrompt() {
    closingWithoutPrompt_ = true;
    close();
}

void ViewerWindow::closeEvent(QCloseEvent* event) {
    if (!closingWithoutPrompt_ && !ConfirmDiscard()) {
        event->ignore();
        return;
    }
    event->accept();
}

void ViewerWindow::dragEnterEvent(QDragEnterEvent* event) {
    const auto urls = event->mimeData()->urls();
    if (urls.size() == 1 && IsPdfFile(urls.front()))
        event->acceptProposedAction();
}

void ViewerWindow::dropEvent(QDropEvent* event) {
    const auto urls = event->mimeData()->urls();
    if (urls.size() != 1 || !IsPdfFile(urls.front()))
        return;
    event->acceptProposedAction();
    const std::string path = urls.front().toLocalFile().toStdString();
    // Not inside the drop: opening may ask about unsaved changes.
    QTimer::singleShot(0, this, [this, path] { OpenFile(path); });
}

bool ViewerWindow::WaitForPages(int timeoutMs) {
    QElapsedTimer clock;
    clock.start();
    for (;;) {
        QApplication::processEvents();
        if (!refreshQueued_) {
            view_->viewport()->repaint(); // issues the requests of the pages in view
            if (renderer_.Pending() == 0) {
                view_->viewport()->repaint();
                return true;
            }
        }
        if (clock.elapsed() > timeoutMs)
            return false;
        QApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    }
}

} // namespace pdfhost::viewer
