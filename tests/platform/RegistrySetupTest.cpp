#include "platform/RegistrySetup.h"
#include "platform/Registry.h"

#include <gtest/gtest.h>

#include "tests/support/TempFolder.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

namespace fs = std::filesystem;
using platform::Registry;
using platform::RegistrySetup;

const std::string kAppPaths = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\";

std::string ReadAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

std::optional<std::string> FirstValue(const std::string& plugin) {
    const auto key = Registry::OpenKey(Registry::Root::LocalMachine, kAppPaths + plugin);
    if (!key)
        return std::nullopt;
    char data[1023];
    if (!Registry::EnumValue(*key, 0, data))
        return "(unreadable)";
    return std::string(data);
}

// A scratch folder with a plug-in folder in it, and XDG_CONFIG_HOME pointed
// inside it so the user's own registry is never read or written.
class RegistrySetupTest : public ::testing::Test {
  protected:
    void SetUp() override {
        plugins_ = root_ / "build" / "plug_ins";
        fs::create_directories(plugins_ / "folder.api");
        for (const char* name : {"Talvane.api", "Other.api", "notes.txt"})
            std::ofstream(plugins_ / name) << "x";
        const char* old = std::getenv("XDG_CONFIG_HOME");
        oldXdg_ = old ? std::optional<std::string>(old) : std::nullopt;
        setenv("XDG_CONFIG_HOME", (root_ / "config").c_str(), 1);
    }
    void TearDown() override {
        oldXdg_ ? setenv("XDG_CONFIG_HOME", oldXdg_->c_str(), 1) : unsetenv("XDG_CONFIG_HOME");
        Registry::Reset();
    }

    testsupport::TempFolder folder_{"registry-setup"};
    const fs::path root_ = folder_.Path();
    fs::path plugins_;
    std::optional<std::string> oldXdg_;
};

TEST_F(RegistrySetupTest, DefaultRegistryGetsEveryMissingPluginRegistered) {
    // A relative folder with a trailing slash is registered absolute and bare.
    const fs::path cwd = fs::current_path();
    fs::current_path(root_);
    const auto problems = RegistrySetup::ForHost(std::nullopt, "build/./plug_ins/");
    fs::current_path(cwd);

    EXPECT_TRUE(problems.empty());
    const fs::path file = root_ / "config" / "pdfhost" / "registry.reg";
    EXPECT_EQ(Registry::File(), file.string());
    EXPECT_EQ(FirstValue("Talvane.api"), plugins_.string());
    EXPECT_EQ(FirstValue("Other.api"), plugins_.string());
    EXPECT_EQ(FirstValue("folder.api"), std::nullopt);
    EXPECT_EQ(FirstValue("notes.txt"), std::nullopt);
    const std::string saved = ReadAll(file);
    EXPECT_NE(saved.find("[HKEY_LOCAL_MACHINE\\" + kAppPaths + "Talvane.api]\r\n@=\"" +
                         plugins_.string() + "\"\r\n"),
              std::string::npos)
        << saved;

    // The next start finds the keys and leaves them, and the file, alone,
    // including a key the user pointed elsewhere.
    std::ofstream(file, std::ios::binary)
        << "REGEDIT4\n[HKEY_LOCAL_MACHINE\\" + kAppPaths + "Talvane.api]\n@=\"/moved\"\n"
        << "[HKEY_LOCAL_MACHINE\\" + kAppPaths + "Other.api]\n@=\"/o\"\n";
    const std::string before = ReadAll(file);
    EXPECT_TRUE(RegistrySetup::ForHost(std::nullopt, plugins_.string()).empty());
    EXPECT_EQ(FirstValue("Talvane.api"), "/moved");
    EXPECT_EQ(ReadAll(file), before);
}

TEST_F(RegistrySetupTest, ChosenFileIsUsedAsItIs) {
    const fs::path file = root_ / "chosen.reg";
    std::ofstream(file, std::ios::binary)
        << "REGEDIT4\n[HKEY_LOCAL_MACHINE\\" + kAppPaths + "Talvane.api]\nbroken line\n";
    const auto problems = RegistrySetup::ForHost(file.string(), plugins_.string());
    EXPECT_EQ(problems,
              std::vector<std::string>{file.string() + ": line 3: not a key or value line"});
    EXPECT_EQ(FirstValue("Talvane.api"), "(unreadable)");
    EXPECT_EQ(FirstValue("Other.api"), std::nullopt);
    EXPECT_FALSE(fs::exists(root_ / "config"));
}

TEST_F(RegistrySetupTest, RegistrationThatCannotBeSavedStillHoldsForTheRun) {
    std::ofstream(root_ / "config") << "a file where the configuration folder should be";
    const auto problems = RegistrySetup::ForHost(std::nullopt, plugins_.string());
    ASSERT_EQ(problems.size(), 2u);
    EXPECT_TRUE(problems[0].starts_with("cannot register Other.api in ")) << problems[0];
    EXPECT_EQ(FirstValue("Talvane.api"), plugins_.string());
}

} // namespace
