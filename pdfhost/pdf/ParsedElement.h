// An element read from a page's content.
//
// Contract: keeps the bytes of its painting exactly as they were (the state
// operators before it belong to the content, not to the element). It can be
// written back only to the page it was read from (Accepts()), because its
// bytes name that page's resources. An XObject element knows its XObject
// (XObject(), null when the name is not in the resources).
#pragma once

#include <cstdint>

#include "pdfhost/pdf/Element.h"

namespace pdfhost::pdf {

class ParsedElement : public Element {
  public:
    ParsedElement(ASInt32 type, std::string paint, std::uint64_t docSerial, QPDFObjGen page,
                  QPDFObjectHandle xobject)
        : type_(type), paint_(std::move(paint)), docSerial_(docSerial), page_(page),
          xobject_(xobject) {}

    ASInt32 Type() const override { return type_; }
    bool Created() const override { return false; }
    std::string Serialize(const PageTarget&) override { return paint_; }

    const std::string& Paint() const { return paint_; }
    bool Accepts(std::uint64_t docSerial, QPDFObjGen page) const {
        return docSerial == docSerial_ && page == page_;
    }
    std::uint64_t DocSerial() const { return docSerial_; }
    QPDFObjectHandle XObject() const { return xobject_; }

  private:
    ASInt32 type_;
    std::string paint_;
    std::uint64_t docSerial_;
    QPDFObjGen page_;
    QPDFObjectHandle xobject_;
};

} // namespace pdfhost::pdf
