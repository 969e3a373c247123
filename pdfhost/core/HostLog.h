// Where the host reports what went wrong in plug-in code: a raise that
// escaped a callback, a plug-in that failed to load, unbalanced frames.
//
// Contract: each report is one line "pdfhost: <text>" on the log stream
// (standard error unless changed; tests point it at a string stream). Lines
// are flushed at once so they interleave correctly with the transcript.
#pragma once

#include <ostream>
#include <string>

namespace pdfhost {

class HostLog {
  public:
    static void Report(const std::string& text);
    // nullptr restores standard error.
    static void SetStream(std::ostream* out);
};

} // namespace pdfhost
