// The real Talvane.api through the real loader, in hosts that differ in
// what they offer.
#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <sstream>

#include "pdfhost/app/DialogAutomation.h"
#include "pdfhost/app/HostSession.h"
#include "pdfhost/av/ActiveDocument.h"
#include "pdfhost/av/Menu.h"
#include "pdfhost/av/MenuItem.h"
#include "pdfhost/av/Menubar.h"
#include "pdfhost/av/ToolBar.h"
#include "pdfhost/av/ToolButton.h"
#include "pdfhost/av/Viewer.h"
#include "pdfhost/core/CallbackInvoker.h"
#include "pdfhost/core/ExceptionFrames.h"
#include "pdfhost/core/FaultInjector.h"
#include "pdfhost/core/HostLog.h"
#include "platform/DialogAnswers.h"
#include "platform/Messages.h"
#include "sdk/ASErrors.h"

namespace pdfhost {
namespace {

const std::vector<std::string> kAllTables = {
    "AcroSupport 5.0",      "Cos 5.0",         "PDModel 5.0",
    "PDFEditWrite 5.0",     "PDFEditRead 5.0", "PDSysFont 5.0",
    "PagePDEContent 5.0",   "AcroView 5.0",    "PDSWrite 5.0",
    "PDSRead 5.0",          "Win 5.0",         "ASExtra 5.0",
    "AcroViewSweetPea 5.0", "PDMetadata 5.0"};

std::vector<std::string> Tables(const Extension& e) {
    std::vector<std::string> out;
    for (const auto& t : e.tables)
        out.push_back(t.name + " " + TableRegistry::FormatVersion(t.version));
    return out;
}

std::vector<std::string> Items(const char* menu) {
    std::vector<std::string> out;
    if (const av::Menu* m = av::Viewer::Bar().AcquireMenu(menu)) {
        for (const auto* item : m->Items())
            out.push_back(item->Title() + "|" + item->Name());
    }
    return out;
}

class PluginBindingTest : public ::testing::Test {
  protected:
    void SetUp() override {
        HostLog::SetStream(&log);
        platform::Messages::SetTranscript(&transcript);
        platform::Messages::SetHeadless(true);
        automation.Install();
    }
    void TearDown() override {
        automation.Uninstall();
        EXPECT_EQ(automationErrors.str(), "");
        platform::DialogAnswers::Clear();
        session.reset();
        EXPECT_EQ(CallbackInvoker::FrameViolations(), 0) << log.str();
        EXPECT_EQ(ExceptionFrames::Depth(), 0u);
        platform::Messages::SetTranscript(nullptr);
        HostLog::SetStream(nullptr);
    }

    const Extension& Load(app::SessionOptions options = {}) {
        options.loader.folder = TALVANE_PLUGIN_DIR;
        session.reset(); // one host at a time
        session = std::make_unique<app::HostSession>(options);
        session->LoadPlugins();
        const Extension* talvane = session->Loader().Find("Talvane.api");
        EXPECT_NE(talvane, nullptr);
        return *talvane;
    }

    // The stamp command opens its dialog before it looks for a document.
    static void AnswerStamp() { platform::DialogAnswers::Push({"click", {"1003"}, "1003", 0}); }

    std::ostringstream log;
    std::ostringstream transcript;
    std::ostringstream automationOut;
    std::ostringstream automationErrors;
    app::DialogAutomation automation{automationOut, automationErrors};
    std::unique_ptr<app::HostSession> session;
};

TEST_F(PluginBindingTest, BindsToADefaultHostAndAddsItsThreeEntries) {
    const Extension& t = Load();
    EXPECT_EQ(t.name, "ADBE:PDFTalvane");
    EXPECT_EQ(t.acceptedHandshakeVersion, 0x00020000u);
    for (StepResult step :
         {t.entry, t.setup, t.handshake, t.exportTables, t.importReplaceAndRegister, t.init})
        EXPECT_EQ(step, StepResult::Ok);
    EXPECT_EQ(Tables(t), kAllTables);
    EXPECT_EQ(Items("Extensions"), std::vector<std::string>{"&Talvane|ADBE:PDFTalvane"});
    EXPECT_EQ(Items("AboutExtensions"),
              std::vector<std::string>{"About PDF Talvane...|ADBE:AboutPDFTalvane"});

    const auto& buttons = av::Viewer::Tools().Buttons();
    const av::ToolButton* button = av::Viewer::Tools().Find("ADBE:PDFTalvane");
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->HelpText(), "PDF Talvane");
    ASSERT_TRUE(button->Icon().has_value());
    EXPECT_EQ(button->Icon()->Describe(), "21x22 4-bit");
    const auto at = std::find(buttons.begin(), buttons.end(), button);
    ASSERT_NE(at + 1, buttons.end());
    EXPECT_EQ((*(at + 1))->Name(), "endToolsGroup");

    session->Shutdown();
    EXPECT_EQ(t.unload, StepResult::Ok);
}

TEST_F(PluginBindingTest, NegotiatesTheHandshakeVersionAndRefusesAllButTwoPointZero) {
    struct Case {
        ASUns32 offered;
        ASUns32 accepted;
        StepResult setup;
    } cases[] = {{0x00030000, 0x00020000, StepResult::Ok},
                 {0x00020000, 0x00020000, StepResult::Ok},
                 {0x00010000, 0x00010000, StepResult::Failed},
                 {0x0001FFFF, 0x0001FFFF, StepResult::Failed}};
    for (const auto& c : cases) {
        app::SessionOptions options;
        options.loader.hostHandshakeVersion = c.offered;
        const Extension& t = Load(options);
        EXPECT_EQ(t.acceptedHandshakeVersion, c.accepted) << std::hex << c.offered;
        EXPECT_EQ(t.setup, c.setup) << std::hex << c.offered;
        if (c.setup == StepResult::Failed) {
            // Refused before anything was asked of the host.
            EXPECT_TRUE(t.tables.empty());
            EXPECT_EQ(FaultInjector::CallCount("ASExtensionMgrGetHFT"), 0);
            EXPECT_EQ(t.handshake, StepResult::NotRun);
        }
    }
}

TEST_F(PluginBindingTest, SetupAndHandshakeCalledWithAnotherVersionStoreNothing) {
    struct Case {
        const char* what;
        void (*tweak)(LoaderOptions&);
        StepResult setup;
        StepResult handshake;
    } cases[] = {
        {"setup argument 3.0", [](LoaderOptions& o) { o.setupVersion = 0x00030000; },
         StepResult::Failed, StepResult::NotRun},
        {"setup record 1.0", [](LoaderOptions& o) { o.setupRecordVersion = 0x00010000; },
         StepResult::Failed, StepResult::NotRun},
        {"handshake 1.0", [](LoaderOptions& o) { o.handshakeVersion = 0x00010000; }, StepResult::Ok,
         StepResult::Failed},
        {"handshake 2.1", [](LoaderOptions& o) { o.handshakeVersion = 0x00020001; }, StepResult::Ok,
         StepResult::Failed},
    };
    for (const auto& c : cases) {
        app::SessionOptions options;
        c.tweak(options.loader);
        const Extension& t = Load(options);
        EXPECT_EQ(t.setup, c.setup) << c.what;
        EXPECT_EQ(t.handshake, c.handshake) << c.what;
        if (c.setup == StepResult::Failed) {
            EXPECT_EQ(FaultInjector::CallCount("ASExtensionMgrGetHFT"), 0) << c.what;
        }
        // A refused handshake leaves the record as the host made it: no name,
        // no callbacks, so nothing of the plug-in reaches the user interface.
        EXPECT_EQ(t.name, "") << c.what;
        EXPECT_EQ(t.initCallback, nullptr) << c.what;
        EXPECT_EQ(t.init, StepResult::NotRun) << c.what;
        EXPECT_TRUE(Items("Extensions").empty()) << c.what;
    }
}

TEST_F(PluginBindingTest, ImportsEachTableAtTheHighestVersionItAcceptsOrFailsSetup) {
    using Offers = std::vector<std::pair<std::string, ASVersion>>;
    std::vector<std::string> firstSeven(kAllTables.begin(), kAllTables.begin() + 7);
    struct Case {
        const char* what;
        Offers offers;
        std::vector<std::string> withheld;
        StepResult setup;
        std::vector<std::string> tables;
    } cases[] = {
        {"PDSysFont only at 4.0", {{"PDSysFont", HFT_VERSION_4_0}}, {}, StepResult::Ok, {}},
        {"PagePDEContent only at 4.5",
         {{"PagePDEContent", HFT_VERSION_4_5}},
         {},
         StepResult::Ok,
         {}},
        {"PDSysFont only at 2.3",
         {{"PDSysFont", HFT_VERSION_2_3}},
         {},
         StepResult::Failed,
         {"AcroSupport 5.0", "Cos 5.0", "PDModel 5.0", "PDFEditWrite 5.0", "PDFEditRead 5.0"}},
        {"AcroView only at 4.5",
         {{"AcroView", HFT_VERSION_4_5}},
         {},
         StepResult::Failed,
         firstSeven},
        {"no Cos", {}, {"Cos"}, StepResult::Failed, {"AcroSupport 5.0"}},
        {"no Win",
         {},
         {"Win"},
         StepResult::Failed,
         std::vector<std::string>(kAllTables.begin(), kAllTables.begin() + 10)},
        {"no optional tables",
         {},
         {"ASExtra", "AcroViewSweetPea", "PDMetadata"},
         StepResult::Ok,
         std::vector<std::string>(kAllTables.begin(), kAllTables.begin() + 11)},
    };
    cases[0].tables = kAllTables;
    cases[0].tables[5] = "PDSysFont 4.0";
    cases[1].tables = kAllTables;
    cases[1].tables[6] = "PagePDEContent 4.5";
    for (const auto& c : cases) {
        app::SessionOptions options;
        options.offers = c.offers;
        options.withheld = c.withheld;
        const Extension& t = Load(options);
        EXPECT_EQ(t.setup, c.setup) << c.what;
        EXPECT_EQ(Tables(t), c.tables) << c.what;
        EXPECT_EQ(t.handshake, c.setup == StepResult::Ok ? StepResult::Ok : StepResult::NotRun)
            << c.what;
    }
}

TEST_F(PluginBindingTest, AToolbarThatRaisesEndsInitFalseKeepingTheMenuItemOnly) {
    for (const char* operation : {"AVToolBarGetButtonByName", "AVToolButtonNew",
                                  "AVToolBarAddButton", "AVToolButtonSetHelpText"}) {
        app::SessionOptions options;
        options.faults.push_back({operation, kErrToolbarFailed, 0});
        const Extension& t = Load(options);
        EXPECT_EQ(t.init, StepResult::Failed) << operation;
        EXPECT_EQ(Items("Extensions"), std::vector<std::string>{"&Talvane|ADBE:PDFTalvane"})
            << operation;
        EXPECT_TRUE(Items("AboutExtensions").empty()) << operation;
        EXPECT_EQ(ExceptionFrames::Depth(), 0u) << operation;
        EXPECT_EQ(CallbackInvoker::FrameViolations(), 0) << operation;
    }
}

TEST_F(PluginBindingTest, AMissingHostMenuIsSkippedSilently) {
    struct Case {
        const char* missing;
        std::vector<std::string> extensions;
        std::vector<std::string> about;
    } cases[] = {
        {"Extensions", {}, {"About PDF Talvane...|ADBE:AboutPDFTalvane"}},
        {"AboutExtensions", {"&Talvane|ADBE:PDFTalvane"}, {}},
    };
    for (const auto& c : cases) {
        app::SessionOptions options;
        options.withoutMenus = {c.missing};
        log.str("");
        const Extension& t = Load(options);
        EXPECT_EQ(t.init, StepResult::Ok) << c.missing;
        EXPECT_EQ(Items("Extensions"), c.extensions) << c.missing;
        EXPECT_EQ(Items("AboutExtensions"), c.about) << c.missing;
        EXPECT_NE(av::Viewer::Tools().Find("ADBE:PDFTalvane"), nullptr) << c.missing;
        EXPECT_EQ(log.str(), "") << c.missing;
        EXPECT_EQ(transcript.str(), "") << c.missing;
    }
}

TEST_F(PluginBindingTest, MenuItemAndButtonBothRunTheStampCommand) {
    Load();
    const av::MenuItem* item = av::Viewer::Bar().FindItem("ADBE:PDFTalvane");
    const av::ToolButton* button = av::Viewer::Tools().Find("ADBE:PDFTalvane");
    ASSERT_NE(item, nullptr);
    ASSERT_NE(button, nullptr);
    ASSERT_EQ(av::ActiveDocument::View(), nullptr);
    EXPECT_TRUE(item->IsEnabled());

    const std::string note = "MESSAGE note-alert \"pdfhost\" \"Please open a pdf first\"\n";
    AnswerStamp();
    EXPECT_EQ(item->Execute(), 0);
    EXPECT_EQ(transcript.str(), note);
    transcript.str("");
    AnswerStamp();
    EXPECT_EQ(button->Execute(), 0);
    EXPECT_EQ(transcript.str(), note);

    // The About item opens the About dialog, which opens the project page
    // and closes as answered.
    const av::MenuItem* about = av::Viewer::Bar().FindItem("ADBE:AboutPDFTalvane");
    ASSERT_NE(about, nullptr);
    transcript.str("");
    platform::DialogAnswers::Push({"click", {"1002"}, "1002", 0});
    platform::DialogAnswers::Push({"click", {"1000"}, "1000", 0});
    EXPECT_EQ(about->Execute(), 0);
    EXPECT_EQ(transcript.str(), "SHELL open \"https://talvane.org/\"\n");
    EXPECT_EQ(platform::DialogAnswers::Pending(), 0u);
    EXPECT_EQ(log.str(), "");
}

TEST_F(PluginBindingTest, AHostErrorInTheCommandReachesTheHostAsTheExecuteProceduresRaise) {
    Load();
    FaultInjector::Arm("AVAppGetActiveDoc", kErrNoDocument);
    AnswerStamp();
    const av::MenuItem* item = av::Viewer::Bar().FindItem("ADBE:PDFTalvane");
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->Execute(), kErrNoDocument);
    EXPECT_NE(log.str().find("execute procedure of menu item ADBE:PDFTalvane of ADBE:PDFTalvane "
                             "raised 0x400B0006"),
              std::string::npos)
        << log.str();
    EXPECT_EQ(transcript.str(), "");
}

TEST(PluginModuleTest, ExportsOnlyPlugInMain) {
    const std::string command = "nm -D --defined-only '" TALVANE_PLUGIN_FILE "'";
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
    ASSERT_NE(pipe, nullptr);
    std::vector<std::string> symbols;
    char line[512];
    while (fgets(line, sizeof line, pipe.get())) {
        std::istringstream words(line);
        std::string address, type, name;
        if (words >> address >> type >> name)
            symbols.push_back(type + " " + name);
    }
    EXPECT_EQ(symbols, std::vector<std::string>{"T PlugInMain"});
}

} // namespace
} // namespace pdfhost
