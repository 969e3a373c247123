// Hands a document or an address to the desktop, as a user's double-click
// would: the desktop picks the program that shows it.
//
// Contract: Open(target) first writes the transcript line
//     SHELL open "<target>"
// (escaped like message lines) through the same transcript as
// platform::Messages. On a real display it then starts `xdg-open` with the
// target as its one argument (never through a shell, so no character of the
// target is interpreted) and returns at once without waiting for it; a
// headless process opens nothing, so scripts and tests see exactly what
// would have been opened without a browser or viewer appearing. Whether the
// desktop manages to show the target is not reported: Open returns true
// when xdg-open was started (or the process is headless), false when it
// could not be started.
//
// Everything runs on the user-interface thread; nothing here is thread-safe.
#pragma once

#include <string>
#include <string_view>

namespace platform {

class Shell {
  public:
    static constexpr const char* kOpener = "xdg-open";

    static bool Open(std::string_view target);
    static std::string TranscriptLine(std::string_view target);
};

} // namespace platform
