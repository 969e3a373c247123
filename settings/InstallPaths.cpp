#include "settings/InstallPaths.h"

#include "platform/Messages.h"
#include "settings/InstallFolder.h"

InstallPaths& InstallPaths::Get() {
    static InstallPaths paths;
    return paths;
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
