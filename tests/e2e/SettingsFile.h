// The plug-in's settings file as a test writes it before a run and reads
// it back after one.
//
// Contract: Write() produces the text the plug-in's own writer would for
// these values (keys in its order, CR LF line ends, flag lines only when
// set; the text-on-image lines only when textOnImage is set), so a run
// reads exactly these settings. Because a settings file exists, an unset flag really is
// off, force-portrait included. ReadValues() returns the "KEY;VALUE" lines
// of a file as key -> value, and flag lines as key -> "".
#pragma once

#include <filesystem>
#include <map>
#include <string>

namespace e2e {

struct SettingsFile {
    int startProc = 1;
    int endProc = 99999;
    int vertical = 20;
    int horizontal = 20;
    int nth = 1;
    int opacity = 100;
    std::string imageFileName;
    int imageWidth = 0;
    int imageHeight = 0;
    int imageWidthPdf = 0;
    int imageHeightPdf = 0;
    bool calcRight = false;
    bool calcTop = false;
    bool forcePortrait = false;

    // The text drawn on the picture, with the font record's fields a test
    // varies (the others are 0).
    bool textOnImage = false;
    std::string text;
    bool transparent = false;
    int horizPos = 10;
    int vertPos = 10;
    unsigned textColor = 0; // 0x00bbggrr
    int fontHeight = -40;
    int fontWeight = 400;
    int fontQuality = 3;
    std::string fontFace = "Arial";

    void Write(const std::filesystem::path& path) const;
    static std::map<std::string, std::string> ReadValues(const std::filesystem::path& path);
};

} // namespace e2e
