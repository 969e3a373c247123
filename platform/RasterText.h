// One line of text drawn into a device bitmap, as the home platform's
// TextOut does with default alignment and mapping.
//
// Contract: (x, y) is the top-left corner of the first character cell, y
// grows downward, one unit per pixel. The text is UTF-8 and is drawn as one
// run: nothing wraps and line breaks are not interpreted. What falls outside
// the bitmap is cut off; a line wholly outside leaves it unchanged. colour
// is a platform colour value (0x00bbggrr). opaque fills the line's character
// cells (the font's cell height by the line's advance width) with white
// behind the glyphs. A null bitmap or an empty text draws nothing.
#pragma once

#include <cstdint>
#include <string>

#include "platform/DeviceBitmap.h"
#include "platform/RasterFont.h"

namespace platform {

class RasterText {
  public:
    static void DrawLine(DeviceBitmap& bitmap, const RasterFont& font, int x, int y,
                         const std::string& utf8, uint32_t colour, bool opaque);
};

} // namespace platform
