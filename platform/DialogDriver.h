// The hook through which automation answers dialogs and pickers.
//
// Contract: at most one driver is installed (not owned; it must be removed
// with Install(nullptr) before it goes). The dialog kit calls Opened() from
// inside a dialog's modal loop, once the dialog is on screen, and Closed()
// after a dialog's loop has ended (Dialog::Top() is then the dialog below,
// or nullptr). The pickers show their real window through RunPicker(),
// which calls PickerShown() from inside the picker's modal loop once the
// window is up: the driver answers through the picker's own controls, as a
// person would, and may also leave it open for a person. Without a driver
// every dialog and picker waits for a person.
#pragma once

class QDialog;

namespace platform {

class Dialog;

enum class PickerKind { OpenFile, SaveFile, Colour, Font };

class DialogDriver {
  public:
    virtual ~DialogDriver() = default;
    virtual void Opened(Dialog& dialog) = 0;
    virtual void Closed() = 0;
    virtual void PickerShown(PickerKind kind, QDialog& picker) = 0;

    static void Install(DialogDriver* driver);
    static DialogDriver* Installed();

    // Shows `picker` modally and returns its exec() result, telling the
    // installed driver once it is up.
    static int RunPicker(PickerKind kind, QDialog& picker);
};

} // namespace platform
