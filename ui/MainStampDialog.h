// The main stamp dialog object: the settings record and what sits beside it
// for the whole time the plug-in is loaded. The widgets come later; they
// reach this object through the members and hand their own steps in through
// MainStampDialogView while the dialog is on screen.
//
// Contract: a new object holds the load-time values (StampSettings()) and
// companions that are all off and 0. ApplyFirstRunValues sets the first-run
// values, companions included.
//
// ReadParameterFile(path) reads a settings file or a named parameter file
// over the settings. A file that cannot be opened, is not text or is larger
// than any parameter file changes nothing and shows "Can't open parameters
// file", except that a settings file (ParameterFile::IsSettingsFile) fails
// silently. After a read bCalcLeft and bCalcBottom are the complements of
// CALCRIGHT and CALCTOP, the face name shown follows a T_FONTINFO line, and
// the picture named by IMAGEFILENAME is loaded: on success its natural size
// becomes nActualWidth/nActualHeight, on failure they stay.
//
// WriteParameterFile(path) writes the settings after taking the controls in.
// When the file cannot be written it shows "Can't save to :" followed by the
// path and leaves any previous file as it was; after a named parameter file
// is written it shows "Saved to file: " followed by the path.
//
// Messages are application message boxes (platform::Messages).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "image/LoadedPicture.h"
#include "settings/StampSettings.h"
#include "ui/TextOnImageDialog.h"

// The widget side of the dialog, present only while it is on screen.
class MainStampDialogView {
  public:
    virtual ~MainStampDialogView() = default;
    // Controls into the settings, in control-table order. False when a
    // numeric edit did not hold an integer: the view has told the user and
    // put the focus there, and the fields after it kept their values.
    virtual bool ReadControls() = 0;
    virtual void RefreshControls() = 0; // settings into the controls
    virtual void RepaintNow() = 0;      // invalidate, erase and update at once
    virtual void ShowTextOnImageButton(bool visible) = 0;
};

class MainStampDialog {
  public:
    static constexpr const char* kDefaultParameterFile = "Default.tvp";

    MainStampDialog() = default;
    MainStampDialog(const MainStampDialog&) = delete;
    MainStampDialog& operator=(const MainStampDialog&) = delete;

    void ApplyFirstRunValues();
    // True when the file was read (a failure has been reported as above).
    bool ReadParameterFile(const std::string& path);
    // What a command line handed over (platform::PresetSettings): its
    // parameter file is loaded as "Load Settings" loads one, then each
    // KEY=VALUE is applied (SettingAssignment), companions kept in step.
    // False when the parameter file could not be read; nothing else is
    // applied then, since the request cannot be met.
    bool ApplyPresets(const std::optional<std::string>& parameterFile,
                      const std::vector<std::pair<std::string, std::string>>& settings);
    void WriteParameterFile(const std::string& path);

    // The widget side while the dialog is on screen, nullptr otherwise. Not
    // owned; it must be cleared before it goes.
    void SetView(MainStampDialogView* view) { view_ = view; }
    MainStampDialogView* View() const { return view_; }

    StampSettings settings;
    bool bCalcLeft = false;   // complement of settings.bCalcRight
    bool bCalcBottom = false; // complement of settings.bCalcTop
    int32_t nActualWidth = 0; // natural size of the picture last loaded here
    int32_t nActualHeight = 0;
    TextOnImageDialog textOnImage{settings.text}; // after `settings`: it refers to it
    LoadedPicture picture;
    std::string szParameterFile = kDefaultParameterFile; // current parameter-file name

  private:
    MainStampDialogView* view_ = nullptr;
};
