#include "ui/MainStampDialog.h"

#include "platform/FileReplacement.h"
#include "platform/Messages.h"
#include "platform/WholeFile.h"
#include "settings/ParameterFile.h"
#include "settings/SettingAssignment.h"

void MainStampDialog::ApplyFirstRunValues() {
    settings.ApplyFirstRunValues();
    bCalcLeft = true;
    bCalcBottom = true;
}

bool MainStampDialog::ReadParameterFile(const std::string& path) {
    const bool settingsFile = ParameterFile::IsSettingsFile(path);
    const auto content = platform::WholeFile::Read(path, ParameterFile::kMaxFileSize);
    const auto applied =
        content ? ParameterFile::Apply(std::string(content->begin(), content->end()), settings)
                : std::nullopt;
    if (!applied) {
        if (!settingsFile)
            platform::Messages::AppMessageBox("Can't open parameters file");
        return false;
    }
    bCalcLeft = !settings.bCalcRight;
    bCalcBottom = !settings.bCalcTop;
    if (applied->fontInfo)
        textOnImage.szFaceNameShown = std::string(settings.text.lfFontInfo.FaceName());
    if (applied->textColor && view_)
        view_->RepaintNow();

    if (picture.Load(settings.szImageFileName)) {
        const PictureRect size = picture.GetSize();
        nActualWidth = size.right;
        nActualHeight = size.bottom;
    }
    if (view_) {
        view_->ShowTextOnImageButton(settings.nTextOnImage != 0);
        if (!settingsFile)
            view_->RefreshControls();
    }
    return true;
}

void MainStampDialog::WriteParameterFile(const std::string& path) {
    if (view_) {
        view_->ReadControls();
        view_->RefreshControls();
    }
    // Losing the settings is worse than a write that is not atomic.
    if (!platform::FileReplacement::Write(path, ParameterFile::Format(settings),
                                          {.inPlaceWhenFolderIsClosed = true})) {
        platform::Messages::AppMessageBox("Can't save to :" + path);
        return;
    }
    if (!ParameterFile::IsSettingsFile(path))
        platform::Messages::AppMessageBox("Saved to file: " + path);
}

bool MainStampDialog::ApplyPresets(
    const std::optional<std::string>& parameterFile,
    const std::vector<std::pair<std::string, std::string>>& assignments) {
    if (parameterFile) {
        szParameterFile = *parameterFile;
        if (!ReadParameterFile(*parameterFile))
            return false;
    }
    bool pictureNamed = false;
    for (const auto& [key, value] : assignments) {
        SettingAssignment::Apply(key, value, settings);
        pictureNamed = pictureNamed || key == "IMAGEFILENAME";
    }
    bCalcLeft = !settings.bCalcRight;
    bCalcBottom = !settings.bCalcTop;
    // As after reading a file: the sizes stay as given, the natural size
    // follows the picture when it loads.
    if (pictureNamed && picture.Load(settings.szImageFileName)) {
        const PictureRect size = picture.GetSize();
        nActualWidth = size.right;
        nActualHeight = size.bottom;
    }
    if (!assignments.empty() && view_) {
        view_->ShowTextOnImageButton(settings.nTextOnImage != 0);
        view_->RefreshControls();
    }
    return true;
}
