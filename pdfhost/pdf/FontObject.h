// A font behind a PDEFont handle, made from a system font.
//
// Contract: the font is a simple TrueType font dictionary naming the
// requested font as /BaseFont (spaces removed, ",Bold" style kept) in
// WinAnsiEncoding. It is not embedded, whatever the flags ask, and carries
// no widths: viewers substitute the installed font. The dictionary is copied
// into a document the first time text with it is written there.
#pragma once

#include "pdfhost/pdf/PDEObjectBase.h"
#include "pdfhost/pdf/ScratchObject.h"
#include "pdfhost/pdf/SystemFonts.h"
#include "sdk/PIRecords.h"

namespace pdfhost::pdf {

class FontObject : public PDEObjectBase {
  public:
    explicit FontObject(const SystemFont& font);
    ASInt32 Type() const override { return kPDEFont; }

    const SystemFont& Font() const { return font_; }
    QPDFObjectHandle In(Document& doc) { return dict_.In(doc); }

  private:
    const SystemFont& font_;
    ScratchObject dict_;
};

} // namespace pdfhost::pdf
