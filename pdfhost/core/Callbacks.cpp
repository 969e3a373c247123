#include "pdfhost/core/Callbacks.h"

#include <map>
#include <memory>

#include "pdfhost/core/Extension.h"
#include "pdfhost/core/HandleRegistry.h"
#include "pdfhost/core/HostError.h"

namespace pdfhost {
namespace {

struct CallbackObject {
    Extension* owner = nullptr;
    ASGenericProc proc = nullptr;
};

std::map<const void*, std::unique_ptr<CallbackObject>>& callbacks() {
    static std::map<const void*, std::unique_ptr<CallbackObject>> c;
    return c;
}

CallbackObject* Check(ASCallback callback) {
    return HandleRegistry::Check<CallbackObject>(callback, HandleKind::Callback);
}

} // namespace

ASCallback Callbacks::Create(ASExtension extension, ASGenericProc proc) {
    Extension* owner = Extension::FromHandle(extension);
    if (!proc)
        Raise(kErrBadParameter, "ASCallbackCreate was given a null procedure.");
    auto object = std::make_unique<CallbackObject>(CallbackObject{owner, proc});
    const void* handle = object.get();
    HandleRegistry::Register(handle, HandleKind::Callback);
    callbacks().emplace(handle, std::move(object));
    return reinterpret_cast<ASCallback>(const_cast<void*>(handle));
}

void Callbacks::Destroy(ASCallback callback) {
    Check(callback);
    HandleRegistry::Unregister(callback);
    callbacks().erase(callback);
}

ASGenericProc Callbacks::Proc(ASCallback callback) {
    return Check(callback)->proc;
}

Extension* Callbacks::Owner(ASCallback callback) {
    return Check(callback)->owner;
}

bool Callbacks::BelongsTo(ASCallback callback, const Extension* extension) {
    return HandleRegistry::IsLive(callback, HandleKind::Callback) &&
           static_cast<const CallbackObject*>(static_cast<const void*>(callback))->owner ==
               extension;
}

void Callbacks::DestroyAllOf(const Extension* extension) {
    auto& all = callbacks();
    for (auto it = all.begin(); it != all.end();) {
        if (it->second->owner == extension) {
            HandleRegistry::Unregister(it->first);
            it = all.erase(it);
        } else {
            ++it;
        }
    }
}

std::size_t Callbacks::Count() {
    return callbacks().size();
}

void Callbacks::Reset() {
    for (const auto& [handle, object] : callbacks())
        HandleRegistry::Unregister(handle);
    callbacks().clear();
}

} // namespace pdfhost
