#include "ui/MainStampDialogRun.h"

#include <iostream>

#include "platform/DialogAnswers.h"
#include "platform/Messages.h"
#include "settings/InstallPaths.h"

bool bUndoAvailable = true;

namespace {

constexpr int kEndedByEscape = 2;

} // namespace

int RunMainStampDialog(MainStampDialog& dialog) {
    bool undoRefused = false;
    for (;;) {
        std::optional<std::string> answer = platform::DialogAnswers::Next();
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
