// The host's atom table: names interned as 16-bit values.
//
// Contract: FromString returns the same atom for the same name for the life of
// the process; atoms are never freed. 0xFFFF is ASAtomNull and is never
// handed out; when the table is full (65535 names) FromString raises
// kErrNoMemory. Name() of an atom that was never handed out raises
// kErrBadParameter.
#pragma once

#include <string>

#include "sdk/ASTypes.h"

namespace pdfhost {

class Atoms {
  public:
    static ASAtom FromString(const std::string& name);
    static const std::string& Name(ASAtom atom);
    static bool Exists(ASAtom atom);
};

} // namespace pdfhost
