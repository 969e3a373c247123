#include "pdfhost/pdf/CosPool.h"

#include "pdfhost/core/HandleRegistry.h"

namespace pdfhost::pdf {

CosPool::~CosPool() {
    for (const auto& o : objects_)
        HandleRegistry::Unregister(o.get());
}

CosObj CosPool::Wrap(QPDFObjectHandle obj, QPDFObjGen owner) {
    const bool indirect = obj.isIndirect();
    const QPDFObjGen key = indirect ? obj.getObjGen() : QPDFObjGen();
    if (indirect)
        owner = key;
    if (indirect) {
        if (auto it = indirect_.find(key); it != indirect_.end())
            return reinterpret_cast<CosObj>(it->second);
    }
    if (obj.isStream())
        obj = obj.getDict();
    objects_.push_back(std::make_unique<CosObject>(CosObject{obj, this, false, owner}));
    CosObject* o = objects_.back().get();
    HandleRegistry::Register(o, HandleKind::CosObj);
    if (indirect)
        indirect_.emplace(key, o);
    return reinterpret_cast<CosObj>(o);
}

CosObj CosPool::WrapMirrored(QPDFObjectHandle dict) {
    if (!mirrored_) {
        objects_.push_back(std::make_unique<CosObject>(CosObject{dict, this, true, QPDFObjGen()}));
        mirrored_ = objects_.back().get();
        HandleRegistry::Register(mirrored_, HandleKind::CosObj);
    }
    return reinterpret_cast<CosObj>(mirrored_);
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
