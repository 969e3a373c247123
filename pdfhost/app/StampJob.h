// `pdfhost stamp`: stamp runs from the command line, one per input.
//
// Contract: stores the request's parameter file and settings for the first
// stamp dialog that opens (platform::PresetSettings), then for each input
// in turn: opens it, queues STAMP! (Undo with --undo) for the dialog, runs
// the "ADBE:PDFTalvane" menu item once, and saves to the input's output only
// when the run's last message was its "Done." message (incrementally when
// the request says so and the input allows it, see DocumentSaver; the
// input's bytes are then copied into the output's temporary file while the
// run goes on, platform::FileDraft). Any other ending (an
// alert, a message box, no message at all, a failed open or save) writes
// nothing for that input and prints the reason, naming the input, on
// `errors`; the next input is still done. When the parameter file could not
// be read ("Can't open parameters file"), that input and all after it are
// left unwritten, since they would be stamped with settings nobody chose.
// Every document is closed, except that with LastDocument::LeaveOpen the
// last input's stays open for a caller about to end the process, which need
// not spend the time freeing it. Returns 0 when every input was written,
// else 1.
//
// StartFirstInput() begins reading the first input before the host session
// exists, so that the session starts beside the reading, which the run
// waits for (pdf::DocumentReader); it never throws: a failure to open is kept and
// reported by RunStampJob, in its place among the inputs, as though the
// opening had happened there. What it returns is handed to RunStampJob for
// the same request, or dropped unused.
#pragma once

#include <exception>
#include <memory>
#include <ostream>

#include "pdfhost/app/StampArguments.h"

namespace pdfhost::pdf {
class DocumentReader;
}

namespace pdfhost::app {

enum class LastDocument { Close, LeaveOpen };

struct FirstInput {
    std::shared_ptr<pdf::DocumentReader> reader;
    std::exception_ptr failure; // the opening's, when there is no reader
};

FirstInput StartFirstInput(const StampArguments& request);

int RunStampJob(const StampArguments& request, std::ostream& errors,
                LastDocument last = LastDocument::Close, FirstInput first = {});

} // namespace pdfhost::app
