#include "pdfhost/pdf/ExtGStateObject.h"

#include <algorithm>

#include "pdfhost/pdf/FixedMath.h"

namespace pdfhost::pdf {

ExtGStateObject::ExtGStateObject()
    : dict_([](QPDF&) {
          QPDFObjectHandle d = QPDFObjectHandle::newDictionary();
          d.replaceKey("/Type", QPDFObjectHandle::newName("/ExtGState"));
          return d;
      }) {}

void ExtGStateObject::SetFillOpacity(ASFixed opacity) {
    const ASFixed clamped = std::clamp<ASFixed>(opacity, 0, kASFixedOne);
    transparent_ = clamped < kASFixedOne;
    dict_.Put("/ca", QPDFObjectHandle::newReal(Format(clamped)));
}

} // namespace pdfhost::pdf
