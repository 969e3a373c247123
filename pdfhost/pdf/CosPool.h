// The Cos objects of one document (or of one object made outside any
// document) behind CosObj handles.
//
// Contract: Wrap() hands out a CosObj for a qpdf object; the handle stays
// valid until the pool is destroyed (the document closes). Indirect objects
// get one handle each however often they are wrapped; a stream is wrapped as
// its dictionary. The null CosObj (0) stands for the PDF null object. A pool
// may have a mirror: the object a CosDictPut on its root dictionary must also
// reach (an image placed in several documents). Each handle knows the
// indirect object that holds its value (the value itself when indirect), so
// that a put can mark that object in the pool's changes, when it has any.
#pragma once

#include <map>
#include <memory>
#include <vector>

#include <qpdf/QPDFObjectHandle.hh>

#include "pdfhost/core/RegisteredHandle.h"
#include "pdfhost/pdf/IncrementalChanges.h"
#include "sdk/ASTypes.h"

namespace pdfhost::pdf {

class CosPool;

// Receives puts on a pool's root dictionary so that copies can follow.
class CosMirror {
  public:
    virtual ~CosMirror() = default;
    virtual void Put(const std::string& key, QPDFObjectHandle value) = 0;
};

struct CosObject {
    CosObject(QPDFObjectHandle o, CosPool* p, bool m, QPDFObjGen holder)
        : obj(std::move(o)), pool(p), mirrored(m), owner(holder) {}

    QPDFObjectHandle obj;
    CosPool* pool;
    bool mirrored;    // puts go through the pool's mirror
    QPDFObjGen owner; // the indirect object holding obj; none for a free value
    RegisteredHandle handle{this, HandleKind::CosObj};
};

class CosPool {
  public:
    explicit CosPool(QPDF* pdf, CosMirror* mirror = nullptr, IncrementalChanges* changes = nullptr)
        : pdf_(pdf), mirror_(mirror), changes_(changes) {}
    ~CosPool() = default;
    CosPool(const CosPool&) = delete;
    CosPool& operator=(const CosPool&) = delete;

    // owner: the indirect object a direct obj was found in.
    CosObj Wrap(QPDFObjectHandle obj, QPDFObjGen owner = QPDFObjGen());
    // The handle whose puts also reach the mirror.
    CosObj WrapMirrored(QPDFObjectHandle dict);
    QPDF* Pdf() const { return pdf_; }
    CosMirror* Mirror() const { return mirror_; }
    // The object behind `changed` was changed in place.
    void NoteChanged(const CosObject& changed) {
        if (changes_)
            changes_->Mark(changed.owner);
    }

    // The object behind a handle; the null handle is PDF null.
    static QPDFObjectHandle Get(CosObj handle);
    static CosObject* Find(CosObj handle); // null for the null handle

  private:
    QPDF* pdf_;
    CosMirror* mirror_;
    IncrementalChanges* changes_;
    std::vector<std::unique_ptr<CosObject>> objects_;
    std::map<QPDFObjGen, CosObject*> indirect_;
    CosObject* mirrored_ = nullptr;
};

} // namespace pdfhost::pdf
