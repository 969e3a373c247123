#include "pdfhost/pdf/Element.h"

#include "pdfhost/core/HostError.h"
#include "pdfhost/pdf/Document.h"

namespace pdfhost::pdf {

std::string PageTarget::NameFor(const std::string& category, const std::string& prefix,
                                QPDFObjectHandle object) const {
    return doc.Names().NameFor(page, category, prefix, object);
}

void Element::SetGState(const PDEGraphicState&) {
    Raise(kErrNotImplemented,
          "The graphics state of an element read from a page cannot be changed.");
}

} // namespace pdfhost::pdf
