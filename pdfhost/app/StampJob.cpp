#include "pdfhost/app/StampJob.h"

#include <optional>

#include "pdfhost/app/ScriptCommands.h"
#include "pdfhost/app/ScriptRunner.h"
#include "platform/Messages.h"

namespace pdfhost::app {
namespace {

constexpr const char* kDone = "Done.\nPlease scroll page to show changes.";

void RunCommand(const std::string& text) {
    ScriptLine line;
    ScriptRunner::ParseLine(text, 1, line);
    const ScriptCommand* command = ScriptCommands::Find(line.command);
    if (!command)
        throw ScriptError("the host has no \"" + line.command + "\" command");
    (*command)(line);
}

// Remembers the last message shown while it lives; answers nothing itself.
class LastMessage {
  public:
    LastMessage()
        : previous_(platform::Messages::SetResponder([this](const platform::Message& m) {
              text_ = m.text;
              return 0;
          })) {}
    ~LastMessage() { platform::Messages::SetResponder(std::move(previous_)); }
    LastMessage(const LastMessage&) = delete;
    LastMessage& operator=(const LastMessage&) = delete;
    const std::optional<std::string>& text() const { return text_; }

  private:
    std::optional<std::string> text_;
    platform::MessageResponder previous_;
};

} // namespace

int RunStampJob(const std::string& input, const std::string& output, std::ostream& errors) {
    bool opened = false;
    int status = 1;
    try {
        RunCommand("open " + input);
        opened = true;
        std::optional<std::string> last;
        {
            LastMessage watch;
            RunCommand("menu ADBE:PDFTalvane");
            last = watch.text();
        }
        if (last == kDone) {
            RunCommand("save " + output);
            status = 0;
        } else {
            errors << "pdfhost: the stamp run did not finish, nothing was written: "
                   << (last ? "\"" + platform::Messages::Escape(*last) + "\""
                            : std::string("it showed no message"))
                   << "\n";
        }
    } catch (const std::exception& e) {
        errors << "pdfhost: " << e.what() << "\n";
        status = 1;
    }
    if (opened) {
        try {
            RunCommand("close");
        } catch (const std::exception& e) {
            errors << "pdfhost: " << e.what() << "\n";
        }
    }
    return status;
}

} // namespace pdfhost::app
