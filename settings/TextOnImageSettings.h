// The text-on-image settings: the line drawn onto the picture and how.
//
// Contract: plain data, one member per stored key (named in the comments).
// The values at plug-in load are all zero and empty; the text-on-image dialog
// fills its own defaults when it opens.
#pragma once

#include <cstdint>
#include <string>

#include "platform/LogFont.h"

struct TextOnImageSettings {
    std::string szText;       // T_TEXT: template with placeholders
    std::string szFontName;   // T_FONTNAME: kept and stored, not used for drawing
    int32_t nTransparent = 0; // T_TRANSPARENT: 0 or 1
    int32_t nFontSize = 0;    // T_FONTSIZE: copy of lfFontInfo.lfHeight
    int32_t nHorizPos = 0;    // T_HORIZPOS: pixels from the picture's left edge
    int32_t nVertPos = 0;     // T_VERTPOS: pixels from the picture's top edge
    uint32_t crTextColor = 0; // T_TEXTCOLOR: 0x00bbggrr
    LogFont lfFontInfo;       // T_FONTINFO

    bool operator==(const TextOnImageSettings&) const = default;
};
