// An image element made through PDEImageCreate: an image XObject.
//
// Contract: Create() checks every argument before anything is made: the
// record size (kErrBadRecordSize), width, height and bits per component
// (kErrBadParameter), the colour space (kErrBadHandle, kErrWrongObjectKind;
// none only for an image mask), the filters (known names only, at most 8),
// and the data. Encoded data (kPDEImageEncodedData) is read from the stream
// (or buffer) - exactly encodedLen bytes, or the rest of the stream when
// encodedLen is 0 - and stored unchanged under the filters; fewer bytes, no
// bytes, or DCTDecode data that does not start like a JPEG raise
// kErrBadImageData. Unencoded data must come without filters, with exactly
// the size of the samples, and is stored as it is. The XObject is stored
// once in each document that shows it, however many pages do. On a page it
// is written as q, its graphics state, its matrix, Do, Q.
#pragma once

#include "pdfhost/pdf/ColorSpaceObject.h"
#include "pdfhost/pdf/Element.h"
#include "pdfhost/pdf/ExtGStateObject.h"
#include "pdfhost/pdf/ScratchObject.h"

namespace pdfhost::pdf {

struct ImageParts {
    PDEImageAttrs attrs{};
    ASFixedMatrix matrix{};
    PDERef<ColorSpaceObject> colorSpace;
    std::vector<std::pair<std::string, QPDFObjectHandle>> filters; // name, decode parms
    std::string data;
};

class ImageElement : public Element {
  public:
    explicit ImageElement(ImageParts parts);
    static PDERef<ImageElement> Create(const PDEImageAttrs* attrs, ASUns32 attrsSize,
                                       const ASFixedMatrix* matrix, ASUns32 flags,
                                       PDEColorSpace colorSpace, const PDEFilterArray* filters,
                                       ASStm stream, const ASUns8* data, ASUns32 encodedLen);

    ASInt32 Type() const override { return kPDEImage; }
    bool Created() const override { return true; }
    std::string Serialize(const PageTarget& target) override;
    void SetGState(const PDEGraphicState& gstate) override;

    const PDEImageAttrs& Attrs() const { return parts_.attrs; }
    // The XObject's dictionary; keys put there reach every document showing it.
    CosObj CosHandle() { return xobject_.CosHandle(); }

  private:
    ImageParts parts_;
    ScratchObject xobject_;
    PDERef<ExtGStateObject> extGState_;
};

} // namespace pdfhost::pdf
