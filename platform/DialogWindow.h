// The Qt side of a running platform::Dialog: the window and its widgets.
//
// Contract: built from the dialog's template when the dialog runs and
// destroyed when the run ends. Widgets are placed at their template
// rectangles converted to pixels, created in template order (the tab order),
// each named by its control id. The window forwards clicks, text changes,
// selection changes, menu commands, Enter, Escape and the close box to its
// Dialog, and filters Enter and Escape before any control sees them, as the
// home platform's dialog manager does. Mnemonics (`&` in a text) behave as
// there too: a label's or frame's moves the focus to the next tab stop
// after it, a push button's clicks it, a check box's toggles it.
#pragma once

#include <QDialog>
#include <QMenuBar>
#include <QShortcutEvent>
#include <cstdint>
#include <map>
#include <vector>

#include "platform/DialogUnits.h"

namespace platform {

class Dialog;

class DialogWindow : public QDialog {
  public:
    DialogWindow(Dialog& owner, QWidget* parent);

    QWidget* Control(int id) const;
    // The widget of the template's index-th control, nullptr past the end.
    QWidget* ControlAt(std::size_t index) const;
    const DialogUnits& Units() const { return units_; }
    QMenuBar* Menu() const { return menu_; }
    void EndWith(int result);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    QWidget* Build(const ControlTemplate& control, int top);
    void BuildMenu();
    bool HandleKey(QKeyEvent* event);
    // The first tab stop after the index-th control, wrapping; with
    // usableOnly, hidden and disabled controls are skipped.
    QWidget* NextTabStop(std::size_t after, bool usableOnly) const;
    bool Mnemonic(QObject* watched, const QShortcutEvent* shortcut);

    Dialog& owner_;
    DialogUnits units_;
    QMenuBar* menu_ = nullptr;
    std::map<int, QWidget*> controls_;
    std::vector<QWidget*> ordered_; // template order
    bool ending_ = false;
};

} // namespace platform
