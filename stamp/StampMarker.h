// Recognising, from the document alone, an image that a stamp run placed.
//
// Contract: Mark puts a private key into the image XObject's dictionary
// (/TalvaneStamp /Image); PDF readers ignore keys they do not know, so the
// mark changes nothing in how the page looks. IsStampImage answers true only
// for an image element whose XObject carries that mark, so undo never
// removes content that no stamp run added — also in a document stamped and
// saved by an earlier process. Host errors propagate as raises.
#pragma once

#include "sdk/ASTypes.h"

class StampMarker {
  public:
    static constexpr const char* kKey = "TalvaneStamp";
    static constexpr const char* kValue = "Image";

    static void Mark(PDEImage image, CosDoc doc);
    static bool IsStampImage(PDEElement element);
};
