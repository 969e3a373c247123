// pdfhost's main window: the active document's pages, the host's menus and
// toolbar, and the document commands a person uses (open, save, save as,
// close, quit).
//
// Contract: one window at a time, on the user-interface thread, over the
// HostSession's viewer model (which must outlive it). The constructor adds
// the host's own items to the model's "File" and "View" menus and gives the
// host's toolbar buttons their procedures; then it builds the widgets from
// the model. It shows whatever document is active (ShowActiveDocument()).
// Content changes the engine reports for the active document are rendered
// again from the in-memory document on the next turn of the event loop and
// mark it unsaved; nothing is read from disk. Save writes atomically, to the
// file the user last chose in Save As (asked for first when there is none),
// so the file that was opened is replaced only when the user chose it.
// Closing, quitting or opening another document with unsaved changes asks
// Save / Discard / Cancel. A document that fails to open shows the engine's
// message and leaves the window as it was. Files come from the file chooser
// (a file dialog unless replaced, e.g. by tests).
#pragma once

#include <QMainWindow>
#include <functional>
#include <set>
#include <string>

#include "pdfhost/viewer/PageRenderer.h"

class QLabel;

namespace pdfhost::av {
class MenuItem;
class ToolButton;
} // namespace pdfhost::av

namespace pdfhost::viewer {

class ModelWidgets;
class PageView;

class ViewerWindow : public QMainWindow {
    Q_OBJECT
  public:
    enum class Choice { Open, SaveAs };
    // Returns the chosen path, or "" when the user cancelled.
    using FileChooser = std::function<std::string(Choice, const std::string& suggestion)>;

    ViewerWindow();
    ~ViewerWindow() override;

    void SetFileChooser(FileChooser chooser) { chooser_ = std::move(chooser); }

    bool OpenFile(const std::string& path);
    bool Save();
    bool SaveAs();
    bool CloseDocument();
    // Closes the window without asking (a script that ended).
    void CloseWithoutPrompt();

    // Rebuilds the view from the active document (after it was opened or
    // closed outside the window, e.g. by a script line).
    void ShowActiveDocument();
    void MarkSaved();
    bool HasUnsavedChanges() const { return unsaved_; }
    // Renders what is pending; true when nothing is left within the time.
    bool WaitForPages(int timeoutMs);

    PageView& View() { return *view_; }
    PageRenderer& Renderer() { return renderer_; }

  protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

  private:
    void InstallHostItems();
    void RunItem(const av::MenuItem& item);
    void RunButton(const av::ToolButton& button);
    void ContentsChanged(int pageIndex);
    void Refresh();
    void UpdateTitle();
    void UpdateStatus();
    bool ConfirmDiscard();
    bool SaveTo(const std::string& path);
    void Report(const std::string& text);
    std::string Choose(Choice choice, const std::string& suggestion);

    PageRenderer renderer_;
    PageView* view_ = nullptr;
    QLabel* pageLabel_ = nullptr;
    QLabel* zoomLabel_ = nullptr;
    std::unique_ptr<ModelWidgets> widgets_;
    FileChooser chooser_;
    std::uint64_t shown_ = 0; // serial of the document the view shows (0: none)
    std::string target_;      // where Save writes, once the user chose it
    std::set<int> changed_;
    bool refreshQueued_ = false;
    bool unsaved_ = false;
    bool closingWithoutPrompt_ = false;
};

} // namespace pdfhost::viewer
