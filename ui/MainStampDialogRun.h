// Running the main stamp dialog modally, and the run mode it decides.
//
// Contract: RunMainStampDialog shows the dialog and returns how it ended: 1
// for STAMP! (which sets bUndoAvailable), an accepted Undo (which clears it)
// or Enter (which leaves it); 0 for "&Close" (which first writes the
// settings file); 2 for Escape. An Undo while bUndoAvailable is clear shows
// "Can't undo again, already undone once!" and the dialog stays open.
//
// The dialog is the real one on widgets (MainStampDialogWidgets); under
// automation the platform's dialog driver answers it. Needs a Qt
// application object.
#pragma once

#include "ui/MainStampDialog.h"

// The run mode shared by the dialog and the stamp command: set = apply,
// clear = undo the last apply. True when the plug-in is loaded.
extern bool bUndoAvailable;

int RunMainStampDialog(MainStampDialog& dialog);
