#include "pdfhost/pdf/FontObject.h"

namespace pdfhost::pdf {
namespace {

std::string BaseFontName(const std::string& requested) {
    std::string out;
    for (char c : requested)
        if (c != ' ')
            out += c;
    return out.empty() ? "Font" : out;
}

} // namespace

FontObject::FontObject(const SystemFont& font)
    : font_(font), dict_([&font](QPDF&) {
          QPDFObjectHandle d = QPDFObjectHandle::newDictionary();
          d.replaceKey("/Type", QPDFObjectHandle::newName("/Font"));
          d.replaceKey("/Subtype", QPDFObjectHandle::newName("/TrueType"));
          d.replaceKey("/BaseFont", QPDFObjectHandle::newName("/" + BaseFontName(font.requested)));
          d.replaceKey("/Encoding", QPDFObjectHandle::newName("/WinAnsiEncoding"));
          return d;
      }) {}

} // namespace pdfhost::pdf
