// An object made before it is known which document it will go into (an
// image, a font), and its copies in the documents it is placed in.
//
// Contract: the object lives in a private empty PDF. In(doc) copies it (with
// everything it refers to) into a document once and returns the same copy on
// every later call, so an image placed on many pages is stored once. Keys put
// on the object's dictionary through its CosObj (CosHandle()) reach the
// original and every copy still open, before and after it was placed.
#pragma once

#include <cstdint>
#include <map>
#include <memory>

#include <qpdf/QPDF.hh>

#include "pdfhost/pdf/CosPool.h"

namespace pdfhost::pdf {

class Document;

class ScratchObject : public CosMirror {
  public:
    // make builds the object in the private PDF; it is made indirect.
    explicit ScratchObject(const std::function<QPDFObjectHandle(QPDF&)>& make);
    ~ScratchObject() override;

    QPDFObjectHandle Original() const { return original_; }
    QPDFObjectHandle In(Document& doc);
    CosObj CosHandle();

    void Put(const std::string& key, QPDFObjectHandle value) override;

  private:
    std::unique_ptr<QPDF> pdf_;
    QPDFObjectHandle original_;
    std::map<std::uint64_t, QPDFObjectHandle> copies_; // by document serial
    std::unique_ptr<CosPool> cos_;
};

} // namespace pdfhost::pdf
