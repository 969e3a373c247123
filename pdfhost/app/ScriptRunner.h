// Runs a pdfhost script: one command a line.
//
// Contract: blank lines and lines whose first non-blank character is '#' are
// skipped. Each other line is split into a command word and the rest, and
// the command registered under that word in ScriptCommands runs. The run
// stops at the first line that fails (unknown command, ScriptError, or any
// other exception from the command); the message goes to `errors` as
//     pdfhost: <script>:<line>: <message>
// While a DialogAutomation is installed it is told each line's number, and
// a line during which it failed stops the run (it has already printed why).
// RunFile() returns 0 when every line succeeded, 1 when one failed, and 2
// when the script cannot be read.
#pragma once

#include <istream>
#include <ostream>
#include <string>

#include "pdfhost/app/ScriptCommands.h"

namespace pdfhost::app {

class ScriptRunner {
  public:
    static int RunFile(const std::string& path, std::ostream& errors);
    static int Run(std::istream& script, const std::string& name, std::ostream& errors);
    // Runs one parsed line. False when it failed; `failure` then holds the
    // message, or "" when the automation has already reported it.
    static bool RunLine(const ScriptLine& line, std::string& failure);
    // Splits one line; false for a blank or comment line.
    static bool ParseLine(const std::string& text, int number, ScriptLine& line);
};

} // namespace pdfhost::app
