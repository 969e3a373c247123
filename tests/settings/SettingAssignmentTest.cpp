#include "settings/SettingAssignment.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "settings/ParameterFile.h"
#include "tests/settings/SettingsSamples.h"

namespace {

using testing_support::SampleSettings;

TEST(SettingAssignmentTest, RefusesWhatWouldNotMeanTheValueGiven) {
    struct Case {
        const char* key;
        const char* value;
        const char* error; // "" when accepted
    } cases[] = {
        {"OPACITY", "50", ""},
        {"VERTICAL", "-20", ""},
        {"STARTPROC", "+3", ""},
        {"ENDPROC", "2147483647", ""},
        {"ENDPROC", "2147483648",
         "ENDPROC needs a whole number from -2147483648 to 2147483647, not \"2147483648\""},
        {"OPACITY", "", "OPACITY needs a whole number from -2147483648 to 2147483647, not \"\""},
        {"OPACITY", " 5",
         "OPACITY needs a whole number from -2147483648 to 2147483647, not \" 5\""},
        {"IMAGEWIDTH", "12px",
         "IMAGEWIDTH needs a whole number from -2147483648 to 2147483647, not \"12px\""},
        {"T_TEXTCOLOR", "4294967295", ""},
        {"T_TEXTCOLOR", "-1", "T_TEXTCOLOR needs a whole number from 0 to 4294967295, not \"-1\""},
        {"T_TEXTCOLOR", "4294967296",
         "T_TEXTCOLOR needs a whole number from 0 to 4294967295, not \"4294967296\""},
        {"CALCRIGHT", "1", ""},
        {"CONSTRAINIMAGE", "0", ""},
        {"FORCEPORTRAIT", "on", "FORCEPORTRAIT needs 1 (on) or 0 (off), not \"on\""},
        {"CALCTOP", "", "CALCTOP needs 1 (on) or 0 (off), not \"\""},
        {"T_TEXT", "", ""},
        {"T_TEXT", "a;b|c", ""},
        {"T_TEXT", "two\nlines", "T_TEXT: a value cannot hold a line break"},
        {"IMAGEFILENAME", "a\rb", "IMAGEFILENAME: a value cannot hold a line break"},
        {"T_FONTINFO", " -28|   0|   0|   0| 700|   0|   0|   0|   0|   3|   2|   1|  34|Arial",
         ""},
        {"T_FONTINFO", "-28|0|0|0|700|0|0|0|0|3|2|1|34|Times New Roman", ""},
        {"T_FONTINFO", "-28|0|0|0|700|0|0|0|0|3|2|1|Arial",
         "T_FONTINFO needs 13 whole numbers and a face name of 1 to 31 characters, each after a "
         "\"|\", not \"-28|0|0|0|700|0|0|0|0|3|2|1|Arial\""},
        {"T_FONTINFO", "-28|0|0|0|700|x|0|0|0|3|2|1|34|Arial",
         "T_FONTINFO needs 13 whole numbers and a face name of 1 to 31 characters, each after a "
         "\"|\", not \"-28|0|0|0|700|x|0|0|0|3|2|1|34|Arial\""},
        {"T_FONTINFO", "0|0|0|0|0|0|0|0|0|0|0|0|0|",
         "T_FONTINFO needs 13 whole numbers and a face name of 1 to 31 characters, each after a "
         "\"|\", not \"0|0|0|0|0|0|0|0|0|0|0|0|0|\""},
        {"T_FONTINFO", "0|0|0|0|0|0|0|0|0|0|0|0|0|12345678901234567890123456789012",
         "T_FONTINFO needs 13 whole numbers and a face name of 1 to 31 characters, each after a "
         "\"|\", not \"0|0|0|0|0|0|0|0|0|0|0|0|0|12345678901234567890123456789012\""},
        {"opacity", "50", "\"opacity\" is not a parameter-file key"},
        {"OPACITY ", "50", "\"OPACITY \" is not a parameter-file key"},
        {"bCalcLeft", "1", "\"bCalcLeft\" is not a parameter-file key"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(SettingAssignment::Check(c.key, c.value), c.error) << c.key << "=" << c.value;
}

// Each assignment changes exactly its member: no flag is reset as a file
// read would, and every key of the writer is reachable.
TEST(SettingAssignmentTest, SetsExactlyTheNamedMember) {
    using Change = std::function<void(StampSettings&)>;
    struct Case {
        const char* key;
        const char* value;
        Change expected;
    } cases[] = {
        {"STARTPROC", "7", [](StampSettings& s) { s.nStartProc = 7; }},
        {"ENDPROC", "-1", [](StampSettings& s) { s.nEndProc = -1; }},
        {"POSITION", "Top Middle", [](StampSettings& s) { s.szPosition = "Top Middle"; }},
        {"VERTICAL", "720", [](StampSettings& s) { s.nVertical = 720; }},
        {"HORIZONTAL", "+210", [](StampSettings& s) { s.nHorizontal = 210; }},
        {"1NTH", "3", [](StampSettings& s) { s.nNth = 3; }},
        {"OPACITY", "50", [](StampSettings& s) { s.nOpacity = 50; }},
        {"IMAGEFILENAME", "/a;b.bmp", [](StampSettings& s) { s.szImageFileName = "/a;b.bmp"; }},
        {"IMAGEWIDTH", "1", [](StampSettings& s) { s.nImageWidth = 1; }},
        {"IMAGEHEIGHT", "2", [](StampSettings& s) { s.nImageHeight = 2; }},
        {"IMAGEWIDTHPDF", "3", [](StampSettings& s) { s.nImageWidthPdf = 3; }},
        {"IMAGEHEIGHTPDF", "4", [](StampSettings& s) { s.nImageHeightPdf = 4; }},
        {"CALCRIGHT", "0", [](StampSettings& s) { s.bCalcRight = false; }},
        {"CALCTOP", "1", [](StampSettings& s) { s.bCalcTop = true; }},
        {"FORCEPORTRAIT", "0", [](StampSettings& s) { s.bForcePortrait = false; }},
        {"CONSTRAINIMAGE", "0", [](StampSettings& s) { s.bConstrainImage = false; }},
        {"TEXTONIMAGE", "0", [](StampSettings& s) { s.nTextOnImage = 0; }},
        {"T_TRANSPARENT", "0", [](StampSettings& s) { s.text.nTransparent = 0; }},
        {"T_TEXT", "[VAR(a,b)]|x", [](StampSettings& s) { s.text.szText = "[VAR(a,b)]|x"; }},
        {"T_FONTNAME", "", [](StampSettings& s) { s.text.szFontName = ""; }},
        {"T_HORIZPOS", "5", [](StampSettings& s) { s.text.nHorizPos = 5; }},
        {"T_VERTPOS", "6", [](StampSettings& s) { s.text.nVertPos = 6; }},
        {"T_FONTSIZE", "-9", [](StampSettings& s) { s.text.nFontSize = -9; }},
        {"T_TEXTCOLOR", "4294967295", [](StampSettings& s) { s.text.crTextColor = 0xffffffffu; }},
        {"T_FONTINFO", "-12|1|2|3|400|1|0|1|255|0|0|0|0|Times New Roman",
         [](StampSettings& s) {
             LogFont f;
             f.lfHeight = -12;
             f.lfWidth = 1;
             f.lfEscapement = 2;
             f.lfOrientation = 3;
             f.lfWeight = 400;
             f.lfItalic = 1;
             f.lfStrikeOut = 1;
             f.lfCharSet = 255;
             f.SetFaceName("Times New Roman");
             s.text.lfFontInfo = f;
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.key) + "=" + c.value);
        ASSERT_EQ(SettingAssignment::Check(c.key, c.value), "");
        // The sample has CALCRIGHT and FORCEPORTRAIT on and proportions
        // constrained, so a reset of any flag would show.
        StampSettings actual = SampleSettings();
        StampSettings expected = actual;
        c.expected(expected);
        SettingAssignment::Apply(c.key, c.value, actual);
        EXPECT_EQ(actual, expected);
    }
    for (const std::string_view key : SettingAssignment::Keys())
        EXPECT_TRUE(std::any_of(std::begin(cases), std::end(cases),
                                [&](const Case& c) { return c.key == key; }))
            << key << " is never set here";
}

TEST(SettingAssignmentTest, FlagsTakeTheSettingsMeaningNotTheFileLines) {
    StampSettings s;
    ASSERT_TRUE(s.bConstrainImage);
    SettingAssignment::Apply("CONSTRAINIMAGE", "0", s);
    EXPECT_FALSE(s.bConstrainImage);
    EXPECT_NE(ParameterFile::Format(s).find("\r\nCONSTRAINIMAGE\r\n"), std::string::npos);
    SettingAssignment::Apply("CONSTRAINIMAGE", "1", s);
    EXPECT_TRUE(s.bConstrainImage);
}

} // namespace
