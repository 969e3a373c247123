// A page's content streams: finding, decoding and making them.
//
// Contract: Of() lists the streams /Contents names (one stream, or the
// streams of an array, skipping anything that is not a stream; nothing for a
// page without contents). Decode() gives a stream's data with every standard
// lossless filter undone, or nothing when it cannot be decoded (an unknown
// filter, data qpdf cannot repair, predictor parameters whose rows would
// pass 16 MB); it never throws for damaged data. Make()
// returns a new content stream, Flate-compressed when asked.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include <qpdf/QPDF.hh>

namespace pdfhost::pdf {

class ContentStreams {
  public:
    static std::vector<QPDFObjectHandle> Of(QPDFObjectHandle page);
    static std::optional<std::string> Decode(QPDFObjectHandle stream);
    static QPDFObjectHandle Make(QPDF& pdf, const std::string& bytes, bool compress);
};

} // namespace pdfhost::pdf
