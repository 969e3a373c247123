#include "settings/InstallPaths.h"

#include "platform/Messages.h"
#include "platform/Registry.h"
#include "tests/support/FileBytes.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <sys/wait.h>
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

TEST_F(InstallPathsTest, TellsWhichProcessARunsJpegBelongsTo) {
    const struct {
        const char* candidate;
        std::optional<long> process;
    } cases[] = {
        {"/opt/talvane/temp-4242.jpg", 4242},
        {"/opt/talvane/temp-1.jpg", 1},
        {"/opt/talvane/temp.jpg", std::nullopt},
        {"/opt/talvane/temp-.jpg", std::nullopt},
        {"/opt/talvane/temp-042.jpg", std::nullopt},
        {"/opt/talvane/temp-12a.jpg", std::nullopt},
        {"/opt/talvane/temp--12.jpg", std::nullopt},
        {"/opt/talvane/temp-12.jpeg", std::nullopt},
        {"/opt/talvane/temp-12.jpg.bak", std::nullopt},
        {"/opt/talvane/xtemp-12.jpg", std::nullopt},
        {"/opt/other/temp-12.jpg", std::nullopt},
        {"/opt/talvane/temp-99999999999999999999.jpg", std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(InstallPaths::RunTempJpgProcess("/opt/talvane/temp.jpg", c.candidate), c.process)
            << c.candidate;
    EXPECT_EQ(InstallPaths::RunTempJpgProcess("", "/temp-12.jpg"), std::nullopt);
}

// The id of a process that has certainly ended: a child of this test, waited for.
long EndedProcess() {
    const pid_t child = ::fork();
    if (child == 0)
        ::_exit(0);
    int status = 0;
    ::waitpid(child, &status, 0);
    return static_cast<long>(child);
}

TEST_F(InstallPathsTest, RemovesOnlyTheJpegsOfEndedProcesses) {
    namespace fs = std::filesystem;
    InstallPaths::Get().szTempJpgPath = dir_.File("temp.jpg");
    const std::string gone = "temp-" + std::to_string(EndedProcess()) + ".jpg";
    const std::string self = "temp-" + std::to_string(::getpid()) + ".jpg";
    const std::string running = "temp-" + std::to_string(::getppid()) + ".jpg";
    const std::vector<std::string> kept = {
        self, running, "temp.jpg", "temp-0012.jpg", "other.jpg", "PDFTalvane.ini"};
    for (const std::string& name : kept)
        WriteFile(dir_.File(name), "x");
    WriteFile(dir_.File(gone), "x");
    // A folder with a run's name is not a run's file.
    const std::string goneFolder = "temp-" + std::to_string(EndedProcess()) + ".jpg";
    fs::create_directory(dir_.File(goneFolder));

    InstallPaths::Get().RemoveStaleRunTempJpgs();

    EXPECT_FALSE(fs::exists(dir_.File(gone)));
    for (const std::string& name : kept)
        EXPECT_TRUE(fs::exists(dir_.File(name))) << name;
    EXPECT_TRUE(fs::is_directory(dir_.File(goneFolder)));
}

} // namespace
