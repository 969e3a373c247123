// The picker steps of a script, checked and turned into picker answers.
//
// Contract: Check() returns an error text for a malformed step (empty when
// it is well formed), so that a script fails at the line that queues it:
//     file PATH | file cancel
//     color R,G,B | color cancel          (each 0..255)
//     font FACE HEIGHT [WEIGHT] [italic] | font cancel
// FACE may contain blanks; HEIGHT and WEIGHT are as in LOGFONT (a negative
// height is a character height in pixels; the weight defaults to 400).
// Parse() turns a well-formed step into the answer.
#pragma once

#include <cstdint>
#include <string>

#include "platform/DialogAnswers.h"
#include "platform/LogFont.h"

namespace pdfhost::app {

struct PickerAnswer {
    bool cancelled = false;
    std::string path;           // files, as written in the script
    std::uint32_t colorref = 0; // colours, 0x00bbggrr
    LogFont font;               // fonts: face, height, weight, italic
};

class PickerAnswers {
  public:
    static std::string Check(const platform::DialogAnswer& step);
    static PickerAnswer Parse(const platform::DialogAnswer& step);
};

} // namespace pdfhost::app
