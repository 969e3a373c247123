// Scripts answering real kit dialogs and pickers in-process: every step
// through real widget events, the failures that end a run instead of
// hanging it, and the picker answers.
#include <QImage>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

#include "pdfhost/app/DialogAutomation.h"
#include "pdfhost/app/DialogCommands.h"
#include "pdfhost/app/ScriptCommands.h"
#include "pdfhost/app/ScriptRunner.h"
#include "platform/ColorPicker.h"
#include "platform/Dialog.h"
#include "platform/DialogUnits.h"
#include "platform/FilePicker.h"
#include "platform/FontPicker.h"
#include "tests/platform/KitTemplate.h"

namespace {

namespace fs = std::filesystem;
using namespace kit_test;
using pdfhost::app::ScriptCommands;
using pdfhost::app::ScriptLine;

// What the "show" command's dialog saw and ended with.
struct Seen {
    std::int32_t first = 1;
    std::int32_t second = 2;
    std::int32_t third = 3;
    std::string name = "name";
    bool flag = false;
    std::string choice;
    int nameChanges = 0;
    int selections = 0;
    int applies = 0;
    int result = -1;
    int innerResult = -1;
    std::int32_t innerSecond = 0;
    std::optional<std::string> file;
    std::optional<std::uint32_t> colour;
    bool fontChosen = false;
    LogFont font;
};

class DialogAutomationTest : public ::testing::Test {
  protected:
    void SetUp() override {
        dir = fs::path(::testing::TempDir()) /
              ("automation-" +
               std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::create_directories(dir);
        pdfhost::app::RegisterDialogCommands();
        ScriptCommands::Register("show", [this](const ScriptLine&) { Show(); });
        ScriptCommands::Register("open-file", [this](const ScriptLine& line) {
            platform::FilePickerOptions options;
            options.title = "Open Talvane Parameters File";
            options.filters = {{"*.tvp", "*.tvp"}, {"All Files *.*", "*.*"}};
            options.defaultExtension = "TVP";
            options.mustExist = line.rest == "existing";
            options.maxPath = 254;
            seen.file = platform::FilePicker::Open(options);
        });
        ScriptCommands::Register("save-file", [this](const ScriptLine&) {
            platform::FilePickerOptions options;
            options.title = "Save Talvane Parameters File";
            options.filters = {{"*.tvp", "*.tvp"}};
            options.defaultExtension = "TVP";
            options.folder = dir.string();
            options.fileName = "suggested.tvp";
            seen.file = platform::FilePicker::Save(options);
        });
        ScriptCommands::Register("colour", [this](const ScriptLine&) {
            seen.colour = platform::ColorPicker::Choose(customColours);
        });
        ScriptCommands::Register("choose-font", [this](const ScriptLine&) {
            seen.fontChosen = platform::FontPicker::Choose(seen.font);
        });
        automation.Install();
    }

    void TearDown() override {
        automation.Uninstall();
        pdfhost::app::FinishDialogAnswers();
    }

    void Show() {
        platform::Dialog dialog(kit);
        dialog.BindInt(kFirst, seen.first);
        dialog.BindInt(kSecond, seen.second);
        dialog.BindInt(kThird, seen.third);
        dialog.BindText(kName, seen.name);
        dialog.BindFlag(kFlag, seen.flag);
        dialog.BindComboText(kChoice, seen.choice);
        dialog.OnTextChanged(kName, [this] { ++seen.nameChanges; });
        dialog.OnSelectionChanged(kChoice, [this] { ++seen.selections; });
        dialog.OnCommand(kApply, [this] { ++seen.applies; });
        dialog.OnCommand(kNested, [this] {
            platform::Dialog inner(innerKit);
            inner.BindInt(kSecond, seen.innerSecond);
            seen.innerResult = inner.Run();
        });
        seen.result = dialog.Run();
    }

    // Runs the script; the leftover check is the one main() makes.
    int Run(const std::string& text) {
        std::istringstream script(text);
        int status = pdfhost::app::ScriptRunner::Run(script, "test", errors);
        if (const std::string left = pdfhost::app::FinishDialogAnswers(); !left.empty()) {
            errors << left << '\n';
            status = 1;
        }
        return status;
    }

    const platform::DialogTemplate kit = KitTemplate();
    const platform::DialogTemplate innerKit = [] {
        platform::DialogTemplate t = KitTemplate();
        t.caption = "Inner";
        return t;
    }();
    fs::path dir;
    Seen seen;
    std::array<std::uint32_t, 16> customColours{};
    std::ostringstream out;
    std::ostringstream errors;
    pdfhost::app::DialogAutomation automation{out, errors};
};

TEST_F(DialogAutomationTest, StepsActOnTheRealWidgets) {
    ASSERT_EQ(Run("type 13 abc\n"
                  "set 11 -40\n"
                  "select 30 Beta\n"
                  "click 20\n"
                  "click 40\n"
                  "expect 13 abc\n"
                  "expect 20 checked\n"
                  "expect 30 Beta\n"
                  "expect 50 hidden\n"
                  "expect 50 secret\n"
                  "key enter 13\n" // the click left the focus on the button

                  "show\n"),
              0)
        << errors.str();
    EXPECT_EQ(seen.result, 1);
    EXPECT_EQ(seen.name, "abc");
    EXPECT_EQ(seen.nameChanges, 3) << "one text change per typed character";
    EXPECT_EQ(seen.second, -40);
    EXPECT_EQ(seen.choice, "Beta");
    EXPECT_EQ(seen.selections, 1);
    EXPECT_TRUE(seen.flag);
    EXPECT_EQ(seen.applies, 1);
}

TEST_F(DialogAutomationTest, SetIsOneChangeAndTypeReplacesTheSelection) {
    ASSERT_EQ(Run("set 13 whole\n"
                  "type 13 xy\n"
                  "expect 13 xy\n"
                  "key escape 13\n"
                  "show\n"),
              0)
        << errors.str();
    EXPECT_EQ(seen.nameChanges, 3); // set: 1, type: 2
    EXPECT_EQ(seen.result, 2);
    EXPECT_EQ(seen.name, "name") << "Escape reads nothing";
}

TEST_F(DialogAutomationTest, EnterOnAFocusedButtonPressesIt) {
    ASSERT_EQ(Run("key enter 40\nkey escape\nshow\n"), 0) << errors.str();
    EXPECT_EQ(seen.applies, 1);
    EXPECT_EQ(seen.result, 2);
}

TEST_F(DialogAutomationTest, DumpListsEveryControlAndTheDialogSize) {
    ASSERT_EQ(Run("dump\nkey escape\nshow\n"), 0) << errors.str();
    const QFont font = platform::DialogUnits::DialogFont("MS Sans Serif", 8);
    const platform::DialogUnits units(font);
    std::ostringstream size;
    size << units.X(120) << 'x' << units.Y(90);
    EXPECT_EQ(out.str(), "CONTROL 0 static \"First number:\" - visible enabled\n"
                         "CONTROL 10 edit \"1\" - visible enabled\n"
                         "CONTROL 11 edit \"2\" - visible enabled\n"
                         "CONTROL 12 edit \"3\" - visible enabled\n"
                         "CONTROL 13 edit \"name\" - visible enabled\n"
                         "CONTROL 20 check-box \"Flag\" unchecked visible enabled\n"
                         "CONTROL 30 combo-box \"\" - visible enabled\n"
                         "CONTROL 0 group-box \"\" - visible enabled\n"
                         "CONTROL 40 push-button \"&Apply\" - visible enabled\n"
                         "CONTROL 41 push-button \"&Nested\" - visible enabled\n"
                         "CONTROL 50 edit \"secret\" - hidden enabled\n"
                         "DIALOG \"Kit Test\" " +
                             size.str() + "\n");
}

TEST_F(DialogAutomationTest, GrabWritesThePictureOfTheDialog) {
    const fs::path png = dir / "kit.png";
    ASSERT_EQ(Run("grab " + png.string() + "\nkey escape\nshow\n"), 0) << errors.str();
    const QImage image(QString::fromStdString(png.string()));
    ASSERT_FALSE(image.isNull());
    const platform::DialogUnits units(platform::DialogUnits::DialogFont("MS Sans Serif", 8));
    EXPECT_EQ(image.size(), QSize(units.X(120), units.Y(90)));
}

TEST_F(DialogAutomationTest, AnswersGoToTheDialogOnTopAsDialogsNest) {
    ASSERT_EQ(Run("click 41\n"
                  "set 11 8\n"
                  "key enter\n" // ends the inner dialog
                  "expect 11 2\n"
                  "key escape\n" // then the outer one
                  "show\n"),
              0)
        << errors.str();
    EXPECT_EQ(seen.innerResult, 1);
    EXPECT_EQ(seen.innerSecond, 8);
    EXPECT_EQ(seen.result, 2);
}

TEST_F(DialogAutomationTest, FailuresEndTheRunWithTheirLine) {
    struct Case {
        const char* script;
        const char* error;
    };
    const Case cases[] = {
        {"set 13 x\nshow\n",
         "pdfhost: script line 2: dialog \"Kit Test\" is waiting for an answer and the script "
         "has none\n"},
        {"show\n", "pdfhost: script line 1: dialog \"Kit Test\" is waiting for an answer and the "
                   "script has none\n"},
        {"click 41\nshow\n",
         "pdfhost: script line 2: dialog \"Inner\" is waiting for an answer and the script has "
         "none\n"},
        {"\nexpect 13 other\nshow\n",
         "pdfhost: script line 2: control 13 shows \"name\", expected \"other\"\n"},
        {"click 50\nshow\n", "pdfhost: script line 1: control 50 is hidden\n"},
        {"click 77\nshow\n", "pdfhost: script line 1: dialog \"Kit Test\" has no control 77\n"},
        {"select 30 Delta\nshow\n",
         "pdfhost: script line 1: combo box 30 has no entry \"Delta\"\n"},
        {"file /x\nshow\n", "pdfhost: script line 1: \"file /x\" answers a picker, but dialog "
                            "\"Kit Test\" is on top\n"},
        {"type 13\n", "pdfhost: test:1: type needs a control id and a text\n"},
        {"key enter now\n",
         "pdfhost: test:1: key needs \"escape\" or \"enter\" and an optional control id\n"},
        {"color 1,2\n", "pdfhost: test:1: color needs R,G,B (each 0 to 255) or \"cancel\"\n"},
        {"font Arial\n",
         "pdfhost: test:1: font needs FACE HEIGHT [WEIGHT] [italic] or \"cancel\"\n"},
        {"key escape\nkey escape\nshow\n",
         "1 dialog answer(s) were queued but no dialog took them\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.script);
        errors.str("");
        seen = Seen{};
        automation.Reset();
        EXPECT_EQ(Run(c.script), 1);
        EXPECT_EQ(errors.str(), c.error);
        EXPECT_EQ(platform::Dialog::Top(), nullptr) << "no dialog is left open";
    }
}

TEST_F(DialogAutomationTest, AFailureAlsoEndsLaterDialogsAndPickers) {
    EXPECT_EQ(Run("click 41\nshow\n"), 1);
    EXPECT_EQ(seen.innerResult, 2);
    EXPECT_EQ(seen.result, 2);
    // Later dialogs in the same run end at once as well, never waiting.
    Show();
    EXPECT_EQ(seen.result, 2);
    EXPECT_FALSE(platform::ColorPicker::Choose(customColours));
}

TEST_F(DialogAutomationTest, FilePickerAnswersGoThroughThePickersRules) {
    const fs::path existing = dir / "settings.tvp";
    std::ofstream(existing) << "x";
    const fs::path before = fs::current_path();
    const std::string longName(254 - dir.string().size(), 'a'); // fits the name field
    struct Case {
        std::string script;
        std::optional<std::string> chosen;
    };
    const Case cases[] = {
        {"file " + existing.string() + "\nopen-file existing\n", existing.string()},
        {"file " + (dir / "New").string() + "\nopen-file\n", (dir / "New.TVP").string()},
        {"file " + (dir / "name.txt").string() + "\nopen-file\n", (dir / "name.txt").string()},
        {"file with space/x y.tvp\nopen-file\n", (before / "with space/x y.tvp").string()},
        {"file " + (dir / "out").string() + "\nsave-file\n", (dir / "out.TVP").string()},
        {"file cancel\nopen-file existing\n", std::nullopt},
        {"file cancel\nsave-file\n", std::nullopt},
        {"file " + (dir / longName).string() + "\nopen-file\n", std::nullopt}, // past the buffer
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.script);
        seen.file = std::string("unset");
        ASSERT_EQ(Run(c.script), 0) << errors.str();
        EXPECT_EQ(seen.file, c.chosen);
        EXPECT_EQ(fs::current_path(), before);
    }
    // The picker itself refuses a missing file; the script ends there.
    const fs::path missing = dir / "missing.tvp";
    EXPECT_EQ(Run("file " + missing.string() + "\nopen-file existing\n"), 1);
    EXPECT_EQ(errors.str(), "pdfhost: script line 1: the picker \"Open Talvane Parameters File\" "
                            "did not take " +
                                missing.string() +
                                ": missing.tvp File not found. Please verify the correct file "
                                "name was given.\n");
    EXPECT_EQ(seen.file, std::nullopt);
}

TEST_F(DialogAutomationTest, ColourPickerAnswers) {
    customColours[3] = 0x123456;
    ASSERT_EQ(Run("color 255,128,1\ncolour\n"), 0) << errors.str();
    EXPECT_EQ(seen.colour, 0x0180ffu);
    EXPECT_EQ(customColours[3], 0x123456u) << "the custom colours stay";
    ASSERT_EQ(Run("color cancel\ncolour\n"), 0) << errors.str();
    EXPECT_EQ(seen.colour, std::nullopt);
    EXPECT_EQ(Run("font Arial 12\ncolour\n"), 1);
    EXPECT_EQ(errors.str(),
              "pdfhost: script line 1: \"font Arial 12\" cannot answer the color picker "
              "\"Color\"\n");
}

TEST_F(DialogAutomationTest, FontPickerAnswersChooseInThePickersLists) {
    seen.font.SetFaceName("Arial");
    seen.font.lfHeight = 28;
    seen.font.lfCharSet = 1;
    ASSERT_EQ(Run("font Liberation Serif -16 700 italic\nchoose-font\n"), 0) << errors.str();
    EXPECT_TRUE(seen.fontChosen);
    EXPECT_EQ(seen.font.FaceName(), "Liberation Serif");
    EXPECT_EQ(seen.font.lfHeight, -16);
    EXPECT_EQ(seen.font.lfWeight, 700);
    EXPECT_EQ(seen.font.lfItalic, 1);
    EXPECT_EQ(seen.font.lfCharSet, 1) << "fields the picker does not choose stay";

    const LogFont before = seen.font;
    ASSERT_EQ(Run("font cancel\nchoose-font\n"), 0) << errors.str();
    EXPECT_FALSE(seen.fontChosen);
    EXPECT_EQ(seen.font, before);

    // A positive height is taken as the picker's nearest whole points, and
    // the picker writes a character height back.
    ASSERT_EQ(Run("font DejaVu Sans 20\nchoose-font\n"), 0) << errors.str();
    EXPECT_EQ(seen.font.FaceName(), "DejaVu Sans");
    EXPECT_EQ(seen.font.lfHeight, -20);
    EXPECT_EQ(seen.font.lfWeight, 400);
    EXPECT_EQ(seen.font.lfItalic, 0) << "without \"italic\" the answer is upright";

    // Only a face the picker lists can be chosen, as for a person.
    EXPECT_EQ(Run("font Nonesuch 12\nchoose-font\n"), 1);
    EXPECT_EQ(errors.str(), "pdfhost: script line 1: the picker \"Font\" did not take the face "
                            "\"Nonesuch\": it lists no such face\n");
    EXPECT_EQ(seen.font.FaceName(), "DejaVu Sans");
}

} // namespace
