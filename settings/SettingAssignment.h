// One setting given by name and value, as a command line states it
// ("OPACITY=50"), checked and applied to a record without a file.
//
// Contract: the names are the parameter-file keys, matched exactly. Check
// returns "" when the pair can be applied, or a text naming what is wrong: an
// unknown key, a value holding a line break (CR or LF), a number that is not
// a plain decimal integer within its range (32-bit signed; T_TEXTCOLOR
// unsigned), a flag that is not 0 or 1, or a T_FONTINFO that is not thirteen
// integers and a face name of at most 31 characters separated by "|" (the
// record as a parameter file writes it). Apply assumes Check passed and sets
// exactly the one member; unlike reading a file it resets no other flag.
//
// Flags take the meaning of the setting, not of the file line: CONSTRAINIMAGE=1
// means the proportions are constrained (the file writes its line only when
// they are not). Texts are taken verbatim, ";" and "|" included, since no
// file sits between the command line and the run.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "settings/StampSettings.h"

class SettingAssignment {
  public:
    static std::string Check(std::string_view key, std::string_view value);
    static void Apply(std::string_view key, std::string_view value, StampSettings& settings);
    // Every key, in the order the writer emits them.
    static const std::vector<std::string_view>& Keys();
};
