// Answers queued for the modal dialogs a run will show.
//
// Contract: a script (or a test) queues, in order, the steps that answer the
// dialogs and pickers appearing while a later command runs: the step's name
// ("click", "type", "file", ...), its words and the raw rest of its line, and
// the script line it came from. Whoever answers a dialog takes the next
// answer with Next(). Answers are shared by the host and every plug-in in the
// process. Clear() forgets the queue (a script does it when it ends, so
// answers never leak into the next script).
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace platform {

struct DialogAnswer {
    std::string step;               // "click", "key", "type", ...
    std::vector<std::string> words; // after the step name
    std::string rest;               // after the step name, trimmed
    int line = 0;                   // script line, 0 when not from a script

    std::string Describe() const { return rest.empty() ? step : step + " " + rest; }
};

class DialogAnswers {
  public:
    static void Push(DialogAnswer answer);
    static std::optional<DialogAnswer> Next();
    static const DialogAnswer* Peek();
    static std::size_t Pending();
    static void Clear();
};

} // namespace platform
