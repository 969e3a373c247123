#include "settings/ParameterFile.h"

#include "tests/settings/SettingsSamples.h"
#include "tests/support/CorpusManifest.h"
#include "tests/support/FileBytes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <limits>

namespace {

using testing_support::kSampleFile;
using testing_support::SampleSettings;

// Every member differs from SampleSettings, and every flag is the opposite.
StampSettings OtherSettings() {
    StampSettings s;
    s.nStartProc = 3;
    s.nEndProc = -4;
    s.szPosition = "Top Middle";
    s.nVertical = -720;
    s.nHorizontal = 2147483647;
    s.nNth = 7;
    s.nOpacity = 35;
    s.szImageFileName = "/srv/stamps/a picture.gif";
    s.nImageWidth = 640;
    s.nImageHeight = 480;
    s.nImageWidthPdf = 64;
    s.nImageHeightPdf = -2147483647 - 1;
    s.bCalcRight = false;
    s.bCalcTop = true;
    s.bForcePortrait = false;
    s.bConstrainImage = false;
    s.nTextOnImage = 0;
    s.text.nTransparent = 0;
    s.text.szText = "  File: [FILENAME]  ";
    s.text.szFontName = "Liberation Sans";
    s.text.nHorizPos = -5;
    s.text.nVertPos = 600;
    s.text.nFontSize = 12;
    s.text.crTextColor = 0xffffffff;
    LogFont& f = s.text.lfFontInfo;
    f.lfHeight = 12;
    f.lfWidth = -6;
    f.lfEscapement = 900;
    f.lfOrientation = -900;
    f.lfWeight = 400;
    f.lfItalic = 1;
    f.lfUnderline = 255;
    f.lfStrikeOut = 1;
    f.lfCharSet = 238;
    f.lfOutPrecision = 4;
    f.lfClipPrecision = 5;
    f.lfQuality = 6;
    f.lfPitchAndFamily = 7;
    f.SetFaceName(" DejaVu Sans Mono  ");
    return s;
}

TEST(ParameterFileTest, WritesTheSampleFileByteForByte) {
    EXPECT_EQ(ParameterFile::Format(SampleSettings()), kSampleFile);

    StampSettings read;
    ASSERT_TRUE(ParameterFile::Apply(kSampleFile, read));
    EXPECT_EQ(read, SampleSettings());
}

TEST(ParameterFileTest, WritesFlagLinesOnlyWhereTheirConditionHolds) {
    StampSettings s = SampleSettings();
    s.bCalcRight = false;
    s.bForcePortrait = false;
    s.bCalcTop = true;
    s.bConstrainImage = false; // the inverted flag: its line means "not constrained"
    s.text.lfFontInfo = LogFont();
    const std::string text = ParameterFile::Format(s);
    EXPECT_NE(text.find("IMAGEHEIGHTPDF;120\r\nCALCTOP\r\nCONSTRAINIMAGE\r\nTEXTONIMAGE;1\r\n"),
              std::string::npos)
        << text;
    EXPECT_TRUE(text.ends_with("T_FONTINFO;   0|   0|   0|   0|   0|   0|   0|   0|   0|   0|"
                               "   0|   0|   0| \r\n"))
        << text;
}

TEST(ParameterFileTest, NoValueCanBreakItsLine) {
    struct Field {
        const char* key;
        std::function<std::string&(StampSettings&)> text;
    };
    const std::vector<Field> fields = {
        {"POSITION", [](StampSettings& s) -> std::string& { return s.szPosition; }},
        {"IMAGEFILENAME", [](StampSettings& s) -> std::string& { return s.szImageFileName; }},
        {"T_TEXT", [](StampSettings& s) -> std::string& { return s.text.szText; }},
        {"T_FONTNAME", [](StampSettings& s) -> std::string& { return s.text.szFontName; }},
    };
    const std::string clean = ParameterFile::Format(SampleSettings());
    const auto lineEnds = [](const std::string& text) {
        return std::pair(std::count(text.begin(), text.end(), '\n'),
                         std::count(text.begin(), text.end(), '\r'));
    };
    for (const Field& field : fields) {
        SCOPED_TRACE(field.key);
        StampSettings s = SampleSettings();
        field.text(s) = "a\r\nb\nc\rd";
        std::string text = ParameterFile::Format(s);
        EXPECT_EQ(lineEnds(text), lineEnds(clean));
        EXPECT_NE(text.find(std::string(field.key) + ";a  b c d\r\n"), std::string::npos) << text;
        StampSettings read = SampleSettings();
        ASSERT_TRUE(ParameterFile::Apply(text, read));
        StampSettings expected = SampleSettings();
        field.text(expected) = "a  b c d";
        EXPECT_EQ(read, expected);

        // What follows a break must not become a key line of its own.
        field.text(s) = "a\nSTARTPROC;9";
        text = ParameterFile::Format(s);
        EXPECT_EQ(lineEnds(text), lineEnds(clean));
        read = SampleSettings();
        ASSERT_TRUE(ParameterFile::Apply(text, read));
        EXPECT_EQ(read.nStartProc, SampleSettings().nStartProc);
    }

    StampSettings s = SampleSettings();
    s.text.lfFontInfo.SetFaceName("Sans\nSTARTPROC;9");
    const std::string text = ParameterFile::Format(s);
    EXPECT_EQ(lineEnds(text), lineEnds(clean));
    StampSettings read = SampleSettings();
    ASSERT_TRUE(ParameterFile::Apply(text, read));
    EXPECT_EQ(read.nStartProc, SampleSettings().nStartProc);
}

using Change = std::function<void(StampSettings&)>;

struct ReadCase {
    const char* name;
    std::string content;
    Change expected; // applied to the record the read started from
};

// Each case reads `content` over OtherSettings() and compares the whole
// record, so a field that changes when it should not is caught too.
void CheckReads(const std::vector<ReadCase>& cases) {
    for (const ReadCase& c : cases) {
        SCOPED_TRACE(c.name);
        StampSettings actual = OtherSettings();
        ASSERT_TRUE(ParameterFile::Apply(c.content, actual));
        StampSettings expected = OtherSettings();
        // A read that opened the file always resets the presence-coded flags.
        expected.bCalcRight = false;
        expected.bCalcTop = false;
        expected.bForcePortrait = false;
        expected.bConstrainImage = true;
        c.expected(expected);
        EXPECT_EQ(actual, expected);
    }
}

TEST(ParameterFileTest, ReaderRules) {
    CheckReads({
        {"round trip of every field", ParameterFile::Format(SampleSettings()),
         [](StampSettings& s) { s = SampleSettings(); }},
        {"round trip of the opposite flags and extreme numbers",
         ParameterFile::Format(OtherSettings()), [](StampSettings& s) { s = OtherSettings(); }},
        {"no presence lines: flags reset, nothing else changes", "", [](StampSettings&) {}},
        {"one line changes one field", "OPACITY;50\r\n", [](StampSettings& s) { s.nOpacity = 50; }},
        {"a flag key ignores its tokens", "CALCRIGHT;0\nCALCTOP|x\nCONSTRAINIMAGE;1\n",
         [](StampSettings& s) {
             s.bCalcRight = true;
             s.bCalcTop = true;
             s.bConstrainImage = false;
         }},
        {"keys are case-sensitive and whole", "opacity;50\nOPACITY ;51\n OPACITY;52\nOPAC;53\n",
         [](StampSettings&) {}},
        {"repeated and leading separators count as one", ";|STARTPROC;;7\n|;|ENDPROC||;9\n",
         [](StampSettings& s) {
             s.nStartProc = 7;
             s.nEndProc = 9;
         }},
        {"numbers stop at the first non-digit", "IMAGEWIDTH;12px\nIMAGEHEIGHT;px\n",
         [](StampSettings& s) {
             s.nImageWidth = 12;
             s.nImageHeight = 0;
         }},
        {"atoi details",
         "VERTICAL; \t-12abc\nHORIZONTAL;+7\n1NTH;1E2\nOPACITY;0x10\nSTARTPROC;-0\n"
         "ENDPROC;99999999999999999999\nT_VERTPOS;-99999999999\n",
         [](StampSettings& s) {
             s.nVertical = -12;
             s.nHorizontal = 7;
             s.nNth = 1;
             s.nOpacity = 0;
             s.nStartProc = 0;
             s.nEndProc = std::numeric_limits<int32_t>::max();
             s.text.nVertPos = std::numeric_limits<int32_t>::min();
         }},
        {"the colour is unsigned", "T_TEXTCOLOR;16711680\n",
         [](StampSettings& s) { s.text.crTextColor = 16711680; }},
        {"the colour reads back every value the writer writes", "T_TEXTCOLOR;4294967295\n",
         [](StampSettings& s) { s.text.crTextColor = 0xffffffff; }},
        {"an empty face name is written as one space and reads as one",
         "T_FONTINFO;   0|   0|   0|   0|   0|   0|   0|   0|   0|   0|   0|   0|   0| \r\n",
         [](StampSettings& s) {
             s.text.lfFontInfo = LogFont();
             s.text.lfFontInfo.SetFaceName(" ");
         }},
        {"font byte fields keep their low 8 bits",
         "T_FONTINFO;1;2;3;4;5;300;-1;256;7;8;9;10;11;Face Name\n",
         [](StampSettings& s) {
             LogFont f;
             f.lfHeight = 1;
             f.lfWidth = 2;
             f.lfEscapement = 3;
             f.lfOrientation = 4;
             f.lfWeight = 5;
             f.lfItalic = 44;
             f.lfUnderline = 255;
             f.lfStrikeOut = 0;
             f.lfCharSet = 7;
             f.lfOutPrecision = 8;
             f.lfClipPrecision = 9;
             f.lfQuality = 10;
             f.lfPitchAndFamily = 11;
             f.SetFaceName("Face Name");
             s.text.lfFontInfo = f;
         }},
        {"texts: one token, cut at a separator, empty when absent",
         "POSITION;Top;Left\nIMAGEFILENAME;C:\\a|b.bmp\nT_TEXT;\nT_FONTNAME\n",
         [](StampSettings& s) {
             s.szPosition = "Top";
             s.szImageFileName = "C:\\a";
             s.text.szText = "";
             s.text.szFontName = "";
         }},
        {"last occurrence wins, unknown keys ignored, LF ends and no final end",
         "OPACITY;1\nFOO;2\nOPACITY;3\r\nT_TEXT;last line",
         [](StampSettings& s) {
             s.nOpacity = 3;
             s.text.szText = "last line";
         }},
    });
}

TEST(ParameterFileTest, DamagedLinesChangeNothingHalfway) {
    const std::string longText(1000, 'x');
    const std::string face31(31, 'f');
    const std::string face32(32, 'g');
    CheckReads({
        {"empty and separator-only lines are skipped", "\n\r\n;;;\n|\n;|\nOPACITY;5\n",
         [](StampSettings& s) { s.nOpacity = 5; }},
        {"a number key without a value keeps the number",
         "IMAGEWIDTH\nIMAGEHEIGHT;\nT_TEXTCOLOR;\n", [](StampSettings&) {}},
        {"a short font record keeps the whole record",
         "T_FONTINFO;1|2|3\nT_FONTINFO;1|2|3|4|5|6|7|8|9|10|11|12|13\n", [](StampSettings&) {}},
        {"a face name of 31 characters fits",
         "T_FONTINFO;0|0|0|0|0|0|0|0|0|0|0|0|0|" + face31 + "\n",
         [&](StampSettings& s) {
             s.text.lfFontInfo = LogFont();
             s.text.lfFontInfo.SetFaceName(face31);
         }},
        {"a face name of 32 characters keeps the whole record",
         "T_FONTINFO;9|9|9|9|9|9|9|9|9|9|9|9|9|" + face32 + "\n", [](StampSettings&) {}},
        {"a line longer than 254 characters is read whole",
         "T_TEXT;" + longText + "\r\nOPACITY;9\r\n",
         [&](StampSettings& s) {
             s.text.szText = longText;
             s.nOpacity = 9;
         }},
        {"a text holding a CR keeps it; only the line end's CR goes", "T_TEXT;a\rb\r\r\n",
         [](StampSettings& s) { s.text.szText = "a\rb\r"; }},
    });
}

TEST(ParameterFileTest, ContentThatIsNotTextChangesNothing) {
    const std::string withNul = std::string("OPACITY;5\n\0\x89PNG\r\n", 16);
    StampSettings s = OtherSettings();
    EXPECT_FALSE(ParameterFile::Apply(withNul, s));
    EXPECT_EQ(s, OtherSettings());
}

TEST(ParameterFileTest, ReportsTheKeysWithSideEffects) {
    struct Case {
        std::string content;
        bool textColor;
        bool fontInfo;
    };
    const std::vector<Case> cases = {
        {"OPACITY;1\n", false, false},
        {"T_TEXTCOLOR;5\n", true, false},
        {"T_TEXTCOLOR\nT_FONTINFO;1\n", false, false}, // nothing applied
        {kSampleFile, true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.content);
        StampSettings s;
        const auto applied = ParameterFile::Apply(c.content, s);
        ASSERT_TRUE(applied);
        EXPECT_EQ(applied->textColor, c.textColor);
        EXPECT_EQ(applied->fontInfo, c.fontInfo);
    }
}

TEST(ParameterFileTest, TellsTheSettingsFileByASubstring) {
    const std::vector<std::pair<std::string, bool>> cases = {
        {"/opt/talvane/PDFTalvane.ini", true},
        {"C:\\old\\PDFTalvane.ini.tvp", true},
        {"PDFTalvane.ini", true},
        {"/opt/talvane/pdftalvane.ini", false},
        {"/opt/talvane/PDFTalvane.in", false},
        {"Default.tvp", false},
        {"", false},
    };
    for (const auto& [path, isSettings] : cases)
        EXPECT_EQ(ParameterFile::IsSettingsFile(path), isSettings) << path;
}

// Hostile text from the shared corpus: whatever it holds, reading it must not
// crash, and what was read must survive a write and a second read.
TEST(ParameterFileTest, CorpusTextReadsAndRoundTrips) {
    const testsupport::CorpusManifest manifest(TALVANE_CORPUS_DIR);
    if (!manifest.Present())
        GTEST_SKIP() << "corpus not present at " << manifest.Folder();
    int files = 0;
    for (const testsupport::CorpusEntry& e : manifest.Entries()) {
        if (e.expect != testsupport::CorpusEntry::Expect::Parse)
            continue;
        SCOPED_TRACE(e.path);
        StampSettings first = OtherSettings();
        if (!ParameterFile::Apply(testsupport::ReadFile(e.file), first))
            continue; // not text: nothing applied, nothing to compare
        StampSettings second;
        ASSERT_TRUE(ParameterFile::Apply(ParameterFile::Format(first), second));
        EXPECT_EQ(second, first);
        ++files;
    }
    EXPECT_GT(files, 0);
}

} // namespace
