// The fonts installed on the system, found through fontconfig.
//
// Contract: Find(name, type, matchType) returns the installed font of the
// family `name` ("Arial", or "Arial,Bold" / ",Italic" / ",BoldItalic"), or of
// a family made to be metric-compatible with it (Liberation Sans or Arimo
// for Arial and Helvetica, Liberation Serif or Tinos for Times New Roman,
// Liberation Mono or Cousine for Courier New), preferring the family itself.
// It returns null when neither is installed: there is no fallback to an
// unrelated family. With matchType the font's format must also fit `type`
// ("TrueType" and "TrueType1": TrueType; "Type1": Type 1). Fonts found are
// kept for the life of the process; their PDSysFont handles are never
// released.
#pragma once

#include <string>

#include "sdk/ASTypes.h"

namespace pdfhost::pdf {

struct SystemFont {
    std::string requested; // the name asked for, as the PDF's /BaseFont
    std::string family;    // the installed family that serves it
    std::string file;
    bool bold = false;
    bool italic = false;
    PDSysFont handle = nullptr; // given when the font is first found

    PDSysFont Handle() const { return handle; }
    static const SystemFont& FromHandle(PDSysFont font);
};

class SystemFonts {
  public:
    static const SystemFont* Find(const std::string& name, const std::string& type, bool matchType);
};

} // namespace pdfhost::pdf
