// Answers queued for the modal dialogs a run will show.
//
// Contract: a script (or a test) queues, in order, the controls to press in
// the dialogs that appear while a command runs: a control id ("1003") or a
// key ("escape", "enter"). A modal dialog that runs headless takes the next
// answer with Next(); when none is queued it applies its own documented
// default. Answers are shared by the host and every plug-in in the process.
// Clear() forgets the queue (a script does it when it ends, so answers
// never leak into the next script).
#pragma once

#include <optional>
#include <string>

namespace platform {

class DialogAnswers {
  public:
    static void Push(const std::string& answer);
    static std::optional<std::string> Next();
    static std::size_t Pending();
    static void Clear();
};

} // namespace platform
