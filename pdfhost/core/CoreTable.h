// The host's core table ("Core") and the error text of "AcroSupport".
//
// Contract: Install() fills set.core and set.acroSupport.ASGetErrorString.
// ASExtensionMgrGetHFT answers from `registry` (which must outlive every
// call) and records each table it hands out on the extension whose code is
// running. ASGetErrorString writes the text of a code, NUL-terminated and cut
// to the buffer; a null buffer or a size below 1 raises kErrBadParameter.
#pragma once

#include "pdfhost/core/HostTableSet.h"
#include "pdfhost/core/TableRegistry.h"

namespace pdfhost {

class CoreTable {
  public:
    static void Install(HostTableSet& set, const TableRegistry& registry);
};

} // namespace pdfhost
