// The help file as the build and an installation ship it: its table of
// contents, its pages and the links between them, read with the CHM library.

#include "resources/DialogTemplates.h"
#include "tests/support/TempFolder.h"

#include <chm_lib.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <regex>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace {

namespace fs = std::filesystem;

class ChmArchive {
  public:
    explicit ChmArchive(const std::string& path) : file_(chm_open(path.c_str()), &chm_close) {}
    bool IsOpen() const { return file_ != nullptr; }

    std::optional<std::string> Read(const std::string& name) const {
        chmUnitInfo unit{};
        if (chm_resolve_object(file_.get(), name.c_str(), &unit) != CHM_RESOLVE_SUCCESS)
            return std::nullopt;
        std::string bytes(static_cast<size_t>(unit.length), '\0');
        const LONGINT64 got =
            chm_retrieve_object(file_.get(), &unit, reinterpret_cast<unsigned char*>(bytes.data()),
                                0, static_cast<LONGINT64>(unit.length));
        if (got != static_cast<LONGINT64>(unit.length))
            return std::nullopt;
        return bytes;
    }

  private:
    std::unique_ptr<chmFile, void (*)(chmFile*)> file_;
};

struct TocEntry {
    std::string name;
    std::string local;
    bool operator==(const TocEntry&) const = default;
};

std::ostream& operator<<(std::ostream& out, const TocEntry& e) {
    return out << '"' << e.name << "\" -> " << e.local;
}

// The entries of a sitemap file, in document order.
std::vector<TocEntry> SitemapEntries(const std::string& hhc) {
    std::vector<TocEntry> entries;
    const std::regex object(R"re(<OBJECT type="text/sitemap">([\s\S]*?)</OBJECT>)re",
                            std::regex::icase);
    const std::regex name(R"re(<param name="Name" value="([^"]*)">)re", std::regex::icase);
    const std::regex local(R"re(<param name="Local" value="([^"]*)">)re", std::regex::icase);
    for (auto it = std::sregex_iterator(hhc.begin(), hhc.end(), object);
         it != std::sregex_iterator(); ++it) {
        const std::string body = (*it)[1];
        std::smatch n, l;
        std::regex_search(body, n, name);
        std::regex_search(body, l, local);
        entries.push_back({n.size() > 1 ? n[1].str() : "", l.size() > 1 ? l[1].str() : ""});
    }
    return entries;
}

// What a reader sees of a page: tags dropped, entities decoded, runs of
// white space made one space.
std::string VisibleText(const std::string& html) {
    std::string text = std::regex_replace(html, std::regex("<[^>]*>"), " ");
    const std::pair<const char*, const char*> entities[] = {
        {"&lt;", "<"}, {"&gt;", ">"}, {"&times;", "x"}, {"&quot;", "\""}, {"&amp;", "&"}};
    for (const auto& [entity, plain] : entities) {
        for (size_t at = text.find(entity); at != std::string::npos; at = text.find(entity, at + 1))
            text.replace(at, std::string(entity).size(), plain);
    }
    return std::regex_replace(text, std::regex(R"(\s+)"), " ");
}

std::string TitleOf(const std::string& html) {
    std::smatch m;
    return std::regex_search(html, m, std::regex("<title>([^<]*)</title>")) ? m[1].str() : "";
}

const std::vector<TocEntry> kContents = {
    {"PDF Talvane", "overview.html"},
    {"The stamp dialog", "main-dialog.html"},
    {"Text on Image Settings", "text-on-image.html"},
    {"Placeholders in the text", "placeholders.html"},
    {"Parameter files", "parameter-files.html"},
    {"About PDF Talvane", "about.html"},
};

void ExpectContentsReadBack(const std::string& chmPath) {
    ChmArchive chm(chmPath);
    ASSERT_TRUE(chm.IsOpen()) << chmPath;
    const std::optional<std::string> toc = chm.Read("/toc.hhc");
    ASSERT_TRUE(toc) << "no table of contents in " << chmPath;
    EXPECT_EQ(SitemapEntries(*toc), kContents);
    for (const TocEntry& entry : kContents) {
        SCOPED_TRACE(entry.local);
        const std::optional<std::string> page = chm.Read("/" + entry.local);
        ASSERT_TRUE(page);
        EXPECT_EQ(TitleOf(*page), entry.name);
    }
}

TEST(HelpFile, BuildsIntoThePluginFolderWithItsTableOfContents) {
    ExpectContentsReadBack(TALVANE_HELP_FILE);
}

TEST(HelpFile, EveryLinkAndIndexEntryLeadsToAPageInsideTheFile) {
    ChmArchive chm(TALVANE_HELP_FILE);
    ASSERT_TRUE(chm.IsOpen());
    const std::optional<std::string> index = chm.Read("/index.hhk");
    ASSERT_TRUE(index);
    const std::vector<TocEntry> keywords = SitemapEntries(*index);
    EXPECT_FALSE(keywords.empty());
    for (const TocEntry& k : keywords)
        EXPECT_TRUE(chm.Read("/" + k.local)) << k;

    const std::regex link(R"re((?:href|src)="([^"#:]+)(#[^"]*)?")re");
    for (const TocEntry& entry : kContents) {
        const std::string page = chm.Read("/" + entry.local).value_or("");
        for (auto it = std::sregex_iterator(page.begin(), page.end(), link);
             it != std::sregex_iterator(); ++it)
            EXPECT_TRUE(chm.Read("/" + (*it)[1].str())) << entry.local << " links to " << (*it)[1];
    }
}

// Every field a dialog shows and every placeholder is explained where a user
// looks for it. Labels are written as the user reads them: without the
// mnemonic marks and the trailing colon.
TEST(HelpFile, PagesExplainEveryFieldAndPlaceholder) {
    struct Page {
        std::string file;
        std::vector<std::string> mentions;
    };
    std::vector<std::string> textDialog = {"Choose Font",
                                           "Horizontal Position from Left",
                                           "Vertical Position from Bottom",
                                           "Transparent Background",
                                           "Text colour",
                                           "Save & Exit",
                                           "Cancel",
                                           "Escape",
                                           "[MM]-[DD]-[YYYY] [hh]:[mm]:[ss]",
                                           "Arial, 28 pixels",
                                           "-16",
                                           "Worked example"};
    for (const std::string& example : resources::TextExamples())
        textDialog.emplace_back(example);
    const std::vector<Page> pages = {
        {"main-dialog.html",
         {"Page to start processing at",
          "Page to end processing at",
          "Only apply image to 1 in nth",
          "Image file",
          "Browse",
          "Image width",
          "Width in PDF",
          "Constrain image proportions",
          "Image opacity",
          "Text on Image",
          "Position",
          "Bottom Left",
          "Bottom Right",
          "Bottom Middle",
          "Top Left",
          "Top Right",
          "Top Middle",
          "Vertical from Bottom",
          "Horizontal from Left",
          "Calculate vertical from Bottom",
          "Calculate horizontal from Left",
          "Force portrait image when landscape",
          "STAMP!",
          "Undo",
          "Close",
          "Load Settings",
          "Save Settings",
          "Save Settings As",
          "HTML Help",
          "Can't undo again, already undone once!"}},
        {"text-on-image.html", textDialog},
        {"placeholders.html",
         {"[FILENAME]", "[FILETITLE]",   "[FILETITLEEXT]", "[FOLDERPATH]", "[TOPFOLDERPATH]",
          "[MM]",       "[DD]",          "[YY]",           "[YYYY]",       "[M]",
          "[D]",        "[hh]",          "[mm]",           "[ss]",         "[DW]",
          "[DY]",       "[DN]",          "[ADN]",          "[MN]",         "[AMN]",
          "[AMPM]",     "[ampm]",        "[WYS]",          "[WYM]",        "[WD]",
          "[DEX]",      "[TITLE]",       "[AUTHOR]",       "[SUBJECT]",    "[KEYWORDS]",
          "[PRODUCER]", "[CREATEDTIME]", "[MODIFIEDTIME]", "[VAR(",        "Worked examples"}},
        {"parameter-files.html",
         {"STARTPROC",      "ENDPROC",        "POSITION",      "VERTICAL",    "HORIZONTAL",
          "1NTH",           "OPACITY",        "IMAGEFILENAME", "IMAGEWIDTH",  "IMAGEHEIGHT",
          "IMAGEWIDTHPDF",  "IMAGEHEIGHTPDF", "CALCRIGHT",     "CALCTOP",     "FORCEPORTRAIT",
          "CONSTRAINIMAGE", "TEXTONIMAGE",    "T_TRANSPARENT", "T_TEXT",      "T_FONTNAME",
          "T_HORIZPOS",     "T_VERTPOS",      "T_FONTSIZE",    "T_TEXTCOLOR", "T_FONTINFO",
          "Default.tvp",    "PDFTalvane.ini"}},
        {"about.html",
         {"PDF Talvane v1.07", "View WebSite", "Close", "PDFTalvane.chm",
          "Install key not found in registry!"}},
    };
    ChmArchive chm(TALVANE_HELP_FILE);
    ASSERT_TRUE(chm.IsOpen());
    for (const Page& page : pages) {
        SCOPED_TRACE(page.file);
        const std::optional<std::string> html = chm.Read("/" + page.file);
        ASSERT_TRUE(html);
        const std::string text = VisibleText(*html);
        for (const std::string& mention : page.mentions)
            EXPECT_NE(text.find(mention), std::string::npos) << "not explained: " << mention;
    }
}

TEST(HelpFile, InstallsBesideThePlugin) {
    const testsupport::TempFolder folder("talvane-install");
    const fs::path prefix = folder.Path();
    const std::string command = std::string("\"") + TALVANE_CMAKE_COMMAND + "\" --install \"" +
                                TALVANE_BINARY_DIR + "\" --prefix \"" + prefix.string() +
                                "\" > /dev/null";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
    const fs::path installed = prefix / "plug_ins" / "PDFTalvane.chm";
    EXPECT_TRUE(fs::exists(prefix / "plug_ins" / "Talvane.api"));
    ASSERT_TRUE(fs::exists(installed));
    EXPECT_EQ(fs::file_size(installed), fs::file_size(TALVANE_HELP_FILE));
    ExpectContentsReadBack(installed.string());
}

} // namespace
