#include "pdfhost/pdf/ImageElement.h"

#include <algorithm>
#include <array>

#include "pdfhost/core/Atoms.h"
#include "pdfhost/core/HostError.h"
#include "pdfhost/pdf/CosPool.h"
#include "pdfhost/pdf/Document.h"
#include "pdfhost/pdf/FileSystem.h"
#include "pdfhost/pdf/FixedMath.h"

namespace pdfhost::pdf {
namespace {

constexpr ASUns32 kMaxFilters = 8;
constexpr std::size_t kReadChunk = 1 << 20;

bool KnownFilter(const std::string& name) {
    static const std::array<const char*, 9> known = {
        "ASCIIHexDecode", "ASCII85Decode", "LZWDecode", "FlateDecode", "RunLengthDecode",
        "CCITTFaxDecode", "JBIG2Decode",   "DCTDecode", "JPXDecode"};
    return std::find(known.begin(), known.end(), name) != known.end();
}

std::string ReadData(ASStm stream, const ASUns8* data, ASUns32 encodedLen) {
    if (stream) {
        HostStream& s = FileSystem::Stream(stream);
        if (encodedLen > 0) {
            std::string bytes = s.Read(encodedLen);
            if (bytes.size() < encodedLen)
                Raise(kErrBadImageData, "The image data stream ended after " +
                                            std::to_string(bytes.size()) + " of " +
                                            std::to_string(encodedLen) + " bytes.");
            return bytes;
        }
        std::string all;
        for (std::string chunk = s.Read(kReadChunk); !chunk.empty(); chunk = s.Read(kReadChunk))
            all += chunk;
        return all;
    }
    if (!data)
        Raise(kErrBadParameter, "No image data was given: neither a stream nor a buffer.");
    return std::string(reinterpret_cast<const char*>(data), encodedLen);
}

std::vector<std::pair<std::string, QPDFObjectHandle>> ReadFilters(const PDEFilterArray* filters) {
    std::vector<std::pair<std::string, QPDFObjectHandle>> out;
    if (!filters)
        return out;
    if (filters->numFilters > kMaxFilters)
        Raise(kErrBadParameter,
              "At most " + std::to_string(kMaxFilters) + " image filters are supported.");
    for (ASUns32 i = 0; i < filters->numFilters; ++i) {
        const PDEFilterSpec& filter = filters->spec[i];
        const std::string name = Atoms::Name(filter.name);
        if (!KnownFilter(name))
            Raise(kErrBadParameter, "\"" + name + "\" is not a PDF image filter.");
        QPDFObjectHandle parms = CosPool::Get(filter.decodeParms);
        // Made afresh, so that it belongs to no document.
        if (!parms.isNull())
            parms = QPDFObjectHandle::parse(parms.unparseResolved());
        out.emplace_back(name, parms);
    }
    return out;
}

QPDFObjectHandle MakeXObject(QPDF& pdf, const ImageParts& parts) {
    const PDEImageAttrs& a = parts.attrs;
    QPDFObjectHandle d = QPDFObjectHandle::newDictionary();
    d.replaceKey("/Type", QPDFObjectHandle::newName("/XObject"));
    d.replaceKey("/Subtype", QPDFObjectHandle::newName("/Image"));
    d.replaceKey("/Width", QPDFObjectHandle::newInteger(a.width));
    d.replaceKey("/Height", QPDFObjectHandle::newInteger(a.height));
    if (a.flags & kPDEImageIsMask) {
        d.replaceKey("/ImageMask", QPDFObjectHandle::newBool(true));
    } else {
        d.replaceKey("/BitsPerComponent", QPDFObjectHandle::newInteger(a.bitsPerComponent));
        d.replaceKey("/ColorSpace", QPDFObjectHandle::newName("/" + parts.colorSpace->Family()));
    }
    if (a.flags & kPDEImageInterpolate)
        d.replaceKey("/Interpolate", QPDFObjectHandle::newBool(true));
    const int decodeCount = (a.flags & kPDEImageIsMask) ? 2 : 2 * parts.colorSpace->Components();
    if (std::any_of(a.decode, a.decode + decodeCount, [](ASFixed v) { return v != 0; })) {
        QPDFObjectHandle decode = QPDFObjectHandle::newArray();
        for (int i = 0; i < decodeCount; ++i)
            decode.appendItem(QPDFObjectHandle::newReal(Format(a.decode[i])));
        d.replaceKey("/Decode", decode);
    }
    if (Atoms::Exists(a.intent)) {
        const std::string& intent = Atoms::Name(a.intent);
        if (intent == "Perceptual" || intent == "RelativeColorimetric" ||
            intent == "AbsoluteColorimetric" || intent == "Saturation")
            d.replaceKey("/Intent", QPDFObjectHandle::newName("/" + intent));
    }
    QPDFObjectHandle filter = QPDFObjectHandle::newNull();
    QPDFObjectHandle parms = QPDFObjectHandle::newNull();
    if (parts.filters.size() == 1) {
        filter = QPDFObjectHandle::newName("/" + parts.filters[0].first);
        parms = parts.filters[0].second;
    } else if (!parts.filters.empty()) {
        filter = QPDFObjectHandle::newArray();
        parms = QPDFObjectHandle::newArray();
        bool anyParms = false;
        for (auto [name, p] : parts.filters) {
            filter.appendItem(QPDFObjectHandle::newName("/" + name));
            parms.appendItem(p);
            anyParms = anyParms || !p.isNull();
        }
        if (!anyParms)
            parms = QPDFObjectHandle::newNull();
    }
    QPDFObjectHandle stream = pdf.newStream();
    stream.replaceDict(d);
    stream.replaceStreamData(parts.data, filter, parms);
    return stream;
}

} // namespace

ImageElement::ImageElement(ImageParts parts)
    : parts_(std::move(parts)), xobject_([this](QPDF& pdf) { return MakeXObject(pdf, parts_); }) {
    parts_.data.clear();
    parts_.data.shrink_to_fit();
}

PDERef<ImageElement> ImageElement::Create(const PDEImageAttrs* attrs, ASUns32 attrsSize,
                                          const ASFixedMatrix* matrix, ASUns32 flags,
                                          PDEColorSpace colorSpace, const PDEFilterArray* filters,
                                          ASStm stream, const ASUns8* data, ASUns32 encodedLen) {
    if (!attrs || attrsSize != sizeof(PDEImageAttrs))
        Raise(kErrBadRecordSize, "The image attributes record must be " +
                                     std::to_string(sizeof(PDEImageAttrs)) + " bytes.");
    ImageParts parts;
    parts.attrs = *attrs;
    const bool mask = attrs->flags & kPDEImageIsMask;
    if (mask)
        parts.attrs.bitsPerComponent = 1;
    const int bpc = parts.attrs.bitsPerComponent;
    if (attrs->width <= 0 || attrs->height <= 0)
        Raise(kErrBadParameter, "An image needs a width and a height of at least 1.");
    if (bpc != 1 && bpc != 2 && bpc != 4 && bpc != 8 && bpc != 16)
        Raise(kErrBadParameter,
              "Bits per component must be 1, 2, 4, 8 or 16, not " + std::to_string(bpc) + ".");
    parts.matrix = matrix ? *matrix : ASFixedMatrix{kASFixedOne, 0, 0, kASFixedOne, 0, 0};
    if (!mask)
        parts.colorSpace = PDERef<ColorSpaceObject>::Share(
            &PDEObjectBase::As<ColorSpaceObject>(colorSpace, "colour space"));
    parts.filters = ReadFilters(filters);
    const bool encoded = flags & kPDEImageEncodedData;
    if (!encoded && !parts.filters.empty())
        Raise(kErrNotImplemented, "The host does not encode image data; pass it encoded.");

    parts.data = ReadData(stream, data, encodedLen);
    if (parts.data.empty())
        Raise(kErrBadImageData, "The image has no data.");
    const bool dct = std::any_of(parts.filters.begin(), parts.filters.end(),
                                 [](const auto& f) { return f.first == "DCTDecode"; });
    if (dct && parts.filters.size() == 1 &&
        (parts.data.size() < 2 || static_cast<unsigned char>(parts.data[0]) != 0xFF ||
         static_cast<unsigned char>(parts.data[1]) != 0xD8))
        Raise(kErrBadImageData, "The DCTDecode image data is not a JPEG file.");
    if (!encoded) {
        const std::uint64_t comps = mask ? 1 : parts.colorSpace->Components();
        const std::uint64_t row = (std::uint64_t(attrs->width) * comps * bpc + 7) / 8;
        const std::uint64_t expected = row * std::uint64_t(attrs->height);
        if (parts.data.size() != expected)
            Raise(kErrBadImageData, "The image samples take " + std::to_string(expected) +
                                        " bytes, but " + std::to_string(parts.data.size()) +
                                        " were given.");
    }
    return Make<ImageElement>(std::move(parts));
}

void ImageElement::SetGState(const PDEGraphicState& gstate) {
    if (!(gstate.wasSetFlags & kPDEExtGStateWasSet))
        return;
    if (!gstate.extGState) {
        extGState_ = {};
        return;
    }
    extGState_ = PDERef<ExtGStateObject>::Share(
        &PDEObjectBase::As<ExtGStateObject>(gstate.extGState, "extended graphics state"));
}

std::string ImageElement::Serialize(const PageTarget& target) {
    const std::string name = target.NameFor("/XObject", "PHIm", xobject_.In(target.doc));
    std::string out = "q\n";
    if (extGState_) {
        out += target.NameFor("/ExtGState", "PHGs", extGState_->In(target.doc)) + " gs\n";
        if (extGState_->Transparent())
            target.doc.NoteTransparency();
    }
    out += Format(parts_.matrix) + " cm\n" + name + " Do\nQ\n";
    return out;
}

} // namespace pdfhost::pdf
