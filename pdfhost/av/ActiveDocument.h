// The host's active document view.
//
// Contract: the document layer opens and owns documents; when one becomes the
// active document it calls Set with the document's PDDoc handle, and Clear when
// it closes it. This class owns only the view object behind the AVDoc handle,
// which AVAppGetActiveDoc hands out (null when nothing is open) and
// AVDocGetPDDoc checks. At most one document is active at a time.
//
// A document still being read can be made active before it exists:
// SetPending gives the function that finishes the opening, called at the
// first question about the active document (View or Doc) and not before;
// what it returns becomes the active document (null: none). Clear and Set
// drop a pending function without calling it.
#pragma once

#include <functional>

#include "sdk/ASTypes.h"

namespace pdfhost::av {

class ActiveDocument {
  public:
    static void Set(PDDoc doc);
    static void SetPending(std::function<PDDoc()> open);
    static void Clear();
    static AVDoc View(); // null when no document is open
    static PDDoc Doc();  // null when no document is open
};

} // namespace pdfhost::av
