// The script steps that answer the dialogs and pickers a later command will
// show (see DialogActions and PickerAnswers for what each does):
//     click ID | type ID TEXT | set ID TEXT | select ID TEXT
//     key enter|escape [ID] | expect ID TEXT | dump | grab PATH
//     file PATH|cancel | color R,G,B|cancel | font FACE HEIGHT [WEIGHT] [italic]|cancel
// A malformed step fails at its own line. Well-formed steps are queued in
// order, with their line, and taken by the dialogs as they appear.
// FinishDialogAnswers() is called when a script ends: answers that no dialog
// took mean the script and the program disagree, which fails the script.
#pragma once

#include <string>

namespace pdfhost::app {

void RegisterDialogCommands();
// Clears the queue; returns an error text when answers were left over.
std::string FinishDialogAnswers();

} // namespace pdfhost::app
