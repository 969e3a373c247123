// Scripted showings of the main stamp dialog: pdfhost runs the stamp
// command and the script answers its dialog through the real widgets.
//
// Contract: SetUp writes a black 640 x 480 BMP ("pic.bmp") and a settings
// file naming it with sizes that do not keep its proportions (100 x 50
// pixels, 90 x 40 in the PDF), so a partner size that comes out in the
// picture's proportions can only come from the natural size. ShowDialog
// writes `settings`, then runs one script with no document open: the
// answers, the ending (Escape unless told) and the stamp command. The
// `expect` lines among the answers make the run fail (status 1, the reason
// on standard error) when a control shows something else.
#pragma once

#include <string>

#include "StampScenario.h"

namespace e2e {

inline const std::string kLeftNote =
    "Note: all from left positions will be from the left hand page margin.";
inline const std::string kRightNote =
    "Note: all from left positions will be negative from the right hand page margin \r\ne.g. "
    "entering 80 would mean 80 pixels from the right hand page margin.";
inline const std::string kBottomNote =
    "Note: all bottom positions will be from the bottom page margin.";
inline const std::string kTopNote =
    "Note: all from bottom positions will be negative from the top page margin \r\ne.g. "
    "entering 80 would mean 80 pixels from the top page margin.";
inline const std::string kNotAnInteger = "Please enter an integer.";
// What the stamp command says after a dialog that ended with 1 when no
// document is open: the sign that a run was asked for.
inline const std::string kNoDocument = "Please open a pdf first";

class MainStampDialogScript : public StampScenario {
  protected:
    void SetUp() override;

    HostResult ShowDialog(const std::string& answers, const std::string& ending = "key escape\n");
    // "expect ID TEXT\n" for each pair.
    static std::string Expect(const std::vector<std::pair<int, std::string>>& shown);

    std::filesystem::path picture;
    SettingsFile settings;
};

} // namespace e2e
