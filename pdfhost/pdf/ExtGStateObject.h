// An extended graphics state behind a PDEExtGState handle.
//
// Contract: starts as << /Type /ExtGState >>. SetFillOpacity sets the
// non-stroking opacity /ca only (not the stroking /CA: images and text fills
// are painted with /ca), clamped to 0..1 so that the file stays valid.
// The dictionary is copied into each document the first time an element
// that uses it is written there; later changes reach those copies too.
#pragma once

#include "pdfhost/pdf/PDEObjectBase.h"
#include "pdfhost/pdf/ScratchObject.h"
#include "sdk/PIRecords.h"

namespace pdfhost::pdf {

class ExtGStateObject : public PDEObjectBase {
  public:
    ExtGStateObject();
    ASInt32 Type() const override { return kPDEExtGState; }

    void SetFillOpacity(ASFixed opacity);
    bool Transparent() const { return transparent_; }
    QPDFObjectHandle In(Document& doc) { return dict_.In(doc); }

  private:
    ScratchObject dict_;
    bool transparent_ = false;
};

} // namespace pdfhost::pdf
