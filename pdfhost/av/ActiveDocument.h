// The host's active document view.
//
// Contract: the document layer opens and owns documents; when one becomes the
// active document it calls Set with the document's PDDoc handle, and Clear when
// it closes it. This class owns only the view object behind the AVDoc handle,
// which AVAppGetActiveDoc hands out (null when nothing is open) and
// AVDocGetPDDoc checks. At most one document is active at a time.
#pragma once

#include "sdk/ASTypes.h"

namespace pdfhost::av {

class ActiveDocument {
  public:
    static void Set(PDDoc doc);
    static void Clear();
    static AVDoc View(); // null when no document is open
    static PDDoc Doc();  // null when no document is open
};

} // namespace pdfhost::av
