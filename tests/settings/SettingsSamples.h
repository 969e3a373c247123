// A complete settings record and the exact file the writer makes of it,
// shared by the tests of the file format and of the dialog that saves it.
#pragma once

#include <ostream>
#include <string>

#include "settings/StampSettings.h"

// Failures show the record as the file it would be written to.
void PrintTo(const StampSettings& s, std::ostream* out);

namespace testing_support {

// Offset from the right edge, force portrait on, text overlay on; every
// member of the record and of its font is set.
StampSettings SampleSettings();

// SampleSettings() as the writer produces it, byte for byte.
extern const std::string kSampleFile;

} // namespace testing_support
