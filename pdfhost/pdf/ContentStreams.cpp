#include "pdfhost/pdf/ContentStreams.h"

#include <qpdf/Pl_Flate.hh>
#include <qpdf/Pl_String.hh>

namespace pdfhost::pdf {

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
