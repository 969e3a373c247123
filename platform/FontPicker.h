// The common font picker, over a LOGFONT-style description.
//
// Contract: Choose() opens the picker without an owner window, listing the
// screen's fonts and initialised from `font` (face, height, weight, italic),
// with no effects section; its sample shows the face chosen. The picker
// offers whole points: a height is shown as the nearest point size at 96
// dots per inch. Confirmed: the chosen face, height (negative: the
// character height in pixels for the chosen points), weight and italic flag
// are written into `font` and the result is true; the other fields stay.
// Cancelled: `font` is unchanged and the result is false. Under automation
// the driver answers through the picker's window.
#pragma once

#include "platform/LogFont.h"

namespace platform {

class FontPicker {
  public:
    static constexpr const char* kTitle = "Font";
    static constexpr int kDotsPerInch = 96;
    static bool Choose(LogFont& font);
};

} // namespace platform
