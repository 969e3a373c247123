#include "ui/MainStampDialogRun.h"

#include <charconv>
#include <iostream>

#include "platform/DialogAnswers.h"
#include "platform/Messages.h"
#include "ui/MainStampDialogHandlers.h"

bool bUndoAvailable = true;

namespace {

// The window while the dialog has no widgets: nothing to transfer, no
// picker to show (a choice is cancelled), no nested dialog to open.
class HeadlessWindow : public MainStampDialogWindow {
  public:
    bool ReadControls() override { return true; }
    void RefreshControls() override {}
    void RepaintNow() override {}
    void ShowTextOnImageButton(bool) override {}
    void SelectPosition(int) override {}
    std::optional<std::string> ChooseFile(const FileChoice&) override { return std::nullopt; }
    void ShowOwnedBox(const std::string& caption, const std::string& text) override {
        platform::Messages::MessageBox(caption, text);
    }
    void End(int result) override { result_ = result; }
    void RunTextOnImageDialog() override {}
    void OpenWithShell(const std::string&) override {}

    std::optional<int> result_;
};

std::optional<int> ControlId(const std::string& answer) {
    int id = 0;
    const auto [end, ec] = std::from_chars(answer.data(), answer.data() + answer.size(), id);
    if (answer.empty() || ec != std::errc() || end != answer.data() + answer.size())
        return std::nullopt;
    return id;
}

// The next queued answer as the control or key it presses ("1003",
// "enter"); other steps are named in full, so no control matches them.
std::optional<std::string> NextControl() {
    std::optional<platform::DialogAnswer> answer = platform::DialogAnswers::Next();
    if (!answer)
        return std::nullopt;
    if ((answer->step == "click" || answer->step == "key") && answer->words.size() == 1)
        return answer->words[0];
    return answer->Describe();
}

} // namespace

int RunMainStampDialog(MainStampDialog& dialog) {
    using namespace main_stamp_dialog;
    HeadlessWindow window;
    dialog.SetView(&window);
    MainStampDialogHandlers handlers(dialog, window);
    handlers.Open();
    bool undoRefused = false;
    while (!window.result_) {
        std::optional<std::string> answer = NextControl();
        if (!answer) {
            if (undoRefused)
                break;
            answer = std::to_string(kStamp);
        }
        const std::optional<int> id = ControlId(*answer);
        if (*answer == "enter") {
            handlers.Enter();
        } else if (*answer == "escape") {
            handlers.Escape();
        } else if (!id || !handlers.Command(*id)) {
            std::cerr << "main stamp dialog: no control \"" << *answer
                      << "\" to press; ending it\n";
            break;
        } else if (*id == kUndo && !window.result_) {
            undoRefused = true;
        }
    }
    dialog.SetView(nullptr);
    return window.result_.value_or(kEndedByEscape);
}
