#include "ui/MainStampDialog.h"

#include "platform/Messages.h"
#include "settings/ParameterFile.h"
#include "tests/settings/SettingsSamples.h"
#include "tests/support/FileBytes.h"
#include "tests/support/TempFolder.h"
#include "tests/support/Unprivileged.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QImage>
#include <functional>
#include <optional>
#include <sstream>

namespace {

using testing_support::kSampleFile;
using testing_support::SampleSettings;
using testsupport::ReadFile;
using testsupport::TempFolder;
using testsupport::WriteFile;

// What a read may change, compared as a whole.
struct State {
    StampSettings settings;
    bool bCalcLeft = false;
    bool bCalcBottom = false;
    int32_t nActualWidth = 0;
    int32_t nActualHeight = 0;
    std::string faceNameShown;

    static State Of(const MainStampDialog& d) {
        return {d.settings,     d.bCalcLeft,     d.bCalcBottom,
                d.nActualWidth, d.nActualHeight, d.textOnImage.szFaceNameShown};
    }
    void ApplyTo(MainStampDialog& d) const {
        d.settings = settings;
        d.bCalcLeft = bCalcLeft;
        d.bCalcBottom = bCalcBottom;
        d.nActualWidth = nActualWidth;
        d.nActualHeight = nActualHeight;
        d.textOnImage.szFaceNameShown = faceNameShown;
    }
    bool operator==(const State&) const = default;
};

void PrintTo(const State& s, std::ostream* out) {
    *out << "bCalcLeft=" << s.bCalcLeft << " bCalcBottom=" << s.bCalcBottom
         << " natural=" << s.nActualWidth << "x" << s.nActualHeight << " face shown=\""
         << s.faceNameShown << "\"\n"
         << ParameterFile::Format(s.settings);
}

// The state a dialog is in before each read: every field set, every
// presence-coded flag the opposite of its absent state, companions off.
State Before() {
    State s;
    s.settings = SampleSettings();
    s.settings.szImageFileName = "/nonexistent/picture.bmp";
    s.settings.bCalcRight = true;
    s.settings.bCalcTop = true;
    s.settings.bForcePortrait = true;
    s.settings.bConstrainImage = false;
    s.bCalcLeft = false;
    s.bCalcBottom = false;
    s.nActualWidth = 11;
    s.nActualHeight = 22;
    s.faceNameShown = "shown before";
    return s;
}

// Every member differs from Before().
void SetOther(StampSettings& s) {
    s.nStartProc = 3;
    s.nEndProc = -4;
    s.szPosition = "Top Middle";
    s.nVertical = 720;
    s.nHorizontal = 210;
    s.nNth = 0;
    s.nOpacity = 35;
    s.szImageFileName = "/also/nonexistent.gif";
    s.nImageWidth = 640;
    s.nImageHeight = 480;
    s.nImageWidthPdf = 64;
    s.nImageHeightPdf = 48;
    s.bCalcRight = false;
    s.bCalcTop = true;
    s.bForcePortrait = false;
    s.bConstrainImage = false;
    s.nTextOnImage = 0;
    s.text.nTransparent = 0;
    s.text.szText = " [FILENAME] ";
    s.text.szFontName = "Liberation Sans";
    s.text.nHorizPos = -5;
    s.text.nVertPos = 600;
    s.text.nFontSize = 12;
    s.text.crTextColor = 0x00ff00;
    s.text.lfFontInfo = LogFont();
    s.text.lfFontInfo.lfHeight = 12;
    s.text.lfFontInfo.lfWidth = -6;
    s.text.lfFontInfo.lfEscapement = 900;
    s.text.lfFontInfo.lfOrientation = 1;
    s.text.lfFontInfo.lfWeight = 400;
    s.text.lfFontInfo.lfItalic = 1;
    s.text.lfFontInfo.lfUnderline = 2;
    s.text.lfFontInfo.lfStrikeOut = 3;
    s.text.lfFontInfo.lfCharSet = 238;
    s.text.lfFontInfo.lfOutPrecision = 4;
    s.text.lfFontInfo.lfClipPrecision = 5;
    s.text.lfFontInfo.lfQuality = 6;
    s.text.lfFontInfo.lfPitchAndFamily = 255;
    s.text.lfFontInfo.SetFaceName("DejaVu Sans Mono");
}

// A read that opened its file leaves the presence-coded fields absent until
// a line says otherwise.
void ResetPresence(State& s) {
    s.settings.bCalcRight = false;
    s.settings.bCalcTop = false;
    s.settings.bForcePortrait = false;
    s.settings.bConstrainImage = true;
    s.bCalcLeft = true;
    s.bCalcBottom = true;
}

class RecordingView : public MainStampDialogView {
  public:
    bool ReadControls() override {
        ++reads;
        if (onRead)
            onRead();
        return true;
    }
    void RefreshControls() override { ++refreshes; }
    void RepaintNow() override { ++repaints; }
    void ShowTextOnImageButton(bool visible) override { button = visible; }

    int reads = 0;
    int refreshes = 0;
    int repaints = 0;
    std::optional<bool> button;
    std::function<void()> onRead;
};

class MainStampDialogTest : public ::testing::Test {
  protected:
    void SetUp() override {
        platform::Messages::SetHeadless(true);
        platform::Messages::SetTranscript(&transcript_);
    }
    void TearDown() override { platform::Messages::SetTranscript(&std::cout); }

    std::string TakeMessages() {
        std::string t = transcript_.str();
        transcript_.str("");
        return t;
    }
    static std::string AppBox(const std::string& text) {
        return "MESSAGE app-box \"Talvane\" \"" + platform::Messages::Escape(text) + "\"\n";
    }

    TempFolder dir_;
    std::ostringstream transcript_;
};

TEST_F(MainStampDialogTest, WritesTheSampleFileByteForByte) {
    MainStampDialog d;
    d.settings = SampleSettings();
    const std::string path = dir_.File("sample.tvp");
    d.WriteParameterFile(path);
    EXPECT_EQ(ReadFile(path), kSampleFile);
    EXPECT_EQ(TakeMessages(), AppBox("Saved to file: " + path));
}

// What the dialog adds to reading and writing (the file's own line rules are
// ParameterFileTest's): each case is a write (when it has a source record)
// and a read over Before() with the dialog on screen, checking the whole
// state, the companions, the messages and the refreshes.
TEST_F(MainStampDialogTest, ReadsAndWritesParameterFiles) {
    using Setup = std::function<void(StampSettings&)>;
    using Expect = std::function<void(State&)>;
    struct Case {
        const char* name;
        std::string fileName;
        Setup source; // changes Before()'s settings, written with WriteParameterFile first
        std::optional<std::string> content; // else written as is (nullopt: no file)
        Expect expected;                    // changes to Before()
        std::string fileHas;                // a line the written file must hold
        int refreshes;
        std::vector<std::string> messages; // "{}" stands for the file's path
    };
    const auto opened = [](Expect more) {
        return [more](State& s) {
            ResetPresence(s);
            more(s);
        };
    };
    const std::vector<Case> cases = {
        {"round trip of every field",
         "all.tvp",
         SetOther,
         {},
         opened([](State& s) {
             SetOther(s.settings);
             s.bCalcBottom = false;
             s.faceNameShown = "DejaVu Sans Mono";
         }),
         "CALCTOP\r\nCONSTRAINIMAGE\r\n",
         1,
         {"Saved to file: {}"}},
        {"absent flag lines reset the presence-coded fields",
         "flags.tvp",
         {},
         "STARTPROC;1\r\n",
         opened([](State&) {}),
         "",
         1,
         {}},
        {"a one-line file changes one field",
         "one.tvp",
         {},
         "OPACITY;50",
         opened([](State& s) { s.settings.nOpacity = 50; }),
         "",
         1,
         {}},
        {"CALCRIGHT;0 still switches it on",
         "calc.tvp",
         {},
         "CALCRIGHT;0\r\n",
         opened([](State& s) {
             s.settings.bCalcRight = true;
             s.bCalcLeft = false;
         }),
         "",
         1,
         {}},
        {"an empty face name goes out as one space and comes back as one",
         "face.tvp",
         [](StampSettings& s) {
             s = SampleSettings();
             s.text.lfFontInfo.SetFaceName("");
         },
         {},
         opened([](State& s) {
             s.settings = SampleSettings();
             s.settings.text.lfFontInfo.SetFaceName(" ");
             s.bCalcLeft = false;
             s.faceNameShown = " ";
         }),
         "|  34| \r\n",
         1,
         {"Saved to file: {}"}},
        {"pure blue",
         "blue.tvp",
         [](StampSettings& s) {
             s = SampleSettings();
             s.text.crTextColor = 16711680;
         },
         {},
         opened([](State& s) {
             s.settings = SampleSettings();
             s.settings.text.crTextColor = 16711680;
             s.bCalcLeft = false;
             s.faceNameShown = "Arial";
         }),
         "\r\nT_TEXTCOLOR;16711680\r\n",
         1,
         {"Saved to file: {}"}},
        {"a path holding PDFTalvane.ini is the settings file",
         "PDFTalvane.ini.tvp",
         [](StampSettings& s) { s.nOpacity = 50; },
         {},
         [](State& s) {
             s.settings.nOpacity = 50;
             s.faceNameShown = "Arial";
         },
         "\r\nOPACITY;50\r\n",
         0,
         {}},
        {"a missing settings file is no error",
         "PDFTalvane.ini",
         {},
         std::nullopt,
         [](State&) {},
         "",
         0,
         {}},
        {"a missing named file is",
         "missing.tvp",
         {},
         std::nullopt,
         [](State&) {},
         "",
         0,
         {"Can't open parameters file"}},
        {"a file that is not text changes nothing",
         "picture.tvp",
         {},
         std::string("BM\0\0\0\0OPACITY;1\n", 15),
         [](State&) {},
         "",
         0,
         {"Can't open parameters file"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = dir_.File(c.fileName);
        if (c.source) {
            MainStampDialog writer;
            writer.settings = Before().settings;
            c.source(writer.settings);
            writer.WriteParameterFile(path);
            EXPECT_NE(ReadFile(path).find(c.fileHas), std::string::npos) << ReadFile(path);
        } else if (c.content) {
            WriteFile(path, *c.content);
        }
        MainStampDialog d;
        Before().ApplyTo(d);
        RecordingView view;
        d.SetView(&view);
        d.ReadParameterFile(path);
        d.SetView(nullptr);

        State expected = Before();
        c.expected(expected);
        EXPECT_EQ(State::Of(d), expected);
        EXPECT_EQ(view.refreshes, c.refreshes);
        std::string messages;
        for (std::string m : c.messages) {
            if (const size_t at = m.find("{}"); at != std::string::npos)
                m.replace(at, 2, path);
            messages += AppBox(m);
        }
        EXPECT_EQ(TakeMessages(), messages);
    }
}

TEST_F(MainStampDialogTest, FailedWritesReportAndKeepTheOldFile) {
    MainStampDialog d;
    d.settings = SampleSettings();
    const std::vector<std::string> paths = {
        dir_.File("no/such/folder/a.tvp"),
        dir_.Path().string(), // a folder
        "",                   // the paths of an installation the registry could not name
    };
    for (const std::string& path : paths) {
        d.WriteParameterFile(path);
        EXPECT_EQ(TakeMessages(), AppBox("Can't save to :" + path));
    }
    // The settings file fails as loudly; a read of the empty path too.
    d.WriteParameterFile(dir_.File("gone/PDFTalvane.ini"));
    EXPECT_EQ(TakeMessages(), AppBox("Can't save to :" + dir_.File("gone/PDFTalvane.ini")));
    d.ReadParameterFile("");
    EXPECT_EQ(TakeMessages(), AppBox("Can't open parameters file"));

    const std::string settingsFile = dir_.File("PDFTalvane.ini");
    d.WriteParameterFile(settingsFile);
    EXPECT_EQ(TakeMessages(), "");
    EXPECT_EQ(ReadFile(settingsFile), kSampleFile);
}

// Permissions bind an ordinary user only, so this part runs as one even
// when the tests run as root: a read-only settings or parameter file is
// reported and left as it was; a writable one in a folder the user may not
// write still takes the settings.
TEST_F(MainStampDialogTest, WritesRespectTheFilesPermissions) {
    std::string whyNot;
    const bool ran = testsupport::RunUnprivileged(
        [this] {
            TempFolder dir("dialog-perms");
            MainStampDialog d;
            d.settings = SampleSettings();
            for (const char* name : {"PDFTalvane.ini", "locked.tvp"}) {
                const std::string path = dir.File(name);
                WriteFile(path, "old content");
                ::chmod(path.c_str(), 0444);
                d.WriteParameterFile(path);
                EXPECT_EQ(TakeMessages(), AppBox("Can't save to :" + path)) << name;
                EXPECT_EQ(ReadFile(path), "old content") << name;
            }

            std::filesystem::create_directory(dir.File("closed"));
            const std::string settingsFile = dir.File("closed/PDFTalvane.ini");
            const std::string parameterFile = dir.File("closed/mine.tvp");
            WriteFile(settingsFile, "old content");
            WriteFile(parameterFile, "old content");
            ::chmod(dir.File("closed").c_str(), 0555);
            d.WriteParameterFile(settingsFile);
            EXPECT_EQ(TakeMessages(), "");
            EXPECT_EQ(ReadFile(settingsFile), kSampleFile);
            d.WriteParameterFile(parameterFile);
            EXPECT_EQ(TakeMessages(), AppBox("Saved to file: " + parameterFile));
            EXPECT_EQ(ReadFile(parameterFile), kSampleFile);
        },
        &whyNot);
    if (!ran)
        GTEST_SKIP() << whyNot;
}

TEST_F(MainStampDialogTest, PictureNamedInTheFileGivesTheNaturalSize) {
    const std::string picture = dir_.File("stamp.bmp");
    QImage image(40, 30, QImage::Format_RGB32);
    image.fill(Qt::red);
    ASSERT_TRUE(image.save(QString::fromStdString(picture), "BMP"));

    MainStampDialog d;
    const std::string good = dir_.File("good.tvp");
    WriteFile(good, "IMAGEFILENAME;" + picture + "\r\nIMAGEWIDTH;320\r\nIMAGEHEIGHTPDF;7\r\n");
    d.ReadParameterFile(good);
    EXPECT_EQ(d.nActualWidth, 40);
    EXPECT_EQ(d.nActualHeight, 30);
    EXPECT_EQ(d.settings.nImageWidth, 320); // the sizes keep the file's values
    EXPECT_EQ(d.settings.nImageHeightPdf, 7);

    const std::string bad = dir_.File("bad.tvp");
    WriteFile(bad, "IMAGEFILENAME;" + dir_.File("missing.bmp") + "\r\nOPACITY;5\r\n");
    d.ReadParameterFile(bad);
    EXPECT_EQ(d.settings.nOpacity, 5);
    EXPECT_EQ(d.nActualWidth, 40); // the previous picture's size stays
    EXPECT_EQ(d.nActualHeight, 30);
    EXPECT_EQ(TakeMessages(), "");
}

TEST_F(MainStampDialogTest, TheWidgetSideIsCalledOnlyWhileOnScreen) {
    const std::string named = dir_.File("named.tvp");
    WriteFile(named, "TEXTONIMAGE;1\r\nT_TEXTCOLOR;5\r\n");
    const std::string settingsFile = dir_.File("PDFTalvane.ini");
    WriteFile(settingsFile, "TEXTONIMAGE;0\r\n");

    MainStampDialog d;
    RecordingView view;
    d.ReadParameterFile(named); // not on screen: nothing to call
    EXPECT_EQ(view.button, std::nullopt);

    d.SetView(&view);
    d.ReadParameterFile(named);
    EXPECT_EQ(view.button, true);
    EXPECT_EQ(view.repaints, 1); // the colour swatch shows the new colour
    EXPECT_EQ(view.refreshes, 1);
    d.ReadParameterFile(settingsFile);
    EXPECT_EQ(view.button, false);
    EXPECT_EQ(view.repaints, 1);
    EXPECT_EQ(view.refreshes, 1);
    EXPECT_EQ(view.reads, 0);

    // Writing takes the controls in first: what is typed is what is saved.
    view.onRead = [&] { d.settings.nOpacity = 77; };
    d.WriteParameterFile(named);
    EXPECT_EQ(view.reads, 1);
    EXPECT_EQ(view.refreshes, 2);
    EXPECT_NE(ReadFile(named).find("\r\nOPACITY;77\r\n"), std::string::npos);
    d.SetView(nullptr);
}

TEST_F(MainStampDialogTest, FirstRunValuesSurviveOnlyWithoutASettingsFile) {
    MainStampDialog d;
    EXPECT_EQ(d.settings, StampSettings());
    EXPECT_TRUE(d.settings.bConstrainImage);
    EXPECT_FALSE(d.bCalcLeft);
    EXPECT_EQ(d.szParameterFile, "Default.tvp");
    EXPECT_EQ(d.textOnImage.nVarListPos, 0);
    EXPECT_EQ(&d.textOnImage.settings, &d.settings.text);

    d.ApplyFirstRunValues();
    StampSettings firstRun;
    firstRun.nStartProc = 1;
    firstRun.nEndProc = 99999;
    firstRun.szPosition = "Bottom Left";
    firstRun.nVertical = 10;
    firstRun.nHorizontal = 20;
    firstRun.nOpacity = 100;
    firstRun.bForcePortrait = true;
    EXPECT_EQ(d.settings, firstRun);
    EXPECT_TRUE(d.bCalcLeft);
    EXPECT_TRUE(d.bCalcBottom);

    d.ReadParameterFile(dir_.File("PDFTalvane.ini")); // none yet
    EXPECT_TRUE(d.settings.bForcePortrait);
    WriteFile(dir_.File("PDFTalvane.ini"), "STARTPROC;2\r\n");
    d.ReadParameterFile(dir_.File("PDFTalvane.ini"));
    EXPECT_FALSE(d.settings.bForcePortrait);
    EXPECT_EQ(TakeMessages(), "");
}

} // namespace
