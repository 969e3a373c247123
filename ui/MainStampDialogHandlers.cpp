#include "ui/MainStampDialogHandlers.h"

#include "platform/Messages.h"
#include "platform/PresetSettings.h"
#include "settings/InstallPaths.h"
#include "ui/HtmlHelp.h"
#include "ui/MainStampDialogRun.h"
#include "ui/PositionPresets.h"
#include "ui/ProportionalSize.h"

using namespace main_stamp_dialog;

namespace {

constexpr const char* kLeftNote =
    "Note: all from left positions will be from the left hand page margin.";
constexpr const char* kRightNote =
    "Note: all from left positions will be negative from the right hand page margin \r\ne.g. "
    "entering 80 would mean 80 pixels from the right hand page margin.";
constexpr const char* kBottomNote =
    "Note: all bottom positions will be from the bottom page margin.";
constexpr const char* kTopNote =
    "Note: all from bottom positions will be negative from the top page margin \r\ne.g. "
    "entering 80 would mean 80 pixels from the top page margin.";

const std::pair<std::string, std::string> kAllFiles{"All Files *.*", "*.*"};

} // namespace

FileChoice MainStampDialogHandlers::PictureChoice() {
    FileChoice c;
    c.mode = FileChoice::Mode::Open;
    c.title = "Open Image File";
    c.filters = {{"*.jpg;*.gif;*.bmp;*.png", "*.jpg;*.gif;*.bmp;*.png"}, kAllFiles};
    c.mustExist = true;
    c.maxPath = 256;
    return c;
}

FileChoice MainStampDialogHandlers::OpenParametersChoice() {
    FileChoice c;
    c.mode = FileChoice::Mode::Open;
    c.title = "Open Talvane Parameters File";
    c.filters = {{"*.tvp", "*.tvp"}, kAllFiles};
    c.defaultExtension = "TVP";
    c.mustExist = true;
    c.hideReadOnly = true;
    c.maxPath = 254;
    return c;
}

FileChoice MainStampDialogHandlers::SaveParametersChoice() {
    FileChoice c = OpenParametersChoice();
    c.mode = FileChoice::Mode::Save;
    c.title = "Save Talvane Parameters File";
    c.mustExist = false;
    return c;
}

void MainStampDialogHandlers::TakeNaturalSize() {
    const PictureRect size = dialog_.picture.GetSize();
    dialog_.nActualWidth = size.right;
    dialog_.nActualHeight = size.bottom;
}

void MainStampDialogHandlers::Open() {
    dialog_.szParameterFile = MainStampDialog::kDefaultParameterFile;
    window_.ShowTextOnImageButton(dialog_.settings.nTextOnImage != 0);
    // A command-line request that cannot be met starts no run with
    // settings nobody asked for.
    if (auto presets = platform::PresetSettings::Take();
        presets && !dialog_.ApplyPresets(presets->parameterFile, presets->settings)) {
        window_.End(kEndedByEscape);
        return;
    }
    if (dialog_.picture.Load(dialog_.settings.szImageFileName)) {
        TakeNaturalSize();
        window_.RefreshControls();
    }
}

void MainStampDialogHandlers::Position(int index) {
    window_.ReadControls();
    const auto offsets = PositionPresets::Offsets(index);
    if (!offsets)
        return;
    dialog_.settings.nVertical = offsets->vertical;
    dialog_.settings.nHorizontal = offsets->horizontal;
    window_.RefreshControls();
    // The refresh selects the entry matching the old POSITION text.
    window_.SelectPosition(index);
}

void MainStampDialogHandlers::EdgeBox(int id) {
    window_.ReadControls();
    StampSettings& s = dialog_.settings;
    const char* note = nullptr;
    switch (id) {
    case kCalcLeft:
        s.bCalcRight = !dialog_.bCalcLeft;
        note = dialog_.bCalcLeft ? kLeftNote : nullptr;
        break;
    case kCalcRight:
        dialog_.bCalcLeft = !s.bCalcRight;
        note = s.bCalcRight ? kRightNote : nullptr;
        break;
    case kCalcBottom:
        s.bCalcTop = !dialog_.bCalcBottom;
        note = dialog_.bCalcBottom ? kBottomNote : nullptr;
        break;
    case kCalcTop:
        dialog_.bCalcBottom = !s.bCalcTop;
        note = s.bCalcTop ? kTopNote : nullptr;
        break;
    default:
        return;
    }
    window_.RefreshControls();
    if (note)
        platform::Messages::AppMessageBox(note);
}

void MainStampDialogHandlers::ForcePortrait() {
    window_.ReadControls();
    window_.RefreshControls();
}

void MainStampDialogHandlers::SizeEdited(int id) {
    StampSettings& s = dialog_.settings;
    if (!s.bConstrainImage)
        return;
    window_.ReadControls();
    const int32_t w = dialog_.nActualWidth;
    const int32_t h = dialog_.nActualHeight;
    std::optional<int32_t> partner;
    int32_t* target = nullptr;
    switch (id) {
    case kImageWidth:
        partner = ProportionalPartner(s.nImageWidth, w, h);
        target = &s.nImageHeight;
        break;
    case kImageHeight:
        partner = ProportionalPartner(s.nImageHeight, h, w);
        target = &s.nImageWidth;
        break;
    case kImageWidthPdf:
        partner = ProportionalPartner(s.nImageWidthPdf, w, h);
        target = &s.nImageHeightPdf;
        break;
    case kImageHeightPdf:
        partner = ProportionalPartner(s.nImageHeightPdf, h, w);
        target = &s.nImageWidthPdf;
        break;
    default:
        return;
    }
    if (partner)
        *target = *partner;
    window_.RefreshControls();
}

void MainStampDialogHandlers::Constrain() {
    window_.ReadControls();
    StampSettings& s = dialog_.settings;
    if (!s.bConstrainImage) {
        s.nImageWidth = s.nImageWidthPdf = dialog_.nActualWidth;
        s.nImageHeight = s.nImageHeightPdf = dialog_.nActualHeight;
    }
    window_.RefreshControls();
}

void MainStampDialogHandlers::Browse() {
    window_.ReadControls();
    const auto path = window_.ChooseFile(PictureChoice());
    if (!path)
        return;
    StampSettings& s = dialog_.settings;
    s.szImageFileName = *path;
    window_.RefreshControls();
    if (!dialog_.picture.Load(s.szImageFileName)) {
        window_.ShowOwnedBox("Unable to load image filename", s.szImageFileName);
        return;
    }
    TakeNaturalSize();
    s.nImageWidth = s.nImageWidthPdf = dialog_.nActualWidth;
    s.nImageHeight = s.nImageHeightPdf = dialog_.nActualHeight;
    window_.RefreshControls();
}

void MainStampDialogHandlers::TextOnImageBox() {
    window_.ReadControls();
    if (dialog_.settings.nTextOnImage != 0) {
        window_.RunTextOnImageDialog();
        window_.ShowTextOnImageButton(true);
    } else {
        window_.ShowTextOnImageButton(false);
    }
}

void MainStampDialogHandlers::TextOnImageButton() {
    window_.ReadControls();
    if (dialog_.settings.nTextOnImage != 0)
        window_.RunTextOnImageDialog();
}

void MainStampDialogHandlers::LoadSettings() {
    window_.ReadControls();
    const auto path = window_.ChooseFile(OpenParametersChoice());
    if (!path)
        return;
    dialog_.szParameterFile = *path;
    dialog_.ReadParameterFile(*path);
}

void MainStampDialogHandlers::SaveSettings() {
    dialog_.WriteParameterFile(dialog_.szParameterFile);
}

void MainStampDialogHandlers::SaveSettingsAs() {
    window_.ReadControls();
    window_.RefreshControls();
    const auto path = window_.ChooseFile(SaveParametersChoice());
    if (!path)
        return;
    dialog_.szParameterFile = *path;
    dialog_.WriteParameterFile(*path);
}

void MainStampDialogHandlers::HtmlHelp() {
    OpenHtmlHelp([this](const std::string& caption,
                        const std::string& text) { window_.ShowOwnedBox(caption, text); },
                 [this](const std::string& path) { window_.OpenWithShell(path); });
}

void MainStampDialogHandlers::Stamp() {
    bUndoAvailable = true;
    window_.ReadControls();
    window_.End(kEndedByRun);
}

void MainStampDialogHandlers::Undo() {
    if (!bUndoAvailable) {
        platform::Messages::AppMessageBox("Can't undo again, already undone once!");
        return;
    }
    bUndoAvailable = false;
    window_.ReadControls();
    window_.End(kEndedByRun);
}

void MainStampDialogHandlers::Close() {
    window_.ReadControls();
    dialog_.WriteParameterFile(InstallPaths::Get().szIniPath);
    window_.End(kEndedByClose);
}

void MainStampDialogHandlers::Enter() {
    if (window_.ReadControls())
        window_.End(kEndedByRun);
}

void MainStampDialogHandlers::Escape() {
    window_.End(kEndedByEscape);
}

bool MainStampDialogHandlers::Command(int id) {
    switch (id) {
    case kCalcLeft:
    case kCalcRight:
    case kCalcBottom:
    case kCalcTop:
        EdgeBox(id);
        return true;
    case kForcePortrait:
        ForcePortrait();
        return true;
    case kConstrain:
        Constrain();
        return true;
    case kBrowse:
        Browse();
        return true;
    case kTextOnImage:
        TextOnImageBox();
        return true;
    case kTextOnImageButton:
        TextOnImageButton();
        return true;
    case kLoadSettings:
        LoadSettings();
        return true;
    case kSaveSettings:
        SaveSettings();
        return true;
    case kSaveSettingsAs:
        SaveSettingsAs();
        return true;
    case kHtmlHelp:
        HtmlHelp();
        return true;
    case kStamp:
        Stamp();
        return true;
    case kUndo:
        Undo();
        return true;
    case kClose:
        Close();
        return true;
    default:
        return false;
    }
}
