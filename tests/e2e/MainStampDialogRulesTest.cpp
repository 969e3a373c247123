// The main stamp dialog's rules, driven through its real widgets by
// pdfhost scripts: one table of cases per rule.
#include "MainStampDialogScript.h"

namespace e2e {
namespace {

namespace fs = std::filesystem;

using MainStampDialogRulesTest = MainStampDialogScript;

TEST_F(MainStampDialogRulesTest, APresetSetsItsOffsetsKeepsItsEntryAndTheEdgesAlone) {
    struct Case {
        const char* entry;
        int vertical, horizontal;
    } cases[] = {
        {"Bottom Left", 5, 10}, {"Bottom Right", 5, 420}, {"Bottom Middle", 5, 210},
        {"Top Left", 720, 10},  {"Top Right", 720, 420},  {"Top Middle", 720, 210},
    };
    // Measured from the right and the bottom: a preset must not change that.
    settings.calcRight = true;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.entry);
        const std::string entry = c.entry;
        const HostResult r = ShowDialog("select 1002 " + entry + "\n" +
                                            Expect({{1002, entry},
                                                    {1015, std::to_string(c.vertical)},
                                                    {1016, std::to_string(c.horizontal)},
                                                    {1028, "unchecked"},
                                                    {1035, "checked"},
                                                    {1036, "checked"},
                                                    {1037, "unchecked"}}),
                                        "click 1000\n");
        ASSERT_EQ(r.status, 0) << r.Describe();
        EXPECT_EQ(r.messages, std::vector<TranscriptMessage>{});
        const auto values = SettingsFile::ReadValues(folder.SettingsPath());
        EXPECT_EQ(values.at("POSITION"), entry);
        EXPECT_EQ(values.at("VERTICAL"), std::to_string(c.vertical));
        EXPECT_EQ(values.at("HORIZONTAL"), std::to_string(c.horizontal));
        EXPECT_EQ(values.count("CALCRIGHT"), 1u);
        EXPECT_EQ(values.count("CALCTOP"), 0u);
    }
}

TEST_F(MainStampDialogRulesTest, TheEdgeBoxesOfAnAxisAlwaysDisagreeAndExplainTheNewEdge) {
    // The settings start from the left and from the bottom.
    struct Case {
        const char* what;
        std::string clicks;
        const char *left, *right, *bottom, *top;
        std::vector<TranscriptMessage> notes;
    } cases[] = {
        {"Right: ticked",
         "click 1035\n",
         "unchecked",
         "checked",
         "checked",
         "unchecked",
         {AppBox(kRightNote)}},
        {"then Left ticked again",
         "click 1035\nclick 1028\n",
         "checked",
         "unchecked",
         "checked",
         "unchecked",
         {AppBox(kRightNote), AppBox(kLeftNote)}},
        {"Left cleared: Right ticks without a note",
         "click 1028\n",
         "unchecked",
         "checked",
         "checked",
         "unchecked",
         {}},
        {"Top: ticked",
         "click 1037\n",
         "checked",
         "unchecked",
         "unchecked",
         "checked",
         {AppBox(kTopNote)}},
        {"then Bottom ticked again",
         "click 1037\nclick 1036\n",
         "checked",
         "unchecked",
         "checked",
         "unchecked",
         {AppBox(kTopNote), AppBox(kBottomNote)}},
        {"Bottom cleared: Top ticks without a note",
         "click 1036\n",
         "checked",
         "unchecked",
         "unchecked",
         "checked",
         {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const HostResult r = ShowDialog(
            c.clicks + Expect({{1028, c.left}, {1035, c.right}, {1036, c.bottom}, {1037, c.top}}),
            "click 1000\n");
        ASSERT_EQ(r.status, 0) << r.Describe();
        EXPECT_EQ(r.messages, c.notes);
        // What the stamp run will use: the right and top boxes' lines.
        const auto values = SettingsFile::ReadValues(folder.SettingsPath());
        EXPECT_EQ(values.count("CALCRIGHT"), std::string(c.right) == "checked" ? 1u : 0u);
        EXPECT_EQ(values.count("CALCTOP"), std::string(c.top) == "checked" ? 1u : 0u);
    }
}

TEST_F(MainStampDialogRulesTest, TypingASizeRecomputesItsPartnerFromTheNaturalSize) {
    // Natural size 640 x 480; the settings hold 100 x 50 pixels and 90 x 40
    // in the PDF. Every case types key by key and checks all four sizes
    // right after, without leaving the edit.
    struct Case {
        const char* what;
        std::string before; // steps ahead of the typing
        int edit;
        const char* typed;
        const char *width, *height, *widthPdf, *heightPdf;
        std::string pictureName = ""; // "" = pic.bmp
    } cases[] = {
        {"width 320", "", 1030, "320", "320", "240", "90", "40"},
        {"width 1000", "", 1030, "1000", "1000", "750", "90", "40"},
        {"width 333: the ratio is rounded first", "", 1030, "333", "333", "249", "90", "40"},
        {"width 3", "", 1030, "3", "3", "2", "90", "40"},
        {"width 640", "", 1030, "640", "640", "480", "90", "40"},
        {"height 240", "", 1031, "240", "320", "240", "90", "40"},
        {"PDF width 160", "", 1033, "160", "100", "50", "160", "120"},
        {"PDF height 120", "", 1034, "120", "100", "50", "160", "120"},
        {"PDF width 333", "", 1033, "333", "100", "50", "333", "249"},
        {"constrain off: nothing follows", "click 1039\n", 1030, "320", "320", "480", "640", "480"},
        // No proportion to keep: the partner stays as it was.
        {"no picture loaded", "", 1030, "320", "320", "50", "90", "40", "missing.bmp"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        settings.imageFileName = c.pictureName.empty() ? picture.string() : c.pictureName;
        const HostResult r = ShowDialog(
            c.before + "type " + std::to_string(c.edit) + " " + c.typed + "\n" +
            Expect({{1030, c.width}, {1031, c.height}, {1033, c.widthPdf}, {1034, c.heightPdf}}));
        ASSERT_EQ(r.status, 0) << r.Describe();
        EXPECT_EQ(r.messages, std::vector<TranscriptMessage>{});
    }
}

TEST_F(MainStampDialogRulesTest, ClearingConstrainResetsTheSizesAndTickingItKeepsThem) {
    struct Case {
        const char* what;
        std::string steps;
        const char *width, *height, *widthPdf, *heightPdf;
        bool constrained;
    } cases[] = {
        {"cleared: all four back to the natural size", "click 1039\n", "640", "480", "640", "480",
         false},
        {"ticked again: the sizes typed meanwhile stay",
         "click 1039\nset 1030 7\nset 1031 8\nset 1033 9\nset 1034 10\nclick 1039\n", "7", "8", "9",
         "10", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const HostResult r =
            ShowDialog(c.steps + Expect({{1039, c.constrained ? "checked" : "unchecked"},
                                         {1030, c.width},
                                         {1031, c.height},
                                         {1033, c.widthPdf},
                                         {1034, c.heightPdf}}),
                       "click 1000\n");
        ASSERT_EQ(r.status, 0) << r.Describe();
        // The settings file stores "off" as a line of its own.
        EXPECT_EQ(SettingsFile::ReadValues(folder.SettingsPath()).count("CONSTRAINIMAGE"),
                  c.constrained ? 0u : 1u);
    }
}

TEST_F(MainStampDialogRulesTest, BrowseTakesTheNewPictureAtItsNaturalSizeOrSaysItCannot) {
    const fs::path other = Picture("other.bmp", 300, 200, Solid(kWhite));
    const fs::path notes = folder.Path("notes.txt");
    testsupport::WriteFile(notes, "not a picture\n");
    struct Case {
        const char* what;
        std::string answer;
        std::string shownFile;
        const char *width, *height, *widthPdf, *heightPdf;
        // Typed afterwards: the natural size the rule now uses.
        const char* heightFor150;
        std::vector<TranscriptMessage> messages;
    } cases[] = {
        {"a picture",
         "file " + other.string(),
         other.string(),
         "300",
         "200",
         "300",
         "200",
         "100",
         {}},
        {"a file that is no picture",
         "file " + notes.string(),
         notes.string(),
         "100",
         "50",
         "90",
         "40",
         "112",
         {{"box", "Unable to load image filename", notes.string()}}},
        {"cancelled", "file cancel", picture.string(), "100", "50", "90", "40", "112", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const HostResult r = ShowDialog("click 1027\n" + c.answer + "\n" +
                                        Expect({{1026, c.shownFile},
                                                {1030, c.width},
                                                {1031, c.height},
                                                {1033, c.widthPdf},
                                                {1034, c.heightPdf}}) +
                                        "type 1030 150\n" + Expect({{1031, c.heightFor150}}));
        ASSERT_EQ(r.status, 0) << r.Describe();
        EXPECT_EQ(r.messages, c.messages);
    }
}

TEST_F(MainStampDialogRulesTest, TheCButtonIsShownExactlyWhileTextOnImageIsTicked) {
    struct Case {
        bool textOnImage;
        std::string clicks;
        const char* box;
        const char* button;
    } cases[] = {
        {false, "", "unchecked", "hidden"},
        {true, "", "checked", "visible"},
        // Ticking the box opens the text dialog, which "&Cancel" closes.
        {false, "click 1041\nclick 1043\n", "checked", "visible"},
        {true, "click 1041\n", "unchecked", "hidden"},
        {false, "click 1041\nclick 1043\nclick 1041\n", "unchecked", "hidden"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.textOnImage) + " then " + c.clicks);
        settings.textOnImage = c.textOnImage;
        const HostResult r =
            ShowDialog(c.clicks + Expect({{1041, c.box}, {1042, c.button}}), "click 1000\n");
        ASSERT_EQ(r.status, 0) << r.Describe();
        EXPECT_EQ(SettingsFile::ReadValues(folder.SettingsPath()).at("TEXTONIMAGE"),
                  std::string(c.box) == "checked" ? "1" : "0");
    }
}

} // namespace
} // namespace e2e
