#include "platform/FileReplacement.h"
#include "platform/FileDraft.h"
#include "platform/WholeFile.h"

#include "tests/support/FileBytes.h"
#include "tests/support/TempFolder.h"
#include "tests/support/Unprivileged.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <sys/stat.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;
using platform::FileDraft;
using platform::FileReplacement;
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

bool Replace(const std::string& path, std::string_view content) {
    return FileReplacement::Write(path, content, {});
}

std::optional<std::string> ReadText(const std::string& path, std::size_t maxBytes) {
    const auto bytes = platform::WholeFile::Read(path, maxBytes);
    if (!bytes)
        return std::nullopt;
    return std::string(bytes->begin(), bytes->end());
}

TEST(WholeFileTest, ReadGivesRegularFilesWithinTheLimitOnly) {
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
        EXPECT_EQ(ReadText(dir.File(c.name), 10), c.expected) << c.name;
    EXPECT_FALSE(fs::exists(dir.File("missing"))); // reading never creates
}

TEST(FileReplacementTest, ReplaceKeepsPermissionsAndFollowsLinks) {
    TempFolder dir;
    const mode_t oldMask = ::umask(022);

    const std::string fresh = dir.File("fresh.tvp");
    ASSERT_TRUE(Replace(fresh, "new"));
    EXPECT_EQ(ReadFile(fresh), "new");
    EXPECT_EQ(ModeOf(fresh), 0644u);

    const std::string existing = dir.File("existing.tvp");
    WriteFile(existing, "a much longer old content");
    ::chmod(existing.c_str(), 0600);
    ASSERT_TRUE(Replace(existing, "short"));
    EXPECT_EQ(ReadFile(existing), "short");
    EXPECT_EQ(ModeOf(existing), 0600u);

    const std::string link = dir.File("link.tvp");
    fs::create_symlink(existing, link);
    ASSERT_TRUE(Replace(link, "through the link"));
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(ReadFile(existing), "through the link");

    ::umask(oldMask);
    EXPECT_EQ(EntriesIn(dir.Path()), 3u); // no temporary file left
}

// One rule for every writer: a chain of links is written through to the
// file at its end, a dangling link creates the file it names, and a new
// file's mode is the caller's choice less the umask.
TEST(FileReplacementTest, LinksAreWrittenThroughAndNewFilesGetTheCallersMode) {
    TempFolder dir;
    const mode_t oldMask = ::umask(022);
    fs::create_directory(dir.File("real"));
    const std::string file = dir.File("real/settings.ini");
    WriteFile(file, "old");
    fs::create_symlink(file, dir.File("first"));
    fs::create_symlink(dir.File("first"), dir.File("second"));
    ASSERT_TRUE(Replace(dir.File("second"), "via two links"));
    EXPECT_EQ(ReadFile(file), "via two links");
    EXPECT_TRUE(fs::is_symlink(dir.File("first")));
    EXPECT_TRUE(fs::is_symlink(dir.File("second")));
    EXPECT_EQ(fs::canonical(FileReplacement::Target(dir.File("second"))), fs::canonical(file));

    fs::create_symlink(dir.File("real/later.ini"), dir.File("dangling"));
    ASSERT_TRUE(FileReplacement::Write(dir.File("dangling"), "made", {.newFileMode = 0600}));
    EXPECT_EQ(ReadFile(dir.File("real/later.ini")), "made");
    EXPECT_EQ(ModeOf(dir.File("real/later.ini")), 0600u);
    EXPECT_TRUE(fs::is_symlink(dir.File("dangling")));
    ::umask(oldMask);
    EXPECT_EQ(EntriesIn(dir.File("real")), 2u);
}

TEST(FileReplacementTest, ReplaceFailsCleanly) {
    TempFolder dir;
    fs::create_directories(dir.File("folder/inside"));
    const std::vector<std::string> cases = {
        dir.File("folder"),             // a folder is not replaced
        dir.File("no/such/folder.tvp"), // the folder does not exist
        "",
    };
    for (const std::string& path : cases) {
        EXPECT_FALSE(Replace(path, "x")) << path;
    }
    EXPECT_EQ(EntriesIn(dir.Path()), 1u);
    EXPECT_TRUE(fs::exists(dir.File("folder/inside")));
}

// A writer that fails, by throwing or by a stream error, leaves the old
// content and no temporary file, and its reason is reported.
TEST(FileReplacementTest, AFailingWriterChangesNothing) {
    TempFolder dir;
    const std::string file = dir.File("doc.pdf");
    WriteFile(file, "old");
    std::string why;
    EXPECT_FALSE(FileReplacement::Write(
        file,
        [](std::FILE* out) {
            std::fputs("half", out);
            throw std::runtime_error("the writer gave up");
        },
        {}, &why));
    EXPECT_EQ(why, "the writer gave up");
    EXPECT_EQ(ReadFile(file), "old");
    EXPECT_EQ(EntriesIn(dir.Path()), 1u);
    EXPECT_FALSE(Replace("/dev/null", "x")) << "a device is not replaced";
}

// Permissions only bind an ordinary user, so these run as one even when
// the tests run as root.
TEST(FileReplacementTest, PermissionsOfTheFileAndItsFolderAreRespected) {
    std::string whyNot;
    const bool ran = testsupport::RunUnprivileged(
        [] {
            TempFolder dir("replace-perms");
            // A read-only file in a writable folder is refused, not renamed over.
            const std::string readOnly = dir.File("PDFTalvane.ini");
            WriteFile(readOnly, "kept");
            ::chmod(readOnly.c_str(), 0444);
            std::string why;
            EXPECT_FALSE(FileReplacement::Write(readOnly, "new", {}, &why));
            EXPECT_NE(why.find("may not be written"), std::string::npos) << why;
            EXPECT_FALSE(
                FileReplacement::Write(readOnly, "new", {.inPlaceWhenFolderIsClosed = true}));
            EXPECT_EQ(ReadFile(readOnly), "kept");
            EXPECT_EQ(ModeOf(readOnly), 0444u);

            // A writable file in a folder closed to new files: refused by an
            // atomic-only writer, written in place when that is allowed,
            // keeping its mode.
            fs::create_directory(dir.File("closed"));
            const std::string inClosed = dir.File("closed/a.tvp");
            WriteFile(inClosed, "a much longer old content");
            ::chmod(inClosed.c_str(), 0640);
            ::chmod(dir.File("closed").c_str(), 0555);
            EXPECT_FALSE(Replace(inClosed, "short"));
            EXPECT_EQ(ReadFile(inClosed), "a much longer old content");
            EXPECT_TRUE(
                FileReplacement::Write(inClosed, "short", {.inPlaceWhenFolderIsClosed = true}));
            EXPECT_EQ(ReadFile(inClosed), "short");
            EXPECT_EQ(ModeOf(inClosed), 0640u);
            // A new file cannot be made there at all.
            EXPECT_FALSE(FileReplacement::Write(dir.File("closed/new.tvp"), "x",
                                                {.inPlaceWhenFolderIsClosed = true}));
            EXPECT_EQ(EntriesIn(dir.File("closed")), 1u);
        },
        &whyNot);
    if (!ran)
        GTEST_SKIP() << whyNot;
}

void WriteText(int fd, std::string_view text) {
    if (::write(fd, text.data(), text.size()) != static_cast<ssize_t>(text.size()))
        throw std::runtime_error("short write");
}

FileReplacement::Writer Appending(const char* text) {
    return [text](std::FILE* out) { std::fputs(text, out); };
}

// A draft holds the start of the new content; the replacement that takes it
// appends the rest. A draft that cannot be taken is left for the writer to
// start over, and leaves no file of its own behind.
TEST(FileDraftTest, TheReplacementFinishesADraftOfItsTargetOnly) {
    TempFolder dir;
    const std::string target = dir.File("out.pdf");
    struct Case {
        const char* what;
        std::string draftPath;
        bool fillThrows;
        std::string expected; // the target's content afterwards
    } cases[] = {
        {"taken", target, false, "head|tail"},
        {"through a link to the target", dir.File("link.pdf"), false, "head|tail"},
        {"another target", dir.File("other.pdf"), false, "tail"},
        {"fill failed", target, true, "tail"},
    };
    fs::create_symlink("out.pdf", dir.File("link.pdf"));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        fs::remove(target);
        {
            FileDraft draft(c.draftPath, {}, [&c](int fd) {
                WriteText(fd, "head|");
                if (c.fillThrows)
                    throw std::runtime_error("no more");
            });
            std::string why;
            ASSERT_TRUE(FileReplacement::Write(target, Appending("tail"), {}, &why, &draft)) << why;
            EXPECT_EQ(ReadFile(target), c.expected);
            EXPECT_EQ(
                ModeOf(target), 0666u & ~[] {
                    const mode_t m = ::umask(0);
                    ::umask(m);
                    return m;
                }());
        }
        EXPECT_EQ(EntriesIn(dir.Path()), 2u) << "the target and the link, nothing else";
    }
}

TEST(FileDraftTest, ADraftNobodyTakesRemovesItsFile) {
    TempFolder dir;
    WriteFile(dir.File("old.pdf"), "old");
    {
        FileDraft draft(dir.File("old.pdf"), {}, [](int fd) { WriteText(fd, "0123456789"); });
        EXPECT_EQ(draft.Ready(), std::optional<std::uint64_t>(10));
        EXPECT_EQ(EntriesIn(dir.Path()), 2u);
    }
    EXPECT_EQ(EntriesIn(dir.Path()), 1u);
    EXPECT_EQ(ReadFile(dir.File("old.pdf")), "old");
    // Where no draft can be made, the replacement reports its own failure.
    FileDraft nowhere(dir.File("no/such/folder/x.pdf"), {}, [](int fd) { WriteText(fd, "x"); });
    EXPECT_FALSE(nowhere.Ready());
    std::string why;
    EXPECT_FALSE(FileReplacement::Write(dir.File("no/such/folder/x.pdf"), Appending("x"), {}, &why,
                                        &nowhere));
    EXPECT_FALSE(why.empty());
}

} // namespace
