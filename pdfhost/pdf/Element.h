// A content element: something that paints, as a page's content lists it.
//
// Contract: an element is either read from a page (parsed: it keeps its
// original bytes and draws in the graphics state the content before it
// leaves) or made through the tables (created: it is written by the host
// into the page's default user space, wrapped in its own q ... Q).
// Serialize() gives the bytes for one page and adds to that page's resources
// what the bytes name. A created element that draws nothing (a text element
// without characters) serialises to nothing.
#pragma once

#include <string>

#include <qpdf/QPDFObjectHandle.hh>

#include "pdfhost/pdf/PDEObjectBase.h"
#include "sdk/PIRecords.h"

namespace pdfhost::pdf {

class Document;

// The page an element is being written to.
struct PageTarget {
    Document& doc;
    QPDFObjectHandle page;
    // The name of object in the page's resources under category.
    std::string NameFor(const std::string& category, const std::string& prefix,
                        QPDFObjectHandle object) const;
};

class Element : public PDEObjectBase {
  public:
    virtual bool Created() const = 0;
    virtual std::string Serialize(const PageTarget& target) = 0;
    // True for a created element that would be written as nothing.
    virtual bool DrawsNothing() const { return false; }
    // Only created elements take a graphics state.
    virtual void SetGState(const PDEGraphicState& gstate);
};

} // namespace pdfhost::pdf
