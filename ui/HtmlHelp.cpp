#include "ui/HtmlHelp.h"

#include "platform/Messages.h"
#include "platform/Shell.h"
#include "settings/InstallFolder.h"

std::string HelpFilePath(std::string_view installFolder) {
    return std::string(installFolder) + "/" + std::string(kHelpFileName);
}

void OpenHtmlHelp() {
    const InstallFolder found = InstallFolder::LookUp();
    if (found.status == InstallFolder::Status::ValueUnreadable) {
        platform::Messages::MessageBox(kUnreadableCaption, kUnreadableText);
        return;
    }
    platform::Shell::Open(HelpFilePath(found.folder));
}
