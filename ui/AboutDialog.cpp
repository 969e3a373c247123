#include "ui/AboutDialog.h"

#include "platform/Dialog.h"
#include "platform/Shell.h"
#include "resources/DialogTemplates.h"
#include "resources/Resources.h"

int AboutDialog::Run() {
    platform::Dialog d(resources::AboutDialogTemplate());
    d.OnCommand(kViewWebSite, [] { platform::Shell::Open(resources::kProjectPage); });
    d.OnCommand(kClose, [&d] { d.End(0); });
    return d.Run();
}
