#include "settings/InstallPaths.h"

#include "platform/Messages.h"
#include "platform/Registry.h"
#include "tests/support/FileBytes.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <sstream>
#include <unistd.h>

namespace {

using platform::Registry;
using testsupport::TempFolder;
using testsupport::WriteFile;

const std::string kKeyLine =
    "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\Talvane.api]\n";
const std::string kRegistryBox = "MESSAGE box \"Install key not found in registry!\" \"Can't find "
                                 "install path in registry - please reinstall\"\n";

class InstallPathsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        platform::Messages::SetTranscript(&transcript_);
        platform::Messages::SetHeadless(true);
    }
    void TearDown() override {
        platform::Messages::SetTranscript(&std::cout);
        Registry::Reset();
        InstallPaths::Get() = InstallPaths();
    }

    TempFolder dir_;
    std::ostringstream transcript_;
};

TEST_F(InstallPathsTest, BuildsThePathsFromTheRegistry) {
    const std::string folder236 = "/" + std::string(235, 'd');
    struct Case {
        const char* name;
        std::string registry; // file content after the header
        std::string iniPath;
        std::string jpgPath;
        std::string messages;
    };
    const std::vector<Case> cases = {
        {"value read", kKeyLine + "@=\"/opt/talvane\"\n", "/opt/talvane/PDFTalvane.ini",
         "/opt/talvane/temp.jpg", ""},
        {"first value whatever its name, key case ignored",
         "[hkey_local_machine\\software\\microsoft\\windows\\currentversion\\app paths\\"
         "TALVANE.API]\n\"Path\"=\"/first\"\n@=\"/second\"\n",
         "/first/PDFTalvane.ini", "/first/temp.jpg", ""},
        {"key missing: paths on the root", "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Other]\n@=\"/x\"\n",
         "/PDFTalvane.ini", "/temp.jpg", ""},
        {"key without values", kKeyLine, "old.ini", "old.jpg", kRegistryBox},
        {"value too long for its buffer", kKeyLine + "@=\"/" + std::string(1022, 'v') + "\"\n",
         "old.ini", "old.jpg", kRegistryBox},
        {"binary value filling the buffer without a terminator",
         kKeyLine + "@=hex:" +
             [] {
                 std::string list = "41";
                 for (int i = 1; i < 1023; ++i)
                     list += ",41";
                 return list;
             }() +
             "\n",
         "old.ini", "old.jpg", kRegistryBox},
        {"longest folder the paths allow", kKeyLine + "@=\"" + folder236 + "\"\n",
         folder236 + "/PDFTalvane.ini", folder236 + "/temp.jpg", ""},
        {"folder one character too long", kKeyLine + "@=\"" + folder236 + "e\"\n", "old.ini",
         "old.jpg", kRegistryBox},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string file = dir_.File("registry.reg");
        WriteFile(file, "REGEDIT4\n\n" + c.registry);
        ASSERT_TRUE(Registry::UseFile(file).empty());
        InstallPaths::Get().szIniPath = "old.ini";
        InstallPaths::Get().szTempJpgPath = "old.jpg";
        transcript_.str("");

        GetInstallPaths();

        EXPECT_EQ(InstallPaths::Get().szIniPath, c.iniPath);
        EXPECT_EQ(InstallPaths::Get().szTempJpgPath, c.jpgPath);
        EXPECT_EQ(transcript_.str(), c.messages);
        EXPECT_LE(InstallPaths::Get().szIniPath.size(), InstallPaths::kMaxPath);
    }
}

TEST_F(InstallPathsTest, StartEmptyAndFailFirstRunWithEmptyPaths) {
    EXPECT_EQ(InstallPaths::Get().szIniPath, "");
    EXPECT_EQ(InstallPaths::Get().szTempJpgPath, "");
    Registry::SetString(Registry::Root::LocalMachine,
                        "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\Talvane.api\\Sub",
                        "", "/x");
    GetInstallPaths(); // the key exists (implied by its subkey) but has no value
    EXPECT_EQ(InstallPaths::Get().szIniPath, "");
    EXPECT_EQ(transcript_.str(), kRegistryBox);
}

TEST_F(InstallPathsTest, TheRunsTemporaryJpegCarriesTheProcessId) {
    const struct {
        const char* recordPath;
        const char* runPath;
    } cases[] = {
        {"/opt/talvane/temp.jpg", "/opt/talvane/temp-4242.jpg"},
        {"/temp.jpg", "/temp-4242.jpg"},
        // A dot in a folder name is no extension.
        {"/opt/temp.d/temp", "/opt/temp.d/temp-4242"},
        {"/opt/talvane/.jpg", "/opt/talvane/-4242.jpg"},
        {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(InstallPaths::RunTempJpgPathFor(c.recordPath, 4242), c.runPath) << c.recordPath;

    // The run's own path: the record's, for this process.
    InstallPaths::Get().szTempJpgPath = "/opt/talvane/temp.jpg";
    EXPECT_EQ(InstallPaths::Get().RunTempJpgPath(),
              "/opt/talvane/temp-" + std::to_string(::getpid()) + ".jpg");
}

} // namespace
