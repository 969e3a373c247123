// The script commands that open, save and close documents:
//     open PATH               read a PDF and make it the active document
//     close                   close the active document; unsaved changes are lost
//     save PATH               write the active document to PATH
//     save --replace PATH     the same, and PATH may be the file it was read from
//     save --incremental PATH append the changes to a copy of the file it was
//                             read from (a full rewrite when the file is
//                             encrypted or was repaired); with --replace too
// PATH is the rest of the line (spaces allowed), relative to the working
// folder. One document is open at a time: `open` while one is open, and
// `close` or `save` with none, fail the line. A document that needs a
// password, a damaged file and a refused save fail the line with the host's
// text. Saving is atomic and never replaces the input unless asked.
#pragma once

namespace pdfhost::app {

void RegisterDocumentCommands();

} // namespace pdfhost::app
