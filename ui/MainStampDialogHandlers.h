// What each control and menu command of the main stamp dialog does.
//
// Contract: one object per time the dialog is on screen, over the dialog
// object and its window (neither owned; both outlive it). Each handler is
// called by the widget side for its event, after the control has taken the
// user's change (a clicked check box is already toggled, an edit holds the
// new text); notifications raised while a transfer runs must not reach
// them. Every handler reads and refreshes the controls itself as its rule
// needs, shows its own messages and ends the window through End() when its
// rule says so:
//   Open          every time the window has been filled: "Default.tvp" as
//                 the parameter file, "C" shown as TEXTONIMAGE says, the
//                 command line's presets, the picture's natural size; when
//                 the presets' parameter file cannot be read the window
//                 ends as Escape;
//   Position      the preset offsets of the chosen entry, entry kept;
//   EdgeBox       the partner box, then the matching note;
//   SizeEdited    the partner size while the proportions are constrained;
//   Constrain     clearing the box resets all four sizes to the natural size;
//   Browse, TextOnImageBox, TextOnImageButton, LoadSettings, SaveSettings,
//   SaveSettingsAs, HtmlHelp, Stamp, Undo, Close, Enter, Escape.
// Stamp sets bUndoAvailable and ends with 1; Undo clears it and ends with
// 1, or, when it is already clear, shows "Can't undo again, already undone
// once!" and stays; Close writes the settings file and ends with 0; Enter
// ends with 1 only when the controls could be read; Escape ends with 2.
#pragma once

#include "ui/MainStampDialogWindow.h"

namespace main_stamp_dialog {

// Control and menu-command ids of dialog 105 and its menu 107.
enum Id : int {
    kClose = 1000,
    kPosition = 1002,
    kStamp = 1003,
    kStartProc = 1011,
    kEndProc = 1012,
    kVertical = 1015,
    kHorizontal = 1016,
    kNth = 1023,
    kImageFileName = 1026,
    kBrowse = 1027,
    kCalcLeft = 1028,
    kOpacity = 1029,
    kImageWidth = 1030,
    kImageHeight = 1031,
    kUndo = 1032,
    kImageWidthPdf = 1033,
    kImageHeightPdf = 1034,
    kCalcRight = 1035,
    kCalcBottom = 1036,
    kCalcTop = 1037,
    kForcePortrait = 1038,
    kConstrain = 1039,
    kTextOnImage = 1041,
    kTextOnImageButton = 1042,
    kLoadSettings = 40001,
    kSaveSettings = 40002,
    kSaveSettingsAs = 40004,
    kHtmlHelp = 40005,
};

constexpr int kEndedByClose = 0;
constexpr int kEndedByRun = 1;
constexpr int kEndedByEscape = 2;

} // namespace main_stamp_dialog

class MainStampDialogHandlers {
  public:
    MainStampDialogHandlers(MainStampDialog& dialog, MainStampDialogWindow& window)
        : dialog_(dialog), window_(window) {}

    void Open();
    void Position(int index);
    void EdgeBox(int id);
    void ForcePortrait();
    void SizeEdited(int id);
    void Constrain();
    void Browse();
    void TextOnImageBox();
    void TextOnImageButton();
    void LoadSettings();
    void SaveSettings();
    void SaveSettingsAs();
    void HtmlHelp();
    void Stamp();
    void Undo();
    void Close();
    void Enter();
    void Escape();

    // Dispatches a click or menu command by id; false for an id without a
    // handler of its own.
    bool Command(int id);

    static FileChoice PictureChoice();
    static FileChoice OpenParametersChoice();
    static FileChoice SaveParametersChoice();

  private:
    void TakeNaturalSize();

    MainStampDialog& dialog_;
    MainStampDialogWindow& window_;
};
