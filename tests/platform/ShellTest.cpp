#include "platform/Shell.h"
#include "platform/Messages.h"
#include "tests/support/FileBytes.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <thread>

namespace {

using platform::Messages;
using platform::Shell;
using testsupport::ReadFile;
using testsupport::TempFolder;
using testsupport::WriteFile;

// A stand-in xdg-open early on PATH that records the arguments it was given,
// one per line, so the test sees what the desktop would have been asked.
class RecordingOpener {
  public:
    RecordingOpener() : oldPath_(std::getenv("PATH") ? std::getenv("PATH") : "") {
        const std::string script = dir_.File(Shell::kOpener);
        WriteFile(script, "#!/bin/sh\nfor a in \"$@\"; do printf '%s\\n' \"$a\"; done > \"" +
                              dir_.File("args.tmp") + "\"\nmv \"" + dir_.File("args.tmp") +
                              "\" \"" + dir_.File("args") + "\"\n");
        std::filesystem::permissions(script, std::filesystem::perms::owner_all);
        setenv("PATH", (dir_.Path().string() + ":" + oldPath_).c_str(), 1);
    }
    ~RecordingOpener() { setenv("PATH", oldPath_.c_str(), 1); }

    // The arguments of the one call, once it has happened (the opener runs
    // detached, so it may finish after Open returned).
    std::string WaitForArguments() const {
        for (int i = 0; i < 200 && !std::filesystem::exists(dir_.File("args")); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(25));
        return ReadFile(dir_.File("args"));
    }
    bool Called() const { return std::filesystem::exists(dir_.File("args")); }

  private:
    TempFolder dir_;
    std::string oldPath_;
};

class ShellTest : public ::testing::Test {
  protected:
    void SetUp() override { Messages::SetTranscript(&transcript_); }
    void TearDown() override {
        Messages::SetTranscript(&std::cout);
        Messages::SetHeadless(true);
    }
    std::ostringstream transcript_;
};

TEST_F(ShellTest, HeadlessRunsOnlyWriteWhatWouldBeOpened) {
    RecordingOpener opener;
    Messages::SetHeadless(true);
    EXPECT_TRUE(Shell::Open("/opt/talvane/plug_ins/PDFTalvane.chm"));
    EXPECT_TRUE(Shell::Open("C:\\odd \"name\".chm"));
    EXPECT_EQ(transcript_.str(), "SHELL open \"/opt/talvane/plug_ins/PDFTalvane.chm\"\n"
                                 "SHELL open \"C:\\\\odd \\\"name\\\".chm\"\n");
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    EXPECT_FALSE(opener.Called());
}

// On a display the target reaches xdg-open as one argument, untouched by any
// shell: spaces, quotes, $ and ; stay part of it.
TEST_F(ShellTest, OnADisplayHandsTheTargetToXdgOpenAsOneArgument) {
    const std::string targets[] = {"https://talvane.example.org/",
                                   "/tmp/a folder/it's $HOME; rm -rf x.chm"};
    for (const std::string& target : targets) {
        SCOPED_TRACE(target);
        RecordingOpener opener;
        Messages::SetHeadless(false);
        transcript_.str("");
        EXPECT_TRUE(Shell::Open(target));
        EXPECT_EQ(opener.WaitForArguments(), target + "\n");
        EXPECT_EQ(transcript_.str(), Shell::TranscriptLine(target) + "\n");
    }
}

TEST_F(ShellTest, ReportsAnOpenerThatCannotBeStarted) {
    const std::string oldPath = std::getenv("PATH") ? std::getenv("PATH") : "";
    TempFolder empty;
    setenv("PATH", empty.Path().c_str(), 1);
    Messages::SetHeadless(false);
    EXPECT_FALSE(Shell::Open("/x.chm"));
    setenv("PATH", oldPath.c_str(), 1);
}

} // namespace
