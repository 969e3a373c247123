// Inherited page attributes.
//
// Contract: Inherited(page, "/Rotate") returns the attribute from the page
// or, when absent (or null), from the nearest ancestor through /Parent, with
// the node that holds it; a null handle when no node has it. Loops and trees
// deeper than a fixed limit end the walk instead of hanging it.
#pragma once

#include <string>
#include <utility>

#include <qpdf/QPDFObjectHandle.hh>

namespace pdfhost::pdf {

struct InheritedValue {
    QPDFObjectHandle value; // null when absent everywhere
    QPDFObjectHandle holder;
};

InheritedValue Inherited(QPDFObjectHandle page, const std::string& key);

} // namespace pdfhost::pdf
