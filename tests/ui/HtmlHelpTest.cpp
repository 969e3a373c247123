#include "ui/HtmlHelp.h"

#include "platform/Messages.h"
#include "platform/Registry.h"
#include "settings/InstallPaths.h"
#include "tests/support/FileBytes.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <iostream>
#include <sstream>

namespace {

using platform::Messages;
using platform::Registry;
using testsupport::TempFolder;
using testsupport::WriteFile;

const std::string kKeyLine =
    "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\Talvane.api]\n";
const std::string kUnreadableBox = "MESSAGE box \"Install key not found in registry!\" \"Can't "
                                   "find Talvane.chm,\\nplease look in install dir and run from "
                                   "there.\"\n";

class HtmlHelpTest : public ::testing::Test {
  protected:
    void SetUp() override {
        Messages::SetTranscript(&transcript_);
        Messages::SetHeadless(true);
    }
    void TearDown() override {
        Messages::SetTranscript(&std::cout);
        Registry::Reset();
        InstallPaths::Get() = InstallPaths();
    }
    void UseRegistry(const std::string& body) {
        const std::string file = dir_.File("registry.reg");
        WriteFile(file, "REGEDIT4\n\n" + body);
        ASSERT_TRUE(Registry::UseFile(file).empty());
    }

    TempFolder dir_;
    std::ostringstream transcript_;
};

TEST_F(HtmlHelpTest, OpensTheHelpFileOfTheRegisteredFolderOrShowsWhyNot) {
    struct Case {
        const char* name;
        std::string registry;
        std::string transcript;
    };
    const std::vector<Case> cases = {
        {"readable value: the folder's help file, whether or not it exists",
         kKeyLine + "@=\"/opt/no such/plug_ins\"\n",
         "SHELL open \"/opt/no such/plug_ins/PDFTalvane.chm\"\n"},
        {"first value whatever its name", kKeyLine + "\"Path\"=\"/first\"\n@=\"/second\"\n",
         "SHELL open \"/first/PDFTalvane.chm\"\n"},
        {"key missing: the root's help file, no message",
         "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Other]\n@=\"/x\"\n", "SHELL open \"/PDFTalvane.chm\"\n"},
        {"key without a value", kKeyLine, kUnreadableBox},
        {"value too long for its buffer", kKeyLine + "@=\"/" + std::string(1022, 'v') + "\"\n",
         kUnreadableBox},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        UseRegistry(c.registry);
        transcript_.str("");
        OpenHtmlHelp();
        EXPECT_EQ(transcript_.str(), c.transcript);
    }
}

// Nothing is remembered between calls, and the paths the stamp run uses are
// neither read nor changed.
TEST_F(HtmlHelpTest, LooksTheFolderUpAgainEachTimeAndLeavesTheRunPathsAlone) {
    InstallPaths::Get().szIniPath = "/run/PDFTalvane.ini";
    InstallPaths::Get().szTempJpgPath = "/run/temp.jpg";
    UseRegistry(kKeyLine + "@=\"/before\"\n");
    OpenHtmlHelp();
    UseRegistry(kKeyLine);
    OpenHtmlHelp();
    UseRegistry(kKeyLine + "@=\"/after\"\n");
    OpenHtmlHelp();
    EXPECT_EQ(transcript_.str(), "SHELL open \"/before/PDFTalvane.chm\"\n" + kUnreadableBox +
                                     "SHELL open \"/after/PDFTalvane.chm\"\n");
    EXPECT_EQ(InstallPaths::Get().szIniPath, "/run/PDFTalvane.ini");
    EXPECT_EQ(InstallPaths::Get().szTempJpgPath, "/run/temp.jpg");
}

} // namespace
