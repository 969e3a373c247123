// One pdfhost process, started from a test and waited for.
//
// Contract: the process runs the built pdfhost with the given arguments in
// the given working folder, on Qt's offscreen platform unless ShowOn() names
// an X display (then on that display, through xcb), with standard
// input from /dev/null and standard
// output and error captured to files in the capture folder (named after
// `tag`, so several processes can share a folder). Wait() returns the exit
// status (-1 when it did not exit normally: it crashed, with the signal
// recorded, or was killed after the timeout), both outputs, and the MESSAGE lines of the
// transcript decoded back into kind, caption and text. A process that was
// started is always waited for, also when the HostProcess is destroyed.
#pragma once

#include <filesystem>
#include <ostream>
#include <string>
#include <sys/types.h>
#include <utility>
#include <vector>

namespace e2e {

struct TranscriptMessage {
    std::string kind; // app-box, box, note-alert, caution-alert
    std::string caption;
    std::string text;

    bool operator==(const TranscriptMessage&) const = default;
};

std::ostream& operator<<(std::ostream& out, const TranscriptMessage& m);

struct HostResult {
    int status = -1;
    int signal = 0; // what ended it, when status is -1
    std::string out;
    std::string err;
    std::vector<TranscriptMessage> messages;

    // For failure output: status, stderr and stdout.
    std::string Describe() const;
};

// The MESSAGE lines of a transcript, unescaped; other lines are skipped.
std::vector<TranscriptMessage> ParseTranscript(const std::string& out);

class HostProcess {
  public:
    HostProcess(std::vector<std::string> args, std::filesystem::path workDir,
                std::filesystem::path captureDir, std::string tag);
    ~HostProcess();
    HostProcess(const HostProcess&) = delete;
    HostProcess& operator=(const HostProcess&) = delete;

    // Before Start(): show the windows on X display `display` (":N").
    void ShowOn(std::string display) { display_ = std::move(display); }
    // Before Start(): no file the process writes may grow past `bytes` (a
    // full disk, as far as the process can tell).
    void LimitFileSize(long bytes) { fileSizeLimit_ = bytes; }
    void Start();
    HostResult Wait(int timeoutSeconds = 60);

  private:
    std::vector<std::string> args_;
    std::string display_;
    long fileSizeLimit_ = -1;
    std::filesystem::path workDir_;
    std::filesystem::path outPath_;
    std::filesystem::path errPath_;
    pid_t pid_ = -1;
};

} // namespace e2e
