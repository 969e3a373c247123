#include "ui/MainStampDialogRun.h"

#include "ui/MainStampDialogWidgets.h"

bool bUndoAvailable = true;

int RunMainStampDialog(MainStampDialog& dialog) {
    MainStampDialogWidgets widgets(dialog);
    return widgets.Run();
}
