// What the main dialog's handlers need of the window on screen, beyond the
// transfers every user of the dialog object has (MainStampDialogView).
//
// Contract: implemented by the widget side (and by tests). Every call is
// made from a handler on the user-interface thread while the window is
// open. ChooseFile returns the chosen path, or nullopt when the user
// cancelled. ShowOwnedBox shows a message box owned by the window with an OK
// button and no icon. End closes the window with a result once the handler
// returns. RunTextOnImageDialog runs the nested text dialog modally.
// OpenWithShell hands a document to the desktop.
#pragma once

#include <optional>
#include <string>

#include "ui/FileChoice.h"
#include "ui/MainStampDialog.h"

class MainStampDialogWindow : public MainStampDialogView {
  public:
    virtual void SelectPosition(int index) = 0;
    virtual std::optional<std::string> ChooseFile(const FileChoice& choice) = 0;
    virtual void ShowOwnedBox(const std::string& caption, const std::string& text) = 0;
    virtual void End(int result) = 0;
    virtual void RunTextOnImageDialog() = 0;
    virtual void OpenWithShell(const std::string& path) = 0;
};
