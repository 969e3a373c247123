// Answers the dialogs and pickers a running command shows, with the steps a
// script queued before it (platform::DialogAnswers).
//
// Contract: while installed (Install() to Uninstall(), also done by the
// destructor) it is the platform's DialogDriver and acknowledges every
// message box with its first button (the transcript line is still written).
// Each answer acts on the dialog on top when its turn comes, from inside
// that dialog's modal loop, one answer per turn of the event loop, so it
// works under any event loop (a script's, a viewer window's). Picker steps
// (file, color, font) answer the next picker through its window
// (PickerActions).
//
// Failure: a dialog or picker that appears with no answer left, an answer of
// the wrong kind for it, a step that cannot be done or an answer the picker
// does not take writes one line to
// `errors`, at once:
//     pdfhost: script line N: <reason>
// (for a dialog with nothing to answer it: dialog "<caption>" is waiting for
// an answer and the script has none), forgets the remaining answers and ends
// every open dialog as Escape would, and every later dialog or picker the
// same way, so a run never hangs. Failed() stays true until Reset().
// SetLine() names the script line whose command is running.
#pragma once

#include <memory>
#include <optional>
#include <ostream>
#include <string>

#include "platform/DialogAnswers.h"
#include "platform/DialogDriver.h"
#include "platform/Messages.h"

namespace pdfhost::app {

class DialogAutomation : public platform::DialogDriver {
  public:
    DialogAutomation(std::ostream& out, std::ostream& errors);
    ~DialogAutomation() override;
    DialogAutomation(const DialogAutomation&) = delete;
    DialogAutomation& operator=(const DialogAutomation&) = delete;

    void Install();
    void Uninstall();
    // The installed automation, or nullptr.
    static DialogAutomation* Current();

    void SetLine(int line) { line_ = line; }
    bool Failed() const { return failed_; }
    void Reset() { failed_ = false; }

    void Opened(platform::Dialog& dialog) override;
    void Closed() override;
    void PickerShown(platform::PickerKind kind, QDialog& picker) override;

  private:
    void Schedule();
    void Step();
    void Fail(int line, const std::string& reason);

    std::ostream& out_;
    std::ostream& errors_;
    int line_ = 0;
    bool failed_ = false;
    bool installed_ = false;
    bool scheduled_ = false;
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
    platform::MessageResponder previousResponder_;
};

} // namespace pdfhost::app
