// `pdfhost stamp IN.pdf -o OUT.pdf`: one stamp run from the command line.
//
// Contract: opens IN, runs the "ADBE:PDFTalvane" menu item once, and saves
// to OUT only when the run's last message was its "Done." message. Any other
// ending (an alert, a message box, no message at all, a failed open or save)
// writes nothing, prints the reason on `errors` and returns 1. The document
// is closed in every case. Returns 0 on success.
#pragma once

#include <ostream>
#include <string>

namespace pdfhost::app {

int RunStampJob(const std::string& input, const std::string& output, std::ostream& errors);

} // namespace pdfhost::app
