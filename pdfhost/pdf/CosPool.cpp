#include "pdfhost/pdf/CosPool.h"

#include "pdfhost/core/HandleRegistry.h"

namespace pdfhost::pdf {

CosObj CosPool::Wrap(QPDFObjectHandle obj, QPDFObjGen owner) {
    const bool indirect = obj.isIndirect();
    const QPDFObjGen key = indirect ? obj.getObjGen() : QPDFObjGen();
    if (indirect)
        owner = key;
    if (indirect) {
        if (auto it = indirect_.find(key); it != indirect_.end())
            return it->second->handle.As<CosObj>();
    }
    if (obj.isStream())
        obj = obj.getDict();
    objects_.push_back(std::make_unique<CosObject>(obj, this, false, owner));
    CosObject* o = objects_.back().get();
    if (indirect)
        indirect_.emplace(key, o);
    return o->handle.As<CosObj>();
}

CosObj CosPool::WrapMirrored(QPDFObjectHandle dict) {
    if (!mirrored_) {
        objects_.push_back(std::make_unique<CosObject>(dict, this, true, QPDFObjGen()));
        mirrored_ = objects_.back().get();
    }
    return mirrored_->handle.As<CosObj>();
}

CosObject* CosPool::Find(CosObj handle) {
    if (!handle)
        return nullptr;
    return HandleRegistry::Check<CosObject>(handle, HandleKind::CosObj);
}

QPDFObjectHandle CosPool::Get(CosObj handle) {
    CosObject* o = Find(handle);
    return o ? o->obj : QPDFObjectHandle::newNull();
}

} // namespace pdfhost::pdf
