#include "pdfhost/pdf/PDEObjectBase.h"

#include <unordered_map>

#include "pdfhost/core/HandleRegistry.h"
#include "pdfhost/core/HostError.h"
#include "sdk/PIRecords.h"

namespace pdfhost::pdf {
namespace {

using Store = std::unordered_map<const PDEObjectBase*, std::unique_ptr<PDEObjectBase>>;

Store& store() {
    static Store s;
    return s;
}

std::string TypeName(ASInt32 type) {
    switch (type) {
    case kPDEText:
        return "text element";
    case kPDEPath:
        return "path element";
    case kPDEImage:
        return "image element";
    case kPDEForm:
        return "form element";
    case kPDEXObject:
        return "XObject element";
    case kPDEFont:
        return "font";
    case kPDEColorSpace:
        return "colour space";
    case kPDEExtGState:
        return "extended graphics state";
    case kPDEContainer:
        return "marked-content container";
    case kPDEShading:
        return "shading element";
    case kPDEInlineImage:
        return "inline image element";
    case kPDEContent:
        return "page content";
    default:
        return "content object";
    }
}

} // namespace

PDEObjectBase::PDEObjectBase() = default;

PDEObjectBase::~PDEObjectBase() = default;

void PDEObjectBase::Prepare() {
    store();
}

void PDEObjectBase::Keep(std::unique_ptr<PDEObjectBase> object) {
    const PDEObjectBase* key = object.get();
    store().emplace(key, std::move(object));
}

void PDEObjectBase::Release() {
    --refs_;
    DestroyIfUnused();
}

void PDEObjectBase::ReleaseForCaller() {
    if (callerRefs_ == 0)
        Raise(kErrBadHandle, "A " + TypeName(Type()) +
                                 " was released more often than it was created or acquired.");
    --callerRefs_;
    DestroyIfUnused();
}

void PDEObjectBase::DestroyIfUnused() {
    if (refs_ > 0 || callerRefs_ > 0)
        return;
    // Taken out of the store before it dies: its destructor may release
    // the objects it holds, which changes the store.
    auto node = store().extract(this);
}

void PDEObjectBase::Destroy(PDEObjectBase& object) {
    auto node = store().extract(&object);
}

PDEObjectBase& PDEObjectBase::FromHandle(PDEObject handle) {
    return *HandleRegistry::Check<PDEObjectBase>(handle, HandleKind::PDEObject);
}

void PDEObjectBase::RaiseWrongKind(const PDEObjectBase& object, const char* needed) {
    Raise(kErrWrongObjectKind, std::string("A ") + TypeName(object.Type()) +
                                   " was passed where a " + needed + " is needed.");
}

} // namespace pdfhost::pdf
