// Running the main stamp dialog modally, and the run mode it decides.
//
// Contract: RunMainStampDialog shows the dialog and returns how it ended: 1
// for STAMP! (which sets bUndoAvailable), an accepted Undo (which clears it)
// or Enter (which leaves it); 0 for "&Close" (which first writes the
// settings file); 2 for Escape. An Undo while bUndoAvailable is clear shows
// "Can't undo again, already undone once!" and the dialog stays open.
//
// Until the dialog's widgets exist the dialog runs headless: it presses the
// controls queued in platform::DialogAnswers (1003 STAMP!, 1032 Undo, 1000
// Close, "enter", "escape"), and with nothing queued it presses STAMP!.
// After a refused Undo with nothing further queued it ends as Escape, so no
// run starts that nobody asked for.
#pragma once

#include "ui/MainStampDialog.h"

// The run mode shared by the dialog and the stamp command: set = apply,
// clear = undo the last apply. True when the plug-in is loaded.
extern bool bUndoAvailable;

int RunMainStampDialog(MainStampDialog& dialog);
