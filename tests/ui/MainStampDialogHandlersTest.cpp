// The rules of the main stamp dialog, over a window that keeps its controls
// as a copy of the record: a test "types" into the copy, then calls the
// handler of the event, exactly as the widget side does.
#include "ui/MainStampDialogHandlers.h"

#include <gtest/gtest.h>

#include <QImage>
#include <deque>
#include <filesystem>

#include "platform/Messages.h"
#include "platform/PresetSettings.h"
#include "platform/Registry.h"
#include "settings/InstallPaths.h"
#include "settings/ParameterFile.h"
#include "tests/settings/SettingsSamples.h"
#include "tests/support/FileBytes.h"
#include "tests/support/TempFolder.h"
#include "ui/MainStampDialogRun.h"
#include "ui/PositionPresets.h"
#include "ui/ProportionalSize.h"

namespace {

using namespace main_stamp_dialog;
using testing_support::SampleSettings;
using testsupport::ReadFile;
using testsupport::WriteFile;

struct Controls {
    StampSettings settings; // what the controls show
    bool calcLeft = true;
    bool calcBottom = true;
};

class FakeWindow : public MainStampDialogWindow {
  public:
    explicit FakeWindow(MainStampDialog& d) : d_(d) {}

    bool ReadControls() override {
        ++reads;
        if (readFails)
            return false;
        d_.settings = shown.settings;
        d_.bCalcLeft = shown.calcLeft;
        d_.bCalcBottom = shown.calcBottom;
        return true;
    }
    void RefreshControls() override {
        ++refreshes;
        shown = {d_.settings, d_.bCalcLeft, d_.bCalcBottom};
        selected = -1; // as the combo does: the entry matching the text, if any
        for (size_t i = 0; i < PositionPresets::kCount; ++i)
            if (PositionPresets::Names()[i] == d_.settings.szPosition)
                selected = static_cast<int>(i);
    }
    void RepaintNow() override {}
    void ShowTextOnImageButton(bool visible) override { cButton = visible; }
    void SelectPosition(int index) override { selected = index; }
    std::optional<std::string> ChooseFile(const FileChoice& choice) override {
        asked.push_back(choice);
        if (answers.empty())
            return std::nullopt;
        std::optional<std::string> a = answers.front();
        answers.pop_front();
        return a;
    }
    void ShowOwnedBox(const std::string& caption, const std::string& text) override {
        ownedBoxes.emplace_back(caption, text);
    }
    void End(int r) override { result = r; }
    void RunTextOnImageDialog() override { ++textDialogs; }
    void OpenWithShell(const std::string& path) override { shellOpened.push_back(path); }

    Controls shown;
    bool readFails = false;
    int reads = 0;
    int refreshes = 0;
    int selected = -1;
    std::optional<bool> cButton;
    std::deque<std::optional<std::string>> answers;
    std::vector<FileChoice> asked;
    std::vector<std::pair<std::string, std::string>> ownedBoxes;
    std::optional<int> result;
    int textDialogs = 0;
    std::vector<std::string> shellOpened;

  private:
    MainStampDialog& d_;
};

class MainStampDialogHandlersTest : public ::testing::Test {
  protected:
    void SetUp() override {
        platform::Messages::SetHeadless(true);
        platform::Messages::SetTranscript(nullptr);
        platform::Messages::SetResponder([this](const platform::Message& m) {
            messages.push_back(m.text);
            return 0;
        });
        dialog.ApplyFirstRunValues();
        dialog.SetView(&window);
        window.RefreshControls();
        bUndoAvailable = true;
    }
    void TearDown() override {
        dialog.SetView(nullptr);
        platform::Messages::SetResponder(nullptr);
        platform::Messages::SetTranscript(&std::cout);
        platform::PresetSettings::Take();
        InstallPaths::Get() = InstallPaths();
    }

    // A BMP of the given size in the test folder.
    std::string Picture(const std::string& name, int width, int height) {
        QImage image(width, height, QImage::Format_RGB32);
        image.fill(Qt::black);
        const std::string path = dir.File(name);
        EXPECT_TRUE(image.save(QString::fromStdString(path), "BMP"));
        return path;
    }
    void SetNatural(int32_t w, int32_t h) {
        dialog.nActualWidth = w;
        dialog.nActualHeight = h;
    }

    testsupport::TempFolder dir;
    MainStampDialog dialog;
    FakeWindow window{dialog};
    MainStampDialogHandlers handlers{dialog, window};
    std::vector<std::string> messages;
};

TEST(ProportionalSizeTest, FormsTheRatioFirstThenTruncates) {
    struct Case {
        int32_t v, a, b;
        std::optional<int32_t> partner;
    } cases[] = {
        {320, 640, 480, 240},
        {1000, 640, 480, 750},
        {333, 640, 480, 249},
        {3, 640, 480, 2},
        {640, 640, 480, 480},
        {240, 480, 640, 320},
        // whole in exact arithmetic, one lower through the rounded ratio
        {316, 640, 480, 236},
        {87, 480, 640, 115},
        {0, 640, 480, 0},
        {-320, 640, 480, -240},
        // beyond the 32-bit range the result is held at its bound
        {2147483647, 1, 480, 2147483647},
        {-2147483647 - 1, 1, 480, -2147483647 - 1},
        // no natural size: no proportion to keep
        {320, 0, 0, std::nullopt},
        {320, 0, 480, std::nullopt},
        {0, 0, 0, std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ProportionalPartner(c.v, c.a, c.b), c.partner) << c.v << " " << c.a << " " << c.b;
}

TEST_F(MainStampDialogHandlersTest, PresetsSetTheOffsetsAndKeepTheirEntrySelected) {
    struct Case {
        int index;
        std::optional<PositionOffsets> offsets;
    } cases[] = {{0, {{5, 10}}},    {1, {{5, 420}}},   {2, {{5, 210}}},    {3, {{720, 10}}},
                 {4, {{720, 420}}}, {5, {{720, 210}}}, {-1, std::nullopt}, {6, std::nullopt}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.index);
        window.shown.settings.szPosition = "Bottom Left"; // the old text
        window.shown.settings.nVertical = 33;
        window.shown.settings.nHorizontal = 44;
        window.shown.settings.bCalcRight = true;
        window.shown.calcLeft = false;
        window.selected = c.index;
        handlers.Position(c.index);
        const PositionOffsets now{window.shown.settings.nVertical,
                                  window.shown.settings.nHorizontal};
        EXPECT_EQ(now, c.offsets.value_or(PositionOffsets{33, 44}));
        EXPECT_EQ(window.selected, c.index);
        EXPECT_TRUE(dialog.settings.bCalcRight);
        EXPECT_FALSE(dialog.bCalcLeft);
    }
}

TEST_F(MainStampDialogHandlersTest, EdgeBoxesKeepOppositeStatesAndShowTheirNotes) {
    const std::string left =
        "Note: all from left positions will be from the left hand page margin.";
    const std::string right = "Note: all from left positions will be negative from the right hand "
                              "page margin \r\ne.g. entering 80 would mean 80 pixels from the "
                              "right hand page margin.";
    const std::string bottom = "Note: all bottom positions will be from the bottom page margin.";
    const std::string top = "Note: all from bottom positions will be negative from the top page "
                            "margin \r\ne.g. entering 80 would mean 80 pixels from the top page "
                            "margin.";
    struct Case {
        int clicked;
        bool newState; // of the clicked box, after its own toggle
        bool leftBox, rightBox, bottomBox, topBox;
        std::string note; // "" for none
    } cases[] = {
        {kCalcRight, true, false, true, true, false, right},
        {kCalcLeft, true, true, false, true, false, left},
        {kCalcLeft, false, false, true, true, false, ""},
        {kCalcRight, false, true, false, true, false, ""},
        {kCalcTop, true, true, false, false, true, top},
        {kCalcBottom, true, true, false, true, false, bottom},
        {kCalcBottom, false, true, false, false, true, ""},
        {kCalcTop, false, true, false, true, false, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.clicked * 10 + c.newState);
        messages.clear();
        switch (c.clicked) {
        case kCalcLeft:
            window.shown.calcLeft = c.newState;
            break;
        case kCalcRight:
            window.shown.settings.bCalcRight = c.newState;
            break;
        case kCalcBottom:
            window.shown.calcBottom = c.newState;
            break;
        case kCalcTop:
            window.shown.settings.bCalcTop = c.newState;
            break;
        }
        EXPECT_TRUE(handlers.Command(c.clicked));
        EXPECT_EQ(window.shown.calcLeft, c.leftBox);
        EXPECT_EQ(window.shown.settings.bCalcRight, c.rightBox);
        EXPECT_EQ(window.shown.calcBottom, c.bottomBox);
        EXPECT_EQ(window.shown.settings.bCalcTop, c.topBox);
        EXPECT_EQ(messages,
                  c.note.empty() ? std::vector<std::string>{} : std::vector<std::string>{c.note});
    }
}

// Typed key by key: the partner follows every keystroke, from the natural
// size, not from the other pixel sizes.
TEST_F(MainStampDialogHandlersTest, ProportionalRuleFollowsEveryKeystroke) {
    SetNatural(640, 480);
    struct Case {
        int edited;
        std::vector<int32_t> keystrokes;
        std::vector<int32_t> partner;
    } cases[] = {
        {kImageWidth, {3, 33, 333}, {2, 24, 249}},
        {kImageWidth, {1, 10, 100, 1000}, {0, 7, 75, 750}},
        {kImageWidth, {3, 32, 320}, {2, 24, 240}},
        {kImageHeight, {2, 24, 240}, {2, 32, 320}},
        {kImageWidthPdf, {1, 16, 160}, {0, 12, 120}},
        {kImageHeightPdf, {1, 12, 120}, {1, 16, 160}},
        {kImageWidthPdf, {6, 64, 640}, {4, 48, 480}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.edited);
        // Pixel sizes out of the picture's proportion must not matter.
        window.shown.settings.nImageWidth = 100;
        window.shown.settings.nImageHeight = 100;
        window.shown.settings.nImageWidthPdf = 50;
        window.shown.settings.nImageHeightPdf = 70;
        StampSettings& shown = window.shown.settings;
        int32_t* edited = c.edited == kImageWidth      ? &shown.nImageWidth
                          : c.edited == kImageHeight   ? &shown.nImageHeight
                          : c.edited == kImageWidthPdf ? &shown.nImageWidthPdf
                                                       : &shown.nImageHeightPdf;
        const auto partnerOf = [&] {
            return c.edited == kImageWidth      ? shown.nImageHeight
                   : c.edited == kImageHeight   ? shown.nImageWidth
                   : c.edited == kImageWidthPdf ? shown.nImageHeightPdf
                                                : shown.nImageWidthPdf;
        };
        for (size_t k = 0; k < c.keystrokes.size(); ++k) {
            *edited = c.keystrokes[k];
            handlers.SizeEdited(c.edited);
            EXPECT_EQ(partnerOf(), c.partner[k]) << "after " << c.keystrokes[k];
            EXPECT_EQ(*edited, c.keystrokes[k]);
        }
    }
}

TEST_F(MainStampDialogHandlersTest, ProportionalRuleStandsStillWhenItHasNothingToKeep) {
    struct Case {
        const char* what;
        bool constrain;
        int32_t naturalW, naturalH;
    } cases[] = {{"constrain off", false, 640, 480}, {"no picture loaded yet", true, 0, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SetNatural(c.naturalW, c.naturalH);
        window.shown.settings.bConstrainImage = c.constrain;
        dialog.settings.bConstrainImage = c.constrain;
        window.shown.settings.nImageWidth = 333;
        window.shown.settings.nImageHeight = 77;
        window.shown.settings.nImageWidthPdf = 160;
        window.shown.settings.nImageHeightPdf = 99;
        handlers.SizeEdited(kImageWidth);
        handlers.SizeEdited(kImageWidthPdf);
        EXPECT_EQ(window.shown.settings.nImageHeight, 77);
        EXPECT_EQ(window.shown.settings.nImageHeightPdf, 99);
    }
}

TEST_F(MainStampDialogHandlersTest, ClearingConstrainResetsAllFourSizesTickingChangesNone) {
    SetNatural(640, 480);
    window.shown.settings = dialog.settings;
    window.shown.settings.nImageWidth = 1;
    window.shown.settings.nImageHeight = 2;
    window.shown.settings.nImageWidthPdf = 3;
    window.shown.settings.nImageHeightPdf = 4;
    window.shown.settings.bConstrainImage = true;
    handlers.Command(kConstrain);
    EXPECT_EQ(window.shown.settings.nImageWidth, 1);
    EXPECT_EQ(window.shown.settings.nImageHeightPdf, 4);

    window.shown.settings.bConstrainImage = false;
    handlers.Command(kConstrain);
    const StampSettings& s = window.shown.settings;
    EXPECT_EQ(
        (std::vector<int32_t>{s.nImageWidth, s.nImageHeight, s.nImageWidthPdf, s.nImageHeightPdf}),
        (std::vector<int32_t>{640, 480, 640, 480}));
    // and typing no longer moves the partner
    window.shown.settings.nImageWidth = 320;
    handlers.SizeEdited(kImageWidth);
    EXPECT_EQ(window.shown.settings.nImageHeight, 480);
}

TEST_F(MainStampDialogHandlersTest, BrowseTakesTheNaturalSizeOrShowsWhyItCannot) {
    SetNatural(11, 22);
    window.shown.settings.nImageWidth = 5;
    window.shown.settings.nImageHeight = 6;
    window.shown.settings.nImageWidthPdf = 7;
    window.shown.settings.nImageHeightPdf = 8;
    window.shown.settings.szImageFileName = "/old.bmp";

    window.answers = {std::nullopt};
    handlers.Command(kBrowse);
    EXPECT_EQ(window.shown.settings.szImageFileName, "/old.bmp") << "cancel changes nothing";
    ASSERT_EQ(window.asked.size(), 1u);
    const FileChoice& c = window.asked[0];
    EXPECT_EQ(c.title, "Open Image File");
    EXPECT_EQ(c.filters, (std::vector<std::pair<std::string, std::string>>{
                             {"*.jpg;*.gif;*.bmp;*.png", "*.jpg;*.gif;*.bmp;*.png"},
                             {"All Files *.*", "*.*"}}));
    EXPECT_TRUE(c.mustExist);
    EXPECT_EQ(c.defaultExtension, "");
    EXPECT_EQ(c.maxPath, 256u);

    const std::string broken = dir.File("broken.bmp");
    WriteFile(broken, "BM not really");
    window.answers = {broken};
    handlers.Command(kBrowse);
    EXPECT_EQ(window.ownedBoxes, (std::vector<std::pair<std::string, std::string>>{
                                     {"Unable to load image filename", broken}}));
    EXPECT_EQ(window.shown.settings.szImageFileName, broken);
    EXPECT_EQ(window.shown.settings.nImageWidth, 5);
    EXPECT_EQ(window.shown.settings.nImageHeightPdf, 8);
    EXPECT_EQ(dialog.nActualWidth, 11);

    const std::string good = Picture("good.bmp", 64, 48);
    window.answers = {good};
    handlers.Command(kBrowse);
    const StampSettings& s = window.shown.settings;
    EXPECT_EQ(s.szImageFileName, good);
    EXPECT_EQ((std::vector<int32_t>{dialog.nActualWidth, dialog.nActualHeight, s.nImageWidth,
                                    s.nImageHeight, s.nImageWidthPdf, s.nImageHeightPdf}),
              (std::vector<int32_t>{64, 48, 64, 48, 64, 48}));
    EXPECT_EQ(window.ownedBoxes.size(), 1u) << "no box for a picture that loads";
}

TEST_F(MainStampDialogHandlersTest, TextOnImageBoxOpensTheTextDialogOnlyWhenTicked) {
    window.shown.settings.nTextOnImage = 1;
    handlers.Command(kTextOnImage);
    EXPECT_EQ(window.textDialogs, 1);
    EXPECT_EQ(window.cButton, true);
    handlers.Command(kTextOnImageButton);
    EXPECT_EQ(window.textDialogs, 2);

    window.shown.settings.nTextOnImage = 0;
    handlers.Command(kTextOnImage);
    EXPECT_EQ(window.cButton, false);
    handlers.Command(kTextOnImageButton);
    EXPECT_EQ(window.textDialogs, 2);
}

// Load Settings fills every field even when the file's picture cannot be
// loaded; the next opening forgets the file, so Save Settings writes
// "Default.tvp" in the current directory.
TEST_F(MainStampDialogHandlersTest, LoadSettingsThenAnOpeningSavesToDefaultTvpHere) {
    SetNatural(11, 22);
    StampSettings file = SampleSettings();
    file.szImageFileName = dir.File("missing.bmp");
    const std::string tvp = dir.File("job.tvp");
    WriteFile(tvp, ParameterFile::Format(file));

    window.answers = {std::nullopt};
    handlers.Command(kLoadSettings);
    EXPECT_EQ(dialog.szParameterFile, "Default.tvp");
    ASSERT_EQ(window.asked.size(), 1u);
    EXPECT_EQ(window.asked[0].title, "Open Talvane Parameters File");
    EXPECT_EQ(window.asked[0].filters, (std::vector<std::pair<std::string, std::string>>{
                                           {"*.tvp", "*.tvp"}, {"All Files *.*", "*.*"}}));
    EXPECT_EQ(window.asked[0].defaultExtension, "TVP");
    EXPECT_EQ(window.asked[0].maxPath, 254u);

    window.answers = {tvp};
    handlers.Command(kLoadSettings);
    EXPECT_EQ(dialog.settings, file);
    EXPECT_EQ(window.shown.settings, file) << "the controls were refreshed";
    EXPECT_EQ(dialog.szParameterFile, tvp);
    EXPECT_EQ(dialog.nActualWidth, 11);
    EXPECT_EQ(dialog.nActualHeight, 22);
    EXPECT_TRUE(messages.empty());

    const auto cwd = std::filesystem::current_path();
    std::filesystem::current_path(dir.Path());
    handlers.Open();
    handlers.Command(kSaveSettings);
    std::filesystem::current_path(cwd);
    EXPECT_EQ(ReadFile(dir.File("Default.tvp")), ParameterFile::Format(file));
    EXPECT_EQ(messages, std::vector<std::string>{"Saved to file: Default.tvp"});
}

TEST_F(MainStampDialogHandlersTest, SaveAsThenCloseWritesTheSettingsFileAsTheWriterDoes) {
    InstallPaths::Get().szIniPath = dir.File("PDFTalvane.ini");
    window.shown.settings = SampleSettings();
    window.shown.calcLeft = !SampleSettings().bCalcRight;
    const std::string tvp = dir.File("saved.tvp");

    window.answers = {tvp};
    handlers.Command(kSaveSettingsAs);
    ASSERT_EQ(window.asked.size(), 1u);
    EXPECT_EQ(window.asked[0].mode, FileChoice::Mode::Save);
    EXPECT_EQ(window.asked[0].title, "Save Talvane Parameters File");
    EXPECT_FALSE(window.asked[0].mustExist);
    EXPECT_EQ(ReadFile(tvp), testing_support::kSampleFile);
    EXPECT_EQ(dialog.szParameterFile, tvp);

    window.shown.settings.nOpacity = 12; // typed before Close
    handlers.Command(kClose);
    EXPECT_EQ(window.result, kEndedByClose);
    StampSettings expected = SampleSettings();
    expected.nOpacity = 12;
    EXPECT_EQ(ReadFile(dir.File("PDFTalvane.ini")), ParameterFile::Format(expected));
    EXPECT_EQ(messages, std::vector<std::string>{"Saved to file: " + tvp})
        << "the settings file is written without a message";
    EXPECT_EQ(ReadFile(tvp), testing_support::kSampleFile) << "Close leaves the named file";
}

TEST_F(MainStampDialogHandlersTest, StampAndUndoSetTheRunModeAndUndoIsRefusedTwiceInARow) {
    InstallPaths::Get().szIniPath = dir.File("PDFTalvane.ini");
    struct Step {
        int button;
        std::optional<int> result;
        bool undoAvailable;
        bool refused;
    } steps[] = {
        {kUndo, kEndedByRun, false, false}, // accepted once even before any stamp
        {kUndo, std::nullopt, false, true}, {kStamp, kEndedByRun, true, false},
        {kUndo, kEndedByRun, false, false}, {kUndo, std::nullopt, false, true},
        {kUndo, std::nullopt, false, true}, {kStamp, kEndedByRun, true, false},
        {kStamp, kEndedByRun, true, false},
    };
    int i = 0;
    for (const Step& s : steps) {
        SCOPED_TRACE(i++);
        window.result.reset();
        messages.clear();
        window.shown.settings.nOpacity = 40 + i; // the read still happens
        handlers.Command(s.button);
        EXPECT_EQ(window.result, s.result);
        EXPECT_EQ(bUndoAvailable, s.undoAvailable);
        EXPECT_EQ(messages, s.refused ? std::vector<std::string>{"Can't undo again, already undone "
                                                                 "once!"}
                                      : std::vector<std::string>{});
        EXPECT_EQ(dialog.settings.nOpacity == 40 + i, !s.refused);
    }
    EXPECT_FALSE(std::filesystem::exists(dir.File("PDFTalvane.ini")))
        << "STAMP! and Undo do not write the settings file";
}

TEST_F(MainStampDialogHandlersTest, EnterEndsOnlyWhenTheControlsReadEscapeReadsNothing) {
    window.readFails = true;
    handlers.Enter();
    EXPECT_FALSE(window.result);
    window.readFails = false;
    handlers.Enter();
    EXPECT_EQ(window.result, kEndedByRun);
    EXPECT_TRUE(bUndoAvailable) << "Enter leaves the run mode";

    window.result.reset();
    const int reads = window.reads;
    handlers.Escape();
    EXPECT_EQ(window.result, kEndedByEscape);
    EXPECT_EQ(window.reads, reads);

    // STAMP! and Close end the dialog even when the reading failed.
    InstallPaths::Get().szIniPath = dir.File("PDFTalvane.ini");
    window.readFails = true;
    window.result.reset();
    handlers.Command(kStamp);
    EXPECT_EQ(window.result, kEndedByRun);
    handlers.Command(kClose);
    EXPECT_EQ(window.result, kEndedByClose);
    EXPECT_TRUE(std::filesystem::exists(dir.File("PDFTalvane.ini")));
}

TEST_F(MainStampDialogHandlersTest, OpeningResetsTheFileShowsCAppliesPresetsAndLearnsTheSize) {
    const std::string picture = Picture("p.bmp", 30, 20);
    StampSettings file = dialog.settings;
    file.szImageFileName = picture;
    file.nStartProc = 4;
    file.bCalcRight = true;
    file.nTextOnImage = 1;
    const std::string tvp = dir.File("cli.tvp");
    WriteFile(tvp, ParameterFile::Format(file));

    dialog.szParameterFile = "/elsewhere/old.tvp";
    platform::PresetSettings::Store(
        {tvp, {{"STARTPROC", "9"}, {"CALCRIGHT", "0"}, {"T_TEXT", "a;b"}}});
    handlers.Open();
    EXPECT_EQ(dialog.szParameterFile, tvp) << "as Load Settings makes it the current file";
    EXPECT_EQ(dialog.settings.nStartProc, 9) << "--set comes after the file";
    EXPECT_FALSE(dialog.settings.bCalcRight);
    EXPECT_TRUE(dialog.bCalcLeft);
    EXPECT_EQ(dialog.settings.text.szText, "a;b");
    EXPECT_EQ(dialog.nActualWidth, 30);
    EXPECT_EQ(dialog.nActualHeight, 20);
    EXPECT_EQ(window.cButton, true);
    EXPECT_EQ(window.shown.settings, dialog.settings);
    EXPECT_FALSE(platform::PresetSettings::Take()) << "taken once";

    dialog.settings.nTextOnImage = 0;
    handlers.Open();
    EXPECT_EQ(dialog.szParameterFile, "Default.tvp");
    EXPECT_EQ(window.cButton, false);
    EXPECT_EQ(dialog.settings.nStartProc, 9);

    platform::PresetSettings::Store({dir.File("absent.tvp"), {{"STARTPROC", "5"}}});
    handlers.Open();
    EXPECT_EQ(messages, std::vector<std::string>{"Can't open parameters file"});
    EXPECT_EQ(window.result, kEndedByEscape) << "no run with settings nobody chose";
    EXPECT_EQ(dialog.settings.nStartProc, 9);
}

TEST_F(MainStampDialogHandlersTest, HtmlHelpOpensTheHelpFileOfTheInstallationFolder) {
    const std::string key =
        "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\"
        "Talvane.api]\n";
    struct Case {
        const char* what;
        std::string registry;
        std::vector<std::string> opened;
        bool box;
    } cases[] = {
        {"value read", key + "@=\"/opt/t\"\n", {"/opt/t/PDFTalvane.chm"}, false},
        {"key missing", "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Other]\n", {"/PDFTalvane.chm"}, false},
        {"value unreadable", key, {}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string file = dir.File("r.reg");
        WriteFile(file, "REGEDIT4\n\n" + c.registry);
        ASSERT_TRUE(platform::Registry::UseFile(file).empty());
        window.shellOpened.clear();
        window.ownedBoxes.clear();
        const StampSettings before = dialog.settings;
        handlers.Command(kHtmlHelp);
        EXPECT_EQ(window.shellOpened, c.opened);
        EXPECT_EQ(window.ownedBoxes.size(), c.box ? 1u : 0u);
        if (c.box) {
            EXPECT_EQ(window.ownedBoxes[0],
                      (std::pair<std::string, std::string>{
                          "Install key not found in registry!",
                          "Can't find Talvane.chm,\nplease look in install dir and run from "
                          "there."}));
        }
        EXPECT_FALSE(window.result) << "the dialog stays open";
        EXPECT_EQ(dialog.settings, before);
    }
    platform::Registry::Reset();
}

} // namespace
