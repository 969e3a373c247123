// The line format of the settings file and of named parameter files.
//
// Contract: Format gives the whole file for a record: 25 lines at most, in a
// fixed order, CR LF line ends, flag lines only where their condition holds
// (CONSTRAINIMAGE when the proportions are NOT constrained). A CR or LF inside
// a text value is written as a space, so no value can add or end a line.
//
// Apply reads a file's content over a record. It first resets the presence-
// coded members (bCalcRight, bCalcTop, bForcePortrait off, bConstrainImage
// on), then applies every line whose key it knows; a key missing from the
// content leaves its member as it was. Each line is cut into tokens at ";",
// "|" and LF, runs of them counting as one; the first token is the key,
// matched exactly. Numbers parse like atoi (T_TEXTCOLOR and the 32-bit font
// fields like atol, the font's byte fields keep their low 8 bits). The
// record changes all at once or not at all: content that is not a parameter
// file (see IsParameterText) leaves it untouched and gives nullopt.
//
// IsSettingsFile tells the per-installation settings file from a named
// parameter file: the path contains "PDFTalvane.ini", case-sensitively.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "settings/StampSettings.h"

class ParameterFile {
  public:
    static constexpr std::string_view kSettingsFileName = "PDFTalvane.ini";
    // A parameter file is a few hundred bytes; anything much larger was
    // chosen by mistake and is refused before it is read into memory.
    static constexpr size_t kMaxFileSize = 1 << 20;

    // Which of the keys with side effects on the dialog were applied.
    struct Applied {
        bool textColor = false;
        bool fontInfo = false;
    };

    static std::string Format(const StampSettings& settings);
    static std::optional<Applied> Apply(std::string_view content, StampSettings& settings);

    static bool IsParameterText(std::string_view content);
    static bool IsSettingsFile(std::string_view path);
};
