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
// message and leaves the window as it was. Files are chosen with the
// platform's file picker (so scripts answer it). The window is the main
// window the plug-in's dialogs, pickers and alerts belong to while it lives.
// The title names the file the document was last saved to with Save As, or
// else the file it came from.
#pragma once

#include <QMainWindow>
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
    ViewerWindow();
    ~ViewerWindow() override;

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
    enum class Choice { Open, SaveAs };
    // The chosen path, or "" when the user cancelled.
    std::string Choose(Choice choice, const std::string& suggested = {});

    PageRenderer renderer_;
    PageView* view_ = nullptr;
    QLabel* pageLabel_ = nullptr;
    QLabel* zoomLabel_ = nullptr;
    std::unique_ptr<ModelWidgets> widgets_;
    std::uint64_t shown_ = 0; // serial of the document the view shows (0: none)
    std::string target_;      // where Save writes, once the user chose it
    std::set<int> changed_;
    bool refreshQueued_ = false;
    bool unsaved_ = false;
    bool closingWithoutPrompt_ = false;
};

} // namespace pdfhost::viewer
