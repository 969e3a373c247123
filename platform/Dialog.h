// A modal dialog built from a template, with real Qt widgets.
//
// Contract: a dialog is a description: a template (not owned; it must
// outlive the dialog), an ordered list of bindings between controls and the
// caller's fields, and handlers for commands and notifications. Run() builds
// the widgets (every widget's objectName is its control id), runs OnInit,
// shows the dialog modally over the dialog on top (if any) and returns the
// result given to End(). The bound fields must outlive every Run().
//
// Keys and closing, as on the home platform:
//   - Enter on a push button presses that button. Elsewhere it presses the
//     template's default button if there is one, else runs the OK handler:
//     by default ReadControls() and End(1) only when that succeeded.
//   - Escape and the close box run the cancel handler: by default End(2)
//     without reading. A dialog without a system menu has no close box.
// No push button is a default button unless its template says so.
//
// Transfers: ReadControls() copies controls into fields and RefreshControls()
// fields into controls, in binding order. While either runs no change
// notification reaches a handler. An integer field that does not hold a
// decimal integer stops ReadControls() there: a message box says so, the
// field gets the focus, that field and the later ones keep their values, and
// the result is false.
//
// Everything runs on the user-interface thread. Dialogs nest: a dialog run
// from a handler is modal over its parent; a dialog opened while none is
// open belongs to the main window (OwnerWindow). Messages shown while a
// dialog is open are owned by the dialog on top.
#pragma once

#include <QDialog>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/DialogTemplate.h"

namespace platform {

class DialogWindow;

class Dialog {
  public:
    static constexpr int kOk = 1;
    static constexpr int kCancel = 2;

    explicit Dialog(const DialogTemplate& dialogTemplate);
    ~Dialog();
    Dialog(const Dialog&) = delete;
    Dialog& operator=(const Dialog&) = delete;

    // Bindings, in exchange order.
    void BindInt(int id, std::int32_t& field);
    void BindText(int id, std::string& field);
    void BindFlag(int id, bool& field);
    void BindFlag(int id, std::int32_t& field); // 0 or 1
    void BindComboText(int id, std::string& field);

    // Handlers. A command is a click on a push button or check box, or a
    // menu command; a text change is every change of an edit's text; a
    // selection change is the user choosing a combo box entry.
    using Handler = std::function<void()>;
    void OnInit(Handler handler);
    void OnCommand(int id, Handler handler);
    void OnTextChanged(int id, Handler handler);
    void OnSelectionChanged(int id, Handler handler);
    void OnOk(Handler handler);
    void OnCancel(Handler handler);

    int Run();
    void End(int result);
    bool IsOpen() const; // running and not yet ended

    bool ReadControls();
    void RefreshControls();

    // Controls of the open dialog (nothing happens for an unknown id).
    QWidget* Control(int id) const;
    QWidget* ControlAt(std::size_t templateIndex) const; // unnamed controls too
    std::string Text(int id) const;
    void SetText(int id, const std::string& text);
    bool Checked(int id) const;
    void SetChecked(int id, bool checked);
    void SetVisible(int id, bool visible);
    void SetEnabled(int id, bool enabled);
    int SelectedIndex(int id) const; // -1: none
    void SetSelectedIndex(int id, int index);
    void SetFocus(int id);
    void SetSwatchColour(int id, std::uint32_t colorref); // owner-drawn buttons
    void RepaintNow();

    const DialogTemplate& Template() const { return template_; }
    std::string Caption() const { return template_.caption; }
    QDialog* Window() const; // nullptr while not running

    // The dialogs now running, innermost last; Top() is nullptr when none.
    static Dialog* Top();
    static const std::vector<Dialog*>& Open();

  private:
    friend class DialogWindow;
    enum class BindingKind { Int, Text, Flag, IntFlag, ComboText };
    struct Binding {
        int id;
        BindingKind kind;
        void* field;
    };

    void Notify(const std::vector<std::pair<int, Handler>>& handlers, int id) const;
    void Command(int id);
    void TextChanged(int id);
    void SelectionChanged(int id);
    void Ok();
    void Cancel();
    void Enter(QWidget* focus);
    bool ReadBinding(const Binding& binding);
    void WriteBinding(const Binding& binding);

    const DialogTemplate& template_;
    std::vector<Binding> bindings_;
    Handler init_;
    Handler ok_;
    Handler cancel_;
    std::vector<std::pair<int, Handler>> commands_;
    std::vector<std::pair<int, Handler>> textChanges_;
    std::vector<std::pair<int, Handler>> selectionChanges_;
    std::unique_ptr<DialogWindow> window_;
    int transferring_ = 0;
    bool shown_ = false;
    bool ended_ = false;          // End() was called during this run
    std::optional<int> earlyEnd_; // End() called before the window was shown
};

} // namespace platform
