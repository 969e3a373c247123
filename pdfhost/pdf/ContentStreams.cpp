#include "pdfhost/pdf/ContentStreams.h"

#include <qpdf/Pl_Flate.hh>
#include <qpdf/Pl_String.hh>

namespace pdfhost::pdf {
namespace {

// Content is never written with a predictor; a row this long only comes from
// a damaged or hostile dictionary, and qpdf allocates rows of it whatever
// data follows (a /Colors of 2^28 in a 4 KB file asked for gigabytes).
constexpr double kMaxPredictorRowBytes = 1 << 24;

double Number(QPDFObjectHandle parms, const char* key, double otherwise) {
    QPDFObjectHandle v = parms.getKey(key);
    return v.isInteger() ? static_cast<double>(v.getIntValue()) : otherwise;
}

bool RowTooLong(QPDFObjectHandle parms) {
    if (!parms.isDictionary() || Number(parms, "/Predictor", 1) <= 1)
        return false;
    const double bits = Number(parms, "/Columns", 1) * Number(parms, "/Colors", 1) *
                        Number(parms, "/BitsPerComponent", 8);
    return bits / 8 > kMaxPredictorRowBytes;
}

bool PredictorRowTooLong(QPDFObjectHandle stream) {
    QPDFObjectHandle parms = stream.getDict().getKey("/DecodeParms");
    if (!parms.isArray())
        return RowTooLong(parms);
    for (auto& item : parms.aitems())
        if (RowTooLong(item))
            return true;
    return false;
}

} // namespace

std::vector<QPDFObjectHandle> ContentStreams::Of(QPDFObjectHandle page) {
    std::vector<QPDFObjectHandle> out;
    QPDFObjectHandle contents = page.getKey("/Contents");
    if (contents.isStream()) {
        out.push_back(contents);
    } else if (contents.isArray()) {
        for (auto& item : contents.aitems())
            if (item.isStream())
                out.push_back(item);
    }
    return out;
}

std::optional<std::string> ContentStreams::Decode(QPDFObjectHandle stream) {
    try {
        if (PredictorRowTooLong(stream))
            return std::nullopt;
        std::string data;
        Pl_String sink("content", nullptr, data);
        if (!stream.pipeStreamData(&sink, 0, qpdf_dl_specialized, true, false))
            return std::nullopt;
        return data;
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

QPDFObjectHandle ContentStreams::Make(QPDF& pdf, const std::string& bytes, bool compress) {
    if (!compress)
        return pdf.newStream(bytes);
    std::string packed;
    Pl_String sink("deflated", nullptr, packed);
    Pl_Flate flate("deflate", &sink, Pl_Flate::a_deflate);
    flate.write(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size());
    flate.finish();
    QPDFObjectHandle stream = pdf.newStream();
    stream.replaceStreamData(packed, QPDFObjectHandle::newName("/FlateDecode"),
                             QPDFObjectHandle::newNull());
    return stream;
}

} // namespace pdfhost::pdf
