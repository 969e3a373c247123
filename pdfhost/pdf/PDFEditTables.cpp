// PDFEditRead and PDFEditWrite: elements, text, images, colour spaces,
// graphics states and fonts.
#include "pdfhost/core/Atoms.h"
#include "pdfhost/core/HostEntry.h"
#include "pdfhost/pdf/ColorSpaceObject.h"
#include "pdfhost/pdf/Document.h"
#include "pdfhost/pdf/Documents.h"
#include "pdfhost/pdf/ExtGStateObject.h"
#include "pdfhost/pdf/FixedMath.h"
#include "pdfhost/pdf/FontObject.h"
#include "pdfhost/pdf/ImageElement.h"
#include "pdfhost/pdf/PageContent.h"
#include "pdfhost/pdf/ParsedElement.h"
#include "pdfhost/pdf/PdfTables.h"
#include "pdfhost/pdf/TextElement.h"

namespace pdfhost::pdf {
namespace {

PageContent& Content(PDEContent c) {
    return PDEObjectBase::As<PageContent>(c, "page content");
}

ASInt32 ObjectGetType(PDEObject obj) {
    return PDEObjectBase::FromHandle(obj).Type();
}

ASInt32 ContentGetNumElems(PDEContent c) {
    return Content(c).NumElems();
}

PDEElement ContentGetElem(PDEContent c, ASInt32 index) {
    return Content(c).Elem(index);
}

void ImageGetAttrs(PDEImage image, PDEImageAttrs* attrs, ASUns32 size) {
    PDEObjectBase& object = PDEObjectBase::FromHandle(image);
    if (!attrs || size != sizeof(PDEImageAttrs))
        Raise(kErrBadRecordSize, "The image attributes record must be " +
                                     std::to_string(sizeof(PDEImageAttrs)) + " bytes.");
    if (auto* created = dynamic_cast<ImageElement*>(&object)) {
        *attrs = created->Attrs();
        return;
    }
    auto* parsed = dynamic_cast<ParsedElement*>(&object);
    if (!parsed || parsed->Type() != kPDEImage || !parsed->XObject().isStream())
        Raise(kErrWrongObjectKind, "PDEImageGetAttrs needs an image element.");
    QPDFObjectHandle d = parsed->XObject().getDict();
    auto integer = [&](const char* key) {
        QPDFObjectHandle v = d.getKey(key);
        return v.isInteger() ? static_cast<ASInt32>(v.getIntValue()) : 0;
    };
    PDEImageAttrs a{};
    a.flags = kPDEImageExternal;
    const bool mask = d.getKey("/ImageMask").isBool() && d.getKey("/ImageMask").getBoolValue();
    if (mask)
        a.flags |= kPDEImageIsMask;
    if (d.getKey("/Interpolate").isBool() && d.getKey("/Interpolate").getBoolValue())
        a.flags |= kPDEImageInterpolate;
    a.width = integer("/Width");
    a.height = integer("/Height");
    a.bitsPerComponent = mask ? 1 : integer("/BitsPerComponent");
    QPDFObjectHandle decode = d.getKey("/Decode");
    for (int i = 0; decode.isArray() && i < decode.getArrayNItems() && i < 8; ++i)
        if (decode.getArrayItem(i).isNumber())
            a.decode[i] = ToFixed(decode.getArrayItem(i).getNumericValue());
    if (d.getKey("/Intent").isName())
        a.intent = Atoms::FromString(d.getKey("/Intent").getName().substr(1));
    *attrs = a;
}

CosObj ImageGetCosObj(PDEImage image) {
    PDEObjectBase& object = PDEObjectBase::FromHandle(image);
    if (auto* created = dynamic_cast<ImageElement*>(&object))
        return created->CosHandle();
    auto* parsed = dynamic_cast<ParsedElement*>(&object);
    if (!parsed || parsed->Type() != kPDEImage || !parsed->XObject().isStream())
        Raise(kErrWrongObjectKind, "PDEImageGetCosObj needs an image XObject element.");
    auto doc = Documents::Find(parsed->DocSerial());
    if (!doc)
        Raise(kErrBadHandle, "The document of this image element has been closed.");
    return doc->Cos().Wrap(parsed->XObject());
}

void ContentAddElem(PDEContent c, ASInt32 after, PDEElement elem) {
    Content(c).Add(after, elem);
}

void ContentRemoveElem(PDEContent c, ASInt32 index) {
    Content(c).Remove(index);
}

// A page content is acquired and released through its page.
PDEObjectBase& CountedObject(PDEObject obj) {
    PDEObjectBase& o = PDEObjectBase::FromHandle(obj);
    if (o.Type() == kPDEContent)
        Raise(kErrWrongObjectKind,
              "A page content is acquired and released with its page, not with PDEAcquire or "
              "PDERelease.");
    return o;
}

void Acquire(PDEObject obj) {
    CountedObject(obj).AcquireForCaller();
}

void Release(PDEObject obj) {
    CountedObject(obj).ReleaseForCaller();
}

PDEText TextCreate() {
    return PDEObjectBase::HandOut(PDEObjectBase::Make<TextElement>());
}

void TextAdd(PDEText text, ASUns32 flags, ASInt32 index, const ASUns8* chars, ASInt32 numChars,
             PDEFont font, const PDEGraphicState* gstate, ASUns32 gstateSize,
             const PDETextState* tstate, ASUns32 tstateSize, const ASFixedMatrix* textMatrix,
             const ASFixedMatrix*) {
    PDEObjectBase::As<TextElement>(text, "text element")
        .AddRun(flags, index, chars, numChars, font, gstate, gstateSize, tstate, tstateSize,
                textMatrix);
}

PDEColorSpace ColorSpaceCreateFromName(ASAtom family) {
    return PDEObjectBase::HandOut(ColorSpaceObject::Create(Atoms::Name(family)));
}

PDEColorSpace ColorSpaceCreate(ASAtom family, const void* csStruct) {
    if (csStruct)
        Raise(kErrBadColorSpace, "Only device colour spaces, which take no description, are "
                                 "supported.");
    return ColorSpaceCreateFromName(family);
}

PDEImage ImageCreate(const PDEImageAttrs* attrs, ASUns32 attrsSize, const ASFixedMatrix* matrix,
                     ASUns32 flags, PDEColorSpace colorSpace, const PDEColorValue*,
                     const PDEFilterArray* filters, ASStm stream, const ASUns8* data,
                     ASUns32 encodedLen) {
    return PDEObjectBase::HandOut(ImageElement::Create(attrs, attrsSize, matrix, flags, colorSpace,
                                                       filters, stream, data, encodedLen));
}

PDEExtGState ExtGStateCreateNew(CosDoc doc) {
    Document::FromCosHandle(doc);
    return PDEObjectBase::HandOut(PDEObjectBase::Make<ExtGStateObject>());
}

void ExtGStateSetOpacityFill(PDEExtGState extGState, ASFixed opacity) {
    PDEObjectBase::As<ExtGStateObject>(extGState, "extended graphics state")
        .SetFillOpacity(opacity);
}

void ElementSetGState(PDEElement elem, const PDEGraphicState* gstate, ASUns32 size) {
    Element& e = PDEObjectBase::As<Element>(elem, "content element");
    if (!gstate || size != sizeof(PDEGraphicState))
        Raise(kErrBadRecordSize, "The graphics state record must be " +
                                     std::to_string(sizeof(PDEGraphicState)) + " bytes.");
    e.SetGState(*gstate);
}

PDEFont FontCreateFromSysFont(PDSysFont sysFont, ASUns32) {
    return PDEObjectBase::HandOut(PDEObjectBase::Make<FontObject>(SystemFont::FromHandle(sysFont)));
}

} // namespace

void InstallPDFEditTables(HostTableSet& set) {
    PDFEditReadHFT& r = set.pdfEditRead;
    r.PDEObjectGetType = HOST_ENTRY(PDEObjectGetType, ObjectGetType);
    r.PDEContentGetNumElems = HOST_ENTRY(PDEContentGetNumElems, ContentGetNumElems);
    r.PDEContentGetElem = HOST_ENTRY(PDEContentGetElem, ContentGetElem);
    r.PDEImageGetAttrs = HOST_ENTRY(PDEImageGetAttrs, ImageGetAttrs);
    r.PDEImageGetCosObj = HOST_ENTRY(PDEImageGetCosObj, ImageGetCosObj);

    PDFEditWriteHFT& w = set.pdfEditWrite;
    w.PDEContentAddElem = HOST_ENTRY(PDEContentAddElem, ContentAddElem);
    w.PDEContentRemoveElem = HOST_ENTRY(PDEContentRemoveElem, ContentRemoveElem);
    w.PDEAcquire = HOST_ENTRY(PDEAcquire, Acquire);
    w.PDERelease = HOST_ENTRY(PDERelease, Release);
    w.PDETextCreate = HOST_ENTRY(PDETextCreate, TextCreate);
    w.PDETextAdd = HOST_ENTRY(PDETextAdd, TextAdd);
    w.PDEColorSpaceCreateFromName =
        HOST_ENTRY(PDEColorSpaceCreateFromName, ColorSpaceCreateFromName);
    w.PDEColorSpaceCreate = HOST_ENTRY(PDEColorSpaceCreate, ColorSpaceCreate);
    w.PDEImageCreate = HOST_ENTRY(PDEImageCreate, ImageCreate);
    w.PDEExtGStateCreateNew = HOST_ENTRY(PDEExtGStateCreateNew, ExtGStateCreateNew);
    w.PDEExtGStateSetOpacityFill = HOST_ENTRY(PDEExtGStateSetOpacityFill, ExtGStateSetOpacityFill);
    w.PDEElementSetGState = HOST_ENTRY(PDEElementSetGState, ElementSetGState);
    w.PDEFontCreateFromSysFont = HOST_ENTRY(PDEFontCreateFromSysFont, FontCreateFromSysFont);
}

} // namespace pdfhost::pdf
