// The script commands that answer the dialogs a later command will show:
//     click CONTROL   press a control (by its numeric id) in the next dialog
//     key KEY         press "escape" or "enter" in the next dialog
// Answers are queued in order and taken by the dialogs as they appear.
// FinishDialogAnswers() is called when a script ends: answers that no dialog
// took mean the script and the program disagree, which fails the script.
#pragma once

#include <string>

namespace pdfhost::app {

void RegisterDialogCommands();
// Clears the queue; returns an error text when answers were left over.
std::string FinishDialogAnswers();

} // namespace pdfhost::app
