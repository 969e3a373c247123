#include "settings/InstallPaths.h"

#include <unistd.h>

#include "platform/Messages.h"
#include "settings/InstallFolder.h"

InstallPaths& InstallPaths::Get() {
    static InstallPaths paths;
    return paths;
}

std::string InstallPaths::RunTempJpgPath() const {
    return RunTempJpgPathFor(szTempJpgPath, static_cast<long>(::getpid()));
}

std::string InstallPaths::RunTempJpgPathFor(const std::string& tempJpgPath, long processId) {
    if (tempJpgPath.empty())
        return tempJpgPath;
    const std::string suffix = "-" + std::to_string(processId);
    const std::size_t dot = tempJpgPath.rfind('.');
    const std::size_t slash = tempJpgPath.rfind('/');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
        return tempJpgPath + suffix;
    return tempJpgPath.substr(0, dot) + suffix + tempJpgPath.substr(dot);
}

void GetInstallPaths() {
    const InstallFolder found = InstallFolder::LookUp();
    std::string iniPath = found.folder + "/PDFTalvane.ini";
    std::string jpgPath = found.folder + "/temp.jpg";
    if (found.status == InstallFolder::Status::ValueUnreadable ||
        iniPath.size() > InstallPaths::kMaxPath || jpgPath.size() > InstallPaths::kMaxPath) {
        platform::Messages::MessageBox("Install key not found in registry!",
                                       "Can't find install path in registry - please reinstall");
        return;
    }
    InstallPaths& paths = InstallPaths::Get();
    paths.szIniPath = std::move(iniPath);
    paths.szTempJpgPath = std::move(jpgPath);
}
