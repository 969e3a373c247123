// The commands a pdfhost script can run, one per line.
//
// Contract: each layer registers its commands by name before a script runs.
// A command receives its ScriptLine: the rest of the line split into words
// (`words`) and the raw rest of the line (`rest`, leading/trailing blanks
// removed, so that paths with spaces work). It reports failure by throwing ScriptError with a
// message; the runner then prints the message with the line number and exits 1.
#pragma once

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

namespace pdfhost::app {

class ScriptError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

struct ScriptLine {
    int number = 0;
    std::string command;
    std::vector<std::string> words; // after the command
    std::string rest;               // after the command, trimmed
};

using ScriptCommand = std::function<void(const ScriptLine&)>;

class ScriptCommands {
  public:
    static void Register(const std::string& name, ScriptCommand command);
    static const ScriptCommand* Find(const std::string& name);
};

} // namespace pdfhost::app
