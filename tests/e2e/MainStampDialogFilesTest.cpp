// The main stamp dialog's files, endings and looks, driven through its real
// widgets by pdfhost scripts: opening, Load/Save Settings, Save Settings As,
// Close, Enter, bad integers, and a picture of the dialog offscreen and on
// an X server of the test's own.
#include <cstdlib>
#include <fstream>
#include <regex>

#include "MainStampDialogScript.h"
#include "settings/ParameterFile.h"
#include "tests/support/XvfbDisplay.h"

namespace e2e {
namespace {

namespace fs = std::filesystem;
using testsupport::WriteFile;

using MainStampDialogFilesTest = MainStampDialogScript;

// A parameter file that differs from the fixture's settings in every field
// the dialog shows.
const std::string kEveryField = "STARTPROC;3\r\nENDPROC;7\r\nPOSITION;Top Right\r\n"
                                "VERTICAL;-15\r\nHORIZONTAL;-25\r\n1NTH;2\r\nOPACITY;55\r\n"
                                "IMAGEFILENAME;/nowhere/gone.bmp\r\nIMAGEWIDTH;11\r\n"
                                "IMAGEHEIGHT;12\r\nIMAGEWIDTHPDF;13\r\nIMAGEHEIGHTPDF;14\r\n"
                                "CALCRIGHT\r\nCALCTOP\r\nCONSTRAINIMAGE\r\nTEXTONIMAGE;1\r\n";

TEST_F(MainStampDialogFilesTest, OpeningShowsTheSettings) {
    settings.startProc = 2;
    settings.endProc = 9;
    settings.vertical = -3;
    settings.horizontal = 44;
    settings.nth = 3;
    settings.opacity = 70;
    settings.calcTop = true;
    settings.forcePortrait = true;
    const HostResult r = ShowDialog(Expect({{1011, "2"},           {1012, "9"},
                                            {1015, "-3"},          {1016, "44"},
                                            {1002, "Bottom Left"}, {1023, "3"},
                                            {1029, "70"},          {1026, picture.string()},
                                            {1030, "100"},         {1031, "50"},
                                            {1033, "90"},          {1034, "40"},
                                            {1038, "checked"},     {1028, "checked"},
                                            {1035, "unchecked"},   {1036, "unchecked"},
                                            {1037, "checked"},     {1039, "checked"},
                                            {1041, "unchecked"},   {1042, "hidden"}}) +
                                    // The list is there to choose from.
                                    "select 1002 Bottom Middle\n");
    ASSERT_EQ(r.status, 0) << r.Describe();
    EXPECT_EQ(r.messages, std::vector<TranscriptMessage>{});
}

TEST_F(MainStampDialogFilesTest, LoadSettingsFillsEveryFieldEvenWhenItsPictureIsGone) {
    const fs::path file = folder.Path("every.tvp");
    WriteFile(file, kEveryField);
    settings.forcePortrait = true;
    const HostResult r = ShowDialog("click 40001\nfile " + file.string() + "\n" +
                                    Expect({{1011, "3"},         {1012, "7"},
                                            {1015, "-15"},       {1016, "-25"},
                                            {1002, "Top Right"}, {1023, "2"},
                                            {1029, "55"},        {1026, "/nowhere/gone.bmp"},
                                            {1030, "11"},        {1031, "12"},
                                            {1033, "13"},        {1034, "14"},
                                            {1038, "unchecked"}, {1028, "unchecked"},
                                            {1035, "checked"},   {1036, "unchecked"},
                                            {1037, "checked"},   {1039, "unchecked"},
                                            {1041, "checked"},   {1042, "visible"}}) +
                                    // The natural size is still the one of
                                    // the picture loaded before.
                                    "click 1039\ntype 1030 320\n" + Expect({{1031, "240"}}));
    ASSERT_EQ(r.status, 0) << r.Describe();
    EXPECT_EQ(r.messages, std::vector<TranscriptMessage>{});
}

TEST_F(MainStampDialogFilesTest, LoadSettingsThatCannotBeReadSaysSoAndChangesNothing) {
    const fs::path binary = folder.Path("binary.tvp");
    WriteFile(binary, std::string("STARTPROC;3\r\n\0\0", 15));
    struct Case {
        const char* what;
        std::string answer;
        std::vector<TranscriptMessage> messages;
    } cases[] = {
        {"not text", "file " + binary.string(), {AppBox("Can't open parameters file")}},
        {"cancelled", "file cancel", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const HostResult r = ShowDialog("click 40001\n" + c.answer + "\n" +
                                        Expect({{1011, "1"}, {1030, "100"}, {1041, "unchecked"}}));
        ASSERT_EQ(r.status, 0) << r.Describe();
        EXPECT_EQ(r.messages, c.messages);
    }
}

TEST_F(MainStampDialogFilesTest, SaveSettingsAfterOpeningWritesDefaultTvpEvenAfterALoad) {
    const fs::path other = folder.Path("other.tvp");
    WriteFile(other, "STARTPROC;4\r\n");
    settings.Write(folder.SettingsPath());
    // Two showings in one process: the first loads other.tvp, the second
    // saves right after opening.
    const HostResult r = folder.RunScript("click 40001\nfile " + other.string() +
                                          "\nkey escape\nmenu ADBE:PDFTalvane\n"
                                          "set 1029 61\nclick 40002\nkey escape\n"
                                          "menu ADBE:PDFTalvane\n");
    ASSERT_EQ(r.status, 0) << r.Describe();
    EXPECT_EQ(r.messages, std::vector<TranscriptMessage>{AppBox("Saved to file: Default.tvp")});
    EXPECT_EQ(testsupport::ReadFile(other), "STARTPROC;4\r\n");
    const auto saved = SettingsFile::ReadValues(folder.Path("Default.tvp"));
    EXPECT_EQ(saved.at("STARTPROC"), "4"); // what the first showing loaded
    EXPECT_EQ(saved.at("OPACITY"), "61");  // what was typed before saving
}

TEST_F(MainStampDialogFilesTest, SaveAsThenCloseWriteWhatTheWriterMakesOfTheRecord) {
    settings.Write(folder.SettingsPath());
    // The record the plug-in holds: first-run values, then the settings
    // file, then what the script changes.
    StampSettings expected;
    expected.ApplyFirstRunValues();
    ASSERT_TRUE(
        ParameterFile::Apply(testsupport::ReadFile(folder.SettingsPath()), expected).has_value());
    expected.nStartProc = 3;
    expected.szPosition = "Top Right";
    expected.nVertical = 720;
    expected.nHorizontal = 420;
    expected.nOpacity = 55;
    expected.bForcePortrait = !expected.bForcePortrait;
    expected.bCalcTop = true;

    const fs::path named = folder.Path("named");
    const HostResult r = ShowDialog("type 1011 3\nselect 1002 Top Right\ntype 1029 55\n"
                                    "click 1038\nclick 1037\nclick 40004\nfile " +
                                        named.string() + "\n",
                                    "click 1000\n");
    ASSERT_EQ(r.status, 0) << r.Describe();
    const std::string namedPath = named.string() + ".TVP"; // the default extension
    EXPECT_EQ(r.messages, (std::vector<TranscriptMessage>{AppBox(kTopNote),
                                                          AppBox("Saved to file: " + namedPath)}));
    const std::string bytes = ParameterFile::Format(expected);
    EXPECT_EQ(testsupport::ReadFile(namedPath), bytes);
    EXPECT_EQ(testsupport::ReadFile(folder.SettingsPath()), bytes);
}

TEST_F(MainStampDialogFilesTest, EnterEndsWithARunOnlyWhenEveryFieldReads) {
    struct Case {
        const char* what;
        std::string answers;
        std::vector<TranscriptMessage> messages;
        bool settingsWritten;
    } cases[] = {
        {"in an edit: a run", "key enter 1011\n", {NoteAlert(kNoDocument)}, false},
        {"not an integer: the dialog stays until it is one",
         "set 1015 12a\nkey enter 1015\nexpect 1015 12a\nset 1015 5\nkey enter 1015\n",
         {AppBox(kNotAnInteger), NoteAlert(kNoDocument)},
         false},
        {"on a push button: that button", "key enter 1000\n", {}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const HostResult r = ShowDialog(c.answers, "");
        ASSERT_EQ(r.status, 0) << r.Describe();
        EXPECT_EQ(r.messages, c.messages);
        // The test's settings file has no font line; the plug-in's writer
        // always writes one, so it shows whether Close ran.
        const bool rewritten =
            testsupport::ReadFile(folder.SettingsPath()).find("T_FONTINFO") != std::string::npos;
        EXPECT_EQ(rewritten, c.settingsWritten);
    }
}

TEST_F(MainStampDialogFilesTest, ABadIntegerStopsTheReadingThereAndTheCommandGoesOn) {
    // The exchange order: 1011 STARTPROC, 1012 ENDPROC, 1015 VERTICAL,
    // 1016 HORIZONTAL, ..., 1029 OPACITY.
    struct Case {
        const char* what;
        std::string answers;
        std::string ending;
        std::vector<TranscriptMessage> messages;
        const char *startProc, *vertical, *opacity; // as Close stores them
    } cases[] = {
        // Close reads the controls, and so does the writing it asks for:
        // the message comes twice.
        {"STARTPROC empty, then Close",
         "set 1011\nset 1015 77\nset 1029 55\n",
         "click 1000\n",
         {AppBox(kNotAnInteger), AppBox(kNotAnInteger)},
         "1",
         "20",
         "100"},
        {"STARTPROC past 32 bits, then Close",
         "set 1011 99999999999\nset 1029 55\n",
         "click 1000\n",
         {AppBox(kNotAnInteger), AppBox(kNotAnInteger)},
         "1",
         "20",
         "100"},
        {"VERTICAL not a number: the fields before it are read",
         "set 1011 4\nset 1015 1x\nset 1029 55\n",
         "click 1000\n",
         {AppBox(kNotAnInteger), AppBox(kNotAnInteger)},
         "4",
         "20",
         "100"},
        // STAMP! writes no settings file, so the file keeps the test's values.
        {"STAMP! still asks for the run",
         "set 1011\nset 1029 55\n",
         "click 1003\n",
         {AppBox(kNotAnInteger), NoteAlert(kNoDocument)},
         "1",
         "20",
         "100"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const HostResult r = ShowDialog(c.answers, c.ending);
        ASSERT_EQ(r.status, 0) << r.Describe();
        EXPECT_EQ(r.messages, c.messages);
        const auto values = SettingsFile::ReadValues(folder.SettingsPath());
        EXPECT_EQ(values.at("STARTPROC"), c.startProc);
        EXPECT_EQ(values.at("VERTICAL"), c.vertical);
        EXPECT_EQ(values.at("OPACITY"), c.opacity);
    }
}

// Width and height of a PNG file, from its header.
std::pair<int, int> PngSize(const fs::path& png) {
    const std::string bytes = testsupport::ReadFile(png);
    if (bytes.size() < 24 || bytes.compare(12, 4, "IHDR") != 0)
        return {0, 0};
    auto be32 = [&](size_t at) {
        int v = 0;
        for (size_t i = 0; i < 4; ++i)
            v = (v << 8) | static_cast<unsigned char>(bytes[at + i]);
        return v;
    };
    return {be32(16), be32(20)};
}

TEST_F(MainStampDialogFilesTest, AGrabOfTheDialogHasTheTemplatesSize) {
    // TALVANE_GRAB_DIR keeps the pictures for a person to look at.
    const char* keep = std::getenv("TALVANE_GRAB_DIR");
    testsupport::XvfbDisplay xvfb;
    ASSERT_FALSE(xvfb.Name().empty()) << xvfb.Error();
    struct Case {
        const char* name;
        std::string display;
    } cases[] = {{"offscreen", ""}, {"xvfb", xvfb.Name()}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const fs::path png = folder.Path(std::string("main-") + c.name + ".png");
        settings.Write(folder.SettingsPath());
        const HostResult r = folder.RunScript(
            "dump\ngrab " + png.string() + "\nkey escape\nmenu ADBE:PDFTalvane\n", {}, c.display);
        ASSERT_EQ(r.status, 0) << r.Describe();
        std::smatch m;
        ASSERT_TRUE(std::regex_search(r.out, m,
                                      std::regex("DIALOG \"Talvane 1.07 - Halberd Labs \" "
                                                 "(\\d+)x(\\d+)")))
            << r.out;
        const int width = std::stoi(m[1]);
        const int height = std::stoi(m[2]);
        // 166 x 258 dialog units at base units 6 x 13, under the menu bar.
        EXPECT_EQ(width, 249);
        EXPECT_GT(height, 419);
        EXPECT_LT(height, 419 + 60);
        EXPECT_EQ(PngSize(png), std::make_pair(width, height));
        if (keep)
            fs::copy_file(png, fs::path(keep) / png.filename(),
                          fs::copy_options::overwrite_existing);
    }
}

} // namespace
} // namespace e2e
