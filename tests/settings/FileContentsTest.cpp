#include "settings/FileContents.h"

#include "tests/support/FileBytes.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

namespace fs = std::filesystem;
using testsupport::ReadFile;
using testsupport::TempFolder;
using testsupport::WriteFile;

mode_t ModeOf(const std::string& path) {
    struct stat st;
    EXPECT_EQ(::stat(path.c_str(), &st), 0) << path;
    return st.st_mode & 07777;
}

size_t EntriesIn(const fs::path& dir) {
    return static_cast<size_t>(
        std::distance(fs::directory_iterator(dir), fs::directory_iterator()));
}

TEST(FileContentsTest, ReadGivesRegularFilesWithinTheLimitOnly) {
    TempFolder dir;
    WriteFile(dir.File("small"), "abc");
    WriteFile(dir.File("exact"), std::string(10, 'x'));
    WriteFile(dir.File("large"), std::string(11, 'x'));
    fs::create_directory(dir.File("folder"));
    ASSERT_EQ(::mkfifo(dir.File("pipe").c_str(), 0600), 0); // no writer: opening must not wait
    struct Case {
        const char* name;
        std::optional<std::string> expected;
    };
    const std::vector<Case> cases = {
        {"small", "abc"},         {"exact", std::string(10, 'x')}, {"large", std::nullopt},
        {"folder", std::nullopt}, {"pipe", std::nullopt},          {"missing", std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FileContents::Read(dir.File(c.name), 10), c.expected) << c.name;
    EXPECT_FALSE(fs::exists(dir.File("missing"))); // reading never creates
}

TEST(FileContentsTest, ReplaceKeepsPermissionsAndFollowsLinks) {
    TempFolder dir;
    const mode_t oldMask = ::umask(022);

    const std::string fresh = dir.File("fresh.tvp");
    ASSERT_TRUE(FileContents::Replace(fresh, "new"));
    EXPECT_EQ(ReadFile(fresh), "new");
    EXPECT_EQ(ModeOf(fresh), 0644u);

    const std::string existing = dir.File("existing.tvp");
    WriteFile(existing, "a much longer old content");
    ::chmod(existing.c_str(), 0600);
    ASSERT_TRUE(FileContents::Replace(existing, "short"));
    EXPECT_EQ(ReadFile(existing), "short");
    EXPECT_EQ(ModeOf(existing), 0600u);

    const std::string link = dir.File("link.tvp");
    fs::create_symlink(existing, link);
    ASSERT_TRUE(FileContents::Replace(link, "through the link"));
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(ReadFile(existing), "through the link");

    ::umask(oldMask);
    EXPECT_EQ(EntriesIn(dir.Path()), 3u); // no temporary file left
}

TEST(FileContentsTest, ReplaceFailsCleanly) {
    TempFolder dir;
    fs::create_directories(dir.File("folder/inside"));
    const std::vector<std::string> cases = {
        dir.File("folder"),             // a folder is not replaced
        dir.File("no/such/folder.tvp"), // the folder does not exist
        "",
    };
    for (const std::string& path : cases) {
        EXPECT_FALSE(FileContents::Replace(path, "x")) << path;
    }
    EXPECT_EQ(EntriesIn(dir.Path()), 1u);
    EXPECT_TRUE(fs::exists(dir.File("folder/inside")));
}

} // namespace
