// The "AcroView" table: active document, alerts, menus and the toolbar.
//
// Contract: Install() fills every slot of set.acroView with host entries over
// ActiveDocument and Viewer. Alerts go through platform::Messages with the
// caption "pdfhost": AVAlertNote as a note alert; AVAlert as a note alert for
// ALERT_NOTE and a caution alert for every other icon, with its non-null
// buttons (b1 defaults to "OK"; b3 counts only after b2) and the 1-based
// index of the button chosen as its result. Every handle is checked; a menu
// the host lacks is a null result, not an error.
#pragma once

#include "pdfhost/core/HostTableSet.h"

namespace pdfhost::av {

inline constexpr const char* kAlertCaption = "pdfhost";

class AcroViewTable {
  public:
    static void Install(HostTableSet& set);
};

} // namespace pdfhost::av
