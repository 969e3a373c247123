// `pdfhost view [--script SCRIPT] [FILE.pdf]`: the desktop viewer.
//
// Contract: needs a QApplication and a HostSession whose plug-ins are
// loaded. Opens the main window (and FILE, when given: a file that fails to
// open shows its message and the window stays), then runs the event loop
// until the window closes. Without a script it returns 0; with one, the
// script's status (see ViewerScript.h), and message boxes are acknowledged
// without waiting for a person, as in every scripted run. Documents still open
// when it returns stay open; the caller closes them.
#pragma once

#include <optional>
#include <ostream>
#include <string>

namespace pdfhost::viewer {

int RunViewer(const std::optional<std::string>& file, const std::optional<std::string>& script,
              std::ostream& errors);

} // namespace pdfhost::viewer
