#include "ui/HtmlHelp.h"

#include "platform/Messages.h"
#include "platform/Shell.h"
#include "settings/InstallFolder.h"

std::string HelpFilePath(std::string_view installFolder) {
    return std::string(installFolder) + "/" + std::string(kHelpFileName);
}

void OpenHtmlHelp(const HelpBox& showBox, const HelpOpener& open) {
    const InstallFolder found = InstallFolder::LookUp();
    if (found.status == InstallFolder::Status::ValueUnreadable) {
        showBox(std::string(kUnreadableCaption), std::string(kUnreadableText));
        return;
    }
    open(HelpFilePath(found.folder));
}

void OpenHtmlHelp() {
    OpenHtmlHelp([](const std::string& caption,
                    const std::string& text) { platform::Messages::MessageBox(caption, text); },
                 [](const std::string& path) { platform::Shell::Open(path); });
}
