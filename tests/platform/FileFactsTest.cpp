// File titles, file times and the clock as the plug-in reads them.
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include "platform/Clock.h"
#include "platform/FileFacts.h"
#include "tests/support/TempFolder.h"

namespace platform {
namespace {

TEST(FileFacts, TitleIsTheLastComponentWithItsExtension) {
    EXPECT_EQ(FileFacts::Title("/home/ann/Report.pdf"), "Report.pdf");
    EXPECT_EQ(FileFacts::Title("C:\\Docs\\Report.pdf"), "Report.pdf");
    EXPECT_EQ(FileFacts::Title("Report.pdf"), "Report.pdf");
    EXPECT_EQ(FileFacts::Title("/home/ann/"), "");
    EXPECT_EQ(FileFacts::Title(""), "");
}

TEST(FileFacts, TimesOfARealFile) {
    const testsupport::TempFolder folder("filefacts");
    const std::filesystem::path path = folder.Path() / "facts.pdf";
    const std::time_t before = std::time(nullptr);
    std::ofstream(path) << "x";
    const std::time_t after = std::time(nullptr);
    const timespec times[2] = {{1141221133, 0}, {1141221133, 0}}; // 2006-03-01 13:52:13 UTC
    ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
    // Read-only files are read too: nothing is locked or written.
    ::chmod(path.c_str(), 0444);

    const FileTimes t = FileFacts::Times(path.string());
    ASSERT_TRUE(t.modified);
    EXPECT_EQ(*t.modified, 1141221133);
    // The birth time is never the modification time passed off as one: when
    // the file system records it, it is when the file was made.
    if (t.birth) {
        EXPECT_GE(*t.birth, before);
        EXPECT_LE(*t.birth, after);
    }
    std::filesystem::remove(path);

    const FileTimes gone = FileFacts::Times(path.string());
    EXPECT_FALSE(gone.birth);
    EXPECT_FALSE(gone.modified);
    EXPECT_FALSE(FileFacts::Times("").modified);
}

TEST(Clock, PinnedTimeAndLocalTimeParsing) {
    setenv("TZ", "UTC", 1);
    tzset();
    const auto at = Clock::ParseLocal("2006-03-01T14:05:09");
    ASSERT_TRUE(at);
    EXPECT_EQ(*at, 1141221909);
    Clock::Pin(*at);
    EXPECT_EQ(Clock::Now(), *at);
    EXPECT_EQ(Clock::Now(), *at);
    const std::tm t = Clock::LocalTime(Clock::Now());
    EXPECT_EQ(t.tm_wday, 3);
    EXPECT_EQ(t.tm_hour, 14);
    Clock::Unpin();
    EXPECT_GT(Clock::Now(), *at);

    for (const char* bad : {"", "2006-03-01", "2006-03-01T14:05:09Z", "2006-13-01T00:00:00",
                            "2006-04-31T00:00:00", "2006-03-01T24:00:00", "0999-01-01T00:00:00"})
        EXPECT_FALSE(Clock::ParseLocal(bad)) << bad;
}

} // namespace
} // namespace platform
