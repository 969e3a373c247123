// The one path every message to the user takes.
//
// Contract: the plug-in's application message box (caption "Talvane",
// exclamation icon, OK), message boxes with an explicit caption and no owner,
// and the host's note and caution alerts all come here. Every message is first
// written to the transcript as one line:
//     MESSAGE <kind> "<caption>" "<text>"
// with backslash, quote, CR and LF escaped (\\ \" \r \n). Then, when a
// responder is installed (scripts, tests), it answers; otherwise a headless
// process acknowledges with the first button, and an interactive one shows a
// real QMessageBox. The result is the 1-based index of the button chosen.
// A real box belongs to the modal window on top, else to the window
// OwnerWindow names, except a box with an explicit caption, which has none.
//
// Everything runs on the user-interface thread; nothing here is thread-safe.
#pragma once

#include <functional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

enum class MessageKind {
    AppBox,       // the plug-in's own message box, caption "Talvane"
    Box,          // a message box with an explicit caption, no owner window
    NoteAlert,    // the host's note alert
    CautionAlert, // the host's alert with a caution icon
};

struct Message {
    MessageKind kind;
    std::string caption;
    std::string text;
    std::vector<std::string> buttons; // "OK" when empty
};

// Returns the button index (1-based) to answer with, or 0 to let the default
// behaviour (headless acknowledgement or a real box) decide.
using MessageResponder = std::function<int(const Message&)>;

class Messages {
  public:
    static constexpr const char* kAppCaption = "Talvane";

    static int AppMessageBox(std::string_view text);
    static int MessageBox(std::string_view caption, std::string_view text);
    static int Show(const Message& message);

    // Where transcript lines go (standard output unless changed; nullptr
    // silences the transcript).
    static void SetTranscript(std::ostream* out);
    // Writes one line of another kind (the shell's, say) to the same
    // transcript, so every line stays in the order things happened.
    static void WriteTranscript(std::string_view line);
    // Installs a responder; returns the previous one.
    static MessageResponder SetResponder(MessageResponder responder);
    // Headless: never open a window (the default when no QApplication with a
    // real display exists).
    static void SetHeadless(bool headless);
    static bool Headless();

    static std::string KindName(MessageKind kind);
    static std::string TranscriptLine(const Message& message);
    static std::string Escape(std::string_view text);
};

} // namespace platform
