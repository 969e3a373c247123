// The handle a host object is known by, for exactly as long as it lives.
//
// Contract: a member of the object it names, made with that object's address
// (as the type its FromHandle checks it as) and kind. It registers the object
// with HandleRegistry when made and retires the token when destroyed, so no
// way out of an object's life leaves its handle live. It is neither copied
// nor moved: a token names one object only.
#pragma once

#include "pdfhost/core/HandleRegistry.h"

namespace pdfhost {

class RegisteredHandle {
  public:
    RegisteredHandle(const void* object, HandleKind kind)
        : token_(HandleRegistry::Register(object, kind)) {}
    ~RegisteredHandle() { HandleRegistry::Unregister(token_); }
    RegisteredHandle(const RegisteredHandle&) = delete;
    RegisteredHandle& operator=(const RegisteredHandle&) = delete;

    template <typename H> H As() const { return HandleRegistry::As<H>(token_); }
    const void* Token() const { return token_; }

  private:
    const void* token_;
};

} // namespace pdfhost
