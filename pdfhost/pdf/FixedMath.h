// ASFixed arithmetic the host needs: conversions, matrix concatenation and
// writing values into content streams.
//
// Contract: ToFixed rounds to the nearest ASFixed and clamps to its range
// (NaN gives 0). Concat(m1, m2) is m2 followed by m1 (m2 x m1 with row
// vectors, the order of PDF's cm); each entry is computed in 64 bits,
// rounded once to the nearest ASFixed (halves away from zero) and clamped.
// Format writes an ASFixed as a decimal with at most five fraction digits,
// which reads back as the same ASFixed.
#pragma once

#include <string>

#include "sdk/ASTypes.h"

namespace pdfhost::pdf {

ASFixed ToFixed(double value);
double FromFixed(ASFixed value);
ASFixedMatrix Concat(const ASFixedMatrix& m1, const ASFixedMatrix& m2);
std::string Format(ASFixed value);
std::string Format(const ASFixedMatrix& m); // "a b c d h v"

} // namespace pdfhost::pdf
