// The main stamp dialog on screen: dialog 105 with menu 107, built by the
// dialog kit, its controls bound to the dialog object's fields and every
// event handed to MainStampDialogHandlers.
//
// Contract: one object per showing, over a MainStampDialog that outlives it
// (not owned). Run() installs itself as the dialog object's view, fills the
// controls, runs the handlers' Open, shows the dialog modally and returns
// how it ended (see MainStampDialogHandlers: 0 Close, 1 STAMP!/Undo/Enter,
// 2 Escape); the view is cleared again before Run() returns, also when a
// handler throws. Needs a Qt application object; runs on its thread.
// A refresh leaves the caret of the edit being typed in where it was when
// its text does not change, since the size rule refreshes on every key.
//
// RunTextOnImageDialog() runs the text-on-image dialog modally over this one;
// OpenWithShell() hands a path to the desktop shell (platform::Shell).
#pragma once

#include <optional>
#include <string>

#include "platform/Dialog.h"
#include "ui/MainStampDialogHandlers.h"
#include "ui/MainStampDialogWindow.h"

class MainStampDialogWidgets : public MainStampDialogWindow {
  public:
    explicit MainStampDialogWidgets(MainStampDialog& dialog);
    MainStampDialogWidgets(const MainStampDialogWidgets&) = delete;
    MainStampDialogWidgets& operator=(const MainStampDialogWidgets&) = delete;

    int Run();

    // The kit dialog (for tests and for whoever nests a dialog over it).
    platform::Dialog& Kit() { return kit_; }

    bool ReadControls() override;
    void RefreshControls() override;
    void RepaintNow() override;
    void ShowTextOnImageButton(bool visible) override;
    void SelectPosition(int index) override;
    std::optional<std::string> ChooseFile(const FileChoice& choice) override;
    void ShowOwnedBox(const std::string& caption, const std::string& text) override;
    void End(int result) override;
    // Seam for the text-on-image dialog: the handlers call it when the box
    // is ticked or "C" is pressed.
    void RunTextOnImageDialog() override;
    // Seam for the desktop shell: "HTML Help" hands the help file here.
    void OpenWithShell(const std::string& path) override;

  private:
    void Bind();
    void Connect();

    MainStampDialog& dialog_;
    platform::Dialog kit_;
    MainStampDialogHandlers handlers_;
};
