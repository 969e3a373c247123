#include "platform/Registry.h"
#include "platform/RegistryStore.h"

#include <gtest/gtest.h>

#include "tests/support/FileBytes.h"
#include "tests/support/TempFolder.h"

#include <array>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

namespace fs = std::filesystem;
using platform::Registry;
using platform::RegistryStore;

constexpr const char* kPluginKey =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\Talvane.api";

using testsupport::ReadFile;
using testsupport::TempFolder;
using testsupport::WriteFile;

// The value at `index` of `key` through the enumeration call, or nullopt
// when the call fails.
std::optional<std::string> ValueAt(const RegistryStore& store, const std::string& key,
                                   size_t index) {
    const RegistryStore::Key* k = store.Find(key);
    if (!k || index >= k->values.size())
        return std::nullopt;
    return k->values[index].name + "=" + k->values[index].data;
}

TEST(RegistryStoreTest, ParsesExportsAndRecoversFromDamage) {
    struct Case {
        const char* name;
        std::string text;
        std::vector<std::string> warnings;
        std::string key;
        std::vector<std::string> values; // name=data in enumeration order
    };
    const std::vector<Case> cases = {
        {"export with CR LF, escapes and a default value",
         "REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\A\\B]\r\n@=\"C:\\\\Program Files\\\\x\"\r\n"
         "\"Quote\"=\"say \\\"hi\\\"\"\r\n",
         {},
         "HKEY_LOCAL_MACHINE\\A\\B",
         {"=C:\\Program Files\\x", "Quote=say \"hi\""}},
        {"unicode-style header, LF only, comments and indentation",
         "Windows Registry Editor Version 5.00\n; comment\n  [HKEY_LOCAL_MACHINE\\K]  \n"
         "  \"v\" = \"1\"\n",
         {},
         "HKEY_LOCAL_MACHINE\\K",
         {"v=1"}},
        {"missing header still reads the keys",
         "[HKEY_LOCAL_MACHINE\\K]\n@=\"x\"\n",
         {"line 1: missing registry header"},
         "HKEY_LOCAL_MACHINE\\K",
         {"=x"}},
        {"damaged key line drops its own values only",
         "REGEDIT4\n[HKEY_LOCAL_MACHINE\\Broken\n@=\"lost\"\n[HKEY_LOCAL_MACHINE\\K]\n@=\"kept\"\n",
         {"line 2: key line without closing bracket"},
         "HKEY_LOCAL_MACHINE\\K",
         {"=kept"}},
        {"unknown root, deletions, orphan and malformed values",
         "REGEDIT4\n@=\"orphan\"\n[HKEY_NOWHERE\\K]\n@=\"x\"\n[-HKEY_LOCAL_MACHINE\\K]\n"
         "[HKEY_LOCAL_MACHINE\\K]\n\"a\"=\"unterminated\n\"b\"=-\n\"c\"=dword:xyz\n"
         "\"d\"=hex:01,\n\"e\" \"missing equals\"\ngarbage\n\"f\"=\"ok\"\n",
         {"line 2: value outside any key", "line 3: unknown root key",
          "line 5: key deletion is not supported here", "line 7: malformed value data",
          "line 8: value deletion is not supported here", "line 9: malformed value data",
          "line 10: malformed value data", "line 11: value line without '='",
          "line 12: not a key or value line"},
         "HKEY_LOCAL_MACHINE\\K",
         {"f=ok"}},
        {"typed values, continuation lines, last occurrence wins in place",
         "REGEDIT4\n[HKEY_LOCAL_MACHINE\\K]\n\"n\"=dword:0000002a\n\"h\"=hex(2):41,\\\n  42\n"
         "\"N\"=dword:1\n[hkey_local_machine\\k]\n\"later\"=\"section merged\"\n",
         {},
         "HKEY_LOCAL_MACHINE\\K",
         {std::string("N=\x01\0\0\0", 6), "h=AB", "later=section merged"}},
        {"empty file", "", {"line 1: missing registry header"}, "HKEY_LOCAL_MACHINE\\K", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<std::string> warnings;
        const RegistryStore store = RegistryStore::Parse(c.text, &warnings);
        EXPECT_EQ(warnings, c.warnings);
        for (size_t i = 0; i < c.values.size(); ++i)
            EXPECT_EQ(ValueAt(store, c.key, i), c.values[i]) << "value " << i;
        EXPECT_EQ(ValueAt(store, c.key, c.values.size()), std::nullopt);
    }
}

TEST(RegistryStoreTest, KeysExistWhenDeclaredOrImpliedIgnoringCase) {
    const RegistryStore store =
        RegistryStore::Parse("REGEDIT4\n[HKEY_LOCAL_MACHINE\\Software\\Vendor\\App]\n", nullptr);
    EXPECT_TRUE(store.Exists("HKEY_LOCAL_MACHINE\\Software\\Vendor\\App"));
    EXPECT_TRUE(store.Exists("hkey_local_machine\\SOFTWARE\\VENDOR\\APP"));
    EXPECT_TRUE(store.Exists("HKEY_LOCAL_MACHINE\\Software\\Vendor"));
    EXPECT_TRUE(store.Exists("HKEY_LOCAL_MACHINE"));
    EXPECT_FALSE(store.Exists("HKEY_LOCAL_MACHINE\\Software\\Vend"));
    EXPECT_FALSE(store.Exists("HKEY_LOCAL_MACHINE\\Software\\Vendor\\App\\Sub"));
    EXPECT_FALSE(store.Exists("HKEY_CURRENT_USER\\Software"));
    EXPECT_FALSE(store.Exists("NOT_A_ROOT"));
}

TEST(RegistryStoreTest, FormatWritesTheExportFormatAndReadsBack) {
    RegistryStore store = RegistryStore::Parse(
        "REGEDIT4\n[HKEY_LOCAL_MACHINE\\K]\n\"n\"=dword:0000002a\n\"h\"=hex:41,42\n", nullptr);
    store.SetString("HKEY_LOCAL_MACHINE\\K", "n", "now a string");
    store.SetString("HKEY_CURRENT_USER\\New", "", "C:\\dir \"q\"");
    const std::string text = store.Format();
    EXPECT_EQ(text, "REGEDIT4\r\n\r\n"
                    "[HKEY_LOCAL_MACHINE\\K]\r\n\"n\"=\"now a string\"\r\n\"h\"=hex:41,42\r\n\r\n"
                    "[HKEY_CURRENT_USER\\New]\r\n@=\"C:\\\\dir \\\"q\\\"\"\r\n\r\n");
    std::vector<std::string> warnings;
    const RegistryStore again = RegistryStore::Parse(text, &warnings);
    EXPECT_TRUE(warnings.empty());
    EXPECT_EQ(again.Format(), text);
    EXPECT_EQ(ValueAt(again, "HKEY_CURRENT_USER\\New", 0), "=C:\\dir \"q\"");
}

// A folder name may hold a line break; written as a quoted string it would
// end the value line and let the rest of the name declare keys and values.
TEST(RegistryStoreTest, StringsWithLineBreaksStayOneValue) {
    const std::string folder = "/opt/x\r\n[HKEY_LOCAL_MACHINE\\Injected]\n@=\"y\"\n";
    RegistryStore store;
    store.SetString("HKEY_LOCAL_MACHINE\\K", "", folder);
    store.SetString("HKEY_LOCAL_MACHINE\\K", "plain", "a\\b");
    const std::string text = store.Format();
    EXPECT_EQ(text.find("Injected]\r"), std::string::npos) << text;

    std::vector<std::string> warnings;
    const RegistryStore again = RegistryStore::Parse(text, &warnings);
    EXPECT_TRUE(warnings.empty());
    EXPECT_FALSE(again.Exists("HKEY_LOCAL_MACHINE\\Injected"));
    EXPECT_EQ(ValueAt(again, "HKEY_LOCAL_MACHINE\\K", 0), "=" + folder);
    EXPECT_EQ(ValueAt(again, "HKEY_LOCAL_MACHINE\\K", 1), "plain=a\\b");
    EXPECT_EQ(again.Find("HKEY_LOCAL_MACHINE\\K")->values[0].type, RegistryStore::Type::String);
    // hex(1) from another writer: a string, its terminator dropped.
    const RegistryStore read = RegistryStore::Parse(
        "REGEDIT4\n[HKEY_LOCAL_MACHINE\\K]\n\"s\"=hex(1):61,0a,62,00\n", nullptr);
    EXPECT_EQ(ValueAt(read, "HKEY_LOCAL_MACHINE\\K", 0), "s=a\nb");
}

class RegistryTest : public ::testing::Test {
  protected:
    void TearDown() override { Registry::Reset(); }
    TempFolder dir_;
};

TEST_F(RegistryTest, EnumValueFailsLikeTheHomePlatform) {
    // A 1023-byte buffer holds 1022 characters and the terminator.
    const std::string fits(1022, 'f');
    const std::string tooLong(1023, 't');
    const std::string file = dir_.File("r.reg");
    WriteFile(file, "REGEDIT4\n[HKEY_LOCAL_MACHINE\\Fits]\n@=\"" + fits +
                        "\"\n[HKEY_LOCAL_MACHINE\\TooLong]\n\"first\"=\"" + tooLong +
                        "\"\n\"second\"=\"short\"\n[HKEY_LOCAL_MACHINE\\Empty]\n"
                        "[HKEY_LOCAL_MACHINE\\Parent\\Child]\n@=\"x\"\n"
                        "[HKEY_LOCAL_MACHINE\\Dword]\n@=dword:00000102\n");
    EXPECT_TRUE(Registry::UseFile(file).empty());

    struct Case {
        const char* subkey;
        uint32_t index;
        bool opens;
        bool reads;
        std::string data;
    };
    const std::vector<Case> cases = {
        {"Fits", 0, true, true, fits},    {"fits", 1, true, false, ""},
        {"TooLong", 0, true, false, ""},  {"TooLong", 1, true, true, "short"},
        {"Empty", 0, true, false, ""},    {"Parent", 0, true, false, ""},
        {"Missing", 0, false, false, ""}, {"Dword", 0, true, true, std::string("\x02\x01\0\0", 4)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.subkey) + " #" + std::to_string(c.index));
        const auto key = Registry::OpenKey(Registry::Root::LocalMachine, c.subkey);
        ASSERT_EQ(key.has_value(), c.opens);
        if (!key)
            continue;
        std::array<char, 1023> buffer;
        buffer.fill('\x7f');
        ASSERT_EQ(Registry::EnumValue(*key, c.index, buffer), c.reads);
        if (c.reads) {
            EXPECT_EQ(std::string(buffer.data(), c.data.size()), c.data);
            if (c.data.size() < buffer.size()) {
                EXPECT_EQ(buffer[c.data.size()], c.subkey == std::string("Dword") ? '\x7f' : '\0');
            }
        }
    }
    EXPECT_FALSE(Registry::OpenKey(Registry::Root::CurrentUser, "Fits"));
}

TEST_F(RegistryTest, SaveWritesAtomicallyAndReportsFailure) {
    const std::string file = dir_.File("config/pdfhost/registry.reg");
    EXPECT_TRUE(Registry::UseFile(file).empty()); // not there yet: empty
    EXPECT_FALSE(Registry::OpenKey(Registry::Root::LocalMachine, "K"));
    Registry::SetString(Registry::Root::LocalMachine, "K", "", "/opt/x");
    ASSERT_EQ(Registry::Save(), std::nullopt);
    const std::string saved = "REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\K]\r\n@=\"/opt/x\"\r\n\r\n";
    EXPECT_EQ(ReadFile(file), saved);
    EXPECT_EQ(std::distance(fs::directory_iterator(fs::path(file).parent_path()),
                            fs::directory_iterator()),
              1); // no temporary file left behind

    // A target that cannot be replaced (a folder with content): the error
    // names it and no temporary file is left behind.
    const std::string blocked = dir_.File("blocked.reg");
    fs::create_directories(fs::path(blocked) / "content");
    Registry::UseFile(blocked);
    Registry::SetString(Registry::Root::LocalMachine, "K", "", "/changed");
    const auto error = Registry::Save();
    ASSERT_TRUE(error.has_value());
    EXPECT_NE(error->find(blocked), std::string::npos) << *error;
    EXPECT_EQ(std::distance(fs::directory_iterator(dir_.Path()), fs::directory_iterator()), 2);

    Registry::Reset();
    EXPECT_EQ(Registry::Save(), "no registry file chosen");
}

TEST_F(RegistryTest, RegisterAppPathAddsOnlyAMissingKey) {
    const std::string file = dir_.File("registry.reg");
    Registry::UseFile(file);
    std::string error;
    EXPECT_EQ(Registry::RegisterAppPath("Talvane.api", "/build/plug_ins", &error),
              Registry::Registration::Added);
    EXPECT_EQ(ReadFile(file), "REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\" + std::string(kPluginKey) +
                                  "]\r\n@=\"/build/plug_ins\"\r\n\r\n");

    // A key that is present (even one whose value is unreadable) is the
    // user's: registration neither changes nor rewrites it.
    const std::string existing =
        "REGEDIT4\n[HKEY_LOCAL_MACHINE\\" + std::string(kPluginKey) + "]\n";
    WriteFile(file, existing);
    Registry::UseFile(file);
    EXPECT_EQ(Registry::RegisterAppPath("Talvane.api", "/elsewhere"),
              Registry::Registration::AlreadyPresent);
    EXPECT_EQ(ReadFile(file), existing);

    // A file where the registry's folder should be.
    Registry::UseFile(dir_.File("registry.reg/inside.reg"));
    EXPECT_EQ(Registry::RegisterAppPath("Talvane.api", "/x", &error),
              Registry::Registration::SaveFailed);
    EXPECT_FALSE(error.empty());
    // The registration still holds for this process.
    EXPECT_TRUE(Registry::OpenKey(Registry::Root::LocalMachine, kPluginKey));
}

TEST_F(RegistryTest, DefaultFileFollowsTheConfigurationFolder) {
    struct Case {
        const char* xdg;
        const char* home;
        std::string expected;
    };
    const std::vector<Case> cases = {
        {"/xdg", "/home/u", "/xdg/pdfhost/registry.reg"},
        {"", "/home/u", "/home/u/.config/pdfhost/registry.reg"},
        {nullptr, "/home/u", "/home/u/.config/pdfhost/registry.reg"},
        {nullptr, nullptr, ""},
    };
    const char* oldXdg = std::getenv("XDG_CONFIG_HOME");
    const char* oldHome = std::getenv("HOME");
    const std::string savedXdg = oldXdg ? oldXdg : "";
    const std::string savedHome = oldHome ? oldHome : "";
    for (const Case& c : cases) {
        c.xdg ? setenv("XDG_CONFIG_HOME", c.xdg, 1) : unsetenv("XDG_CONFIG_HOME");
        c.home ? setenv("HOME", c.home, 1) : unsetenv("HOME");
        EXPECT_EQ(Registry::DefaultFile(), c.expected);
    }
    oldXdg ? setenv("XDG_CONFIG_HOME", savedXdg.c_str(), 1) : unsetenv("XDG_CONFIG_HOME");
    oldHome ? setenv("HOME", savedHome.c_str(), 1) : unsetenv("HOME");
}

} // namespace
