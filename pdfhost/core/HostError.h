// The error type of host code, and the texts of error codes.
//
// Contract: host implementation code reports failure by throwing HostError
// (through Raise). HostEntry (HostEntry.h) catches it at the table boundary and
// hands the code to the caller; nothing throws across the boundary. The detail
// text of the most recent error is kept so that ASGetErrorString can say
// exactly what went wrong ("page index 7 is out of range: the document has 3
// pages") instead of only the generic text of the code.
#pragma once

#include <stdexcept>
#include <string>

#include "sdk/ASErrors.h"

namespace pdfhost {

class HostError : public std::runtime_error {
  public:
    HostError(ASErrorCode code, const std::string& detail)
        : std::runtime_error(detail), code_(code) {}
    ASErrorCode code() const { return code_; }

  private:
    ASErrorCode code_;
};

// Throws HostError; detail defaults to the generic text of the code.
[[noreturn]] void Raise(ASErrorCode code, const std::string& detail = {});

class ErrorTexts {
  public:
    // The generic text of a code; unknown codes get a text naming the code.
    static std::string Generic(ASErrorCode code);
    // The text for ASGetErrorString: the detail of the last error with this
    // code when there is one, else the generic text.
    static std::string For(ASErrorCode code);
    static void RecordDetail(ASErrorCode code, const std::string& detail);
    static void Clear();
};

} // namespace pdfhost
