#include "ui/MainStampDialogRun.h"

#include <iostream>

#include "platform/DialogAnswers.h"
#include "platform/Messages.h"
#include "settings/InstallPaths.h"

bool bUndoAvailable = true;

namespace {

constexpr int kEndedByEscape = 2;

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
    bool undoRefused = false;
    for (;;) {
        std::optional<std::string> answer = NextControl();
        if (!answer) {
            if (undoRefused)
                return kEndedByEscape;
            answer = "1003";
        }
        if (*answer == "1003") {
            bUndoAvailable = true;
            return 1;
        }
        if (*answer == "1032") {
            if (!bUndoAvailable) {
                platform::Messages::AppMessageBox("Can't undo again, already undone once!");
                undoRefused = true;
                continue;
            }
            bUndoAvailable = false;
            return 1;
        }
        if (*answer == "1000") {
            dialog.WriteParameterFile(InstallPaths::Get().szIniPath);
            return 0;
        }
        if (*answer == "enter")
            return 1;
        if (*answer == "escape")
            return kEndedByEscape;
        std::cerr << "main stamp dialog: no control \"" << *answer << "\" to press; ending it\n";
        return kEndedByEscape;
    }
}
