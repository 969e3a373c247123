// The text-on-image dialog, "HTML Help" and the About dialog driven by
// pdfhost scripts through their real widgets: what each shows, what it
// stores (read back from the settings file "&Close" writes), what it hands
// to the shell, and what the next stamp run draws.
#include <algorithm>
#include <fstream>

#include "MainStampDialogScript.h"

namespace e2e {
namespace {

namespace fs = std::filesystem;

const std::string kDefaultText = "[MM]-[DD]-[YYYY] [hh]:[mm]:[ss]";
const std::string kKeyLine = "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\"
                             "App Paths\\Talvane.api]\r\n";

std::string ShellLine(const std::string& target) {
    return "SHELL open \"" + target + "\"\n";
}

std::size_t Count(const std::string& text, const std::string& part) {
    std::size_t n = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++n;
    return n;
}

class TextDialogScriptTest : public MainStampDialogScript {
  protected:
    // The font record's first field (the height) and its face.
    static std::pair<int, std::string> HeightAndFace(const std::string& record) {
        const auto lastBar = record.rfind('|');
        return {std::stoi(record.substr(0, record.find('|'))), record.substr(lastBar + 1)};
    }
};

TEST_F(TextDialogScriptTest, FirstOpeningWithoutSettingsFileShowsAndStoresTheDefaults) {
    ASSERT_FALSE(fs::exists(folder.SettingsPath()));
    const HostResult r = folder.RunScript("click 1041\n" +
                                          Expect({{1045, "Arial"},
                                                  {1051, kDefaultText},
                                                  {1017, "28"},
                                                  {1049, "10"},
                                                  {1048, "10"},
                                                  {1047, "unchecked"},
                                                  {1053, "Arial"}}) +
                                          "click 1043\nclick 1000\nmenu ADBE:PDFTalvane\n");
    ASSERT_EQ(r.status, 0) << r.Describe();
    const auto values = SettingsFile::ReadValues(folder.SettingsPath());
    EXPECT_EQ(values.at("TEXTONIMAGE"), "1");
    EXPECT_EQ(values.at("T_TEXT"), kDefaultText);
    EXPECT_EQ(values.at("T_FONTNAME"), "Arial");
    EXPECT_EQ(values.at("T_HORIZPOS"), "10");
    EXPECT_EQ(values.at("T_VERTPOS"), "10");
    EXPECT_EQ(values.at("T_FONTSIZE"), "28");
    EXPECT_EQ(values.at("T_TEXTCOLOR"), "0");
    EXPECT_EQ(values.at("T_TRANSPARENT"), "0");
    EXPECT_EQ(HeightAndFace(values.at("T_FONTINFO")), std::make_pair(28, std::string("Arial")));
}

// Each case ticks "Text on Image" (which opens the text dialog), answers
// it, then closes the main dialog with "&Close", which stores the settings.
TEST_F(TextDialogScriptTest, AnswersToTheTextDialogAreStoredAsAUserWouldExpect) {
    struct Case {
        const char* what;
        std::string answers;
        std::map<std::string, std::string> stored;
        std::vector<TranscriptMessage> messages;
    };
    const std::vector<Case> cases = {
        {"Enter in the text box keeps the typed text",
         "type 1051 Week Day: [WD]\nkey enter 1051\n",
         {{"T_TEXT", "Week Day: [WD]"}},
         {}},
        {"a confirmed font replaces edits not yet read back",
         "type 1051 typed\ntype 1049 77\nclick 1052\nfont Liberation Serif -16\n" +
             Expect(
                 {{1051, kDefaultText}, {1049, "10"}, {1053, "Liberation Serif"}, {1017, "28"}}) +
             "click 1044\n",
         {{"T_TEXT", kDefaultText}, {"T_HORIZPOS", "10"}, {"T_FONTSIZE", "28"}},
         {}},
        {"the confirmed font's height is the size at the next opening",
         "click 1052\nfont Liberation Serif -16\nclick 1044\nclick 1042\n" +
             Expect({{1017, "-16"}, {1053, "Liberation Serif"}}) + "click 1044\n",
         {{"T_FONTSIZE", "-16"}},
         {}},
        {"a cancelled colour picker changes nothing",
         "click 1025\ncolor cancel\nclick 1044\n",
         {{"T_TEXTCOLOR", "0"}},
         {}},
        {"a confirmed colour stays when the dialog is cancelled",
         "click 1025\ncolor 255,0,0\nclick 1043\n",
         {{"T_TEXTCOLOR", "255"}},
         {}},
        {"a 0 position is stored as 0",
         "type 1049 0\ntype 1048 0\nclick 1044\n",
         {{"T_HORIZPOS", "0"}, {"T_VERTPOS", "0"}},
         {}},
        {"and the next opening turns it into 10",
         "type 1049 0\nclick 1044\nclick 1042\n" + Expect({{1049, "10"}}) + "click 1043\n",
         {{"T_HORIZPOS", "10"}},
         {}},
        {"Save & Exit closes after a bad position, keeping what came before it",
         "type 1051 kept\ntype 1049 1x\ntype 1048 33\nclick 1044\n",
         {{"T_TEXT", "kept"}, {"T_HORIZPOS", "10"}, {"T_VERTPOS", "10"}},
         {AppBox(kNotAnInteger)}},
        {"Transparent Background reads the flag at once",
         "click 1047\nkey escape 1051\n",
         {{"T_TRANSPARENT", "1"}},
         {}},
    };
    settings.textOnImage = false; // no T_ lines: the dialog's members start unset
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const HostResult r = ShowDialog("click 1041\n" + c.answers, "click 1000\n");
        ASSERT_EQ(r.status, 0) << r.Describe();
        EXPECT_EQ(r.messages, c.messages);
        const auto values = SettingsFile::ReadValues(folder.SettingsPath());
        for (const auto& [key, value] : c.stored)
            EXPECT_EQ(values.at(key), value) << key;
    }
}

// The stamp run after the dialog draws with what it confirmed: a red line
// in a font far larger than the stored 28-pixel cell, from the picture's
// left and top edges (positions of 0 are used as they are).
TEST_F(TextDialogScriptTest, NextStampRunDrawsWithTheConfirmedFontColourAndPosition) {
    WritePdf(folder.Path("in.pdf"), NumberedPages(1));
    // A 200 x 200 point page with the 400 x 300 picture 160 x 120 points at
    // (20, 20): at 180 dpi the picture lands one to one on x 50..449, y 150..449.
    const fs::path white = Picture("white.bmp", 400, 300, Solid(Rgb{255, 255, 255}));
    settings = StandardSettings(white, 400, 300);
    settings.imageWidthPdf = 160;
    settings.imageHeightPdf = 120;
    settings.Write(folder.SettingsPath());
    const HostResult r = folder.RunScript("open in.pdf\n"
                                          "click 1041\n"
                                          // The font first: confirming it refreshes
                                          // every control from the stored values.
                                          "click 1025\ncolor 255,0,0\n"
                                          "click 1052\nfont Liberation Sans -80 700\n"
                                          "type 1051 HHHH\n"
                                          "type 1049 0\n"
                                          "type 1048 0\n"
                                          "click 1044\n"
                                          "click 1003\n"
                                          "menu ADBE:PDFTalvane\n"
                                          "save out.pdf\nclose\n");
    ASSERT_EQ(r.status, 0) << r.Describe();
    EXPECT_EQ(r.messages, std::vector<TranscriptMessage>{Done()});
    const std::vector<Raster> pages =
        RenderPages(folder.Path("out.pdf"), 1, 1, 180, PageBox::Media);
    ASSERT_EQ(pages.size(), 1u);
    int x0 = 1 << 30, y0 = 1 << 30, x1 = -1, y1 = -1;
    for (int y = 0; y < 300; ++y)
        for (int x = 0; x < 400; ++x) {
            const Rgb c = pages[0].At(50 + x, 150 + y);
            if (c.r > 170 && c.g < 90 && c.b < 90) {
                x0 = std::min(x0, x), y0 = std::min(y0, y);
                x1 = std::max(x1, x), y1 = std::max(y1, y);
            }
        }
    ASSERT_GE(x1, 0) << "no red text on the picture";
    // An 80-pixel em gives capitals about 57 pixels high; the 28-pixel
    // cell of the stored description would give about 20.
    EXPECT_GT(y1 - y0 + 1, 45);
    EXPECT_LT(y1 - y0 + 1, 70);
    // From position 10 the capitals would start 10 pixels further in.
    EXPECT_LT(x0, 12) << "drawn from the left edge";
    EXPECT_LT(y0, 20) << "drawn from the top edge";
    EXPECT_LT(x1, 300) << "four capitals, not the default text";
}

TEST_F(TextDialogScriptTest, HtmlHelpOpensTheInstalledHelpFileAndLeavesTheDialogAsItWas) {
    const std::string unchanged = Expect({{1011, "1"}, {1030, "100"}, {1041, "unchecked"}});
    const HostResult r = ShowDialog(unchanged + "click 40005\n" + unchanged, "click 1000\n");
    ASSERT_EQ(r.status, 0) << r.Describe();
    EXPECT_EQ(Count(r.out, ShellLine((folder.Install() / "PDFTalvane.chm").string())), 1u) << r.out;
    EXPECT_EQ(r.messages, std::vector<TranscriptMessage>{});
}

TEST_F(TextDialogScriptTest, HtmlHelpWithAnUnreadableInstallValueShowsWhyAndOpensNothing) {
    std::ofstream(folder.Registry(), std::ios::binary) << "REGEDIT4\r\n\r\n" << kKeyLine;
    // Without a readable value no settings are read either; what the user
    // typed must still be there after the box.
    const HostResult r = folder.RunScript("type 1030 123\nclick 40005\n" + Expect({{1030, "123"}}) +
                                          "key escape\nmenu ADBE:PDFTalvane\n");
    ASSERT_EQ(r.status, 0) << r.Describe();
    EXPECT_EQ(Count(r.out, "SHELL open"), 0u) << r.out;
    const TranscriptMessage box{"box", "Install key not found in registry!",
                                "Can't find Talvane.chm,\nplease look in install dir and run "
                                "from there."};
    EXPECT_EQ(std::count(r.messages.begin(), r.messages.end(), box), 1) << r.out;
}

TEST_F(TextDialogScriptTest, AboutItemOpensTheDialogWhoseWebSiteButtonKeepsItOpen) {
    struct Case {
        const char* what;
        std::string answers;
        std::size_t opened;
    } cases[] = {
        {"View WebSite, then Close", "click 1002\nexpect 1000 &Close\nclick 1000\n", 1},
        {"twice, then Escape", "click 1002\nclick 1002\nkey escape\n", 2},
        {"Close only", "click 1000\n", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const HostResult r = folder.RunScript(c.answers + "menu ADBE:AboutPDFTalvane\n");
        ASSERT_EQ(r.status, 0) << r.Describe();
        EXPECT_EQ(Count(r.out, ShellLine("https://talvane.org/")), c.opened) << r.out;
        EXPECT_EQ(Count(r.out, "SHELL open"), c.opened) << r.out;
    }
}

} // namespace
} // namespace e2e
