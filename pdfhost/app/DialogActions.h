// What one queued answer does to the dialog on top, through the same Qt
// events a person's input makes.
//
// Contract: Perform() acts on `dialog` (which must be running) with one
// answer whose words were checked when it was queued:
//   click ID        a mouse click on control ID, or menu command ID
//   type ID TEXT    focus ID, select its text, one key press per character
//   set ID TEXT     replace the text of ID in one change
//   select ID TEXT  choose entry TEXT from combo box ID's drop-down list
//   key enter|escape [ID]
//   expect ID TEXT  compare what ID shows (text, checked/unchecked,
//                   hidden/visible)
//   dump            one CONTROL line per control, then the DIALOG line
//   grab PATH       a PNG of the dialog as drawn
// Lines from dump go to `out`. A step that cannot be done (no such control,
// a hidden or disabled control, an entry not in the list, an expectation not
// met, a file that cannot be written) throws std::runtime_error with the
// reason; nothing is retried.
#pragma once

#include <ostream>

#include "platform/Dialog.h"
#include "platform/DialogAnswers.h"

namespace pdfhost::app {

class DialogActions {
  public:
    static void Perform(platform::Dialog& dialog, const platform::DialogAnswer& answer,
                        std::ostream& out);
    static void Dump(platform::Dialog& dialog, std::ostream& out);
    // Text of an answer after its control id ("type 1011 12" gives "12").
    static std::string TextAfterId(const platform::DialogAnswer& answer);
};

} // namespace pdfhost::app
